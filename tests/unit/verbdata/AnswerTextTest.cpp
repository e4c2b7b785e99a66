#include "verbdata/AnswerText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct TextRow
{
    const char* name;
    std::string input;
    std::string expected;
};

struct MatchRow
{
    const char* name;
    std::string typed;
    std::string expected;
    bool matches;
};

} // namespace

TEST(ConvertAccents, ConvertsEveryEscapeAndLeavesOtherBackslashes)
{
    const std::vector<TextRow> rows = {
        {"acute a", "\\'a", "\xE1"},
        {"grave a", "\\`a", "\xE0"},
        {"circumflex a", "\\^a", "\xE2"},
        {"diaeresis a", "\\\"a", "\xE4"},
        {"all of e", "\\'e\\`e\\^e\\\"e", "\xE9\xE8\xEA\xEB"},
        {"all of i", "\\'i\\`i\\^i\\\"i", "\xED\xEC\xEE\xEF"},
        {"all of o", "\\'o\\`o\\^o\\\"o", "\xF3\xF2\xF4\xF6"},
        {"all of u", "\\'u\\`u\\^u\\\"u", "\xFA\xF9\xFB\xFC"},
        {"cedilla", "gar\\ccon", "gar\xE7on"},
        {"e acute twice in two places", "caf\\'e and \\'etude", "caf\xE9 and \xE9tude"},
        {"capital vowel stays", "\\'E", "\\'E"},
        {"backslash n stays", "\\n", "\\n"},
        {"c before another letter stays", "\\ca", "\\ca"},
        {"lone backslash at the end", "abc\\", "abc\\"},
        {"mark at the end", "abc\\'", "abc\\'"},
        {"double backslash then escape", "\\\\'a", "\\\xE1"},
        {"no backslash", "went", "went"},
        {"empty", "", ""},
        {"bytes above 0x7F stay", "\xE9\\'a\xFF", "\xE9\xE1\xFF"},
    };
    for (const TextRow& row : rows)
        EXPECT_EQ(ConvertAccents(row.input), row.expected) << row.name;
}

TEST(NormaliseSpaces, CollapsesRunsAndTrimsOnlySpaces)
{
    const std::vector<TextRow> rows = {
        {"only spaces", "    ", ""},
        {"one space", " ", ""},
        {"three spaces inside", "has   been", "has been"},
        {"leading and trailing", " went ", "went"},
        {"long runs at both ends", "   a  b   ", "a b"},
        {"tabs are ordinary", "\ta\t", "\ta\t"},
        {"tab between spaces", "a \t b", "a \t b"},
        {"nothing to do", "gone", "gone"},
        {"empty", "", ""},
    };
    for (const TextRow& row : rows)
        EXPECT_EQ(NormaliseSpaces(row.input), row.expected) << row.name;
}

TEST(MatchAnswer, PlainTextsAndListsOfAlternatives)
{
    const std::vector<MatchRow> rows = {
        {"plain equal", "went", "went", true},
        {"plain differs in case", "Went", "went", false},
        {"plain, list typed", "/went", "went", false},
        {"empty against empty", "", "", true},
        {"list, first", "learned", "/learned /learnt", true},
        {"list, second", "learnt", "/learned /learnt", true},
        {"list, whole list typed", "/learned /learnt", "/learned /learnt", false},
        {"list, both typed", "learned learnt", "/learned /learnt", false},
        {"list, prefix", "learn", "/learned /learnt", false},
        {"list of three, middle", "clove", "/cleft /clove /cleaved", true},
        {"list of three, last", "cleaved", "/cleft /clove /cleaved", true},
        {"single-item list", "was", "/was", true},
        {"single-item list, slash typed", "/was", "/was", false},
        {"no space: first loses its last letter", "learned", "/learned/learnt", false},
        {"no space: the shortened first matches", "learne", "/learned/learnt", true},
        {"no space: second still matches", "learnt", "/learned/learnt", true},
        {"slash alone, empty typed", "", "/", true},
        {"slash alone, text typed", "x", "/", false},
        {"double slash: whole remainder is the candidate", "/x", "//x", true},
        {"list is case-sensitive", "Learnt", "/learned /learnt", false},
    };
    for (const MatchRow& row : rows)
        EXPECT_EQ(MatchAnswer(row.typed, row.expected), row.matches) << row.name;
}
