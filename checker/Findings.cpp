#include "checker/Findings.h"

#include "framework/Translation.h"
#include "verbdata/ListEncoding.h"

#include <algorithm>
#include <cstdio>

const std::vector<Rule> kRules = {
    {"cannot-read", TR_NOOP("the file cannot be opened or read to its end")},
    {"empty-list", TR_NOOP("the file is empty")},
    {"no-question", TR_NOOP("no verb gives a question: a lesson has nothing to ask")},
    {"spreadsheet", TR_NOOP("one verb per line, as a spreadsheet saves it: convert it")},
    {"utf-16", TR_NOOP("saved as UTF-16, which a lesson reads as noise")},
    {"cr-line-ends", TR_NOOP("lines end with CR alone, so the list is one long line")},
    {"no-header", TR_NOOP("the header never ends: no verb is read")},
    {"header-eats-verbs", TR_NOOP("a '#' line or the title line is missing: verbs are taken as header")},
    {"line-too-long", TR_NOOP("a line of more than 59 characters: reading stops there")},
    {"blank-line", TR_NOOP("a blank line inside the records shifts the records after it")},
    {"extra-line", TR_NOOP("an extra line inside the records shifts the records after it")},
    {"repeated-line", TR_NOOP("a line written twice shifts the records after it")},
    {"missing-line", TR_NOOP("a record lacks a line: the records after it are shifted")},
    {"comment-in-record", TR_NOOP("a '#' line inside a record is read as a form")},
    {"comment-as-form", TR_NOOP("a form begins with '#': a line is missing above it")},
    {"cut-short", TR_NOOP("the list ends inside a record, which is never asked")},
    {"empty-form", TR_NOOP("a record with an empty form is never asked")},
    {"blank-form", TR_NOOP("a form of only blanks: a blank question, an empty answer")},
    {"joined-lists", TR_NOOP("a byte-order mark inside the list: two files joined")},
    {"unknown-tag", TR_NOOP("a group tag that is none of the six")},
    {"list-as-prompt", TR_NOOP("a list of alternatives as a form that is shown ends the record")},
    {"list-accepts", TR_NOOP("a list of alternatives accepts other answers than those written")},
    {"two-spellings", TR_NOOP("two spellings not written as a list: only the whole text is accepted")},
    {"note-in-form", TR_NOOP("a note or a placeholder as a form, which the learner must type")},
    {"capital-letter", TR_NOOP("a form with a capital letter where the others have none")},
    {"accent-code", TR_NOOP("a backslash that begins no accent code")},
    {"invisible-character", TR_NOOP("a character that looks like another or like nothing")},
    {"windows-character", TR_NOOP("a character of a Windows encoding, no Latin-1 letter")},
    {"control-character", TR_NOOP("a character no one can type")},
    {"not-latin1", TR_NOOP("a character beyond Latin-1, read as '?'")},
    {"mixed-encoding", TR_NOOP("UTF-8 and Latin-1 in one list: the UTF-8 letters are garbled")},
    {"same-verb-twice", TR_NOOP("the same Infinitive twice: the verb is asked twice")},
    {"harmless-blank-lines", TR_NOOP("blank lines read as records without forms (note)")},
    {"extra-blanks", TR_NOOP("blanks that the answer check ignores (note)")},
    {"dos-end-mark", TR_NOOP("a DOS end-of-file mark (Ctrl+Z) at the end (note)")},
    {"out-of-memory", TR_NOOP("memory ran out while reading the list")},
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
    const auto At = [&](const std::string& strText)
    {
        // TRANSLATORS: a finding about one character of a list line; {1} is its column, {2}
        // the finding.
        return nColumn == 0 ? strText : FillIn(Tr("column {1}: {2}"), {std::to_string(nColumn), strText});
    };
    // TRANSLATORS: a finding: {1} says what is wrong, {2} what to do about it.
    const std::string strFixed = Tr("{1}: {2}");
    m_findings.push_back({nLine, nKind, At(strFix.empty() ? strWhat : FillIn(strFixed, {strWhat, strFix})),
                          pszRule, nColumn, strFix,
                          strWindowFix.empty() ? "" : At(FillIn(strFixed, {strWhat, strWindowFix}))});
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
                                  Counted(TrN("and {1} more like the findings above, not listed",
                                              "and {1} more like the findings above, not listed",
                                              count.nFound - kMaxPerRule),
                                          count.nFound - kMaxPerRule),
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

std::string EscapedUtf8(const std::string& strText)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string str;
    char32_t ch = 0;
    for (std::size_t i = 0, n = 0; i < strText.size(); i += n)
    {
        n = DecodeUtf8(std::string_view(strText).substr(i), ch);
        if (n == 0)
        {
            const auto c = static_cast<unsigned char>(strText[i]);
            str += std::string("\\x") + kHex[c >> 4] + kHex[c & 0xF];
            n = 1;
        }
        else
            str.append(strText, i, n);
    }
    return str;
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

std::string Counted(const std::string& strPattern, std::size_t n)
{
    return FillIn(strPattern, {std::to_string(n)});
}

std::string LineRange(std::size_t nFirst, std::size_t nLast)
{
    // TRANSLATORS: lines of a verb list, named inside a finding ("delete lines 7 to 9").
    return nFirst == nLast ? FillIn(Tr("line {1}"), {std::to_string(nFirst)})
                           : FillIn(Tr("lines {1} to {2}"),
                                    {std::to_string(nFirst), std::to_string(nLast)});
}
