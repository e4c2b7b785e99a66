// What one record, read in step, asks and accepts: its tag, its forms, and for each list of
// alternatives the answers the lesson's own matching takes.
#pragma once

#include "checker/Findings.h"
#include "checker/ListBytes.h"
#include "verbdata/VerbListReader.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

// A tag the author probably meant ("Ess1", "bas 1"), or empty.
std::string MeantTag(const std::string& strTag);

// The answers MatchAnswer takes for the expected text, as the answer check prepares it
// (accents converted, blanks normalised).
std::set<std::string> AcceptedAnswers(const std::string& strExpected);

// The spellings an author wrote into a list "/one /two": each between two "/", without
// blanks at either end, empty ones left out, in order, each once.
std::vector<std::string> WrittenSpellings(const std::string& strList);

// The spellings an author meant a form to hold, between the separators people use: "/",
// ",", ";", "|", "or", brackets; and a list's one item of two words ("/learnt learned").
struct MeantForm
{
    std::vector<std::string> m_spellings; // without blanks at either end, each once
    // They begin with one letter, as spellings of a word do; "taken (careful)" and a list
    // "/dreamt /dreamed (US)" hold a note instead.
    bool m_bAlike = true;
    bool m_bInnerBrackets = false; // a bracket inside a word: "learn(ed)"
};
MeantForm MeantSpellings(const std::string& strForm);

struct RecordContext
{
    bool m_bAlternativeFile = false; // every group is taken: an unknown tag is harmless
    // The verbs so far: a hash of the Infinitive as asked, and its line.
    std::vector<std::pair<std::size_t, std::size_t>> m_verbs;
    std::size_t m_nForms = 0;               // written, not comments
    std::vector<std::size_t> m_capitals;    // lines of forms with a capital letter
};

void CheckRecord(const VerbRecordSeen& record, RecordContext& context, Findings& findings);

// The same verb twice, once every record is checked.
void CheckSameVerbs(RecordContext& context, const ListBytes& bytes, Findings& findings);

// Forms with a capital letter, when the list's other forms have none.
void CheckCapitals(const RecordContext& context, const ListBytes& bytes, Findings& findings);
