#include "verbdata/RegularFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
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
    m_fd = ::_open(strPath.c_str(), _O_RDONLY | _O_BINARY);
    struct _stat status;
    const bool bStat = m_fd >= 0 && ::_fstat(m_fd, &status) == 0;
    const int nType = bStat ? status.st_mode & _S_IFMT : 0;
    const bool bRegular = nType == _S_IFREG, bDirectory = nType == _S_IFDIR;
#else
    // Without O_NONBLOCK, opening a pipe waits for a writer.
    m_fd = ::open(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat status;
    const bool bStat = m_fd >= 0 && ::fstat(m_fd, &status) == 0;
    const bool bRegular = bStat && S_ISREG(status.st_mode), bDirectory = bStat && S_ISDIR(status.st_mode);
#endif
    if (m_fd < 0)
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
