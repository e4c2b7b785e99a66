#include "checker/Findings.h"

#include "verbdata/ListEncoding.h"

#include <algorithm>
#include <cstdio>

const std::vector<Rule> kRules = {
    {"cannot-read", "the file cannot be opened or read to its end"},
    {"empty-list", "the file is empty"},
    {"no-question", "no verb gives a question: a lesson has nothing to ask"},
    {"spreadsheet", "one verb per line, as a spreadsheet saves it: convert it"},
    {"utf-16", "saved as UTF-16, which a lesson reads as noise"},
    {"cr-line-ends", "lines end with CR alone, so the list is one long line"},
    {"no-header", "the header never ends: no verb is read"},
    {"header-eats-verbs", "a '#' line or the title line is missing: verbs are taken as header"},
    {"line-too-long", "a line of more than 59 characters: reading stops there"},
    {"blank-line", "a blank line inside the records shifts the records after it"},
    {"extra-line", "an extra line inside the records shifts the records after it"},
    {"repeated-line", "a line written twice shifts the records after it"},
    {"missing-line", "a record lacks a line: the records after it are shifted"},
    {"comment-in-record", "a '#' line inside a record is read as a form"},
    {"comment-as-form", "a form begins with '#': a line is missing above it"},
    {"cut-short", "the list ends inside a record, which is never asked"},
    {"empty-form", "a record with an empty form is never asked"},
    {"blank-form", "a form of only blanks: a blank question, an empty answer"},
    {"joined-lists", "a byte-order mark inside the list: two files joined"},
    {"unknown-tag", "a group tag that is none of the six"},
    {"list-as-prompt", "a list of alternatives as a form that is shown ends the record"},
    {"list-accepts", "a list of alternatives accepts other answers than those written"},
    {"two-spellings", "two spellings not written as a list: only the whole text is accepted"},
    {"note-in-form", "a note or a placeholder as a form, which the learner must type"},
    {"capital-letter", "a form with a capital letter where the others have none"},
    {"accent-code", "a backslash that begins no accent code"},
    {"invisible-character", "a character that looks like another or like nothing"},
    {"windows-character", "a character of a Windows encoding, no Latin-1 letter"},
    {"control-character", "a character no one can type"},
    {"not-latin1", "a character beyond Latin-1, read as '?'"},
    {"mixed-encoding", "UTF-8 and Latin-1 in one list: the UTF-8 letters are garbled"},
    {"same-verb-twice", "the same Infinitive twice: the verb is asked twice"},
    {"harmless-blank-lines", "blank lines read as records without forms (note)"},
    {"extra-blanks", "blanks that the answer check ignores (note)"},
    {"dos-end-mark", "a DOS end-of-file mark (Ctrl+Z) at the end (note)"},
    {"out-of-memory", "memory ran out while reading the list"},
};

bool IsRule(const std::string& strName)
{
    return std::any_of(kRules.begin(), kRules.end(),
                       [&](const Rule& rule) { return strName == rule.pszName; });
}

void Findings::Add(std::size_t nLine, FindingKind nKind, const char* pszRule,
                   const std::string& strWhat, const std::string& strFix, std::size_t nColumn,
                   const std::string& strWindowFix)
{
    Count& count = m_counts[pszRule];
    count.nKind = std::max(count.nKind, nKind);
    if (++count.nFound > kMaxPerRule)
        return;
    const std::string strAt = nColumn == 0 ? "" : "column " + std::to_string(nColumn) + ": ";
    m_findings.push_back({nLine, nKind,
                          strAt + (strFix.empty() ? strWhat : strWhat + ": " + strFix), pszRule,
                          nColumn, strFix,
                          strWindowFix.empty() ? "" : strAt + strWhat + ": " + strWindowFix});
}

bool Findings::Has(FindingKind nKind) const
{
    return std::any_of(m_counts.begin(), m_counts.end(),
                       [&](const auto& count) { return count.second.nKind == nKind; });
}

std::vector<Finding> Findings::Sorted()
{
    std::stable_sort(m_findings.begin(), m_findings.end(),
                     [](const Finding& a, const Finding& b) { return a.m_nLine < b.m_nLine; });
    for (const auto& [strRule, count] : m_counts)
        if (count.nFound > kMaxPerRule)
            m_findings.push_back({0, count.nKind,
                                  "and " + std::to_string(count.nFound - kMaxPerRule) +
                                      " more like the findings above, not listed",
                                  strRule, 0, "", ""});
    return std::move(m_findings);
}

void AppendUtf8(std::string& str, char32_t ch)
{
    if (ch < 0x80)
        str += static_cast<char>(ch);
    else
    {
        str += static_cast<char>(0xC0 | ch >> 6);
        str += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

std::string Quote(const std::string& strLatin1)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string str = "'";
    for (const char ch : strLatin1)
    {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || (c >= 0x7F && c < 0xA0))
            str += std::string("\\x") + kHex[c >> 4] + kHex[c & 0xF];
        else
            AppendUtf8(str, c);
    }
    return str + "'";
}

bool IsUnsafeCharacter(char32_t ch)
{
    return ch < 0x20 || (ch >= 0x7F && ch < 0xA0) || ch == 0x061C || ch == 0x200E || ch == 0x200F ||
           (ch >= 0x202A && ch <= 0x202E) || (ch >= 0x2066 && ch <= 0x2069);
}

std::string QuoteUtf8(const std::string& strChar)
{
    char32_t ch = 0;
    DecodeUtf8(strChar, ch);
    if (IsUnsafeCharacter(ch))
    {
        char sz[16];
        std::snprintf(sz, sizeof sz, "U+%04X", static_cast<unsigned>(ch));
        return sz;
    }
    return "'" + strChar + "'";
}

std::string Plural(std::size_t n, const char* pszOne, const char* pszMany)
{
    return std::to_string(n) + (n == 1 ? pszOne : pszMany);
}

std::string LineRange(std::size_t nFirst, std::size_t nLast)
{
    return nFirst == nLast ? "line " + std::to_string(nFirst)
                           : "lines " + std::to_string(nFirst) + " to " + std::to_string(nLast);
}
