// The verb lists the user chose: the one in use and the last few chosen, kept in the
// program's own settings section as absolute paths.
#pragma once

#include <string>
#include <vector>

class SettingsStore;

constexpr std::size_t kRecentListCount = 4;

class ChosenLists
{
public:
    // Reads section "Taldrin": "List" (the list in use; empty for the standard one) and
    // "Recent1" .. "Recent4". Paths that are not absolute are dropped.
    void Load(SettingsStore& store);
    // Writes the same keys; the caller flushes.
    void Save(SettingsStore& store) const;

    // The list now in use goes to the top of the recent ones.
    void Choose(const std::string& strPath);
    // Whether the settings can keep the path as it is: they hold texts of one line.
    static bool CanRemember(const std::string& strPath);
    void UseStandard() { m_strInUse.clear(); }
    // A list that is gone: no longer recent, nor in use.
    void Forget(const std::string& strPath);

    const std::string& GetInUse() const { return m_strInUse; }
    const std::vector<std::string>& GetRecent() const { return m_recent; }

private:
    std::string m_strInUse;
    std::vector<std::string> m_recent; // newest first
};

// A name from the file system shown as it is and nothing more: control characters, line
// and paragraph separators and the marks that reorder text are written as \xNN or \uNNNN,
// bytes that are no UTF-8 as \xNN. In and out UTF-8.
std::string PrintableName(const std::string& strName);

// The label of the recent list numbered nNumber (from 1): its mnemonic, then the file name
// printable, its '&' doubled so that none is taken for a mnemonic.
std::string RecentListLabel(std::size_t nNumber, const std::string& strFileName);
