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

// Hands a text to a stream without copying it; the stream only reads.
class TextBuf : public std::streambuf
{
public:
    explicit TextBuf(std::string_view text)
    {
        char* p = const_cast<char*>(text.data());
        setg(p, p, p + text.size());
    }
};

} // namespace

namespace
{

// Cuts the bytes at the first line too long from nLineStart on, as ReadListBytes says;
// true when it did. nLineStart moves to the start of the last line, which may go on.
bool CutAtLongLine(std::string& strBytes, std::size_t& nLineStart, bool* pCut)
{
    for (;;)
    {
        const std::size_t nEnd = std::min(strBytes.find('\n', nLineStart), strBytes.size());
        if (nEnd - nLineStart > kMaxLineBytes)
        {
            if (pCut != nullptr)
                *pCut = true;
            strBytes.resize(nLineStart);
            strBytes.append(kMaxLineLength + 1, '?');
            return true;
        }
        if (nEnd == strBytes.size())
            return false;
        nLineStart = nEnd + 1;
    }
}

} // namespace

std::string ReadListBytes(RegularFile& file, bool* pCut)
{
    std::string strBytes;
    std::size_t nLineStart = 0;
    while (file.ReadBlock(strBytes))
        if (CutAtLongLine(strBytes, nLineStart, pCut))
            return strBytes;
    return strBytes;
}

std::string LessonBytes(std::string strBytes, bool* pCut)
{
    std::size_t nLineStart = 0;
    CutAtLongLine(strBytes, nLineStart, pCut);
    return strBytes;
}

VerbListEnd ReadVerbListText(std::string_view text, bool bAlternativeFile,
                             const DirectionSet& directions, const GroupSet& groups,
                             QuestionPool& pool, VerbListObserver* pObserver) try
{
    if (text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
        text.remove_prefix(kUtf8ByteOrderMark.size());
    std::string strLatin1;
    if (DetectListEncoding(text) == ListEncoding::Utf8)
    {
        Utf8ToLatin1(text, strLatin1);
        text = strLatin1;
    }
    TextBuf buf(text);
    std::istream in(&buf);
    return ReadVerbList(in, bAlternativeFile, directions, groups, pool, pObserver);
}
catch (const std::bad_alloc&)
{
    return VerbListEnd::OutOfMemory; // before the reading began: the pool is as it was
}

VerbListEnd ReadVerbListFile(const std::string& strPath, bool bAlternativeFile,
                             const DirectionSet& directions, const GroupSet& groups,
                             QuestionPool& pool, VerbListObserver* pObserver) try
{
    RegularFile file(strPath);
    if (!file.IsOpen())
        return VerbListEnd::StreamFailed;
    const std::string strText = ReadListBytes(file);
    return ReadVerbListText(strText, bAlternativeFile, directions, groups, pool, pObserver);
}
catch (const std::bad_alloc&)
{
    return VerbListEnd::OutOfMemory; // before the reading began: the pool is as it was
}
