#include "lesson/ChosenLists.h"

#include "framework/SettingsStore.h"
#include "verbdata/RegularFile.h"

#include <algorithm>

namespace
{

const char* const kSection = "Taldrin";

std::string RecentKey(std::size_t i)
{
    return "Recent" + std::to_string(i + 1);
}

bool IsAbsolute(const std::string& strPath)
{
    return !strPath.empty() && strPath.front() == '/';
}

// Paths that name one file, however spelt (a linked folder), are one list: removes from
// paths those that name a file of others.
void RemoveSameFile(std::vector<std::string>& paths, const std::vector<std::string>& others)
{
    std::vector<std::string> files;
    for (const std::string& strOther : others)
        files.push_back(ResolvedFilePath(strOther));
    paths.erase(std::remove_if(paths.begin(), paths.end(),
                               [&](const std::string& strPath) {
                                   return std::find(files.begin(), files.end(), ResolvedFilePath(strPath)) !=
                                          files.end();
                               }),
                paths.end());
}

} // namespace

void ChosenLists::Load(SettingsStore& store)
{
    m_strInUse = store.GetProfileString(kSection, "List", "");
    if (!IsAbsolute(m_strInUse))
        m_strInUse.clear();
    m_recent.clear();
    for (std::size_t i = 0; i < kRecentListCount; ++i)
    {
        const std::string strPath = store.GetProfileString(kSection, RecentKey(i), "");
        std::vector<std::string> same{strPath};
        RemoveSameFile(same, m_recent);
        if (IsAbsolute(strPath) && !same.empty())
            m_recent.push_back(strPath);
    }
}

void ChosenLists::Save(SettingsStore& store) const
{
    store.WriteProfileString(kSection, "List", m_strInUse);
    for (std::size_t i = 0; i < kRecentListCount; ++i)
        store.WriteProfileString(kSection, RecentKey(i), i < m_recent.size() ? m_recent[i] : "");
}

void ChosenLists::Choose(const std::string& strPath)
{
    m_strInUse = strPath;
    RemoveSameFile(m_recent, {strPath});
    m_recent.insert(m_recent.begin(), strPath);
    if (m_recent.size() > kRecentListCount)
        m_recent.resize(kRecentListCount);
}

void ChosenLists::Forget(const std::string& strPath)
{
    m_recent.erase(std::remove(m_recent.begin(), m_recent.end(), strPath), m_recent.end());
    if (m_strInUse == strPath)
        m_strInUse.clear();
}
