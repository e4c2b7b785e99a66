#include "lesson/VespinDoc.h"

#include "support/LessonChoices.h"
#include "support/MemorySettingsStore.h"
#include "support/TempDir.h"
#include "verbdata/AnswerText.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

class VespinDocTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.Enter();
        m_doc.SetTitleObserver([this](const std::string& strTitle) { m_titles.push_back(strTitle); });
        m_doc.m_fnSeed = [] { return 20021u; };
    }

    void WriteWorkedList(const char* name = "irregu.ver")
    {
        m_dir.Write(name, TempDir::Read(TALDRIN_SOURCE_DIR "/tests/data/worked.ver"));
    }

    void StartLesson(const DirectionSet& directions, const GroupSet& groups)
    {
        ASSERT_TRUE(m_doc.OnNewDocument());
        m_doc.SetDirections(directions);
        m_doc.SetGroups(groups);
        m_doc.LoadQuestions();
    }

    // The first alternative of the current question's expected text.
    std::string RightAnswer() const
    {
        std::string strExpected = m_doc.m_pool.at(m_doc.m_nCurrent).GetExpected();
        if (!strExpected.empty() && strExpected[0] == '/')
            strExpected = strExpected.substr(1, strExpected.find(' ') - 1);
        return strExpected;
    }

    bool Answer(const std::string& strTyped)
    {
        m_doc.m_strTyped = strTyped;
        m_doc.m_nCaret = static_cast<std::int32_t>(strTyped.size());
        return m_doc.CheckAnswer();
    }

    // Answers every question right until the pool is empty, checking each step.
    void PlayWorkedListAllRight(bool bCorrecting)
    {
        WriteWorkedList();
        StartLesson(AllDirections(), Groups({"bas1", "dop"}));
        m_doc.m_bCorrecting = bCorrecting;
        ASSERT_EQ(m_doc.m_pool.size(), 8u);

        for (std::uint32_t nAnswered = 1; nAnswered <= 8; ++nAnswered)
        {
            SCOPED_TRACE("answer " + std::to_string(nAnswered));
            EXPECT_EQ(m_doc.GetTitle(), ConvertAccents(m_doc.GetPrompt()));
            const std::size_t nBefore = m_doc.m_pool.size();
            const std::string strAnswer = RightAnswer();
            const bool bLast = nAnswered == 8;

            const bool bGoesOn = Answer(strAnswer);
            EXPECT_EQ(m_doc.m_strVerdict, "Right!\n\" " + strAnswer + " \" is correct!");
            EXPECT_EQ(m_doc.m_stats.m_nRight, nAnswered);
            EXPECT_EQ(m_doc.m_nLastResult, 1);
            if (bCorrecting)
            {
                EXPECT_TRUE(bGoesOn);
                EXPECT_TRUE(m_doc.m_bShowingCorrection);
                EXPECT_EQ(m_doc.m_pool.size(), nBefore) << "the question leaves after the verdict";
                EXPECT_EQ(m_doc.m_strTyped, strAnswer) << "the answer stays during the verdict";
                EXPECT_EQ(m_doc.GetVerdictTime(), 400u);
                EXPECT_EQ(m_doc.ContinueAfterVerdict(), !bLast);
                EXPECT_FALSE(m_doc.m_bShowingCorrection);
            }
            else
                EXPECT_EQ(bGoesOn, !bLast);
            EXPECT_EQ(m_doc.m_pool.size(), nBefore - 1);
            EXPECT_TRUE(m_doc.m_strTyped.empty());
            EXPECT_EQ(m_doc.m_nCaret, 0);
            EXPECT_EQ(m_doc.m_bFinished, bLast);
        }
        EXPECT_EQ(m_doc.GetTitle(), "Statistics");
        EXPECT_EQ(m_doc.m_stats.m_nWrong, 0u);
        EXPECT_EQ(m_doc.GetRemainingText(), "There are still 0 questions.");
    }

    TempDir m_dir;
    MemorySettingsStore m_profile;
    CVespinDoc m_doc{m_profile};
    std::vector<std::string> m_titles;
};

} // namespace

