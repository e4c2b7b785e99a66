// The INI file behind the settings store: parsing, locating, reading and replacing it.
#include "framework/IniSettingsStore.h"

#include "framework/Translation.h"
#include "framework/UserFile.h"
#include "framework/UserFolders.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>

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

// A text value: one pair of double quotes around it is taken off.
std::string Unquote(const std::string& strValue)
{
    if (strValue.size() >= 2 && strValue.front() == '"' && strValue.back() == '"')
        return strValue.substr(1, strValue.size() - 2);
    return strValue;
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

} // namespace

IniSettingsStore::IniSettingsStore(std::filesystem::path file) : m_file(std::move(file)) {}

std::filesystem::path IniSettingsStore::DefaultPath()
{
    const std::string strBase = XdgUserFolder(UserVariable("XDG_CONFIG_HOME"), UserVariable("HOME"), ".config");
    if (strBase.empty())
        return {};
    return std::filesystem::path(strBase) / "vespin" / "vespin.conf";
}

// The file's lines, its line end and byte-order mark as they are on disk now; empty for a
// file that is not there. The reason when it is there but could not be read.
std::string IniSettingsStore::ReadFile(Text& text) const
{
    text = Text();
    std::string strText;
    bool bMissing = true;
    if (m_file.empty())
        return {};
    if (std::string strUnreadable = ReadUserFile(m_file, kMaxFileSize, strText, bMissing); !strUnreadable.empty())
        return strUnreadable;
    // An editor's byte-order mark is no part of the first line; it goes back where it was.
    if (strText.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0)
    {
        text.strByteOrderMark = kByteOrderMark;
        strText.erase(0, kByteOrderMark.size());
    }
    text.strLineEnd = SplitLines(strText, text.lines);
    return {};
}

void IniSettingsStore::Load()
{
    if (m_bLoaded)
        return;
    m_bLoaded = true;
    ReadFile(m_text); // a file that cannot be read reads as empty; Flush tells why
}

std::size_t IniSettingsStore::FindKey(const std::vector<std::string>& lines, const std::string& strSection,
                                      const std::string& strKey, bool& bFound)
{
    bFound = false;
    std::size_t nInsertAfter = std::string::npos;
    bool bInSection = false;
    std::string strName, strValue;
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        if (ParseSection(lines[i], strName))
        {
            bInSection = EqualNoCase(strName, strSection);
            if (bInSection && nInsertAfter == std::string::npos)
                nInsertAfter = i;
            continue;
        }
        if (!bInSection || !ParseEntry(lines[i], strName, strValue))
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

bool IniSettingsStore::FindValue(const std::string& strSection, const std::string& strKey,
                                 std::string& strValue)
{
    Load();
    bool bFound = false;
    const std::size_t i = FindKey(m_text.lines, strSection, strKey, bFound);
    std::string strName;
    return bFound && ParseEntry(m_text.lines[i], strName, strValue);
}

std::uint32_t IniSettingsStore::GetProfileInt(const std::string& strSection,
                                              const std::string& strKey, std::uint32_t nDefault)
{
    std::string strValue;
    std::uint32_t nValue = 0;
    if (FindValue(strSection, strKey, strValue) && ParseInt32(strValue, nValue))
        return nValue;
    return nDefault;
}

void IniSettingsStore::WriteProfileInt(const std::string& strSection, const std::string& strKey,
                                       std::int64_t nValue)
{
    const std::string strValue = std::to_string(nValue);
    WriteLine(strSection, strKey, strValue, [strValue](const std::string& strOld) {
        std::uint32_t nOld = 0, nNew = 0;
        return ParseInt32(strOld, nOld) && ParseInt32(strValue, nNew) && nOld == nNew;
    });
}

std::string IniSettingsStore::GetProfileString(const std::string& strSection,
                                               const std::string& strKey,
                                               const std::string& strDefault)
{
    std::string strValue;
    return FindValue(strSection, strKey, strValue) ? Unquote(strValue) : strDefault;
}

void IniSettingsStore::WriteProfileString(const std::string& strSection, const std::string& strKey,
                                          const std::string& strValue)
{
    if (strValue.find_first_of("\r\n") != std::string::npos)
        return; // would break the file into lines
    const bool bQuote = !strValue.empty() && (strValue != Trim(strValue) || strValue.front() == '"');
    WriteLine(strSection, strKey, bQuote ? '"' + strValue + '"' : strValue,
              [strValue](const std::string& strOld) { return Unquote(strOld) == strValue; });
}

void IniSettingsStore::WriteLine(const std::string& strSection, const std::string& strKey,
                                 const std::string& strValue,
                                 const std::function<bool(const std::string&)>& fnReadsAsValue)
{
    Load();
    Change change{strSection, strKey, strValue, fnReadsAsValue};
    // A value that reads as what the store holds is no change of this program's: it does
    // not overwrite what another program saved meanwhile.
    if (!Apply(change, m_text.lines))
        return;
    const auto same = [&change](const Change& other) {
        return EqualNoCase(other.strSection, change.strSection) && EqualNoCase(other.strKey, change.strKey);
    };
    m_changes.erase(std::remove_if(m_changes.begin(), m_changes.end(), same), m_changes.end());
    m_changes.push_back(std::move(change));
}

bool IniSettingsStore::Apply(const Change& change, std::vector<std::string>& lines)
{
    const std::string strLine = change.strKey + "=" + change.strValue;
    bool bFound = false;
    const std::size_t i = FindKey(lines, change.strSection, change.strKey, bFound);
    std::string strName, strOld;
    // An entry that already reads as the value stays as the user wrote it, comment and all.
    if (bFound && ParseEntry(lines[i], strName, strOld) && change.fnReadsAsValue(strOld))
        return false;
    if (bFound)
        lines[i] = strLine;
    else if (i != std::string::npos)
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, strLine);
    else
    {
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back("[" + change.strSection + "]");
        lines.push_back(strLine);
    }
    return true;
}

// The changes go into the file as it is now, so what another program saved since this one
// read it stays.
bool IniSettingsStore::Flush()
{
    m_strFailure.clear();
    if (m_changes.empty())
        return true;
    Text text;
    if (m_file.empty())
        // TRANSLATORS: why the settings could not be saved; HOME stays as it is.
        m_strFailure = Tr("no folder for settings is known (no absolute HOME, and no home in the password database)");
    else if (const std::string strUnreadable = ReadFile(text); !strUnreadable.empty())
        // TRANSLATORS: {1} is the system's reason.
        m_strFailure = FillIn(Tr("it could not be read ({1}), so it is left as it is"), {strUnreadable});
    else
    {
        bool bChanged = false;
        for (const Change& change : m_changes)
            bChanged = Apply(change, text.lines) || bChanged;
        std::string strText = text.strByteOrderMark;
        for (const std::string& strLine : text.lines)
            strText += strLine + text.strLineEnd;
        if (bChanged)
            m_strFailure = ReplaceUserFile(m_file, strText);
    }
    if (!m_strFailure.empty())
        return false;
    m_text = std::move(text);
    m_changes.clear();
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
