#include "verbdata/RegularFile.h"

#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace
{

constexpr std::size_t kBlockSize = 64 * 1024;

} // namespace

RegularFile::RegularFile(const std::string& strPath)
{
#ifdef _WIN32
    // Folders open only with backup semantics. Devices (CON, NUL, COM1) are files of
    // another type than a disk file: looked at and closed again without a read.
    const HANDLE hFile = ::CreateFileA(strPath.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    bool bOpened = hFile != INVALID_HANDLE_VALUE;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool bDisk = bOpened && ::GetFileType(hFile) == FILE_TYPE_DISK &&
                       ::GetFileInformationByHandle(hFile, &info);
    const bool bDirectory = bDisk && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    const bool bRegular = bDisk && !bDirectory;
    if (!bOpened)
    {
        const DWORD dwError = ::GetLastError();
        errno = dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND ? ENOENT
                : dwError == ERROR_ACCESS_DENIED || dwError == ERROR_SHARING_VIOLATION ? EACCES
                                                                                        : EIO;
    }
    else if (bRegular)
        m_fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(hFile), _O_RDONLY | _O_BINARY);
    if (bOpened && m_fd < 0)
        ::CloseHandle(hFile);
    if (bRegular && m_fd < 0)
        bOpened = false; // no descriptor: errno says why
#else
    // Without O_NONBLOCK, opening a pipe waits for a writer.
    m_fd = ::open(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    const bool bOpened = m_fd >= 0;
    struct stat status;
    const bool bStat = bOpened && ::fstat(m_fd, &status) == 0;
    const bool bRegular = bStat && S_ISREG(status.st_mode), bDirectory = bStat && S_ISDIR(status.st_mode);
#endif
    if (!bOpened)
        m_nError = errno;
    else
        m_kind = bRegular ? Kind::Regular : bDirectory ? Kind::Directory : Kind::Other;
    if (!bRegular)
        Close();
}

RegularFile::~RegularFile()
{
    Close();
}

bool RegularFile::ReadBlock(std::string& strBytes)
{
    if (m_fd < 0 || m_nError != 0)
        return false;
    const std::size_t nKept = strBytes.size();
    strBytes.resize(nKept + kBlockSize);
    long nRead = 0;
    do
    {
#ifdef _WIN32
        nRead = ::_read(m_fd, &strBytes[nKept], static_cast<unsigned>(kBlockSize));
#else
        nRead = static_cast<long>(::read(m_fd, &strBytes[nKept], kBlockSize));
#endif
    } while (nRead < 0 && errno == EINTR);
    if (nRead < 0)
        m_nError = errno;
    strBytes.resize(nKept + static_cast<std::size_t>(nRead > 0 ? nRead : 0));
    return nRead > 0;
}

void RegularFile::Close()
{
    if (m_fd >= 0)
#ifdef _WIN32
        ::_close(m_fd);
#else
        ::close(m_fd);
#endif
    m_fd = -1;
}

std::string ResolvedFilePath(const std::string& strPath)
{
    if (strPath.empty())
        return strPath;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(strPath, error);
    if (error)
        return strPath;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
    return (error ? absolute.lexically_normal() : resolved).string();
}
