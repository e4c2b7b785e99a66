// The shape of a verb list as the lesson reads it: the header, the four-line rhythm of the
// records and where a blank, extra, missing or '#' line breaks it, and where reading stops.
#pragma once

#include "checker/Findings.h"
#include "checker/ListBytes.h"
#include "verbdata/VerbListReader.h"

#include <cstdint>
#include <vector>

// A record as the reader took it, in eight bytes: its texts are the lines of ListBytes.
struct RecordSpan
{
    std::uint32_t m_nLine = 0; // of its tag
    std::uint8_t m_nLines = 0; // fewer than four when the list ends inside it
    bool m_bEmptyForm = false;
    std::uint8_t m_nAsked = 0; // bit k: direction k gave a question
    std::uint8_t m_nStop = kDirectionCount;
};

// What the reader saw of one reading. The questions are only counted: the pool given is
// emptied after each record.
class RecordCollector : public VerbListObserver
{
public:
    explicit RecordCollector(QuestionPool& pool, std::size_t nExpected) : m_pool(pool)
    {
        m_records.reserve(nExpected);
    }

    void OnHeaderEnd(std::size_t nTitleLine, std::size_t nLine) override
    {
        m_nTitleLine = nTitleLine;
        m_nHeaderEndLine = nLine;
    }
    void OnRecord(const VerbRecordSeen& record) override;
    void OnEnd(VerbListEnd end, std::size_t nLine, std::size_t nRecordLine) override
    {
        m_end = end;
        m_nEndLine = nLine;
        m_nCutRecordLine = nRecordLine;
    }

    std::size_t m_nTitleLine = 0;
    std::size_t m_nHeaderEndLine = 0; // 0: the header never ended
    std::vector<RecordSpan> m_records;
    VerbListEnd m_end = VerbListEnd::EndOfFile;
    std::size_t m_nEndLine = 0;
    std::size_t m_nCutRecordLine = 0;

private:
    QuestionPool& m_pool;
};

// The record with its texts, as the reader took it with every group.
VerbRecordSeen Expand(const RecordSpan& span, const ListBytes& bytes);

// Line k of a record, 0 the tag and 1 to 3 the forms in the file's order.
const std::string& RecordLine(const VerbRecordSeen& record, std::size_t k);
// Where a form stands in a record: 1 to 3.
std::size_t FormOffset(VerbForm form);
const char* FormName(VerbForm form);
// The same in the user's language.
std::string FormText(VerbForm form);

// A header that never ends, or that takes verbs in.
void CheckHeader(const RecordCollector& seen, const ListBytes& bytes, Findings& findings);

// A line too long, and the records lost with it. bReadToEnd: the file could be read to its
// end (else that is the finding).
void CheckEnd(const RecordCollector& seen, const ListBytes& bytes, bool bReadToEnd,
              Findings& findings);

// Reports each line that breaks the four-line rhythm; returns, by record, whether the
// reader takes it out of step. shifted: the tag lines of the author's records of four
// lines that the reader takes out of step, to be checked as the author wrote them.
std::vector<bool> CheckRhythm(const std::vector<RecordSpan>& records, const ListBytes& bytes,
                              Findings& findings, std::vector<std::size_t>& shifted);

// The four lines from nLine as one record, as the reader would take them in step.
VerbRecordSeen AuthorRecord(std::size_t nLine, const ListBytes& bytes);

// A list saved by a spreadsheet: one verb a line, its fields separated by commas,
// semicolons or tabs. Then this one error says it all.
bool CheckSpreadsheet(const ListBytes& bytes, Findings& findings);

// A list from which no lesson gets a question, whatever its groups and directions, and
// no error says why.
void CheckSomethingAsked(const RecordCollector& seen, const ListBytes& bytes, Findings& findings);
