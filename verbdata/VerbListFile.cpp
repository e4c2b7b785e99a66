#include "verbdata/VerbListFile.h"

#include "verbdata/ListEncoding.h"
#include "verbdata/RegularFile.h"

#include <algorithm>
#include <istream>
#include <new>
#include <streambuf>

namespace
{

// A line with more bytes than this is too long in either encoding: a character takes at
// most four bytes of UTF-8, and a CR before the line feed does not count.
constexpr std::size_t kMaxLineBytes = 4 * kMaxLineLength + 1;

// The file's bytes up to its end, or up to a line too long in either encoding: that line
// stops the reading anyway, and stands in the result as a line too long of plain ASCII,
// so that the encoding is decided by the bytes the reader will take.
std::string ReadListBytes(RegularFile& file)
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
    RegularFile file(strPath);
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
