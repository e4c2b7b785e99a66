#include "verbdata/VerbListFile.h"

#include "verbdata/ListEncoding.h"

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

    bool Rewind()
    {
#ifdef _WIN32
        return ::_lseek(m_fd, 0, SEEK_SET) == 0;
#else
        return ::lseek(m_fd, 0, SEEK_SET) == 0;
#endif
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

// How many bytes from the front are whole UTF-8 sequences: all of them at the end of the
// file, else those before a sequence that the end of the block may have cut.
std::size_t WholeSequences(std::string_view bytes, bool bEnd)
{
    if (bEnd)
        return bytes.size();
    for (std::size_t k = 1; k <= 3 && k <= bytes.size(); ++k)
    {
        const auto c = static_cast<unsigned char>(bytes[bytes.size() - k]);
        if (c < 0x80)
            break;
        if (c >= 0xC0) // the lead byte: is its sequence longer than what is left?
            return (c >= 0xF0 ? 4u : c >= 0xE0 ? 3u : 2u) > k ? bytes.size() - k : bytes.size();
    }
    return bytes.size();
}

// Drops a byte-order mark at the front once enough bytes are there to tell; true when the
// question is settled.
bool DropByteOrderMark(std::string& strBytes, bool bEnd)
{
    if (strBytes.size() < kUtf8ByteOrderMark.size() && !bEnd)
        return false;
    if (std::string_view(strBytes).substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
        strBytes.erase(0, kUtf8ByteOrderMark.size());
    return true;
}

// DetectListEncoding over the bytes the reader will take: the whole file, or the bytes up
// to a line too long in either encoding, where the reading stops anyway. Reads the file
// a block at a time and stops at the first byte that is no UTF-8.
ListEncoding DetectFileEncoding(ListFile& file)
{
    std::string strBytes;
    bool bStarted = false;
    bool bBeyondAscii = false;
    std::size_t nLineBytes = 0;
    for (bool bEnd = false; !bEnd;)
    {
        bEnd = !file.ReadBlock(strBytes);
        bStarted = bStarted || DropByteOrderMark(strBytes, bEnd);
        if (!bStarted)
            continue;
        const std::size_t nWhole = WholeSequences(strBytes, bEnd);
        for (std::size_t i = 0; i < nWhole;)
        {
            char32_t ch = static_cast<unsigned char>(strBytes[i]);
            const std::size_t nLength =
                ch < 0x80 ? 1 : DecodeUtf8(std::string_view(strBytes).substr(i, nWhole - i), ch);
            if (nLength == 0)
                return ListEncoding::Latin1;
            bBeyondAscii = bBeyondAscii || nLength > 1;
            nLineBytes = ch == '\n' ? 0 : nLineBytes + nLength;
            if (nLineBytes > kMaxLineBytes)
                return bBeyondAscii ? ListEncoding::Utf8 : ListEncoding::Latin1;
            i += nLength;
        }
        strBytes.erase(0, nWhole);
    }
    return bBeyondAscii ? ListEncoding::Utf8 : ListEncoding::Latin1;
}

// The file's text as the reader takes it, a block at a time: without a byte-order mark
// at the front, and converted to Latin-1 when the list is UTF-8.
class ListFileBuf : public std::streambuf
{
public:
    ListFileBuf(ListFile& file, ListEncoding encoding) : m_file(file), m_encoding(encoding) {}

protected:
    int_type underflow() override
    {
        while (gptr() == egptr())
        {
            if (m_bEnd)
                return traits_type::eof();
            m_bEnd = !m_file.ReadBlock(m_strBytes);
            m_bStarted = m_bStarted || DropByteOrderMark(m_strBytes, m_bEnd);
            if (!m_bStarted)
                continue;
            if (m_encoding == ListEncoding::Latin1)
            {
                m_strText.swap(m_strBytes);
                m_strBytes.clear();
            }
            else
            {
                const std::size_t nWhole = WholeSequences(m_strBytes, m_bEnd);
                Utf8ToLatin1(std::string_view(m_strBytes).substr(0, nWhole), m_strText);
                m_strBytes.erase(0, nWhole);
            }
            char* pText = m_strText.data();
            setg(pText, pText, pText + m_strText.size());
        }
        return traits_type::to_int_type(*gptr());
    }

private:
    ListFile& m_file;
    const ListEncoding m_encoding;
    std::string m_strBytes; // read, not yet handed on: the tail of a cut UTF-8 sequence
    std::string m_strText;
    bool m_bStarted = false;
    bool m_bEnd = false;
};

} // namespace

VerbListEnd ReadVerbListFile(const std::string& strPath, bool bAlternativeFile,
                             const DirectionSet& directions, const GroupSet& groups,
                             QuestionPool& pool, VerbListObserver* pObserver) try
{
    ListFile file(strPath);
    if (!file.IsOpen())
        return VerbListEnd::StreamFailed;
    const ListEncoding encoding = DetectFileEncoding(file);
    if (!file.Rewind())
        return VerbListEnd::StreamFailed;
    ListFileBuf buf(file, encoding);
    std::istream in(&buf);
    return ReadVerbList(in, bAlternativeFile, directions, groups, pool, pObserver);
}
catch (const std::bad_alloc&)
{
    return VerbListEnd::OutOfMemory; // before the reading began: the pool is untouched
}
