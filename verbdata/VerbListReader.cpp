#include "verbdata/VerbListReader.h"

#include <array>
#include <string>

namespace
{

// Splits a byte stream into lines the way a text-mode getline into a 60-byte buffer
// would: LF ends a line, a CR right before it is dropped, and reading at the end of
// the stream yields an empty line and reports the end. Every other byte, NUL and a
// lone CR included, is part of the line.
class LineReader
{
public:
    explicit LineReader(std::streambuf& buf) : m_buf(buf) {}

    bool AtEnd() const { return m_bAtEnd; }

    // False when the line is too long; the caller must stop reading then.
    bool ReadLine(std::string& strLine)
    {
        using Traits = std::streambuf::traits_type;
        strLine.clear();
        for (;;)
        {
            const int c = m_buf.sbumpc();
            if (c == Traits::eof())
            {
                m_bAtEnd = true;
                return true;
            }
            if (c == '\n')
                return true;
            if (c == '\r' && m_buf.sgetc() == '\n')
                continue;
            if (strLine.size() == kMaxLineLength)
                return false;
            strLine += static_cast<char>(c);
        }
    }

private:
    std::streambuf& m_buf;
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

void AppendQuestions(const VerbForms& forms, const DirectionSet& directions, QuestionPool& pool)
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
            return;
        Question question;
        question.Set(forms[direction.AskedForm], strPrompt, direction.AskedForm);
        pool.push_back(question);
    }
}

} // namespace

VerbListEnd ReadVerbList(std::istream& in, bool bAlternativeFile, const DirectionSet& directions,
                         const GroupSet& groups, QuestionPool& pool)
{
    if (!in || in.rdbuf() == nullptr)
        return VerbListEnd::StreamFailed;

    LineReader reader(*in.rdbuf());
    // 0: leading "#" lines; 1: the title and what follows it up to the next "#" line;
    // 2: up to the second "#" line; 3: the records.
    int nHeaderState = 0;
    std::string strLine;
    while (!reader.AtEnd())
    {
        if (!reader.ReadLine(strLine))
            return VerbListEnd::LineTooLong;
        const bool bHash = StartsWith(strLine, '#');
        if (nHeaderState < 3)
        {
            const bool bAdvance = nHeaderState == 0 ? !bHash : bHash;
            if (bAdvance)
                ++nHeaderState;
            continue;
        }
        if (bHash)
            continue; // a comment between records

        // A blank line here starts a record of its own: verb lists rely on the
        // four-line rhythm, and a stray blank shifts every later record.
        const std::string strTag = strLine;
        VerbForms forms;
        for (VerbForm form : {PastTense, Infinitive, PastParticiple})
            if (!reader.ReadLine(forms[form]))
                return VerbListEnd::LineTooLong;

        if (!PassesGroupFilter(strTag, bAlternativeFile, groups))
            continue;
        if (forms[Infinitive].empty() || forms[PastTense].empty() || forms[PastParticiple].empty())
            continue;
        AppendQuestions(forms, directions, pool);
    }
    return VerbListEnd::EndOfFile;
}
