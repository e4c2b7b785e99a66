// The learner's history: its file under damage and competition, and what is read from it.
#include "history/HistoryFile.h"
#include "history/HistorySummary.h"
#include "history/Review.h"

#include "support/TempDir.h"
#include "verbdata/ListEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>

#ifndef _WIN32
#include "support/InChild.h"
#include <sys/stat.h>
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

// Rows' lessons, each "day list: answers", the day a date in December 2026 at 10:00 UTC or
// with its hour ("02T09"), list V the linked name given; an answer is a verb and + or -,
// "go!" a wrong answer the learner called a slip, "!go" a slip line alone. "hang/hung" is the
// question that asked "hung" (of the verb hang), "hang/" one of an old line that does not say.
std::string DayTime(const std::string& strDay)
{
    return "2026-12-" + (strDay.size() == 1 ? "0" + strDay : strDay.substr(0, 2)) + "T" + (strDay.size() > 2 ? strDay.substr(3, 2) : "10") + ":00:00Z";
}

std::vector<HistoryEntry> Lessons(const std::vector<const char*>& lessons, const std::string& strLinked = "")
{
    std::vector<HistoryEntry> entries;
    for (std::size_t nLesson = 0; nLesson < lessons.size(); ++nLesson)
    {
        std::istringstream words(lessons[nLesson]);
        std::string strDay, strList, strAnswer;
        words >> strDay >> strList;
        while (words >> strAnswer)
        {
            const bool bSlipOnly = strAnswer[0] == '!';
            const std::string strQuestion = bSlipOnly ? strAnswer.substr(1) : strAnswer.substr(0, strAnswer.size() - 1);
            const std::size_t nSlash = strQuestion.find('/');
            HistoryEntry answer = Answer(strQuestion.substr(0, nSlash), strAnswer.back() == '+', std::to_string(nLesson), DayTime(strDay),
                                         strList[0] == 'V' ? strLinked : strList.substr(0, 1));
            if (nSlash != std::string::npos)
                answer.m_strDirection = "Past Tense > Infinitive", answer.m_strPrompt = strQuestion.substr(nSlash + 1);
            if (!bSlipOnly)
                entries.push_back(answer);
            answer.m_bSlip = true;
            if (bSlipOnly || strAnswer.back() == '!')
                entries.push_back(answer);
        }
    }
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
        EXPECT_TRUE(InChild(row.bReadOnly ? 65534 : ::getuid(), [&] {
            HistoryState state;
            const size_t nRead = ReadAll(path, state).size();
            HistoryWriter writer(path);
            const bool bKept = writer.Append(Answer("be", true)) && writer.Flush();
            return state == row.state && nRead == row.nRead && bKept == row.bKept;
        }));
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
        return InChild(::getuid(), [&] { return HistoryWriter(path.string()).Forget(bReplaceForeign); });
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

// Each row: lessons in order; then the mistakes of list A, most recent first, and each
// lesson's right answers of its answers. List V is A reached through a linked folder.
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
        for (const HistoryEntry& answer : Lessons(row.lessons, strLinked))
            summary.Add(answer);
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

// The last lessons, and the most missed first, however long ago; the totals are view.trace's.
TEST(HistorySummary, ProgressShowsTheLastLessonsAndTheMostMissedFirst)
{
    HistorySummary summary("A");
    for (int nLesson = 0; nLesson < 32; ++nLesson)
    {
        const std::string strLesson = "L" + std::to_string(nLesson), strTime = "2026-12-" + std::to_string(10 + nLesson / 4) + "T09:00:00Z";
        summary.Add(Answer("go", nLesson % 3 != 0, strLesson, strTime));
        summary.Add(Answer("be", nLesson != 5, strLesson, strTime, "B"));
    }
    summary.Add(Answer("be", false, "L31", "2026-12-17T09:00:01Z"));
    const HistoryProgress progress = summary.GetProgress();
    ASSERT_EQ(progress.m_lessons.size(), kProgressLessons);
    EXPECT_EQ(progress.m_lessons.front().m_strLesson, "L2");
    ASSERT_EQ(progress.m_missed.size(), 2u);
    EXPECT_EQ(progress.m_missed[0].m_question.m_strVerb, "go");
    EXPECT_EQ(progress.m_missed[0].m_nMissed, 11u);
}

// Each row: lessons as a history file holds them, with bTorn its last line cut short; then,
// at the time now, the boxes of list A's questions, those due (most overdue first) and the mistakes.
TEST(HistoryReview, BoxesAndDueDatesReplayTheHistory)
{
    const struct { const char* name; std::vector<const char*> lessons; bool bTorn; const char* now; const char* boxes; const char* due; const char* mistakes; } rows[] = {
        {"right at the first asking: box 2", {"01 A: go+"}, false, "02", "go2", "", ""},
        {"wrong: box 1, due a day later", {"01 A: go- go+"}, false, "02", "go1", "go", "go"},
        {"not yet an hour before", {"01 A: go- go+"}, false, "02T09", "go1", "", "go"},
        {"up box by box; box 5 stays", {"01 A: go+", "03 A: go+", "06 A: go+", "10 A: go+", "18 A: go+"}, false, "19", "go5", "", ""},
        {"box 4 due after 8 days", {"01 A: go+", "03 A: go+", "06 A: go+"}, false, "14", "go4", "go", ""},
        {"back to box 1 from box 4", {"01 A: go+", "03 A: go+", "06 A: go- go+"}, false, "07", "go1", "go", "go"},
        {"repeats in the lesson move nothing", {"01 A: go- go+ go+", "02 A: be+ be-"}, false, "03", "be2 go1", "go", "be go"},
        {"a slip counts as right", {"01 A: go!"}, false, "02", "go2", "", ""},
        {"a slip on the re-asking leaves the first", {"01 A: go- go!"}, false, "02", "go1", "go", "go"},
        {"a slip after another answer forgives nothing", {"01 A: go- be+ !go"}, false, "02", "be2 go1", "go", "go"},
        {"two lists, one verb: each its own", {"01 A: go+", "01 B: go- go+", "02 B: be-"}, false, "02", "go2", "", ""},
        {"an answer in the future counts as now", {"20 A: go-"}, false, "10", "go1", "", "go"},
        {"the most overdue first", {"01 A: go- go+ be+", "01T11 A: cut-"}, false, "10", "be2 cut1 go1", "go cut be", "cut go"},
        {"a torn last line is skipped", {"01 A: go+", "02 A: go-"}, true, "02T12", "go2", "", ""},
    };
    const std::vector<HistoryQuestion> list = {{"be", "Infinitive > Past Tense", "be", ""}, {"cut", "Infinitive > Past Tense", "cut", ""},
                                               {"do", "Infinitive > Past Tense", "do", ""}, {"go", "Infinitive > Past Tense", "go", ""}};
    TempDir dir;
    dir.Enter();
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        std::string strFile = std::string(kHistoryFormatLine) + "\n";
        for (const HistoryEntry& answer : Lessons(row.lessons))
            strFile += FormatHistoryLine(answer);
        if (row.bTorn)
            strFile.resize(strFile.size() - 8);
        const std::string strPath = "review.tsv";
        std::ofstream(strPath, std::ios::binary | std::ios::trunc) << strFile;
        HistorySummary summary("A");
        ASSERT_EQ(ReadHistory(strPath, [&](const HistoryEntry& entry) { summary.Add(entry); }), HistoryState::Read);
        const std::int64_t nNow = HistoryTimeSeconds(DayTime(row.now));
        const std::vector<ReviewItem> items = ReviewItems(summary.GetReview(), list, nNow);
        std::string strBoxes, strDue, strMistakes;
        for (const ReviewItem& item : items)
            if (item.m_nBox > 0)
                strBoxes += (strBoxes.empty() ? "" : " ") + item.m_question.m_strVerb + std::to_string(item.m_nBox);
        for (const HistoryQuestion& question : DueQuestions(items, nNow, 10))
            strDue += (strDue.empty() ? "" : " ") + question.m_strVerb;
        std::vector<HistoryQuestion> mistakes = summary.GetMistakes();
        std::sort(mistakes.begin(), mistakes.end(), [](const auto& a, const auto& b) { return a.m_strVerb < b.m_strVerb; });
        for (const HistoryQuestion& mistake : mistakes)
            strMistakes += (strMistakes.empty() ? "" : " ") + mistake.m_strVerb;
        EXPECT_EQ(strBoxes, row.boxes);
        EXPECT_EQ(strDue, row.due);
        EXPECT_EQ(strMistakes, row.mistakes);
        EXPECT_EQ(OverviewOf(items, nNow).m_nDueNow, std::count(strDue.begin(), strDue.end(), ' ') + !strDue.empty());
    }
}

