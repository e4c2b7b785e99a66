#include "verbdata/VerbListReader.h"

#include "support/LessonChoices.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

const char* const kHeader = "# comment\ntitle line\n#\n#\n";

// Each question as "prompt>form:expected", form 0, 1 or 2, for compact comparisons.
std::vector<std::string> Describe(const QuestionPool& pool)
{
    std::vector<std::string> lines;
    for (const Question& q : pool)
        lines.push_back(q.GetPrompt() + ">" + std::to_string(q.m_nAskedForm) + ":" + q.GetExpected());
    return lines;
}

struct ReadOutcome
{
    VerbListEnd end;
    std::vector<std::string> questions;
};

ReadOutcome Read(const std::string& text, const DirectionSet& directions, const GroupSet& groups,
                 bool bAlternativeFile = false)
{
    std::istringstream in(text);
    QuestionPool pool;
    const VerbListEnd end = ReadVerbList(in, bAlternativeFile, directions, groups, pool);
    return {end, Describe(pool)};
}

std::vector<std::string> ReadAll(const std::string& text)
{
    return Read(text, AllDirections(), Groups({"lit", "ess1", "ess2", "bas1", "bas2", "dop"})).questions;
}

const std::vector<std::string> kGoQuestions = {"go>1:went",  "go>2:gone",   "went>0:go",
                                               "went>2:gone", "gone>0:go", "gone>1:went"};

const std::vector<std::string> kWorkedQuestions = {
    "go>1:went",   "go>2:gone",   "went>0:go",
    "went>2:gone", "gone>0:go",   "gone>1:went",
    "learn>1:/learned /learnt", "learn>2:/learned /learnt",
};

