// Which verb groups a lesson includes, and the tags that name the groups in a verb list.
#pragma once

#include <array>
#include <cstddef>
#include <string>

constexpr std::size_t kGroupCount = 6;

// In flag order: "lit", "ess1", "ess2", "bas1", "bas2", "dop".
extern const std::array<const char*, kGroupCount> kGroupTags;

// The flag index of a tag, compared with the whole text, case-sensitively; -1 when the
// text is none of the six tags.
int FindGroup(const std::string& strTag);

class GroupSet
{
public:
    GroupSet() = default;
    GroupSet(const GroupSet&) = default;
    GroupSet& operator=(const GroupSet&) = default;
    virtual ~GroupSet() = default;

    bool Get(std::size_t nIndex) const { return m_bFlags.at(nIndex); }
    void Set(std::size_t nIndex, bool bOn) { m_bFlags.at(nIndex) = bOn; }
    bool Any() const;

private:
    std::array<bool, kGroupCount> m_bFlags{};
};
