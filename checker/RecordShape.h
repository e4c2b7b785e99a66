// The shape of a verb list as the lesson reads it: the header, the four-line rhythm of the
// records and where a blank, extra, missing or '#' line breaks it, and where reading stops.
#pragma once

#include "checker/Findings.h"
#include "checker/ListBytes.h"
#include "verbdata/VerbListReader.h"

#include <vector>

// What the reader saw of one reading.
class RecordCollector : public VerbListObserver
{
public:
    void OnHeaderEnd(std::size_t nTitleLine, std::size_t nLine) override
    {
        m_nTitleLine = nTitleLine;
        m_nHeaderEndLine = nLine;
    }
    void OnRecord(const VerbRecordSeen& record) override
    {
        if (record.m_nLines > 0) // not the empty line that reading at the end yields
            m_records.push_back(record);
    }
    void OnEnd(VerbListEnd end, std::size_t nLine, std::size_t nRecordLine) override
    {
        m_end = end;
        m_nEndLine = nLine;
        m_nCutRecordLine = nRecordLine;
    }

    std::size_t m_nTitleLine = 0;
    std::size_t m_nHeaderEndLine = 0; // 0: the header never ended
    std::vector<VerbRecordSeen> m_records;
    VerbListEnd m_end = VerbListEnd::EndOfFile;
    std::size_t m_nEndLine = 0;
    std::size_t m_nCutRecordLine = 0;
};

// Line k of a record, 0 the tag and 1 to 3 the forms in the file's order.
const std::string& RecordLine(const VerbRecordSeen& record, std::size_t k);
// Where a form stands in a record: 1 to 3.
std::size_t FormOffset(VerbForm form);
const char* FormName(VerbForm form);

// A header that never ends, or that takes verbs in.
void CheckHeader(const RecordCollector& seen, const ListBytes& bytes, Findings& findings);

// A line too long, and the records lost with it. bReadToEnd: the file could be read to its
// end (else that is the finding).
void CheckEnd(const RecordCollector& seen, const ListBytes& bytes, bool bReadToEnd,
              Findings& findings);

// Reports each line that breaks the four-line rhythm; returns, by record, whether the
// reader takes it out of step.
std::vector<bool> CheckRhythm(const std::vector<VerbRecordSeen>& records, Findings& findings);
