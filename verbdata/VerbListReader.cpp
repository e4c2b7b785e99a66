#include "verbdata/VerbListReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <ios>
#include <new>
#include <string>
#include <utility>

namespace
{

// Splits a byte stream into lines the way a text-mode getline into a 60-byte buffer
// would: LF ends a line, a CR right before it is dropped, and reading at the end of
// the stream yields an empty line and reports the end. Every other byte, NUL and a
// lone CR included, is part of the line. Reads a block at a time, and no further once
// a line is known to be too long.
class LineReader
{
public:
    explicit LineReader(std::streambuf& buf) : m_buf(buf) {}

    bool AtEnd() const { return m_bAtEnd; }
    // Lines taken so far; the empty line that reading at the end yields is none.
    std::size_t LinesRead() const { return m_nLines; }

    // False when the line is too long; the caller must stop reading then.
    bool ReadLine(std::string& strLine)
    {
        for (;;)
        {
            const char* pStart = m_buffer.data() + m_nPos;
            const std::size_t nAvailable = m_buffer.size() - m_nPos;
            const void* pFeed = nAvailable > 0 ? std::memchr(pStart, '\n', nAvailable) : nullptr;
            if (pFeed != nullptr)
            {
                std::size_t nLength =
                    static_cast<std::size_t>(static_cast<const char*>(pFeed) - pStart);
                m_nPos += nLength + 1;
                if (nLength > 0 && pStart[nLength - 1] == '\r')
                    --nLength;
                strLine.assign(pStart, nLength);
                m_nLines += nLength <= kMaxLineLength;
                return nLength <= kMaxLineLength;
            }
            // Without a line feed in them, this many bytes hold too many characters
            // even if the last is a CR that a line feed would drop.
            if (nAvailable > kMaxLineLength + 1)
                return false;
            if (m_bEndOfStream)
            {
                strLine.assign(pStart, nAvailable);
                m_nPos = m_buffer.size();
                m_bAtEnd = true;
                m_nLines += nAvailable > 0 && nAvailable <= kMaxLineLength;
                return nAvailable <= kMaxLineLength;
            }
            Refill();
        }
    }

private:
    static constexpr std::size_t kBlockSize = 64 * 1024;

    // Keeps the bytes not yet taken and appends the next block.
    void Refill()
    {
        m_buffer.erase(0, m_nPos);
        m_nPos = 0;
        const std::size_t nKept = m_buffer.size();
        m_buffer.resize(nKept + kBlockSize);
        std::streamsize nRead = 0;
        try
        {
            nRead = m_buf.sgetn(&m_buffer[nKept], static_cast<std::streamsize>(kBlockSize));
        }
        catch (const std::ios_base::failure&)
        {
            // A read error (a directory, a vanished disk) ends the stream like its end
            // does, so the records before it are kept.
            nRead = 0;
        }
        m_buffer.resize(nKept + static_cast<std::size_t>(std::max<std::streamsize>(nRead, 0)));
        if (nRead <= 0)
            m_bEndOfStream = true;
    }

    std::streambuf& m_buf;
    std::string m_buffer;
    std::size_t m_nPos = 0;
    std::size_t m_nLines = 0;
    bool m_bEndOfStream = false;
    bool m_bAtEnd = false;
};

bool StartsWith(const std::string& strLine, char c)
{
    return !strLine.empty() && strLine[0] == c;
}

// Texts of one record, indexed by VerbForm.
using VerbForms = std::array<std::string, kVerbFormCount>;

bool PassesGroupFilter(const std::string& strTag, bool bAlternativeFile, const GroupSet& groups)
{
    if (bAlternativeFile)
        return true;
    const int nGroup = FindGroup(strTag);
    return nGroup < 0 || groups.Get(static_cast<std::size_t>(nGroup));
}

// Returns the direction whose prompt ended the record, or kDirectionCount.
std::size_t AppendQuestions(const VerbForms& forms, const DirectionSet& directions, QuestionPool& pool)
{
    for (std::size_t k = 0; k < kDirectionCount; ++k)
    {
        if (!directions.Get(k))
            continue;
        const Direction& direction = kDirections[k];
        const std::string& strPrompt = forms[direction.PromptForm];
        // A prompt that is a list of alternatives ends the record: this direction and
        // every later one give no question.
        if (StartsWith(strPrompt, '/'))
            return k;
        Question question;
        question.Set(forms[direction.AskedForm], strPrompt, direction.AskedForm);
        question.m_strVerb = forms[Infinitive];
        question.m_nDirection = k;
        pool.push_back(std::move(question)); // whole or not at all, should memory run out
    }
    return kDirectionCount;
}

// What an observer is told of a record that passed the group filter.
void NoteOutcome(VerbRecordSeen& record, bool bEmptyForm, std::size_t nStop,
                 const DirectionSet& directions)
{
    record.m_bGroupTaken = true;
    record.m_bEmptyForm = bEmptyForm;
    if (bEmptyForm)
        return;
    record.m_nStopDirection = nStop;
    for (std::size_t k = 0; k < nStop; ++k)
        record.m_bAsked[k] = directions.Get(k);
}

} // namespace

