// The INI file behind the settings store: parsing, locating, reading and replacing it.
#include "framework/IniSettingsStore.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <limits>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// A bigger file is no settings file of ours: its keys read as missing and it is kept.
constexpr std::uintmax_t kMaxFileSize = 1 << 20;

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

bool ParseInt32(const std::string& strValue, std::uint32_t& nValue)
{
    if (strValue.empty())
        return false;
    errno = 0;
    char* pEnd = nullptr;
    const long long n = std::strtoll(strValue.c_str(), &pEnd, 10);
    if (errno != 0 || pEnd != strValue.c_str() + strValue.size() || n < std::numeric_limits<std::int32_t>::min() ||
        n > static_cast<long long>(std::numeric_limits<std::uint32_t>::max()))
        return false;
    nValue = static_cast<std::uint32_t>(n);
    return true;
}

// Reading the file: Missing when nothing is there (a link that leads nowhere
// included: a flush creates its target); Unreadable when something is there that we
// cannot or must not read: no permission, a link loop, no regular file, over the cap.
enum class ReadResult
{
    Read,
    Missing,
    Unreadable
};

ReadResult ReadSettingsFile(const std::filesystem::path& file, std::string& strText)
{
    // Non-blocking, so a pipe at the name cannot stall us before fstat turns it away.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Unreadable;
    ReadResult result = ReadResult::Unreadable;
    struct stat st = {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) <= kMaxFileSize)
    {
        char buffer[4096];
        for (;;)
        {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n == 0)
                result = ReadResult::Read;
            if (n <= 0)
                break;
            strText.append(buffer, static_cast<std::size_t>(n));
            if (strText.size() > kMaxFileSize) // it grew since fstat
                break;
        }
    }
    ::close(fd);
    return result;
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

// Follows links from `file` to the path at the end of the chain, which is no link; `st`
// describes it when bExists. False for a loop (over 40 links, as the kernel counts) or a
// path that cannot be looked at.
bool ResolveLinks(std::filesystem::path file, std::filesystem::path& target, struct stat& st, bool& bExists)
{
    for (int nLinks = 0; nLinks <= 40; ++nLinks)
    {
        if (::lstat(file.c_str(), &st) != 0)
        {
            target = file;
            bExists = false;
            return errno == ENOENT;
        }
        if (!S_ISLNK(st.st_mode))
        {
            target = file;
            bExists = true;
            return true;
        }
        std::error_code error;
        const std::filesystem::path link = std::filesystem::read_symlink(file, error);
        if (error)
            return false;
        file = link.is_absolute() ? link : file.parent_path() / link;
    }
    return false;
}

unsigned RandomNumber()
{
    try
    {
        return std::random_device()();
    }
    catch (const std::exception&) // no source of randomness: the clock still differs per call
    {
        return static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    }
}

