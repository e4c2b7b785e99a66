// A list the user chooses: refused, asked about or taken, and the findings shown.
#include "checker/ChosenListCheck.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifndef _WIN32 // a FIFO, modes and /dev/zero
TEST(CheckChosenList, RefusesWhatNoLessonCanReadAndShowsWarningsAndErrors)
{
    TempDir dir;
    const std::string strDir = dir.Path().string();
    const std::string strSource = TALDRIN_SOURCE_DIR;
    ASSERT_EQ(::mkfifo((strDir + "/pipe.ver").c_str(), 0600), 0);
    dir.Write("empty.ver", "");
    dir.Write("export.csv", "Infinitive,Past Tense,Past Participle\ngo,went,gone\n");
    std::filesystem::resize_file(dir.Write("huge.ver", ""), kLargestChosenList + 1);
    ::chmod(dir.Write("locked.ver", "#\n").c_str(), 0);
    const bool bRoot = ::geteuid() == 0; // reads whatever the mode says

    // Rows: the path, the verdict, and words the text holds ("" for none at all).
    const std::tuple<std::string, ChosenListVerdict, const char*> rows[] = {
        {strSource + "/data/irregu.ver", ChosenListVerdict::Clean, ""},
        {strSource + "/tests/data/checker/records.ver", ChosenListVerdict::Doubtful,
         "Line 11: warning: "},
        {strSource + "/tests/data/checker/utf-16.ver", ChosenListVerdict::Refused,
         "\"x\" gives no question at all"},
        {strDir + "/empty.ver", ChosenListVerdict::Refused, "no question"},
        {strDir + "/export.csv", ChosenListVerdict::Refused, "error: this list holds one verb a line"},
        {strDir, ChosenListVerdict::Refused, "is a folder"},
        {strDir + "/pipe.ver", ChosenListVerdict::Refused, "not a regular file"},
        {"/dev/zero", ChosenListVerdict::Refused, "not a regular file"},
        {strDir + "/huge.ver", ChosenListVerdict::Refused, "too large"},
        {strDir + "/gone.ver", ChosenListVerdict::Refused, "cannot be opened"},
        {strDir + "/locked.ver", ChosenListVerdict::Refused, bRoot ? "no question" : "cannot be opened"},
    };
    for (const auto& [strPath, nVerdict, pszWords] : rows)
    {
        const ChosenListCheck check = CheckChosenList(strPath, "x");
        EXPECT_EQ(check.m_nVerdict, nVerdict) << strPath;
        EXPECT_NE(check.m_strText.find(pszWords), std::string::npos) << strPath << ": " << check.m_strText;
        EXPECT_EQ(check.m_strText.empty(), *pszWords == 0) << strPath;
        EXPECT_EQ(check.m_strText.find("note:"), std::string::npos) << strPath;
        // Nothing the window cannot do: no command-line option.
        EXPECT_EQ(check.m_strText.find("--"), std::string::npos) << check.m_strText;
    }
}
#endif

TEST(FindingsText, ShowsADozenWarningsAndErrorsAndCountsTheRest)
{
    std::vector<Finding> findings{{0, FindingKind::Error, "UTF-16"}, {3, FindingKind::Note, "n"}};
    for (std::size_t i = 1; i <= 14; ++i)
        findings.push_back({i, FindingKind::Warning, "w"});
    const std::string strText = FindingsText(findings);
    EXPECT_EQ(strText.rfind("error: UTF-16\nLine 1: warning: w\n", 0), 0u) << strText;
    EXPECT_NE(strText.find("Line 11: warning: w\n... and 3 more.\n"), std::string::npos) << strText;
}