TEST_F(VespinDocTest, NewDocumentStartsALessonWithDefaultSettings)
{
    WriteWorkedList();
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_EQ(m_doc.GetTitle(), "New Game");
    EXPECT_EQ(m_titles, std::vector<std::string>{"New Game"});
    EXPECT_TRUE(m_doc.m_pool.empty());
    EXPECT_EQ(m_doc.m_nLastResult, -1);
    EXPECT_FALSE(m_doc.m_bFinished);
    EXPECT_FALSE(m_doc.m_bAlternativeFile);
    EXPECT_TRUE(m_doc.m_bRabbit);
    EXPECT_TRUE(m_doc.m_bCorrecting);
    EXPECT_EQ(m_doc.m_nRightTime, 400u);
    EXPECT_EQ(m_doc.m_nWrongTime, 2000u);
    EXPECT_EQ(m_doc.GetVerdictTime(), 0u);
    EXPECT_EQ(m_profile.reads, (std::vector<std::string>{"Morphane/Hase", "Morphane/Correcting",
                                                         "Morphane/right", "Morphane/wrong"}));
}

TEST_F(VespinDocTest, WorkedListAllRightWithCorrectingOff)
{
    PlayWorkedListAllRight(false);
}

TEST_F(VespinDocTest, WorkedListAllRightWithCorrectingOn)
{
    PlayWorkedListAllRight(true);
}

TEST_F(VespinDocTest, WrongAnswerIsRequeuedAndMustBeAnsweredRightTwice)
{
    WriteWorkedList();
    StartLesson(Directions({0}), Groups({"bas1"}));
    m_doc.m_bCorrecting = false;
    ASSERT_EQ(m_doc.m_pool.size(), 1u);
    EXPECT_EQ(m_doc.GetTitle(), "go");
    EXPECT_EQ(m_doc.GetAskedFormName(), "Past Tense");

    EXPECT_TRUE(Answer("Went "));
    EXPECT_EQ(m_doc.m_strVerdict, "Wrong!!\n\" Went   \" is wrong!\n\" went \" would have been right!");
    EXPECT_EQ(m_doc.GetRemainingText(), "There are still 2 questions.");
    EXPECT_EQ(m_doc.m_nLastResult, 0);
    EXPECT_TRUE(m_doc.m_strTyped.empty());

    EXPECT_TRUE(Answer("goed"));
    EXPECT_EQ(m_doc.m_pool.size(), 3u) << "a second wrong answer adds a third entry";
    EXPECT_TRUE(Answer("went"));
    EXPECT_TRUE(Answer("  went "));
    EXPECT_EQ(m_doc.m_strVerdict, "Right!\n\" went \" is correct!");
    EXPECT_FALSE(Answer("went"));
    EXPECT_TRUE(m_doc.m_bFinished);
    EXPECT_EQ(m_doc.m_stats.m_nRight, 3u);
    EXPECT_EQ(m_doc.m_stats.m_nWrong, 2u);
}

TEST_F(VespinDocTest, WrongAnswerWithCorrectingOnWaitsForTheVerdict)
{
    WriteWorkedList();
    StartLesson(Directions({0}), Groups({"bas1"}));
    EXPECT_TRUE(Answer("goed"));
    EXPECT_TRUE(m_doc.m_bShowingCorrection);
    EXPECT_EQ(m_doc.m_strTyped, "goed");
    EXPECT_EQ(m_doc.m_pool.size(), 2u);
    EXPECT_EQ(m_doc.GetVerdictTime(), 2000u);
    EXPECT_TRUE(m_doc.ContinueAfterVerdict());
    EXPECT_TRUE(m_doc.m_strTyped.empty());
    EXPECT_EQ(m_doc.m_pool.size(), 2u);
}

