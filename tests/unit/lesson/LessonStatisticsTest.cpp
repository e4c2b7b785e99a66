#include "lesson/LessonStatistics.h"

#include <gtest/gtest.h>

namespace
{

LessonStatistics Counts(std::uint32_t nRight, std::uint32_t nWrong)
{
    LessonStatistics stats;
    stats.m_nRight = nRight;
    stats.m_nWrong = nWrong;
    return stats;
}

} // namespace

TEST(LessonStatistics, ReportTextsByteForByte)
{
    EXPECT_EQ(Counts(0, 0).GetReportText(), "You have not answered to a single question.");
    EXPECT_EQ(Counts(1, 0).GetReportText(),
              "You have answered one question.\n"
              "You have answered one question correctly.\n"
              "You haven't made any mistakes.\n"
              "\n"
              "100.0% of your answers were correct.\n"
              "0.0% of your answers were wrong.\n");
    EXPECT_EQ(Counts(0, 1).GetReportText(),
              "You have answered one question.\n"
              "You haven't answered right to a single question.\n"
              "You had a mistake in one single question.\n"
              "\n"
              "0.0% of your answers were correct.\n"
              "100.0% of your answers were wrong.\n");
    EXPECT_EQ(Counts(2, 1).GetReportText(),
              "You answered to 3 questions.\n"
              "\n"
              "2 answers were correct.\n"
              "You had a mistake in one single question.\n"
              "\n"
              "66.7% of your answers were correct.\n"
              "33.3% of your answers were wrong.\n");
    EXPECT_EQ(Counts(0, 2).GetReportText(),
              "You answered to 2 questions.\n"
              "\n"
              "You haven't answered right to a single question.\n"
              "2 answers were wrong.\n"
              "\n"
              "0.0% of your answers were correct.\n"
              "100.0% of your answers were wrong.\n");
}

TEST(LessonStatistics, PercentTextsRoundInSinglePrecision)
{
    EXPECT_EQ(Counts(0, 1).GetPercentText(),
              "0.0% of your answers were correct.\n100.0% of your answers were wrong.\n");
    EXPECT_EQ(Counts(1, 2).GetPercentText(),
              "33.3% of your answers were correct.\n66.7% of your answers were wrong.\n");
    // 1 of 7 is 14.285714 in single precision as in double.
    EXPECT_EQ(Counts(1, 6).GetPercentText(),
              "14.3% of your answers were correct.\n85.7% of your answers were wrong.\n");
}

TEST(LessonStatistics, ResetZeroesBothCounters)
{
    LessonStatistics stats = Counts(5, 7);
    EXPECT_TRUE(stats.Reset());
    EXPECT_EQ(stats.m_nRight, 0u);
    EXPECT_EQ(stats.m_nWrong, 0u);
    EXPECT_EQ(stats.GetReportText(), "You have not answered to a single question.");
}
