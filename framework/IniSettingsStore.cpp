// The INI file behind the settings store: parsing, locating, reading and replacing it.
#include "framework/IniSettingsStore.h"

#include "framework/UserFile.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include <pwd.h>
#include <unistd.h>

namespace
{

// A bigger file is no settings file of ours: its keys read as missing and it is kept.
constexpr std::uintmax_t kMaxFileSize = 1 << 20;

const std::string kByteOrderMark = "\xEF\xBB\xBF";

std::string Trim(const std::string& str)
{
    const std::size_t first = str.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::size_t last = str.find_last_not_of(" \t");
    return str.substr(first, last - first + 1);
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// "[Name]" gives true and the name.
bool ParseSection(const std::string& strLine, std::string& strName)
{
    const std::string str = Trim(strLine);
    if (str.size() < 2 || str.front() != '[' || str.back() != ']')
        return false;
    strName = Trim(str.substr(1, str.size() - 2));
    return true;
}

// "key = value" gives true, the key and the value.
bool ParseEntry(const std::string& strLine, std::string& strKey, std::string& strValue)
{
    const std::size_t eq = strLine.find('=');
    if (eq == std::string::npos)
        return false;
    strKey = Trim(strLine.substr(0, eq));
    strValue = Trim(strLine.substr(eq + 1));
    return !strKey.empty() && strKey[0] != ';' && strKey[0] != '#';
}

// The integer the value begins with; what follows it ("500 ms", "0 ; off") is a comment.
bool ParseInt32(const std::string& strValue, std::uint32_t& nValue)
{
    errno = 0;
    char* pEnd = nullptr;
    const long long n = std::strtoll(strValue.c_str(), &pEnd, 10);
    if (errno != 0 || pEnd == strValue.c_str() || n < std::numeric_limits<std::int32_t>::min() ||
        n > static_cast<long long>(std::numeric_limits<std::uint32_t>::max()))
        return false;
    nValue = static_cast<std::uint32_t>(n);
    return true;
}

// Lines end in LF, CR LF or CR. The file is written back with its own line end when all
// its lines end alike, and with LF when they are mixed or there are none.
std::string SplitLines(const std::string& strText, std::vector<std::string>& lines)
{
    std::string strEnd;
    bool bMixed = false;
    std::size_t nStart = 0;
    for (std::size_t i = 0; i < strText.size(); ++i)
    {
        if (strText[i] != '\n' && strText[i] != '\r')
            continue;
        const std::size_t nLength = strText.compare(i, 2, "\r\n") == 0 ? 2 : 1;
        bMixed = bMixed || (!strEnd.empty() && strText.compare(i, nLength, strEnd) != 0);
        strEnd = strText.substr(i, nLength);
        lines.push_back(strText.substr(nStart, i - nStart));
        i += nLength - 1;
        nStart = i + 1;
    }
    if (nStart < strText.size())
        lines.push_back(strText.substr(nStart));
    return strEnd.empty() || bMixed ? "\n" : strEnd;
}

// The home folder the password database gives the real user; empty unless absolute.
std::string PasswordHome()
{
    std::vector<char> buffer(16384);
    struct passwd entry = {};
    struct passwd* pEntry = nullptr;
    while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &pEntry) == ERANGE &&
           buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    return pEntry && pEntry->pw_dir && pEntry->pw_dir[0] == '/' ? pEntry->pw_dir : "";
}

} // namespace

IniSettingsStore::IniSettingsStore(std::filesystem::path file) : m_file(std::move(file)) {}

std::filesystem::path IniSettingsStore::DefaultPath()
{
    const auto absolute = [](const char* psz) { return psz && *psz == '/'; };
    std::filesystem::path base;
    if (const char* pszConfig = std::getenv("XDG_CONFIG_HOME"); absolute(pszConfig))
        base = pszConfig;
    else if (const char* pszHome = std::getenv("HOME"); absolute(pszHome))
        base = std::filesystem::path(pszHome) / ".config";
    else if (const std::string strHome = PasswordHome(); !strHome.empty())
        base = std::filesystem::path(strHome) / ".config";
    else
        return {};
    return base / "vespin" / "vespin.conf";
}