TEST_F(VespinDocTest, AnswersAreJudgedExactlyButForBlanks)
{
    m_doc.OnNewDocument();
    m_doc.m_bCorrecting = false;
    m_doc.m_fnRand = [] { return 0; };
    m_doc.m_pool = {MakeQuestion("x", PastTense, "caf\\'e"), MakeQuestion("y", PastTense, "/learnt /learned"),
                    MakeQuestion("z", PastTense, "caf\\'e")};

    m_doc.m_nCurrent = 0;
    EXPECT_TRUE(Answer("caf\\'e"));
    EXPECT_EQ(m_doc.m_nLastResult, 0) << "a typed escape is not converted";
    EXPECT_EQ(m_doc.m_strVerdict,
              "Wrong!!\n\" caf\\'e  \" is wrong!\n\" caf\\'e \" would have been right!")
        << "the expected text is quoted as stored";

    m_doc.m_nCurrent = 2;
    EXPECT_TRUE(Answer("caf\xE9"));
    EXPECT_EQ(m_doc.m_nLastResult, 1) << "the accented letter typed directly";

    m_doc.m_nCurrent = 1;
    EXPECT_TRUE(Answer("learned  "));
    EXPECT_EQ(m_doc.m_nLastResult, 1);
}

TEST_F(VespinDocTest, RandomStepArithmetic)
{
    m_doc.OnNewDocument();
    m_doc.m_bCorrecting = false;
    int nRand = 7;
    m_doc.m_fnRand = [&nRand] { return nRand; };

    m_doc.m_pool.assign(5, MakeQuestion("q", PastTense, "a"));
    m_doc.m_nCurrent = 3;
    m_doc.ChooseNextQuestion();
    EXPECT_EQ(m_doc.m_nCurrent, 0u) << "five questions, at 3, rand 7: two steps, wrapping";

    const QuestionPool abcd = {MakeQuestion("A", PastTense, "a"), MakeQuestion("B", PastTense, "b"), MakeQuestion("C", PastTense, "c"),
                               MakeQuestion("D", PastTense, "d")};
    for (const auto& [r, strNext] : {std::pair{0, "A"}, std::pair{1, "C"}})
    {
        m_doc.m_pool = abcd;
        m_doc.m_nCurrent = 1;
        nRand = r;
        EXPECT_TRUE(Answer("b"));
        EXPECT_EQ(m_doc.m_pool.size(), 3u);
        EXPECT_EQ(m_doc.GetPrompt(), strNext) << "A B C D, B answered right, rand " << r;
    }

    for (const auto& [r, strNext] : {std::pair{0, "C"}, std::pair{1, "A"}})
    {
        m_doc.m_pool = QuestionPool(abcd.begin(), abcd.begin() + 3);
        m_doc.m_nCurrent = 1;
        nRand = r;
        EXPECT_TRUE(Answer("b"));
        EXPECT_EQ(m_doc.GetPrompt(), strNext) << "A B C, B answered right, rand " << r;
    }

    m_doc.m_pool = abcd;
    m_doc.m_nCurrent = 2;
    nRand = 1;
    EXPECT_TRUE(Answer("wrong"));
    EXPECT_EQ(m_doc.m_nCurrent, 2u) << "a wrong answer restarts the step from position 0";

    m_doc.m_pool = {MakeQuestion("only", PastTense, "x")};
    m_doc.m_nCurrent = 0;
    m_doc.ChooseNextQuestion();
    EXPECT_EQ(m_doc.m_nCurrent, 0u) << "one question is asked again";
}

TEST_F(VespinDocTest, SameSeedReplaysTheSameLesson)
{
    WriteWorkedList();
    std::vector<std::string> first;
    for (int nRun = 0; nRun < 2; ++nRun)
    {
        m_titles.clear();
        StartLesson(AllDirections(), Groups({"bas1", "dop"}));
        m_doc.m_bCorrecting = false;
        while (!m_doc.m_pool.empty())
            Answer(RightAnswer());
        if (nRun == 0)
            first = m_titles;
    }
    EXPECT_EQ(m_titles, first) << "seed 20021";
    EXPECT_EQ(m_titles.size(), 10u) << "New Game, eight prompts, Statistics";
}

