// The verb list checker: the findings of faulty lists, its agreement with a lesson's
// questions, and the exit status of taldrin-check.
#include "checker/VerbListChecker.h"

#include "lesson/VespinDoc.h"
#include "support/LessonChoices.h"
#include "support/MemorySettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <tuple>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

namespace
{

// The lists in tests/data/checker, the bundled ones (whose notes are not counted), and their
// findings, a line each: "line kind words", kind E, W or N, then words, split at '|', in its text.
const std::pair<std::string, const char*> kLists[] = {
    {"data/irregu.ver", ""},
    {"data/irrtes.ver", ""},
    {"tests/data/checker/line-too-long.ver", "11 E longer than 59|2 records\n"},
    {"tests/data/checker/missing-line.ver", "5 E only 3 lines|line 8|2 records\n"},
    {"tests/data/checker/extra-lines.ver",
     "9 E extra line 'gone'|record after\n14 E 2 blank lines|record after\n"},
    {"tests/data/checker/blank-line.ver", "9 E a blank line|3 records|up to line 23\n"},
    {"tests/data/checker/never-asked.ver", "7 E Infinitive is empty\n9 E ends after 3 lines\n"},
    {"tests/data/checker/no-header.ver", "1 E header\n"},
    {"tests/data/checker/utf-16.ver", "0 E UTF-16\n1 E longer than 59\n"},
    {"tests/data/checker/records.ver",
     "11 W no question at all\n14 N no Past Tense to Infinitive|Past Participle to Infinitive\n"
     "14 W 'learnt' is never accepted\n16 N blanks\n17 W asked whatever|meant 'bas2'\n"
     "23 W 'go' is already at line 7\n24 W '\\'y'\n26 W character '\\x01'\n30 W Windows\n"
     "36 W 'é' is written in UTF-8|'Ã©'\n"},
    {"tests/data/checker/utf-8.ver",
     "9 N 4 blank lines|harmless\n15 W '€'\n17 N at the end|harmless\n"},
};

// "line kind" and the wanted words when the text holds them all, else the text.
std::string Shown(const Finding& finding, const std::string& strWant)
{
    const std::string strWhere =
        std::to_string(finding.m_nLine) + " " + "NWE"[static_cast<int>(finding.m_nKind)];
    const std::string strWords =
        strWant.compare(0, strWhere.size(), strWhere) == 0 ? strWant.substr(strWhere.size()) : "";
    std::istringstream words(strWords);
    bool bHeld = !strWords.empty();
    for (std::string strWord; std::getline(words >> std::ws, strWord, '|');)
        bHeld = bHeld && finding.m_strText.find(strWord) != std::string::npos;
    return strWhere + (bHeld ? strWords : " " + finding.m_strText) + "\n";
}

int Status(const std::string& strArguments)
{
#ifdef _WIN32
    return std::system(("\"" TALDRIN_CHECK_PROGRAM "\" " + strArguments + " >NUL").c_str());
#else
    const int nResult = std::system(
        ("timeout 30 " TALDRIN_CHECK_PROGRAM " " + strArguments + " >/dev/null").c_str());
    return WIFEXITED(nResult) ? WEXITSTATUS(nResult) : -1;
#endif
}

} // namespace

// Each list as the main list of a lesson (the short one as the alternative, which a lesson
// takes with every group); then taldrin-check on it, and on a pipe (on Windows
// the devices NUL and CON) and a folder.
TEST(VerbListChecker, FindsTheFaultsAndCountsTheQuestionsOfALesson)
{
    TempDir dir;
    dir.Enter();
    for (const auto& [strSource, strWant] : kLists)
    {
        const char* pszName = strSource == "data/irrtes.ver" ? "irrtes.ver" : "irregu.ver";
        const std::string strPath =
            dir.Write(pszName, TempDir::Read(TALDRIN_SOURCE_DIR "/" + strSource)).string();
        MemorySettingsStore profile;
        CVespinDoc doc(profile);
        for (const GroupSet& groups :
             {Flags<GroupSet>("012345"), Flags<GroupSet>("14") /* ess1, bas2 */})
        {
            const ListCheck check = CheckVerbListFile(strPath, groups);
            std::istringstream wanted(strWant);
            std::string strGot, strLine;
            for (const Finding& finding : check.m_findings)
                if (*strWant != 0 || finding.m_nKind != FindingKind::Note)
                    strGot += Shown(finding, std::getline(wanted, strLine) ? strLine : "");
            EXPECT_EQ(strGot, strWant) << strSource;

            ASSERT_TRUE(doc.OnNewDocument());
            doc.SetDirections(Flags<DirectionSet>("012345"));
            doc.SetGroups(groups);
            doc.LoadQuestions();
            const QuestionPool &pool = check.m_summary.m_pool, &lesson = doc.m_pool;
            ASSERT_EQ(pool.size(), lesson.size()) << strSource;
            for (std::size_t i = 0; i < pool.size(); ++i)
                EXPECT_EQ(
                    std::tie(pool[i].m_strPrompt, pool[i].m_nAskedForm, pool[i].m_strExpected),
                    std::tie(lesson[i].m_strPrompt, lesson[i].m_nAskedForm,
                             lesson[i].m_strExpected));
            // By the form asked: directions 2 and 4, 0 and 5, 1 and 3.
            const auto& n = check.m_summary.m_nQuestions;
            std::size_t nByForm[] = {n[2] + n[4], n[0] + n[5], n[1] + n[3]};
            for (const Question& q : pool)
                --nByForm[q.m_nAskedForm];
            EXPECT_EQ(nByForm[0] | nByForm[1] | nByForm[2], 0u) << strSource;
        }
        EXPECT_EQ(Status("--quiet " + strPath), std::strstr(strWant, " E ") ? 1 : 0) << strSource;
        std::filesystem::remove(strPath);
    }
#ifdef _WIN32
    EXPECT_EQ(Status("NUL"), 2);
    EXPECT_EQ(Status("CON"), 2);
#else
    ASSERT_EQ(::mkfifo("pipe", 0600), 0);
    EXPECT_EQ(Status("pipe"), 2);
#endif
    EXPECT_EQ(Status("."), 2);
}