std::string WorkedFile()
{
    std::ifstream in(TALDRIN_SOURCE_DIR "/tests/data/worked.ver", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(ReadVerbList, WorkedFileYieldsTheEightQuestionsInOrder)
{
    const std::string file = WorkedFile();
    ASSERT_FALSE(file.empty());

    const ReadOutcome outcome = Read(file, AllDirections(), Groups({"bas1", "dop"}));
    EXPECT_EQ(outcome.end, VerbListEnd::EndOfFile);
    EXPECT_EQ(outcome.questions, kWorkedQuestions);

    const std::vector<std::string> dopOnly(kWorkedQuestions.end() - 2, kWorkedQuestions.end());
    EXPECT_EQ(Read(file, AllDirections(), Groups({"dop"})).questions, dopOnly);
    EXPECT_EQ(Read(file, AllDirections(), Groups({}), true).questions, kWorkedQuestions);
}

TEST(ReadVerbList, WorkedFileReadFromDiskWithCrLfLineEnds)
{
    std::string crlf;
    for (char c : WorkedFile())
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string path = ::testing::TempDir() + "worked_crlf.ver";
    std::ofstream(path, std::ios::binary) << crlf;

    std::ifstream in(path);
    QuestionPool pool;
    EXPECT_EQ(ReadVerbList(in, false, AllDirections(), Groups({"bas1", "dop"}), pool),
              VerbListEnd::EndOfFile);
    EXPECT_EQ(Describe(pool), kWorkedQuestions);
}

TEST(ReadVerbList, HeaderShapes)
{
    const std::string record = "bas1\nwent\ngo\ngone\n";
    EXPECT_EQ(ReadAll(kHeader + record), kGoQuestions) << "full header";
    EXPECT_EQ(ReadAll(std::string("title line\n#\n#\n") + record), kGoQuestions)
        << "without the leading comment";
    EXPECT_EQ(ReadAll("#\n#\n#\ntitle\nskipped\n#\nskipped too\n\n#\n" + record), kGoQuestions)
        << "skipped lines inside the header";
    EXPECT_TRUE(ReadAll("title\n" + record + record).empty()) << "no # line at all";
    EXPECT_TRUE(ReadAll("title\n#\n" + record).empty()) << "only one # after the title";
    EXPECT_TRUE(ReadAll("").empty()) << "empty file";
    EXPECT_TRUE(ReadAll(kHeader).empty()) << "header only";
}

TEST(ReadVerbList, BlankLineStartsARecordAndShiftsTheRest)
{
    const std::string text = std::string(kHeader) + "\nbas1\nwent\ngo\ngone\n";
    // The blank line is an unknown tag, kept whatever the groups; "gone" then starts a
    // record that runs out of lines and is dropped.
    EXPECT_EQ(Read(text, Directions({0}), Groups({})).questions,
              std::vector<std::string>{"went>1:bas1"});
}

TEST(ReadVerbList, HashLinesAreCommentsBetweenRecordsAndFormsInsideThem)
{
    const std::string text =
        std::string(kHeader) + "# between\nbas1\nwent\ngo\ngone\n#\nbas1\n#went\ngo\ngone\n";
    EXPECT_EQ(Read(text, Directions({0}), Groups({"bas1"})).questions,
              (std::vector<std::string>{"go>1:went", "go>1:#went"}));
}

TEST(ReadVerbList, GroupFilter)
{
    const std::string text = std::string(kHeader) + "bas1\nwent\ngo\ngone\n" +
                             "BAS1\nsaw\nsee\nseen\n" + "bas1 \ntook\ntake\ntaken\n" +
                             "verbs\ngave\ngive\ngiven\n" + "lit\nslew\nslay\nslain\n";
    const DirectionSet d0 = Directions({0});
    EXPECT_EQ(Read(text, d0, Groups({})).questions,
              (std::vector<std::string>{"see>1:saw", "take>1:took", "give>1:gave"}))
        << "unknown tags are kept whatever the groups";
    EXPECT_EQ(Read(text, d0, Groups({"lit"})).questions,
              (std::vector<std::string>{"see>1:saw", "take>1:took", "give>1:gave", "slay>1:slew"}));
    EXPECT_EQ(Read(text, d0, Groups({}), true).questions.size(), 5u)
        << "the alternative file takes every group";
}

TEST(ReadVerbList, EmptyFormDropsTheWholeRecord)
{
    const std::string text = std::string(kHeader) + "bas1\n\ngo\ngone\nbas1\nsaw\nsee\nseen\n";
    // Direction 1 never looks at the Past Tense, yet the record gives nothing.
    EXPECT_EQ(Read(text, Directions({1}), Groups({"bas1"})).questions,
              std::vector<std::string>{"see>2:seen"});
}

TEST(ReadVerbList, SlashPromptStopsTheRecord)
{
    const std::string pastList = std::string(kHeader) + "ess1\n/was /were\nbe\nbeen\n";
    EXPECT_EQ(ReadAll(pastList), (std::vector<std::string>{"be>1:/was /were", "be>2:been"}));

    const std::string infinitiveList = std::string(kHeader) + "ess1\nwent\n/go /goes\ngone\n";
    EXPECT_EQ(Read(infinitiveList, Directions({2, 4}), Groups({"ess1"})).questions,
              (std::vector<std::string>{"went>0:/go /goes", "gone>0:/go /goes"}));
    EXPECT_TRUE(ReadAll(infinitiveList).empty());

    const std::string participleList = std::string(kHeader) + "ess1\ngot\nget\n/got /gotten\n";
    EXPECT_EQ(ReadAll(participleList).size(), 4u);
}

TEST(ReadVerbList, EndOfFileInsideAndAfterRecords)
{
    EXPECT_EQ(ReadAll(std::string(kHeader) + "bas1\nwent\ngo\ngone"), kGoQuestions)
        << "no final line feed";
    EXPECT_TRUE(ReadAll(std::string(kHeader) + "bas1\nwent\ngo\n").empty()) << "record cut short";
    EXPECT_TRUE(Read(std::string(kHeader) + "bas1\nwent\ngo\ngone\n", Directions({}), Groups({"bas1"}))
                    .questions.empty())
        << "no direction";
}

TEST(ReadVerbList, AppendsWithoutClearing)
{
    std::istringstream in(std::string(kHeader) + "bas1\nwent\ngo\ngone\n");
    QuestionPool pool(2);
    ReadVerbList(in, false, Directions({0}), Groups({"bas1"}), pool);
    EXPECT_EQ(pool.size(), 3u);
    EXPECT_EQ(pool[2].GetPrompt(), "go");
}

TEST(ReadVerbList, LongLineStopsReadingAndKeepsWhatCameBefore)
{
    const std::string ok59(59, 'x');
    const std::string long60(60, 'y');
    const std::string before = std::string(kHeader) + "bas1\nwent\ngo\ngone\n";

    EXPECT_EQ(Read(before + "bas1\n" + ok59 + "\ngo\ngone\n", Directions({0}), Groups({"bas1"}))
                  .questions,
              (std::vector<std::string>{"go>1:went", "go>1:" + ok59}))
        << "59 characters are allowed";
    EXPECT_EQ(Read(before + "bas1\n" + ok59 + "\r\ngo\ngone\n", Directions({0}), Groups({"bas1"}))
                  .questions.size(),
              2u)
        << "the CR of a CR LF does not count";

    const ReadOutcome tooLong = Read(before + long60 + "\nbas1\nsaw\nsee\nseen\n", AllDirections(),
                                     Groups({"bas1"}));
    EXPECT_EQ(tooLong.end, VerbListEnd::LineTooLong);
    EXPECT_EQ(tooLong.questions, kGoQuestions);

    const ReadOutcome insideRecord =
        Read(before + "bas1\nsaw\n" + std::string(100000, 'z') + "\nseen\n", AllDirections(),
             Groups({"bas1"}));
    EXPECT_EQ(insideRecord.end, VerbListEnd::LineTooLong);
    EXPECT_EQ(insideRecord.questions, kGoQuestions) << "the record holding the long line is dropped";

    EXPECT_EQ(Read(std::string(200, '#'), AllDirections(), Groups({})).end, VerbListEnd::LineTooLong)
        << "a long line in the header";
}

TEST(ReadVerbList, OddBytesAreKeptAsTheyAre)
{
    const std::string nul("\0", 1);
    const std::string text = std::string(kHeader) + "bas1\nw" + nul + "nt\ngo\ngone\n" +
                             "bas1\nt\xF6ok\nt\xE4ke\nt\xFF\x80n\n" + "bas1\nsaw\rsee\nseen\n" +
                             "bas1\ngave\ngive\ngiven\n";
    // A lone CR does not end a line: the last two records shift by one line, and the
    // last one runs out of lines.
    EXPECT_EQ(Read(text, Directions({0}), Groups({"bas1"})).questions,
              (std::vector<std::string>{"go>1:w" + nul + "nt", "t\xE4ke>1:t\xF6ok", "seen>1:saw\rsee"}));
}

TEST(ReadVerbList, BinaryNoiseNeitherCrashesNorHangs)
{
    std::string noise;
    unsigned state = 12345;
    for (int i = 0; i < 200000; ++i)
    {
        state = state * 1103515245u + 12345u;
        noise += static_cast<char>((state >> 16) % 7 == 0 ? '\n' : (state >> 8) & 0xFF);
    }
    const ReadOutcome outcome = Read(kHeader + noise, AllDirections(), Groups({}));
    EXPECT_NE(outcome.end, VerbListEnd::StreamFailed);
}

TEST(ReadVerbList, UnopenedStreamReadsNothing)
{
    std::ifstream in(::testing::TempDir() + "no_such_dir/no_such_file.ver");
    QuestionPool pool;
    EXPECT_EQ(ReadVerbList(in, false, AllDirections(), Groups({}), pool), VerbListEnd::StreamFailed);
    EXPECT_TRUE(pool.empty());
}
