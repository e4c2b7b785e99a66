// The learner's history: its file under damage and competition, and what is read from it.
#include "history/HistoryFile.h"
#include "history/HistorySummary.h"

#include "support/TempDir.h"
#include "verbdata/ListEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
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
    return {strTime, strLesson, strList, "Infinitive > Past Tense", strVerb, strVerb, "x", bRight ? "x" : "y", bRight};
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
    odd.m_strPrompt = "hanged";
    // A file name in Latin-1, and bytes that only look like an escape.
    odd.m_strList = "/l/caf\xE9 \xC3\\x41\xF0\x9F\x98.ver";
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
    EXPECT_NE(strText.find("/l/caf\\xE9 \\xC3\\\\x41\\xF0\\x9F\\x98.ver"), std::string::npos) << strText;
    char32_t ch = 0;
    for (std::size_t i = 0, n = 0; i < strText.size(); i += n)
        ASSERT_NE(n = DecodeUtf8(std::string_view(strText).substr(i), ch), 0u) << "not UTF-8 at " << i;
}

#ifndef _WIN32 // children by fork, modes and users as POSIX has them
// Each row: what lies at the history's place ('-' nothing, 'd' a folder, else a file of the
// text), whether it is read as another user (mode 0444 does not keep root out), what
// reading finds, and whether an answer is kept; one that is not kept leaves the file as it
// was, and so does Forget, which otherwise leaves the format line. A file that is no
// history is replaced only when Forget is told to.
TEST(HistoryFile, DamagedOrForeignHistoryIsReadAsFarAsItIsOursAndNeverOverwritten)
{
    const std::string strFormat = std::string(kHistoryFormatLine) + "\n", strGood = FormatHistoryLine(Answer("go", false));
    const std::string strVersion1 = "2026-12-07T04:12:51Z\tL0\t/l/irregu.ver\tPast Tense > Infinitive\tgo\twent\tgoed\twrong\n";
    std::string strCrLf = strGood;
    strCrLf.insert(strCrLf.size() - 1, "\r");
    const struct { const char* name; char what; std::string text; bool bReadOnly; HistoryState state; size_t nRead; bool bKept; } rows[] = {
        {"none yet", '-', "", false, HistoryState::Missing, 0, true},
        {"an empty file", 'f', "", false, HistoryState::Read, 0, true},
        {"torn last line", 'f', strFormat + strGood + "2026-12-07T04:1", false, HistoryState::Read, 1, true},
        {"garbage lines", 'f', strFormat + "garbage\n" + strGood + "a\tb\n\n", false, HistoryState::Read, 1, true},
        {"version 1", 'f', "Taldrin history\t1\n" + strVersion1 + strGood, false, HistoryState::Read, 2, true},
        {"a later version with lines of a new kind", 'f', "Taldrin history\t3\n" + strGood + "slip\t2026-12-07T04:12:52Z\n" +
             strGood.substr(0, strGood.size() - 1) + "\tnew\n", false, HistoryState::Read, 1, true},
        {"CR LF line ends and a byte-order mark", 'f', "\xEF\xBB\xBFTaldrin history\t2\r\n" + strCrLf + strCrLf, false, HistoryState::Read, 2, true},
        {"no version", 'f', "Taldrin history\t\n" + strGood, false, HistoryState::Foreign, 0, false},
        {"another format", 'f', "Taldrin history\t2x\n" + strGood, false, HistoryState::Foreign, 0, false},
        {"someone else's file", 'f', "name,age\n", false, HistoryState::Foreign, 0, false},
        {"a folder in its place", 'd', "", false, HistoryState::Unreadable, 0, false},
        {"a read-only file", 'f', strFormat + strGood, true, HistoryState::Read, 1, false},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const std::filesystem::path path = dir.Path() / kHistoryFileName;
        if (row.what == 'd')
            std::filesystem::create_directory(path);
        else if (row.what == 'f')
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
        {
            EXPECT_EQ(after.size(), row.nRead + 1u) << FileText(path);
            EXPECT_EQ(FileText(path).substr(0, strFormat.size()), row.text.empty() ? strFormat : row.text.substr(0, strFormat.size()));
        }
        else
            EXPECT_EQ(FileText(path), strBefore);
        std::string strReason;
        EXPECT_EQ(LookAtHistory(path, strReason), row.bKept ? HistoryState::Read : row.state);
        HistoryWriter forgetter(path);
        EXPECT_EQ(forgetter.Forget(), row.bKept) << forgetter.GetFailure();
        EXPECT_EQ(FileText(path), row.bKept ? strFormat : strBefore);
        EXPECT_EQ(forgetter.Forget(true), row.bKept || row.state == HistoryState::Foreign) << forgetter.GetFailure();
        EXPECT_EQ(FileText(path), row.state == HistoryState::Foreign ? strFormat : row.bKept ? strFormat : strBefore);
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

// A program that goes on answering while the file at the path changes under it: each row
// is what happens to the file (or what another program does to it) before its next answer,
// whether that answer is kept, and the verbs the history at the path then holds.
TEST(HistoryFile, AWriterFollowsTheFileAtItsPathWhenAnotherProgramForgetsOrReplacesIt)
{
    TempDir dir;
    const std::filesystem::path path = dir.Path() / kHistoryFileName;
    const std::string strFormat = std::string(kHistoryFormatLine) + "\n";
    // The other program: Forget, or Forget that replaces what is no history, then exit.
    const auto forgetInAnotherProgram = [&](bool bReplaceForeign) {
        const pid_t pid = ::fork();
        if (pid == 0)
            ::_exit(HistoryWriter(path.string()).Forget(bReplaceForeign) ? 0 : 1);
        int nStatus = -1;
        return ::waitpid(pid, &nStatus, 0) == pid && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
    };
    const struct { const char* name; std::function<bool()> change; bool bKept; const char* verbs; } rows[] = {
        {"first answer", [] { return true; }, true, "a0"},
        {"another program forgets the history", [&] { return forgetInAnotherProgram(false); }, true, "a1"},
        {"the file is deleted", [&] { return std::filesystem::remove(path); }, true, "a2"},
        {"another history is moved into its place", [&] {
             std::ofstream(dir.Path() / "new.tsv", std::ios::binary) << strFormat << FormatHistoryLine(Answer("p", true));
             std::filesystem::rename(dir.Path() / "new.tsv", path);
             return true; }, true, "p a3"},
        {"a file that is no history is moved there", [&] {
             std::ofstream(dir.Path() / "new.tsv", std::ios::binary) << "name,age\n";
             std::filesystem::rename(dir.Path() / "new.tsv", path);
             return true; }, false, ""},
        {"and not kept while it stays", [] { return true; }, false, ""},
        {"another program replaces it with a history", [&] { return forgetInAnotherProgram(true); }, true, "a6"},
        {"and kept on", [] { return true; }, true, "a6 a7"},
    };
    // The answering program, told by a byte on a pipe to answer, says whether it was kept.
    int toWriter[2], fromWriter[2];
    ASSERT_EQ(::pipe(toWriter), 0);
    ASSERT_EQ(::pipe(fromWriter), 0);
    const pid_t writer = ::fork();
    if (writer == 0)
    {
        ::close(toWriter[1]);
        ::close(fromWriter[0]);
        HistoryWriter history(path.string());
        for (char c = 0; ::read(toWriter[0], &c, 1) == 1;)
        {
            const char kept = history.Append(Answer("a" + std::string(1, c), true)) ? '+' : '-';
            if (::write(fromWriter[1], &kept, 1) != 1)
                ::_exit(1);
        }
        ::_exit(0);
    }
    ::close(toWriter[0]);
    ::close(fromWriter[1]);
    char nAnswer = '0';
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(row.change());
        char kept = 0;
        ASSERT_EQ(::write(toWriter[1], &nAnswer, 1), 1);
        ASSERT_EQ(::read(fromWriter[0], &kept, 1), 1);
        ++nAnswer;
        EXPECT_EQ(kept, row.bKept ? '+' : '-');
        HistoryState state;
        std::string strVerbs;
        for (const HistoryEntry& entry : ReadAll(path.string(), state))
            strVerbs += (strVerbs.empty() ? "" : " ") + entry.m_strVerb;
        EXPECT_EQ(strVerbs, row.verbs) << FileText(path);
    }
    ::close(toWriter[1]);
    int nStatus = -1;
    EXPECT_TRUE(::waitpid(writer, &nStatus, 0) == writer && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
    ::close(fromWriter[0]);
}
#endif

// Each row: lessons in order, each "day list: answers", an answer being a verb and + or -;
// then the mistakes of list A, most recent first, and each lesson's right answers of its
// answers. "hang/hung" is the question that asked "hung" (of the verb hang), "hang/" one of an
// old line that does not say what it asked. List V is A reached through a linked folder.
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
        {"the list through a linked folder is the list", {"1 V: go- go+", "2 A: be- be+"}, "be go", "1/2 1/2"},
        {"and clears there", {"1 A: go- go+", "2 V: go+", "3 V: go+"}, "", "1/2 1/1 1/1"},
        {"one Infinitive twice: the question that was asked", {"1 A: hang/hung+ hang/hanged- hang/hanged+"}, "hang/hanged", "2/3"},
        {"and only it clears", {"1 A: hang/hanged- hang/hanged+", "2 A: hang/hung+", "3 A: hang/hung+"}, "hang/hanged", "1/2 1/1 1/1"},
        {"an old line's mistake: any question of its verb clears it", {"1 A: hang/- hang/+", "2 A: hang/hung+", "3 A: hang/hanged+"}, "", "1/2 1/1 1/1"},
        {"and any brings it back", {"1 A: hang/- hang/+", "2 A: hang/hung+", "3 A: hang/hanged- hang/hanged+"}, "hang/hanged hang/", "1/2 1/1 1/2"},
    };
    TempDir dir;
    dir.Enter();
    std::error_code error;
    std::filesystem::create_directory_symlink(".", "via", error);
    const std::string strLinked = error ? "./A" : "via/A"; // where links need privileges
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        HistorySummary summary("A");
        for (size_t nLesson = 0; nLesson < row.lessons.size(); ++nLesson)
        {
            std::istringstream words(row.lessons[nLesson]);
            std::string strDay, strList, strAnswer;
            words >> strDay >> strList;
            strList = strList[0] == 'V' ? strLinked : strList.substr(0, 1);
            while (words >> strAnswer)
            {
                const std::string strQuestion = strAnswer.substr(0, strAnswer.size() - 1);
                const std::size_t nSlash = strQuestion.find('/');
                HistoryEntry answer = Answer(strQuestion.substr(0, nSlash), strAnswer.back() == '+', std::to_string(nLesson),
                                             "2026-12-0" + strDay + "T10:00:00Z", strList);
                if (nSlash != std::string::npos)
                {
                    answer.m_strDirection = "Past Tense > Infinitive";
                    answer.m_strPrompt = strQuestion.substr(nSlash + 1);
                }
                summary.Add(answer);
            }
        }
        std::string strMistakes, strScores;
        for (const HistoryQuestion& mistake : summary.GetMistakes())
            strMistakes += (strMistakes.empty() ? "" : " ") + mistake.m_strVerb +
                           (mistake.m_strDirection[0] == 'P' ? "/" + mistake.m_strPrompt : "");
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
