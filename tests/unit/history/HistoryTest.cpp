// The learner's history: its file under damage and competition, and what is read from it.
#include "history/HistoryFile.h"
#include "history/HistorySummary.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace
{

HistoryEntry Answer(const std::string& strVerb, bool bRight, const std::string& strLesson = "L1",
                    const std::string& strTime = "2026-12-07T04:12:51Z", const std::string& strList = "/l/irregu.ver")
{
    return {strTime, strLesson, strList, "Infinitive > Past Tense", strVerb, "x", bRight ? "x" : "y", bRight};
}

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return in ? text.str() : "(none)";
}

std::vector<HistoryEntry> ReadAll(const std::string& strPath, HistoryState& state)
{
    std::vector<HistoryEntry> entries;
    state = ReadHistory(strPath, [&](const HistoryEntry& entry) { entries.push_back(entry); });
    return entries;
}

} // namespace

static bool operator==(const HistoryEntry& a, const HistoryEntry& b)
{
    return FormatHistoryLine(a) == FormatHistoryLine(b);
}

TEST(HistoryFile, AnswersRoundTripWithTheirOddCharacters)
{
    TempDir dir;
    const std::string strPath = (dir.Path() / "sub" / kHistoryFileName).string();
    HistoryEntry odd = Answer("caf\xC3\xA9", false);
    odd.m_strTyped = "a\tb\\c\nd\re\\t";
    odd.m_strExpected = "sw\\'am/swum";
    const std::vector<HistoryEntry> written = {odd, Answer("go", true)};
    {
        HistoryWriter writer(strPath);
        for (const HistoryEntry& entry : written)
            ASSERT_TRUE(writer.Append(entry));
        EXPECT_TRUE(writer.Flush());
    }
    HistoryState state;
    EXPECT_EQ(ReadAll(strPath, state), written);
    EXPECT_EQ(state, HistoryState::Read);
    const std::string strText = FileText(strPath);
    EXPECT_EQ(strText.substr(0, strText.find('\n')), kHistoryFormatLine);
    EXPECT_EQ(std::count(strText.begin(), strText.end(), '\n'), 3);
}

#ifndef _WIN32 // children by fork, modes and users as POSIX has them
// Each row: what lies at the history's place, whether it is read as another user (mode 0444 does
// not keep root out), what reading finds, and whether an answer is kept; one that is not kept
// leaves the file as it was, and so does Forget, which otherwise leaves the format line.
TEST(HistoryFile, DamagedOrForeignHistoryIsReadAsFarAsItIsOursAndNeverOverwritten)
{
    const std::string strFormat = std::string(kHistoryFormatLine) + "\n", strGood = FormatHistoryLine(Answer("go", false));
    const struct { const char* name; std::string text; bool bFolder, bReadOnly; HistoryState state; size_t nRead; bool bKept; } rows[] = {
        {"none yet", "", false, false, HistoryState::Missing, 0, true},
        {"torn last line", strFormat + strGood + "2026-12-07T04:1", false, false, HistoryState::Read, 1, true},
        {"garbage lines", strFormat + "garbage\n" + strGood + "a\tb\n\n", false, false, HistoryState::Read, 1, true},
        {"another version", "Taldrin history\t2\n" + strGood, false, false, HistoryState::Unreadable, 0, false},
        {"someone else's file", "name,age\n", false, false, HistoryState::Unreadable, 0, false},
        {"a folder in its place", "", true, false, HistoryState::Unreadable, 0, false},
        {"a read-only file", strFormat + strGood, false, true, HistoryState::Read, 1, false},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const std::filesystem::path path = dir.Path() / kHistoryFileName;
        if (row.bFolder)
            std::filesystem::create_directory(path);
        else if (!row.text.empty())
            std::ofstream(path, std::ios::binary) << row.text;
        ::chmod(path.c_str(), row.bReadOnly ? 0444 : 0644);
        ::chmod(dir.Path().c_str(), 0777);
        const std::string strBefore = FileText(path);
        const pid_t pid = ::fork();
        if (pid == 0)
        {
            if (row.bReadOnly && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(2);
            HistoryState state;
            const size_t nRead = ReadAll(path, state).size();
            HistoryWriter writer(path);
            const bool bKept = writer.Append(Answer("be", true)) && writer.Flush();
            ::_exit(state != row.state ? 3 : nRead != row.nRead ? 4 : bKept != row.bKept ? 5 : 0);
        }
        int nStatus = -1;
        ASSERT_EQ(::waitpid(pid, &nStatus, 0), pid);
        EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0) << "child status " << nStatus;
        HistoryState state;
        const std::vector<HistoryEntry> after = ReadAll(path, state);
        if (row.bKept)
            EXPECT_EQ(after.size(), row.nRead + 1u) << FileText(path);
        else
            EXPECT_EQ(FileText(path), strBefore);
        HistoryWriter forgetter(path);
        EXPECT_EQ(forgetter.Forget(), row.bKept) << forgetter.GetFailure();
        EXPECT_EQ(FileText(path), row.bKept ? strFormat : strBefore);
    }
}

