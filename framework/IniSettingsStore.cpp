#include "framework/IniSettingsStore.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace
{

// A bigger file is no settings file of ours; it is read as holding no keys.
constexpr std::uintmax_t kMaxFileSize = 1 << 20;

std::string Trim(const std::string& str)
{
    const std::size_t first = str.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const std::size_t last = str.find_last_not_of(" \t\r");
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
    if (errno != 0 || *pEnd != '\0' || n < std::numeric_limits<std::int32_t>::min() ||
        n > static_cast<long long>(std::numeric_limits<std::uint32_t>::max()))
        return false;
    nValue = static_cast<std::uint32_t>(n);
    return true;
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
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0)
    {
        ::fsync(fd);
        ::close(fd);
    }
}

// Removes the temporary files that writers killed in the middle of a flush left beside
// the settings file: "<name>.tmp.<pid>" where no process <pid> exists any more. Those of
// running processes, and anything that does not fit the pattern, are left alone.
void RemoveStaleTempFiles(const std::filesystem::path& file)
{
    const std::string strPrefix = file.filename().string() + ".tmp.";
    const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : ".";
    std::error_code error;
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end;
         it.increment(error))
    {
        const std::string strName = it->path().filename().string();
        const std::string strPid = strName.substr(std::min(strPrefix.size(), strName.size()));
        if (strName.compare(0, strPrefix.size(), strPrefix) != 0 || strPid.empty() ||
            strPid.size() > 9 || strPid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const auto pid = static_cast<pid_t>(std::stol(strPid));
        std::error_code ignored;
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
            std::filesystem::remove(it->path(), ignored);
    }
}

} // namespace

IniSettingsStore::IniSettingsStore(std::filesystem::path file) : m_file(std::move(file)) {}

std::filesystem::path IniSettingsStore::DefaultPath()
{
    std::filesystem::path base;
    if (const char* pszConfig = std::getenv("XDG_CONFIG_HOME"); pszConfig && *pszConfig == '/')
        base = pszConfig;
    else if (const char* pszHome = std::getenv("HOME"); pszHome && *pszHome)
        base = std::filesystem::path(pszHome) / ".config";
    else
        base = ".config";
    return base / "vespin" / "vespin.conf";
}

void IniSettingsStore::Load()
{
    if (m_bLoaded)
        return;
    m_bLoaded = true;
    std::error_code error;
    if (!std::filesystem::is_regular_file(m_file, error) ||
        std::filesystem::file_size(m_file, error) > kMaxFileSize || error)
        return;
    std::ifstream in(m_file, std::ios::binary);
    for (std::string strLine; std::getline(in, strLine);)
        m_lines.push_back(strLine);
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
    std::string strText;
    for (const std::string& strLine : m_lines)
        strText += strLine + "\n";

    std::error_code error;
    const std::filesystem::path dir = m_file.parent_path();
    if (!dir.empty())
        std::filesystem::create_directories(dir, error);

    RemoveStaleTempFiles(m_file);
    std::filesystem::path temp = m_file;
    temp += ".tmp." + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool bWritten = WriteAll(fd, strText) && ::fsync(fd) == 0;
    const bool bClosed = ::close(fd) == 0;
    if (!bWritten || !bClosed || ::rename(temp.c_str(), m_file.c_str()) != 0)
    {
        ::unlink(temp.c_str());
        return false;
    }
    SyncDirectory(dir.empty() ? std::filesystem::path(".") : dir);
    m_bDirty = false;
    return true;
}