TEST_F(VespinDocTest, GiveUpAndNewLesson)
{
    WriteWorkedList();
    StartLesson(AllDirections(), Groups({"bas1"}));
    Answer("wrong");
    const std::string strTitle = m_doc.GetTitle();
    m_doc.GiveUp();
    EXPECT_TRUE(m_doc.m_bFinished);
    EXPECT_EQ(m_doc.GetTitle(), strTitle) << "the title still shows the last prompt";
    EXPECT_EQ(m_doc.m_pool.size(), 7u);
    EXPECT_EQ(m_doc.m_stats.m_nWrong, 1u);

    m_doc.SetOptions(1500.0f, 300.0f, false);
    m_profile.Set("Morphane/right", 999);
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_TRUE(m_doc.m_pool.empty());
    EXPECT_EQ(m_doc.m_stats.m_nWrong, 0u);
    EXPECT_EQ(m_doc.m_nLastResult, -1);
    EXPECT_FALSE(m_doc.m_bFinished);
    EXPECT_FALSE(m_doc.m_bShowingCorrection);
    EXPECT_TRUE(m_doc.m_strVerdict.empty());
    EXPECT_EQ(m_doc.GetTitle(), "New Game");
    EXPECT_EQ(m_doc.m_nRightTime, 1500u) << "the profile is read only once a run";
    EXPECT_FALSE(m_doc.m_bCorrecting);
}

TEST_F(VespinDocTest, EmptyPoolAfterLoadingAsksNothing)
{
    WriteWorkedList();
    StartLesson(DirectionSet(), Groups({"bas1"}));
    EXPECT_TRUE(m_doc.m_pool.empty());
    EXPECT_EQ(m_doc.GetTitle(), "New Game");
    StartLesson(AllDirections(), Groups({"lit"}));
    EXPECT_TRUE(m_doc.m_pool.empty());
}

TEST_F(VespinDocTest, AlternativeListIsChosenOnceAndTakesEveryGroup)
{
    WriteWorkedList("irrtes.ver");
    StartLesson(AllDirections(), GroupSet());
    EXPECT_TRUE(m_doc.m_bAlternativeFile);
    EXPECT_EQ(m_doc.m_pool.size(), 8u);

    WriteWorkedList("irregu.ver");
    StartLesson(Directions({0}), GroupSet());
    EXPECT_TRUE(m_doc.m_bAlternativeFile) << "the file test is made at the first lesson only";
}

TEST_F(VespinDocTest, SettingsAreReadWithTheirMeaningsAndWrittenAtClose)
{
    m_profile.Set("Morphane/Hase", 5);
    m_profile.Set("Morphane/Correcting", 0);
    m_profile.Set("Morphane/Right", 700);
    m_profile.Set("Morphane/wrong", -1);
    m_doc.OnNewDocument();
    EXPECT_TRUE(m_doc.m_bRabbit);
    EXPECT_FALSE(m_doc.m_bCorrecting);
    EXPECT_EQ(m_doc.m_nRightTime, 700u);
    EXPECT_EQ(m_doc.m_nWrongTime, 4294967295u) << "a negative time is taken as unsigned";

    m_doc.OnCloseDocument();
    EXPECT_EQ(m_profile.writes,
              (std::vector<std::string>{"Morphane/Hase=1", "Morphane/Correcting=0", "Morphane/Right=700",
                                        "Morphane/Wrong=4294967295"}));
    EXPECT_EQ(m_profile.flushes, 1);
}

TEST_F(VespinDocTest, SetOptionsDropsTheFractionAndKeepsTimesInRange)
{
    m_doc.SetOptions(400.9f, 0.0f, true);
    EXPECT_EQ(m_doc.m_nRightTime, 400u);
    EXPECT_EQ(m_doc.m_nWrongTime, 0u);
    m_doc.SetOptions(-5.0f, 1e20f, false);
    EXPECT_EQ(m_doc.m_nRightTime, 0u);
    EXPECT_EQ(m_doc.m_nWrongTime, 4294967295u);
    EXPECT_FALSE(m_doc.m_bCorrecting);
}