// Creates "<target>.tmp.<pid>", or "<target>.tmp.<pid>.<random>" when that name is taken:
// always a new file of our own, never anything a link planted at the name leads to.
int CreateTempFile(const std::filesystem::path& target, mode_t mode, std::filesystem::path& temp)
{
    const std::string strBase = target.string() + ".tmp." + std::to_string(::getpid());
    for (int nTry = 0; nTry < 100; ++nTry)
    {
        char szSuffix[16] = "";
        if (nTry > 0)
            std::snprintf(szSuffix, sizeof szSuffix, ".%08x", RandomNumber());
        temp = strBase + szSuffix;
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool WriteAll(int fd, const std::string& str)
{
    std::size_t nDone = 0;
    while (nDone < str.size())
    {
        const ssize_t n = ::write(fd, str.data() + nDone, str.size() - nDone);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        nDone += static_cast<std::size_t>(n);
    }
    return true;
}

void SyncDirectory(const std::filesystem::path& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
    {
        ::fsync(fd);
        ::close(fd);
    }
}

// The pid in "<pid>" or "<pid>.<letters and digits>", the rest of a temporary file's name;
// 0 for anything else.
pid_t TempFilePid(const std::string& strRest)
{
    const std::size_t nDigits = std::min(strRest.find_first_not_of("0123456789"), strRest.size());
    const std::string strSuffix = strRest.substr(nDigits);
    const bool bSuffixFits = strSuffix.empty() ||
                             (strSuffix.size() > 1 && strSuffix[0] == '.' &&
                              std::all_of(strSuffix.begin() + 1, strSuffix.end(),
                                          [](unsigned char c) { return std::isalnum(c) != 0; }));
    if (nDigits == 0 || nDigits > 9 || !bSuffixFits)
        return 0;
    return static_cast<pid_t>(std::stol(strRest.substr(0, nDigits)));
}

// Removes the temporary files that writers killed in the middle of a flush left beside
// the file `strName` in `dir`: "<name>.tmp.<pid>" or "<name>.tmp.<pid>.<suffix>", a
// regular file of this user, where no process <pid> exists any more. Anything else, a link
// of that name included, is left alone.
void RemoveStaleTempFiles(const std::filesystem::path& dir, const std::string& strName)
{
    const std::string strPrefix = strName + ".tmp.";
    std::error_code error;
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end;
         it.increment(error))
    {
        const std::string strEntry = it->path().filename().string();
        const bool bOurName = strEntry.compare(0, strPrefix.size(), strPrefix) == 0;
        const pid_t pid = bOurName ? TempFilePid(strEntry.substr(strPrefix.size())) : 0;
        struct stat st = {};
        if (pid > 0 && ::lstat(it->path().c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::kill(pid, 0) != 0 && errno == ESRCH)
            ::unlink(it->path().c_str());
    }
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
    const ReadResult result = m_file.empty() ? ReadResult::Missing : ReadSettingsFile(m_file, strText);
    m_bKeepFile = result == ReadResult::Unreadable;
    if (result == ReadResult::Read)
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

bool IniSettingsStore::FindValue(const std::string& strSection, const std::string& strKey,
                                 std::string& strValue)
{
    Load();
    bool bFound = false;
    const std::size_t i = FindKey(strSection, strKey, bFound);
    std::string strName;
    return bFound && ParseEntry(m_lines[i], strName, strValue);
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
    WriteLine(strSection, strKey, std::to_string(nValue));
}

std::string IniSettingsStore::GetProfileString(const std::string& strSection,
                                               const std::string& strKey,
                                               const std::string& strDefault)
{
    std::string strValue;
    if (!FindValue(strSection, strKey, strValue))
        return strDefault;
    if (strValue.size() >= 2 && strValue.front() == '"' && strValue.back() == '"')
        return strValue.substr(1, strValue.size() - 2);
    return strValue;
}

void IniSettingsStore::WriteProfileString(const std::string& strSection, const std::string& strKey,
                                          const std::string& strValue)
{
    if (strValue.find_first_of("\r\n") != std::string::npos)
        return; // would break the file into lines
    const bool bQuote = !strValue.empty() && (strValue != Trim(strValue) || strValue.front() == '"');
    WriteLine(strSection, strKey, bQuote ? '"' + strValue + '"' : strValue);
}

void IniSettingsStore::WriteLine(const std::string& strSection, const std::string& strKey,
                                 const std::string& strValue)
{
    Load();
    const std::string strLine = strKey + "=" + strValue;
    bool bFound = false;
    const std::size_t i = FindKey(strSection, strKey, bFound);
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
    m_bDirty = true;
}

bool IniSettingsStore::Flush()
{
    if (!m_bDirty)
        return true;
    if (m_file.empty() || m_bKeepFile)
        return false;
    std::string strText;
    for (const std::string& strLine : m_lines)
        strText += strLine + m_strLineEnd;

    std::error_code error;
    if (m_file.has_parent_path())
        std::filesystem::create_directories(m_file.parent_path(), error);
    std::filesystem::path target, temp;
    struct stat st = {};
    bool bExists = false;
    if (!ResolveLinks(m_file, target, st, bExists) || (bExists && !S_ISREG(st.st_mode)))
        return false;
    const std::filesystem::path dir = target.has_parent_path() ? target.parent_path() : ".";

    RemoveStaleTempFiles(dir, target.filename().string());
    // Private until it has the mode of the file it replaces.
    const int fd = CreateTempFile(target, bExists ? 0600 : 0644, temp);
    if (fd < 0)
        return false;
    if (bExists && ::fchown(fd, st.st_uid, st.st_gid) != 0)
    {
        // Not allowed to give the file away: it becomes ours, as any new file would.
    }
    const bool bWritten = (!bExists || ::fchmod(fd, st.st_mode & 07777) == 0) &&
                          WriteAll(fd, strText) && ::fsync(fd) == 0;
    const bool bClosed = ::close(fd) == 0;
    if (!bWritten || !bClosed || ::rename(temp.c_str(), target.c_str()) != 0)
    {
        ::unlink(temp.c_str());
        return false;
    }
    SyncDirectory(dir);
    m_bDirty = false;
    return true;
}
