// What the checker tells an author: findings, each under a named rule, and the small text
// helpers their messages share.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// Error: the lesson loses verbs or asks them wrongly. Warning: it asks them, but not as the
// author is likely to mean. Note: worth knowing, nothing to fix.
enum class FindingKind
{
    Note,
    Warning,
    Error
};

struct Finding
{
    std::size_t m_nLine = 0; // counted from 1; 0 for the file as a whole
    FindingKind m_nKind = FindingKind::Note;
    std::string m_strText;     // the complete message, with what to do; UTF-8, translated
    std::string m_strRule;     // e.g. "blank-line"; see kRules
    std::size_t m_nColumn = 0; // in characters, from 1; 0 when the line as a whole is meant
    std::string m_strFix;      // what to do, as the message ends; empty when nothing is to do
    // The message as the program's window words it, when that differs (advice only the
    // command line can follow is left out there); else empty.
    std::string m_strWindowText;

    // What the window shows: its own wording, else the message.
    const std::string& WindowText() const
    {
        return m_strWindowText.empty() ? m_strText : m_strWindowText;
    }
};

struct Rule
{
    const char* pszName;
    const char* pszSummary; // for --help, in English: shown through Tr
};

// Every rule a finding can name, in the order --help lists them.
extern const std::vector<Rule> kRules;

bool IsRule(const std::string& strName);

class Findings
{
public:
    // The message is strWhat, then ": " and strFix when there is a fix; in the window,
    // strWindowFix instead when it is given.
    void Add(std::size_t nLine, FindingKind nKind, const char* pszRule, const std::string& strWhat,
             const std::string& strFix = {}, std::size_t nColumn = 0,
             const std::string& strWindowFix = {});

    // Whether a finding of the kind was made, listed or not.
    bool Has(FindingKind nKind) const;

    // In line order, findings of one line in the order they were made; then, for a rule
    // found more often than is worth listing, how many more there are.
    std::vector<Finding> Sorted();

private:
    static constexpr std::size_t kMaxPerRule = 1000;

    struct Count
    {
        std::size_t nFound = 0;
        FindingKind nKind = FindingKind::Note;
    };

    std::vector<Finding> m_findings;
    std::map<std::string, Count> m_counts; // by rule
};

// A Latin-1 text in quotes, in UTF-8, with control characters written as \xNN.
std::string Quote(const std::string& strLatin1);

// The text with each byte that is no UTF-8 written as \xNN, for the window, which drops
// text that is no UTF-8 whole.
std::string EscapedUtf8(const std::string& strText);

// A control character or a mark that turns the direction of text.
bool IsUnsafeCharacter(char32_t ch);

// One UTF-8 character of a list in quotes, or as U+XXXX when it is a control character or
// a mark that turns the direction of text, which must not reach a terminal raw.
std::string QuoteUtf8(const std::string& strChar);

// One character of Latin-1 in UTF-8.
void AppendUtf8(std::string& str, char32_t ch);

// A counted text with n at {1}: Counted(TrN("{1} record", "{1} records", n), n).
std::string Counted(const std::string& strPattern, std::size_t n);

// "line 7", "lines 7 to 9".
std::string LineRange(std::size_t nFirst, std::size_t nLast);