void IniSettingsStore::Load()
{
    if (m_bLoaded)
        return;
    m_bLoaded = true;
    std::string strText;
    bool bMissing = true;
    if (!m_file.empty())
        m_strUnreadable = ReadUserFile(m_file, kMaxFileSize, strText, bMissing);
    if (!m_strUnreadable.empty() || bMissing)
        return;
    // An editor's byte-order mark is no part of the first line; it goes back where it was.
    if (strText.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0)
    {
        m_strByteOrderMark = kByteOrderMark;
        strText.erase(0, kByteOrderMark.size());
    }
    m_strLineEnd = SplitLines(strText, m_lines);
}

std::size_t IniSettingsStore::FindKey(const std::string& strSection, const std::string& strKey,
                                      bool& bFound) const
{
    bFound = false;
    std::size_t nInsertAfter = std::string::npos;
    bool bInSection = false;
    std::string strName, strValue;
    for (std::size_t i = 0; i < m_lines.size(); ++i)
    {
        if (ParseSection(m_lines[i], strName))
        {
            bInSection = EqualNoCase(strName, strSection);
            if (bInSection && nInsertAfter == std::string::npos)
                nInsertAfter = i;
            continue;
        }
        if (!bInSection || !ParseEntry(m_lines[i], strName, strValue))
            continue;
        if (EqualNoCase(strName, strKey))
        {
            bFound = true;
            return i;
        }
        nInsertAfter = i;
    }
    return nInsertAfter;
}

std::uint32_t IniSettingsStore::GetProfileInt(const std::string& strSection,
                                              const std::string& strKey, std::uint32_t nDefault)
{
    Load();
    bool bFound = false;
    const std::size_t i = FindKey(strSection, strKey, bFound);
    std::string strName, strValue;
    std::uint32_t nValue = 0;
    if (bFound && ParseEntry(m_lines[i], strName, strValue) && ParseInt32(strValue, nValue))
        return nValue;
    return nDefault;
}

void IniSettingsStore::WriteProfileInt(const std::string& strSection, const std::string& strKey,
                                       std::int64_t nValue)
{
    Load();
    const std::string strLine = strKey + "=" + std::to_string(nValue);
    bool bFound = false;
    const std::size_t i = FindKey(strSection, strKey, bFound);
    m_bDirty = true;
    std::string strName, strOld;
    std::uint32_t nOld = 0, nNew = 0;
    // An entry that already reads as the value stays as the user wrote it, comment and all.
    if (bFound && ParseEntry(m_lines[i], strName, strOld) && ParseInt32(strOld, nOld) &&
        ParseInt32(std::to_string(nValue), nNew) && nOld == nNew)
        return;
    if (bFound)
        m_lines[i] = strLine;
    else if (i != std::string::npos)
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, strLine);
    else
    {
        if (!m_lines.empty() && !Trim(m_lines.back()).empty())
            m_lines.emplace_back();
        m_lines.push_back("[" + strSection + "]");
        m_lines.push_back(strLine);
    }
}

bool IniSettingsStore::Flush()
{
    m_strFailure.clear();
    if (!m_bDirty)
        return true;
    if (m_file.empty())
        m_strFailure = "no folder for settings is known (HOME is not set)";
    else if (!m_strUnreadable.empty())
        m_strFailure = "it could not be read (" + m_strUnreadable + "), so it is left as it is";
    else
    {
        std::string strText = m_strByteOrderMark;
        for (const std::string& strLine : m_lines)
            strText += strLine + m_strLineEnd;
        m_strFailure = ReplaceUserFile(m_file, strText);
    }
    if (!m_strFailure.empty())
        return false;
    m_bDirty = false;
    return true;
}

std::string IniSettingsStore::GetLocation() const
{
    return m_file.string();
}

std::string IniSettingsStore::GetFlushFailure() const
{
    return m_strFailure;
}