// The whole body is tried: running out of memory anywhere in it ends the reading.
VerbListEnd ReadVerbList(std::istream& in, bool bAlternativeFile, const DirectionSet& directions,
                         const GroupSet& groups, QuestionPool& pool, VerbListObserver* pObserver) try
{
    if (!in || in.rdbuf() == nullptr)
        return VerbListEnd::StreamFailed;

    LineReader reader(*in.rdbuf());
    // 0: leading "#" lines; 1: the title and what follows it up to the next "#" line;
    // 2: up to the second "#" line; 3: the records.
    int nHeaderState = 0;
    std::size_t nTitleLine = 0;
    std::string strLine;
    VerbForms forms;
    std::size_t nRecordLine = 0; // while a record is being read
    const auto End = [&](VerbListEnd end) {
        if (pObserver != nullptr)
            pObserver->OnEnd(end, reader.LinesRead() + (end == VerbListEnd::LineTooLong), nRecordLine);
        return end;
    };
    while (!reader.AtEnd())
    {
        const std::size_t nLinesBefore = reader.LinesRead();
        if (!reader.ReadLine(strLine))
            return End(VerbListEnd::LineTooLong);
        const bool bHash = StartsWith(strLine, '#');
        if (nHeaderState < 3)
        {
            const bool bAdvance = nHeaderState == 0 ? !bHash : bHash;
            if (bAdvance && nHeaderState == 0)
                nTitleLine = reader.LinesRead();
            if (bAdvance && ++nHeaderState == 3 && pObserver != nullptr)
                pObserver->OnHeaderEnd(nTitleLine, reader.LinesRead());
            continue;
        }
        if (bHash)
            continue; // a comment between records

        // A blank line here starts a record of its own: verb lists rely on the
        // four-line rhythm, and a stray blank shifts every later record.
        const std::string& strTag = strLine;
        nRecordLine = nLinesBefore + 1;
        for (VerbForm form : {PastTense, Infinitive, PastParticiple})
            if (!reader.ReadLine(forms[form]))
                return End(VerbListEnd::LineTooLong);
        nRecordLine = 0;

        VerbRecordSeen record;
        if (pObserver != nullptr)
        {
            record.m_nLine = nLinesBefore + 1;
            record.m_nLines = reader.LinesRead() - nLinesBefore;
            record.m_strTag = strTag;
            record.m_forms = forms;
        }
        if (PassesGroupFilter(strTag, bAlternativeFile, groups))
        {
            const bool bEmptyForm =
                forms[Infinitive].empty() || forms[PastTense].empty() || forms[PastParticiple].empty();
            const std::size_t nStop = bEmptyForm ? 0 : AppendQuestions(forms, directions, pool);
            NoteOutcome(record, bEmptyForm, nStop, directions);
        }
        if (pObserver != nullptr)
            pObserver->OnRecord(record);
    }
    return End(VerbListEnd::EndOfFile);
}
catch (const std::bad_alloc&)
{
    // What the reader held is released by now, and every question in the pool is whole.
    // A full pool could not take the copy of a wrongly answered question: one question in
    // 64, taken from the end, makes room.
    const std::size_t nRoom = pool.size() / 64 + 1;
    const std::size_t nFree = pool.capacity() - pool.size();
    if (nFree < nRoom)
        pool.resize(pool.size() - std::min(pool.size(), nRoom - nFree));
    return VerbListEnd::OutOfMemory;
}
