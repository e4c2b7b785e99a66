#include "framework/Document.h"

#include <filesystem>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace
{

// Whether the path opens as a regular file, with bCreate making a missing one empty.
// A pipe, a device (CON, NUL) or a directory does not count, and is never waited for.
bool OpensAsRegularFile(const std::string& strPath, bool bCreate)
{
#ifdef _WIN32
    const HANDLE hFile = ::CreateFileA(strPath.c_str(), bCreate ? GENERIC_WRITE : GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       bCreate ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false; // a folder too: it opens only with backup semantics
    const bool bRegular = ::GetFileType(hFile) == FILE_TYPE_DISK;
    ::CloseHandle(hFile);
    return bRegular;
#else
    const int nFlags = bCreate ? O_WRONLY | O_CREAT : O_RDONLY;
    const int fd = ::open(strPath.c_str(), nFlags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    struct stat status;
    const bool bRegular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    ::close(fd);
    return bRegular;
#endif
}

} // namespace

bool CDocument::OnOpenDocument(const std::string& strPath)
{
    if (!OpensAsRegularFile(strPath, false))
        return false;
    SetPathName(strPath);
    return true;
}

bool CDocument::OnSaveDocument(const std::string& strPath)
{
    if (!OpensAsRegularFile(strPath, true))
        return false;
    SetPathName(strPath);
    return true;
}

void CDocument::SetTitle(const std::string& strTitle)
{
    m_strTitle = strTitle;
    if (m_titleObserver)
        m_titleObserver(m_strTitle);
}

void CDocument::SetPathName(const std::string& strPath)
{
    m_strPathName = strPath;
    SetTitle(std::filesystem::path(strPath).filename().string());
}

void CDocument::SetTitleObserver(std::function<void(const std::string&)> observer)
{
    m_titleObserver = std::move(observer);
}
