// How taldrin-check shows a check: findings in the form editors jump to, repeats collapsed,
// and the summary; or the same as JSON for editors and scripts.
#pragma once

#include "checker/VerbListChecker.h"

#include <set>
#include <string>

struct ReportOptions
{
    bool m_bNotes = false; // show notes too
    bool m_bQuiet = false; // errors only, no summary
    bool m_bJson = false;
    std::set<std::string> m_ignored; // rule names
};

// taldrin-check --help, with every rule.
std::string UsageText();

// The findings the options let through, in line order.
std::vector<Finding> ShownFindings(const ListCheck& check, const ReportOptions& options);

// The findings and, unless quiet, the summary of one file, as text.
std::string TextReport(const std::string& strPath, const ListCheck& check,
                       const ReportOptions& options);

// The same as one JSON object: {"file", "read", "findings": [...], "summary": {...}}. Keys,
// rule names, severities and direction names stay English; "message" and "fix" are what a
// person reads, in the user's language.
std::string JsonReport(const std::string& strPath, const ListCheck& check,
                       const ReportOptions& options);

// A file name as GNU tools print it: as it is when harmless, else in shell quotes with
// control characters, bidirectional marks and bytes that are no UTF-8 as $'\ooo'.
std::string EscapedFileName(const std::string& strName);

// A file name as a JSON string that gives back its bytes: a byte that is no UTF-8 is the
// lone surrogate U+DC80..U+DCFF, as \uDCNN for the byte 0xNN.
std::string JsonFileName(const std::string& strName);

// A text as a JSON string, quotes included.
std::string JsonString(const std::string& strText);
