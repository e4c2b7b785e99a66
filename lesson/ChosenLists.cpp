#include "lesson/ChosenLists.h"

#include "framework/SettingsStore.h"
#include "verbdata/RegularFile.h"

#include <algorithm>
#include <cstdio>

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

bool ChosenLists::CanRemember(const std::string& strPath)
{
    return strPath.find_first_of("\r\n") == std::string::npos;
}

namespace
{

// The code point of the UTF-8 sequence at i and its length; length 0 when there is none.
char32_t DecodeUtf8(const std::string& str, std::size_t i, std::size_t& nLength)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(str[k]); };
    const unsigned char c = byte(i);
    nLength = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (nLength == 0 || i + nLength > str.size())
        return nLength = 0;
    char32_t ch = nLength == 1 ? c : c & (0x7F >> nLength);
    for (std::size_t k = 1; k < nLength; ++k)
    {
        if ((byte(i + k) & 0xC0) != 0x80)
            return nLength = 0;
        ch = ch << 6 | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and what lies beyond Unicode are no UTF-8.
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (ch < kSmallest[nLength] || (ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF)
        return nLength = 0;
    return ch;
}

bool ReordersOrBreaks(char32_t ch)
{
    return ch == 0x061C || ch == 0x200E || ch == 0x200F || (ch >= 0x2028 && ch <= 0x202E) ||
           (ch >= 0x2066 && ch <= 0x2069);
}

} // namespace

std::string PrintableName(const std::string& strName)
{
    std::string strShown;
    char sz[16];
    for (std::size_t i = 0; i < strName.size();)
    {
        std::size_t nLength = 0;
        const char32_t ch = DecodeUtf8(strName, i, nLength);
        if (nLength == 0 || ch < 0x20 || (ch >= 0x7F && ch <= 0x9F))
        {
            std::snprintf(sz, sizeof sz, "\\x%02X",
                          nLength == 0 ? static_cast<unsigned char>(strName[i]) : static_cast<unsigned>(ch));
            strShown += sz;
            i += nLength == 0 ? 1 : nLength;
            continue;
        }
        if (ReordersOrBreaks(ch))
        {
            std::snprintf(sz, sizeof sz, "\\u%04X", static_cast<unsigned>(ch));
            strShown += sz;
        }
        else
            strShown.append(strName, i, nLength);
        i += nLength;
    }
    return strShown;
}

std::string RecentListLabel(std::size_t nNumber, const std::string& strFileName)
{
    std::string strLabel = "&" + std::to_string(nNumber) + " ";
    for (const char c : PrintableName(strFileName))
        strLabel += c == '&' ? std::string("&&") : std::string(1, c);
    return strLabel;
}
