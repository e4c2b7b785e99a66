// The user's files on Windows: no links or owners to check, and a file replaced by a move
// that the system does in one step. A device name (CON, NUL) or a folder is never a file.
#include "framework/UserFile.h"

#include "framework/Translation.h"
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <system_error>

namespace
{

std::string SystemReason(DWORD nError)
{
    return std::system_category().message(static_cast<int>(nError));
}

bool IsMissing(DWORD nError)
{
    return nError == ERROR_FILE_NOT_FOUND || nError == ERROR_PATH_NOT_FOUND;
}

// The file's attributes, or why there is no regular file of the user's at the name.
std::string LookAt(const std::filesystem::path& file, bool& bExists)
{
    const DWORD nAttributes = ::GetFileAttributesW(file.c_str());
    bExists = nAttributes != INVALID_FILE_ATTRIBUTES;
    if (!bExists)
        return IsMissing(::GetLastError()) ? "" : SystemReason(::GetLastError());
    if (nAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return Tr("it is not a regular file");
    if (nAttributes & FILE_ATTRIBUTE_READONLY)
        return Tr("it is read-only");
    return "";
}

// A handle on a regular file only: a device opens as something else and is closed again.
std::string OpenRegular(const std::filesystem::path& file, DWORD nAccess, DWORD nDisposition, HANDLE& hFile)
{
    hFile = ::CreateFileW(file.c_str(), nAccess, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, nDisposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return SystemReason(::GetLastError());
    if (::GetFileType(hFile) != FILE_TYPE_DISK)
    {
        ::CloseHandle(hFile);
        hFile = INVALID_HANDLE_VALUE;
        return Tr("it is not a regular file");
    }
    return "";
}

std::string WriteWhole(HANDLE hFile, const std::string& str)
{
    DWORD nWritten = 0;
    if (!::WriteFile(hFile, str.data(), static_cast<DWORD>(str.size()), &nWritten, nullptr))
        return SystemReason(::GetLastError());
    return nWritten == str.size() ? "" : SystemReason(ERROR_DISK_FULL);
}

// A temporary file beside `file`, created exclusively and holding strText, synced.
std::string WriteTemporary(const std::filesystem::path& file, const std::string& strText,
                           std::filesystem::path& temporary)
{
    std::error_code error;
    if (std::filesystem::create_directories(file.parent_path(), error); error)
        return error.message();
    for (unsigned nTry = 0;; ++nTry)
    {
        temporary = file;
        temporary += ".tmp." + std::to_string(::GetCurrentProcessId()) + "." + std::to_string(nTry);
        const HANDLE hFile = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
        {
            if (::GetLastError() == ERROR_FILE_EXISTS && nTry < 100)
                continue;
            return SystemReason(::GetLastError());
        }
        std::string strFailure = WriteWhole(hFile, strText);
        if (strFailure.empty() && !::FlushFileBuffers(hFile))
            strFailure = SystemReason(::GetLastError());
        ::CloseHandle(hFile);
        if (!strFailure.empty())
            ::DeleteFileW(temporary.c_str());
        return strFailure;
    }
}

// A new file holding only strText, put in place whole; a file another program created
// meanwhile is kept and taken as it is.
std::string CreateWhole(const std::filesystem::path& file, const std::string& strText)
{
    std::filesystem::path temporary;
    if (std::string strFailure = WriteTemporary(file, strText, temporary); !strFailure.empty())
        return strFailure;
    const bool bMoved = ::MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_WRITE_THROUGH) ||
                        ::GetLastError() == ERROR_ALREADY_EXISTS;
    const DWORD nError = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    return bMoved ? "" : SystemReason(nError);
}

} // namespace

std::string OthersFolder(const std::filesystem::path&)
{
    return {};
}

std::string ReadUserFile(const std::filesystem::path& file, std::uintmax_t nMaxSize, std::string& strText,
                         bool& bMissing)
{
    bMissing = false;
    HANDLE hFile = INVALID_HANDLE_VALUE;
    std::string strFailure = OpenRegular(file, GENERIC_READ, OPEN_EXISTING, hFile);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        bMissing = IsMissing(::GetLastError());
        return bMissing ? "" : strFailure;
    }
    char buffer[4096];
    for (DWORD n = 0; strFailure.empty();)
    {
        if (!::ReadFile(hFile, buffer, sizeof buffer, &n, nullptr))
            strFailure = SystemReason(::GetLastError());
        if (n == 0)
            break;
        strText.append(buffer, n);
        if (strText.size() > nMaxSize)
            strFailure = FillIn(Tr("it is larger than {1} bytes"), {std::to_string(nMaxSize)});
    }
    ::CloseHandle(hFile);
    return strFailure;
}

std::string ResolveUserFile(const std::filesystem::path& file, std::filesystem::path& target, bool& bExists,
                            bool& bLinked)
{
    target = file;
    bLinked = false;
    return LookAt(file, bExists);
}

