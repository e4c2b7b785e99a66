// The three answer text rules, a table each: name, text, result.
#include "verbdata/AnswerText.h"

#include <gtest/gtest.h>

TEST(ConvertAccents, ConvertsTheEscapesAndNothingElse)
{
    const std::string rows[][3] = {
        {"the 21 escapes", "\\'a\\`a\\^a\\\"a\\'e\\`e\\^e\\\"e\\'i\\`i\\^i\\\"i\\'o\\`o\\^o\\\"o\\'u\\`u\\^u\\\"u\\cc",
         "\xE1\xE0\xE2\xE4\xE9\xE8\xEA\xEB\xED\xEC\xEE\xEF\xF3\xF2\xF4\xF6\xFA\xF9\xFB\xFC\xE7"},
        {"twice, the second at the end; after a backslash", "\\'etud\\\\'e", "\xE9tud\\\xE9"},
        {"no escapes", "\\'E \\n \\ca \\'", "\\'E \\n \\ca \\'"},
    };
    for (const auto& [strName, strText, strResult] : rows)
        EXPECT_EQ(ConvertAccents(strText), strResult) << strName;
    // In a UTF-8 text the letters come out in UTF-8, and the text's own letters stay.
    const std::string utf8Rows[][3] = {
        {"escapes among Cyrillic", "\"r\\^ode\" \xD0\xBD\xD0\xB5\xD0\xB2\xD0\xB5\xD1\x80\xD0\xBD\xD0\xBE \\cc",
         "\"r\xC3\xB4" "de\" \xD0\xBD\xD0\xB5\xD0\xB2\xD0\xB5\xD1\x80\xD0\xBD\xD0\xBE \xC3\xA7"},
        {"an escape cut short at the end", "fa\\'", "fa\\'"},
    };
    for (const auto& [strName, strText, strResult] : utf8Rows)
        EXPECT_EQ(ConvertAccentsInUtf8(strText), strResult) << strName;
}

TEST(NormaliseSpaces, CollapsesRunsAndTrimsOnlySpaces)
{
    const std::string rows[][3] = {
        {"only spaces", "   ", ""},
        {"runs inside and at both ends", "  has   been  ", "has been"},
        {"tabs are ordinary", "\ta \t b\t", "\ta \t b\t"},
    };
    for (const auto& [strName, strText, strResult] : rows)
        EXPECT_EQ(NormaliseSpaces(strText), strResult) << strName;
}

// Typed text, expected text, and whether they match.
TEST(MatchAnswer, PlainTextsAndListsOfAlternatives)
{
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"went", "went", true},
        {"Went", "went", false},
        {"learned", "/learned /learnt", true},
        {"learnt", "/learned /learnt", true},
        {"/learned /learnt", "/learned /learnt", false},
        {"clove", "/cleft /clove /cleaved", true},
        {"was", "/was", true},
        {"learne", "/learned/learnt", true}, // without the space the first loses its last letter
        {"learned", "/learned/learnt", false},
        {"", "/", true},
        {"/x", "//x", true},
    };
    for (const auto& [pszTyped, pszExpected, bMatches] : rows)
        EXPECT_EQ(MatchAnswer(pszTyped, pszExpected), bMatches) << pszTyped << " for " << pszExpected;
}
