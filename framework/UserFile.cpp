#include "framework/UserFile.h"

#include "framework/Translation.h"
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <exception>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

std::string SystemReason(int nError)
{
    return std::strerror(nError);
}

// Makes the folder and those missing above it. The reason is the system's for the folder
// that could not be made (a read-only parent is "Permission denied", not a missing folder).
std::string MakeFolders(const std::filesystem::path& folder)
{
    std::filesystem::path made;
    for (const std::filesystem::path& part : folder)
    {
        made /= part;
        if (::mkdir(made.c_str(), 0777) == 0 || errno == EEXIST)
            continue;
        const int nError = errno;
        struct stat st = {};
        if (::stat(made.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return SystemReason(nError);
    }
    return {};
}

// Why the open file fd is no regular file, if it is none; st describes it.
std::string StatRegular(int fd, struct stat& st)
{
    if (::fstat(fd, &st) != 0)
        return SystemReason(errno);
    // TRANSLATORS: why a file of the user's cannot be read or written, after its name.
    return S_ISREG(st.st_mode) ? "" : Tr("it is not a regular file");
}

// While it lives, a write beyond the file size limit fails with EFBIG instead of raising
// SIGXFSZ, whose default ends the program.
class FileSizeSignalIgnored
{
public:
    FileSizeSignalIgnored()
    {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        ::sigemptyset(&ignore.sa_mask);
        m_bSaved = ::sigaction(SIGXFSZ, &ignore, &m_previous) == 0;
    }
    FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
    FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;
    ~FileSizeSignalIgnored()
    {
        if (m_bSaved)
            ::sigaction(SIGXFSZ, &m_previous, nullptr);
    }

private:
    struct sigaction m_previous = {};
    bool m_bSaved = false;
};

// Writes all of str; false with errno set when the system wrote less.
bool WriteAll(int fd, const std::string& str)
{
    const FileSizeSignalIgnored guard;
    std::size_t nDone = 0;
    while (nDone < str.size())
    {
        const ssize_t n = ::write(fd, str.data() + nDone, str.size() - nDone);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = ENOSPC;
        if (n <= 0)
            return false;
        nDone += static_cast<std::size_t>(n);
    }
    return true;
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

// Creates "<name>.tmp.<pid>" in the folder dirFd, or "<name>.tmp.<pid>.<random>" when that
// name is taken: always a new file of our own, never anything a link planted there leads to.
int CreateTempFile(int dirFd, const std::string& strName, unsigned nMode, std::string& strTemp)
{
    const std::string strBase = strName + ".tmp." + std::to_string(::getpid());
    for (int nTry = 0; nTry < 100; ++nTry)
    {
        char szSuffix[16] = "";
        if (nTry > 0)
            std::snprintf(szSuffix, sizeof szSuffix, ".%08x", RandomNumber());
        strTemp = strBase + szSuffix;
        const int fd = ::openat(dirFd, strTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, nMode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
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

// Removes the temporary files that writers killed in the middle of a replace left beside
// the file `strName` in `dir`: "<name>.tmp.<pid>" or "<name>.tmp.<pid>.<suffix>", a
// regular file of this user, where no process <pid> exists any more. Anything else, a link
// of that name included, is left alone.
void RemoveStaleTempFiles(const std::filesystem::path& dir, const std::string& strName)
{
    const std::string strPrefix = strName + ".tmp.";
    std::error_code error;
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end; it.increment(error))
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

// The folder a write goes into, opened, with the file there; fd is -1 when strFailure says why not.
struct TargetFolder
{
    int fd = -1;
    std::filesystem::path target;
    std::string strName; // of the target in the folder
    struct stat st = {}; // of the target; for a new one, its type and nNewMode
    bool bExists = false;
    std::string strFailure;
};

TargetFolder OpenTargetFolder(const std::filesystem::path& file, unsigned nNewMode)
{
    TargetFolder folder;
    bool bLinked = false;
    folder.strFailure = ResolveUserFile(file, folder.target, folder.bExists, bLinked);
    if (!folder.strFailure.empty())
        return folder;
    folder.strName = folder.target.filename().string();
    if (!folder.bExists && !bLinked)
        folder.strFailure = MakeFolders(folder.target.parent_path());
    if (!folder.strFailure.empty())
        return folder;
    folder.fd = ::open(folder.target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder.fd < 0)
        folder.strFailure = SystemReason(errno);
    else if (folder.bExists && ::fstatat(folder.fd, folder.strName.c_str(), &folder.st, AT_SYMLINK_NOFOLLOW) != 0)
        folder.bExists = false;
    if (!folder.bExists)
        folder.st.st_mode = S_IFREG | nNewMode;
    return folder;
}

// Root writes nothing into another user's folders (as under sudo without -H): what it
// made there would be root's, and the user could no longer change it.
std::string RootInOthersFolder(const std::filesystem::path& target)
{
    const std::string strFolder = OthersFolder(target.parent_path());
    // TRANSLATORS: {1} is a folder.
    return strFolder.empty() ? "" : FillIn(Tr("Taldrin runs as root, and {1} belongs to another user"), {strFolder});
}

} // namespace

std::string OthersFolder(const std::filesystem::path& folder)
{
    if (::geteuid() != 0)
        return {};
    std::filesystem::path above;
    for (const std::filesystem::path& part : folder)
    {
        above /= part;
        struct stat st = {};
        if (::stat(above.c_str(), &st) != 0)
            break;
        if (st.st_uid != 0)
            return above.string();
    }
    return {};
}

std::string ReadUserFile(const std::filesystem::path& file, std::uintmax_t nMaxSize, std::string& strText,
                         bool& bMissing)
{
    bMissing = false;
    // Non-blocking, so a pipe at the name cannot stall us before fstat turns it away.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
    {
        bMissing = errno == ENOENT || errno == ENOTDIR;
        return bMissing ? "" : SystemReason(errno);
    }
    struct stat st = {};
    std::string strFailure = StatRegular(fd, st);
    char buffer[4096];
    while (strFailure.empty())
    {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            strFailure = SystemReason(errno);
        if (n <= 0)
            break;
        strText.append(buffer, static_cast<std::size_t>(n));
        if (strText.size() > nMaxSize)
            // TRANSLATORS: {1} is a number of bytes.
            strFailure = FillIn(Tr("it is larger than {1} bytes"), {std::to_string(nMaxSize)});
    }
    ::close(fd);
    return strFailure;
}

std::string ResolveUserFile(const std::filesystem::path& file, std::filesystem::path& target, bool& bExists,
                            bool& bLinked)
{
    bExists = bLinked = false;
    std::error_code error;
    const std::filesystem::path start = file.is_absolute() ? file : std::filesystem::current_path(error) / file;
    const std::filesystem::path parts = start.relative_path();
    std::deque<std::filesystem::path> todo(parts.begin(), parts.end());
    std::filesystem::path resolved = "/";
    const uid_t me = ::geteuid();
    bool bFileLinked = false; // the last name was a link: the file it leads to must be ours
    for (int nLinks = 0; !todo.empty();)
    {
        const std::filesystem::path part = todo.front();
        todo.pop_front();
        if (part.empty() || part == ".")
            continue;
        if (part == "..")
        {
            resolved = resolved.parent_path();
            continue;
        }
        const std::filesystem::path next = resolved / part;
        struct stat st = {};
        if (::lstat(next.c_str(), &st) != 0)
        {
            if (errno != ENOENT)
                return SystemReason(errno);
            target = next;
            for (const std::filesystem::path& rest : todo)
                target /= rest;
            return RootInOthersFolder(target);
        }
        if (S_ISLNK(st.st_mode))
        {
            if (st.st_uid != me && st.st_uid != 0)
                return Tr("it leads through a link that belongs to another user");
            if (++nLinks > 40)
                return SystemReason(ELOOP);
            const std::filesystem::path link = std::filesystem::read_symlink(next, error);
            if (error)
                return error.message();
            bFileLinked = bFileLinked || todo.empty();
            bLinked = true;
            if (link.is_absolute())
                resolved = "/";
            const std::filesystem::path linkParts = link.relative_path();
            todo.insert(todo.begin(), linkParts.begin(), linkParts.end());
            continue;
        }
        resolved = next;
        if (!todo.empty())
        {
            if (!S_ISDIR(st.st_mode))
                return SystemReason(ENOTDIR);
            continue;
        }
        target = resolved;
        bExists = true;
        if (!S_ISREG(st.st_mode))
            return Tr("it is not a regular file");
        if (bFileLinked && st.st_uid != me)
            return Tr("it is a link to a file that belongs to another user");
        if ((st.st_mode & S_IWUSR) == 0)
            return Tr("it is read-only");
    }
    return RootInOthersFolder(target);
}

std::string ReplaceUserFile(const std::filesystem::path& file, const std::string& strText, unsigned nNewMode)
{
    const TargetFolder folder = OpenTargetFolder(file, nNewMode);
    if (folder.fd < 0)
        return folder.strFailure;
    const int dirFd = folder.fd;
    const std::string& strName = folder.strName;
    const struct stat& st = folder.st;
    const bool bExists = folder.bExists;
    std::string strFailure;
    RemoveStaleTempFiles(folder.target.parent_path(), strName);
    // Private until it has the mode of the file it replaces.
    std::string strTemp;
    const int fd = CreateTempFile(dirFd, strName, bExists ? 0600 : nNewMode, strTemp);
    if (fd < 0)
        strFailure = SystemReason(errno);
    else
    {
        if (bExists && ::fchown(fd, st.st_uid, st.st_gid) != 0)
        {
            // Not allowed to give the file away: it becomes ours, as any new file would.
        }
        if ((bExists && ::fchmod(fd, st.st_mode & 07777) != 0) || !WriteAll(fd, strText) || ::fsync(fd) != 0)
            strFailure = SystemReason(errno);
        if (::close(fd) != 0 && strFailure.empty())
            strFailure = SystemReason(errno);
        if (strFailure.empty() && ::renameat(dirFd, strTemp.c_str(), dirFd, strName.c_str()) != 0)
            strFailure = SystemReason(errno);
        if (strFailure.empty())
            ::fsync(dirFd);
        else
            ::unlinkat(dirFd, strTemp.c_str(), 0);
    }
    ::close(dirFd);
    return strFailure;
}

std::string AppendUserFileLine(const std::filesystem::path& file, const std::string& strLine, unsigned nNewMode)
{
    const TargetFolder folder = OpenTargetFolder(file, nNewMode);
    if (folder.fd < 0)
        return folder.strFailure;
    const int fd = ::openat(folder.fd, folder.strName.c_str(),
                            O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, nNewMode);
    const int nOpenError = errno;
    ::close(folder.fd);
    if (fd < 0)
        return SystemReason(nOpenError);
    struct stat st = {};
    std::string strFailure = StatRegular(fd, st);
    if (strFailure.empty() && (!WriteAll(fd, strLine + "\n") || ::fsync(fd) != 0))
    {
        strFailure = SystemReason(errno);
        if (::ftruncate(fd, st.st_size) != 0)
        {
            // The half line stays; the reason already tells the user.
        }
    }
    if (::close(fd) != 0 && strFailure.empty())
        strFailure = SystemReason(errno);
    return strFailure;
}

namespace
{

// A new file holding only strText, put in place whole: written to a file of this
// process's own, then linked under the file's name, which fails rather than replace a
// file another program created meanwhile (and that file is then taken as it is).
std::string CreateWhole(const std::filesystem::path& file, const std::string& strText)
{
    if (std::string strFailure = MakeFolders(file.parent_path()); !strFailure.empty())
        return strFailure;
    const std::string strTemporary = file.string() + ".tmp." + std::to_string(::getpid());
    const int fd = ::open(strTemporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return SystemReason(errno);
    bool bWritten = WriteAll(fd, strText) && ::fsync(fd) == 0;
    int nError = errno;
    ::close(fd);
    const bool bLinked = bWritten && (::link(strTemporary.c_str(), file.c_str()) == 0 || errno == EEXIST);
    if (bWritten && !bLinked)
        nError = errno;
    ::unlink(strTemporary.c_str());
    return bLinked ? "" : SystemReason(nError);
}

} // namespace

std::string UserFileAppender::Open(const std::filesystem::path& file, const std::string& strNewText,
                                   std::size_t nHead, std::string& strHead, bool& bEndsInLine)
{
    Close();
    for (int nTry = 0; nTry < 2; ++nTry)
    {
        std::filesystem::path target;
        bool bExists = false, bLinked = false;
        if (std::string strFailure = ResolveUserFile(file, target, bExists, bLinked); !strFailure.empty())
            return strFailure;
        if (!bExists)
        {
            if (std::string strFailure = CreateWhole(target, strNewText); !strFailure.empty())
                return strFailure;
            continue;
        }
        const int fdRead = ::open(target.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fdRead < 0)
            return SystemReason(errno);
        struct stat st;
        std::string strFailure = StatRegular(fdRead, st);
        strHead.assign(std::min<std::size_t>(nHead, strFailure.empty() ? st.st_size : 0), '\0');
        char cLast = '\n';
        if (strFailure.empty() &&
            (::pread(fdRead, &strHead[0], strHead.size(), 0) != static_cast<ssize_t>(strHead.size()) ||
             (st.st_size > 0 && ::pread(fdRead, &cLast, 1, st.st_size - 1) != 1)))
            strFailure = SystemReason(errno);
        ::close(fdRead);
        if (!strFailure.empty())
            return strFailure;
        bEndsInLine = cLast == '\n';
        m_fd = ::open(target.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0)
            return SystemReason(errno);
        // The file read must be the file opened: a rename in between would make us append
        // to something unread.
        struct stat stWrite;
        if (::fstat(m_fd, &stWrite) != 0 || stWrite.st_ino != st.st_ino || stWrite.st_dev != st.st_dev)
        {
            Close();
            return Tr("it was replaced while being opened");
        }
        return "";
    }
    return Tr("it could not be created");
}

std::string UserFileAppender::Append(const std::string& strBytes)
{
    const FileSizeSignalIgnored guard;
    const ssize_t n = ::write(m_fd, strBytes.data(), strBytes.size());
    if (n == static_cast<ssize_t>(strBytes.size()))
        return "";
    return SystemReason(n < 0 ? errno : ENOSPC);
}

UserFileId UserFileAppender::GetId() const
{
    struct stat st = {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        return {};
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

UserFileId IdentifyUserFile(const std::filesystem::path& file)
{
    struct stat st = {};
    if (::stat(file.c_str(), &st) != 0)
        return {};
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

bool UserFileAppender::Sync()
{
    return m_fd < 0 || ::fsync(m_fd) == 0;
}

void UserFileAppender::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

unsigned long CurrentProcessId()
{
    return static_cast<unsigned long>(::getpid());
}