std::string ReplaceUserFile(const std::filesystem::path& file, const std::string& strText, unsigned)
{
    bool bExists = false;
    if (std::string strFailure = LookAt(file, bExists); !strFailure.empty())
        return strFailure;
    std::filesystem::path temporary;
    if (std::string strFailure = WriteTemporary(file, strText, temporary); !strFailure.empty())
        return strFailure;
    if (::MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return "";
    const DWORD nError = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    return SystemReason(nError);
}

std::string AppendUserFileLine(const std::filesystem::path& file, const std::string& strLine, unsigned)
{
    bool bExists = false;
    if (std::string strFailure = LookAt(file, bExists); !strFailure.empty())
        return strFailure;
    std::error_code error;
    if (std::filesystem::create_directories(file.parent_path(), error); error)
        return error.message();
    HANDLE hFile = INVALID_HANDLE_VALUE;
    if (std::string strFailure = OpenRegular(file, FILE_APPEND_DATA, OPEN_ALWAYS, hFile); !strFailure.empty())
        return strFailure;
    LARGE_INTEGER size{};
    ::GetFileSizeEx(hFile, &size);
    std::string strFailure = WriteWhole(hFile, strLine + "\n");
    if (!strFailure.empty())
    {
        // Taken back, so that no half line stays.
        ::SetFilePointerEx(hFile, size, nullptr, FILE_BEGIN);
        ::SetEndOfFile(hFile);
    }
    ::CloseHandle(hFile);
    return strFailure;
}

std::string UserFileAppender::Open(const std::filesystem::path& file, const std::string& strNewText,
                                   std::size_t nHead, std::string& strHead, bool& bEndsInLine)
{
    Close();
    bool bExists = false;
    if (std::string strFailure = LookAt(file, bExists); !strFailure.empty())
        return strFailure;
    if (!bExists)
        if (std::string strFailure = CreateWhole(file, strNewText); !strFailure.empty())
            return strFailure;
    HANDLE hFile = INVALID_HANDLE_VALUE;
    if (std::string strFailure = OpenRegular(file, FILE_APPEND_DATA | GENERIC_READ, OPEN_EXISTING, hFile);
        !strFailure.empty())
        return strFailure;
    LARGE_INTEGER size{};
    ::GetFileSizeEx(hFile, &size);
    strHead.assign(std::min<std::size_t>(nHead, static_cast<std::size_t>(size.QuadPart)), '\0');
    DWORD nRead = 0;
    char cLast = '\n';
    OVERLAPPED at{};
    bool bRead = ::ReadFile(hFile, &strHead[0], static_cast<DWORD>(strHead.size()), &nRead, &at) &&
                 nRead == strHead.size();
    if (bRead && size.QuadPart > 0)
    {
        at.Offset = static_cast<DWORD>(size.QuadPart - 1);
        at.OffsetHigh = static_cast<DWORD>((size.QuadPart - 1) >> 32);
        bRead = ::ReadFile(hFile, &cLast, 1, &nRead, &at) && nRead == 1;
    }
    if (!bRead)
    {
        const DWORD nError = ::GetLastError();
        ::CloseHandle(hFile);
        return SystemReason(nError);
    }
    bEndsInLine = cLast == '\n';
    m_fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(hFile), _O_APPEND | _O_BINARY);
    if (m_fd < 0)
    {
        ::CloseHandle(hFile);
        return "it could not be opened";
    }
    return "";
}

std::string UserFileAppender::Append(const std::string& strBytes)
{
    const HANDLE hFile = reinterpret_cast<HANDLE>(::_get_osfhandle(m_fd));
    return WriteWhole(hFile, strBytes);
}

namespace
{

UserFileId IdOfHandle(HANDLE hFile)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (hFile == INVALID_HANDLE_VALUE || !::GetFileInformationByHandle(hFile, &info))
        return {};
    return {info.dwVolumeSerialNumber,
            static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
}

} // namespace

UserFileId UserFileAppender::GetId() const
{
    return m_fd < 0 ? UserFileId{} : IdOfHandle(reinterpret_cast<HANDLE>(::_get_osfhandle(m_fd)));
}

UserFileId IdentifyUserFile(const std::filesystem::path& file)
{
    // No access asked: only what the file is, which even a file open elsewhere tells.
    const HANDLE hFile = ::CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const UserFileId id = IdOfHandle(hFile);
    if (hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(hFile);
    return id;
}

bool UserFileAppender::Sync()
{
    return m_fd < 0 || ::FlushFileBuffers(reinterpret_cast<HANDLE>(::_get_osfhandle(m_fd)));
}

void UserFileAppender::Close()
{
    if (m_fd >= 0)
        ::_close(m_fd);
    m_fd = -1;
}

unsigned long CurrentProcessId()
{
    return ::GetCurrentProcessId();
}
