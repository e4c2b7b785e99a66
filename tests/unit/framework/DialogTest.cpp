#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <clocale>

TEST(FloatText, FormatsLikePercentSixGInAnyLocale)
{
    // A locale with a decimal comma, when the machine has one.
    const char* pszLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const std::pair<float, const char*> rows[] = {
        {0.4f, "0.4"}, {2.0f, "2"},      {0.333f, "0.333"},   {1.5f, "1.5"},
        {0.0f, "0"},   {200.0f, "200"}, {1234567.0f, "1.23457e+06"}, {0.0001f, "0.0001"},
    };
    for (const auto& [f, text] : rows)
        EXPECT_EQ(FormatFloat(f), text) << f << (pszLocale ? " in de_DE" : "");
    std::setlocale(LC_NUMERIC, "C");
}

TEST(FloatText, ParsesDecimalNumbersWithPointOrComma)
{
    const std::pair<const char*, float> good[] = {
        {"0.4", 0.4f}, {"0,4", 0.4f}, {" 2 ", 2.0f}, {"+1.5", 1.5f}, {"-3", -3.0f}, {"1e3", 1000.0f}, {".5", 0.5f},
    };
    for (const auto& [text, f] : good)
    {
        float fParsed = -99;
        EXPECT_TRUE(ParseFloat(text, fParsed)) << text;
        EXPECT_EQ(fParsed, f) << text;
    }
    for (const char* bad : {"", "   ", "abc", "1.5x", "1..5", "+", "-", "+-1", "0x10", "inf", "nan", "1 2", "1e99"})
    {
        float fParsed = 7;
        EXPECT_FALSE(ParseFloat(bad, fParsed)) << bad;
        EXPECT_EQ(fParsed, 7.0f) << bad << " leaves the value alone";
    }
}
