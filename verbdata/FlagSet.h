// A row of on-off choices of a lesson, by index: the one implementation behind DirectionSet
// and GroupSet.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

template <std::size_t N>
class FlagSet
{
public:
    FlagSet() = default;
    FlagSet(const FlagSet&) = default;
    FlagSet& operator=(const FlagSet&) = default;
    virtual ~FlagSet() = default;

    // Out of range throws std::out_of_range.
    bool Get(std::size_t nIndex) const { return m_bFlags.at(nIndex); }
    void Set(std::size_t nIndex, bool bOn) { m_bFlags.at(nIndex) = bOn; }
    void SetAll(bool bOn) { m_bFlags.fill(bOn); }
    bool Any() const { return std::find(m_bFlags.begin(), m_bFlags.end(), true) != m_bFlags.end(); }
    bool All() const { return std::find(m_bFlags.begin(), m_bFlags.end(), false) == m_bFlags.end(); }

private:
    std::array<bool, N> m_bFlags{};
};

// A DirectionSet or GroupSet with every flag on.
template <class TSet>
TSet AllFlags()
{
    TSet set;
    set.SetAll(true);
    return set;
}
