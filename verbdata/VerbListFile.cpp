#include "verbdata/VerbListFile.h"

#include "verbdata/ListEncoding.h"

#include <algorithm>
#include <cerrno>
#include <istream>
#include <new>
#include <streambuf>

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

// A line with more bytes than this is too long in either encoding: a character takes at
// most four bytes of UTF-8, and a CR before the line feed does not count.
constexpr std::size_t kMaxLineBytes = 4 * kMaxLineLength + 1;

// A regular file open for reading, or nothing.
class ListFile
{
public:
    explicit ListFile(const std::string& strPath)
    {
#ifdef _WIN32
        m_fd = ::_open(strPath.c_str(), _O_RDONLY | _O_BINARY);
        struct _stat status;
        const bool bRegular = m_fd >= 0 && ::_fstat(m_fd, &status) == 0 &&
                              (status.st_mode & _S_IFMT) == _S_IFREG;
#else
        // Without O_NONBLOCK, opening a pipe waits for a writer.
        m_fd = ::open(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        struct stat status;
        const bool bRegular = m_fd >= 0 && ::fstat(m_fd, &status) == 0 && S_ISREG(status.st_mode);
#endif
        if (m_fd >= 0 && !bRegular)
            Close();
    }
    ListFile(const ListFile&) = delete;
    ListFile& operator=(const ListFile&) = delete;
    ~ListFile() { Close(); }

    bool IsOpen() const { return m_fd >= 0; }

    // Appends up to a block to strBytes; false at the end of the file. A read error ends
    // the file as its end does, so the records before it are kept.
    bool ReadBlock(std::string& strBytes)
    {
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
        strBytes.resize(nKept + static_cast<std::size_t>(nRead > 0 ? nRead : 0));
        return nRead > 0;
    }

private:
    void Close()
    {
        if (m_fd >= 0)
#ifdef _WIN32
            ::_close(m_fd);
#else
            ::close(m_fd);
#endif
        m_fd = -1;
    }

    int m_fd = -1;
};

// The file's bytes up to its end, or up to a line too long in either encoding: that line
// stops the reading anyway, and stands in the result as a line too long of plain ASCII,
// so that the encoding is decided by the bytes the reader will take.
std::string ReadListBytes(ListFile& file)
{
    std::string strBytes;
    std::size_t nLineStart = 0;
    while (file.ReadBlock(strBytes))
        for (;;)
        {
            const std::size_t nEnd = std::min(strBytes.find('\n', nLineStart), strBytes.size());
            if (nEnd - nLineStart > kMaxLineBytes)
            {
                strBytes.resize(nLineStart);
                return strBytes.append(kMaxLineLength + 1, '?');
            }
            if (nEnd == strBytes.size())
                break;
            nLineStart = nEnd + 1;
        }
    return strBytes;
}

// Hands a text to a stream without copying it.
class TextBuf : public std::streambuf
{
public:
    explicit TextBuf(std::string& strText)
    {
        setg(strText.data(), strText.data(), strText.data() + strText.size());
    }
};

} // namespace

VerbListEnd ReadVerbListFile(const std::string& strPath, bool bAlternativeFile,
                             const DirectionSet& directions, const GroupSet& groups,
                             QuestionPool& pool, VerbListObserver* pObserver) try
{
    ListFile file(strPath);
    if (!file.IsOpen())
        return VerbListEnd::StreamFailed;
    std::string strText = ReadListBytes(file);
    if (std::string_view(strText).substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
        strText.erase(0, kUtf8ByteOrderMark.size());
    if (DetectListEncoding(strText) == ListEncoding::Utf8)
    {
        std::string strLatin1;
        Utf8ToLatin1(strText, strLatin1);
        strText.swap(strLatin1);
    }
    TextBuf buf(strText);
    std::istream in(&buf);
    return ReadVerbList(in, bAlternativeFile, directions, groups, pool, pObserver);
}
catch (const std::bad_alloc&)
{
    return VerbListEnd::OutOfMemory; // before the reading began: the pool is as it was
}