// The days ahead, the limit, none due, and the record: box 0 for a question never asked,
// a verb with a comma or a quote quoted.
TEST(HistoryReview, OverviewLimitAndRecord)
{
    HistorySummary summary("A");
    summary.Add(Answer("be", false, "1", "2026-12-01T10:00:00Z", "A"));
    summary.Add(Answer("go,\"went\"", true, "1", "2026-12-01T10:00:01Z", "A"));
    summary.Add(Answer("cut", true, "2", "2026-12-02T10:00:00Z", "A"));
    const std::vector<HistoryQuestion> list = {{"be", "Infinitive > Past Tense", "be", ""}, {"go,\"went\"", "Infinitive > Past Tense", "go,\"went\"", ""},
                                               {"cut", "Infinitive > Past Tense", "cut", ""}, {"do", "Infinitive > Past Tense", "do", ""}};
    const std::int64_t nNow = HistoryTimeSeconds("2026-12-01T12:00:00Z");
    const std::vector<ReviewItem> items = ReviewItems(summary.GetReview(), list, nNow);
    const ReviewOverview overview = OverviewOf(items, nNow);
    EXPECT_EQ((std::vector<std::uint32_t>(overview.m_boxes.begin(), overview.m_boxes.end())), (std::vector<std::uint32_t>{1, 1, 2, 0, 0, 0}));
    // be on the 2nd, go on the 3rd, cut (asked after now) on the 3rd as well.
    EXPECT_EQ((std::vector<std::uint32_t>(overview.m_dueByDay.begin(), overview.m_dueByDay.end())), (std::vector<std::uint32_t>{0, 1, 2, 0, 0, 0, 0}));
    EXPECT_EQ(overview.m_nDueNow, 0u);
    EXPECT_EQ(HistoryDay(overview.m_nNextDue), "2026-12-02");
    EXPECT_TRUE(DueQuestions(items, nNow, 50).empty());
    const std::int64_t nLater = HistoryTimeSeconds("2026-12-20T00:00:00Z");
    ASSERT_EQ(DueQuestions(items, nLater, 2).size(), 2u);
    EXPECT_EQ(DueQuestions(items, nLater, 2)[1].m_strVerb, "go,\"went\"");
    EXPECT_EQ(ClampReviewLimit(0), kDefaultReviewLimit);
    EXPECT_EQ(ClampReviewLimit(4000000000u), kMaxReviewLimit);
    EXPECT_EQ(ClampReviewLimit(7), 7u);
    EXPECT_EQ(ReviewCsv(items),
              "verb,conversion,box,times asked,times right at first asking,last asked,due date,asked\r\n"
              "be,Infinitive > Past Tense,1,1,0,2026-12-01T10:00:00Z,2026-12-02,be\r\n"
              "\"go,\"\"went\"\"\",Infinitive > Past Tense,2,1,1,2026-12-01T10:00:01Z,2026-12-03,\"go,\"\"went\"\"\"\r\n"
              "cut,Infinitive > Past Tense,2,1,1,2026-12-02T10:00:00Z,2026-12-03,cut\r\n"
              "do,Infinitive > Past Tense,0,0,0,,,do\r\n");
    // Seven fields: a reader of version 2 takes only 8 or 9, and skips it.
    HistoryEntry slip = Answer("be", false, "1", "2026-12-01T10:00:00Z", "A");
    slip.m_bSlip = true;
    EXPECT_EQ(FormatHistoryLine(slip), "2026-12-01T10:00:00Z\t1\tA\tInfinitive > Past Tense\tbe\tbe\tslip\n");
    EXPECT_EQ(HistoryTimeSeconds("2026-13-01T10:00:00Z"), -1);
    EXPECT_EQ(HistoryDay(HistoryTimeSeconds("2028-02-29T23:59:59Z")), "2028-02-29");
}