// Two programs answering at once: every line of each arrives whole, in its own order.
TEST(HistoryFile, TwoWritersAtOnceInterleaveWholeLines)
{
    TempDir dir;
    const std::string strPath = (dir.Path() / kHistoryFileName).string();
    constexpr int kAnswers = 400;
    pid_t pids[2];
    for (int nWriter = 0; nWriter < 2; ++nWriter)
        if ((pids[nWriter] = ::fork()) == 0)
        {
            HistoryWriter writer(strPath);
            bool bKept = true;
            for (int i = 0; i < kAnswers; ++i)
            {
                HistoryEntry entry = Answer("verb" + std::to_string(i), i % 2 == 0, "L" + std::to_string(nWriter));
                entry.m_strTyped = std::string(static_cast<size_t>(i % 50), 'a' + static_cast<char>(nWriter));
                bKept = writer.Append(entry) && bKept;
            }
            ::_exit(bKept ? 0 : 1);
        }
    for (const pid_t pid : pids)
    {
        int nStatus = -1;
        EXPECT_TRUE(::waitpid(pid, &nStatus, 0) == pid && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
    }
    HistoryState state;
    int nNext[2] = {0, 0};
    for (const HistoryEntry& entry : ReadAll(strPath, state))
    {
        const int nWriter = entry.m_strLesson == "L1";
        EXPECT_EQ(entry.m_strVerb, "verb" + std::to_string(nNext[nWriter]));
        EXPECT_EQ(entry.m_strTyped, std::string(static_cast<size_t>(nNext[nWriter]++ % 50), 'a' + static_cast<char>(nWriter)));
    }
    EXPECT_EQ(nNext[0], kAnswers);
    EXPECT_EQ(nNext[1], kAnswers);
}
#endif

// Each row: lessons in order, each "day list: answers", an answer being a verb and + or -; then
// the mistakes of list A, most recent first, and each lesson's right answers of its answers.
TEST(HistorySummary, MistakesLastUntilTwoLaterLessonsGetThemRightAtTheFirstAsking)
{
    const struct { const char* name; std::vector<const char*> lessons; const char* mistakes; const char* scores; } rows[] = {
        {"the re-asking in the lesson clears nothing", {"1 A: go- go+"}, "go", "1/2"},
        {"one later lesson is not enough", {"1 A: go- go+", "2 A: go+"}, "go", "1/2 1/1"},
        {"two later lessons clear it", {"1 A: go- go+", "2 A: go+", "2 A: go+ be+"}, "", "1/2 1/1 2/2"},
        {"a lesson without it does not count", {"1 A: go- go+", "2 A: be+", "3 A: go+"}, "go", "1/2 1/1 1/1"},
        {"missed again: counting starts over", {"1 A: go- go+", "2 A: go+", "3 A: go- go+", "4 A: go+"}, "go", "1/2 1/1 1/2 1/1"},
        {"wrong after a right first asking", {"1 A: go- go+", "2 A: go+", "3 A: go+ go-"}, "go", "1/2 1/1 1/2"},
        {"the most recent mistake first", {"1 A: go- be- cut- be+ cut+ go+", "2 A: be- be+"}, "be cut go", "3/6 1/2"},
        {"another list's mistakes are its own", {"1 B: go- go+", "2 A: be+"}, "", "1/2 1/1"},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        HistorySummary summary("A");
        for (size_t nLesson = 0; nLesson < row.lessons.size(); ++nLesson)
        {
            std::istringstream words(row.lessons[nLesson]);
            std::string strDay, strList, strAnswer;
            words >> strDay >> strList;
            while (words >> strAnswer)
                summary.Add(Answer(strAnswer.substr(0, strAnswer.size() - 1), strAnswer.back() == '+',
                                   std::to_string(nLesson), "2026-12-0" + strDay + "T10:00:00Z", strList.substr(0, 1)));
        }
        std::string strMistakes, strScores;
        for (const HistoryQuestion& mistake : summary.GetMistakes())
            strMistakes += (strMistakes.empty() ? "" : " ") + mistake.m_strVerb;
        const HistoryProgress progress = summary.GetProgress();
        for (const LessonScore& lesson : progress.m_lessons)
            strScores += (strScores.empty() ? "" : " ") + std::to_string(lesson.m_nRight) + "/" +
                         std::to_string(lesson.m_nRight + lesson.m_nWrong);
        EXPECT_EQ(strMistakes, row.mistakes);
        EXPECT_EQ(strScores, row.scores);
    }
}

TEST(HistorySummary, ProgressShowsTheLastLessonsTheMostMissedAndTheTotals)
{
    HistorySummary summary("A");
    for (int nLesson = 0; nLesson < 32; ++nLesson)
    {
        const std::string strLesson = "L" + std::to_string(nLesson), strTime = "2026-12-" + std::to_string(10 + nLesson / 4) + "T09:00:00Z";
        summary.Add(Answer("go", nLesson % 3 != 0, strLesson, strTime));
        summary.Add(Answer("be", nLesson != 5, strLesson, strTime, "B"));
    }
    HistoryEntry last = Answer("be", false, "L31", "2026-12-17T09:00:01Z");
    last.m_strTyped = "bin";
    summary.Add(last);
    const HistoryProgress progress = summary.GetProgress();
    ASSERT_EQ(progress.m_lessons.size(), kProgressLessons);
    EXPECT_EQ(progress.m_lessons.front().m_strLesson, "L2");
    EXPECT_EQ(progress.m_lessons.back().m_nWrong, 1u);
    ASSERT_EQ(progress.m_missed.size(), 2u);
    EXPECT_EQ(progress.m_missed[0].m_question.m_strVerb, "go");
    EXPECT_EQ(progress.m_missed[0].m_nMissed, 11u);
    EXPECT_EQ(progress.m_missed[1].m_nMissed, 2u);
    EXPECT_EQ(progress.m_missed[1].m_strLastTime, "2026-12-17T09:00:01Z");
    EXPECT_EQ(progress.m_missed[1].m_strLastTyped, "bin");
    EXPECT_EQ(progress.m_nAnswers, 65u);
    EXPECT_EQ(progress.m_nRight, 52u);
    EXPECT_EQ(progress.m_nDays, 8u);
}
