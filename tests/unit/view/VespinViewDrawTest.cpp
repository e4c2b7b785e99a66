// The screens as the view draws them onto a recording device context.
#include "view/VespinView.h"

#include "lesson/VespinDoc.h"
#include "support/FakeViewWindow.h"
#include "support/LessonChoices.h"
#include "support/MemorySettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

FontSpec Font(int nHeight, int nWidth, int nEscapement = 0, int nWeight = 0, bool bStrikeOut = false)
{
    FontSpec font;
    font.Height = nHeight;
    font.Width = nWidth;
    font.Escapement = nEscapement;
    font.Weight = nWeight;
    font.StrikeOut = bStrikeOut;
    return font;
}

class VespinViewDrawTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_doc.OnNewDocument();
        m_window.client = {0, 0, 692, 266};
    }

    // A lesson at its first question, "go" asking for the Past Tense.
    void StartLesson()
    {
        m_doc.m_pool = {MakeQuestion("go", PastTense, "went"), MakeQuestion("see", PastParticiple, "seen")};
        m_doc.m_nCurrent = 0;
    }

    RecordingDC Draw()
    {
        RecordingDC dc;
        m_view.OnDraw(&dc);
        EXPECT_EQ(dc.GetTextColor(), RecordingDC::kInitialColour) << "every colour set is set back";
        EXPECT_EQ(dc.SelectedFont(), nullptr) << "every font selected is selected back";
        EXPECT_EQ(dc.SelectedBrush(), nullptr) << "every brush selected is selected back";
        return dc;
    }

    const DrawnItem& Text(const RecordingDC& dc, const std::string& strText)
    {
        const DrawnItem* pItem = dc.FindText(strText);
        if (!pItem)
        {
            ADD_FAILURE() << "not drawn exactly once: " << strText;
            static const DrawnItem none{DrawnItem::Text};
            return none;
        }
        return *pItem;
    }

    MemorySettingsStore m_profile;
    CVespinDoc m_doc{m_profile};
    FakeViewWindow m_window;
    CVespinView m_view{m_doc, m_window};
};

} // namespace

TEST(AnswerRects, FollowTheClientAreaButNotItsBottom)
{
    EXPECT_EQ(AnswerFrameRect({0, 0, 692, 266}), (Rect{10, 60, 442, 94}));
    EXPECT_EQ(AnswerTextRect({0, 0, 692, 266}), (Rect{14, 62, 440, 92}));
    EXPECT_EQ(AnswerTextRect({5, 7, 500, 9999}), (Rect{19, 69, 248, 99}));
}

TEST_F(VespinViewDrawTest, WelcomeScreenTitlesGrowWithTheWindow)
{
    m_window.client = {0, 0, 600, 400};
    const RecordingDC dc = Draw();

    const DrawnItem& irregular = Text(dc, "Irregular");
    EXPECT_EQ(irregular.font, Font(80, 80, -180));
    EXPECT_EQ(irregular.colour, Rgb(160, 255, 160));
    EXPECT_EQ(irregular.format, 0x01u);
    EXPECT_EQ(irregular.rect, m_window.client);
    EXPECT_EQ(irregular.bkMode, BK_TRANSPARENT);

    const DrawnItem& verbs = Text(dc, "Verbs");
    EXPECT_EQ(verbs.font, Font(120, 30, 500));
    EXPECT_EQ(verbs.colour, Rgb(255, 180, 160));
    EXPECT_EQ(verbs.format, 0x29u);

    const DrawnItem& product = Text(dc, "Taldrin");
    EXPECT_EQ(product.font, Font(280, 50, 80));
    EXPECT_EQ(product.colour, Rgb(160, 160, 255));
    EXPECT_EQ(product.format, 0x25u);

    const struct
    {
        const char* text;
        int top;
    } lines[] = {
        {"Welcome, press the left mouse button to continue.", 20},
        {"Irregular English verbs trainer\nprogrammed by Quorvane\n2002", 80},
        {"Visit www.taldrin.org", 180},
    };
    for (const auto& line : lines)
    {
        const DrawnItem& item = Text(dc, line.text);
        EXPECT_EQ(item.rect, (Rect{0, line.top, 600, 400})) << line.text;
        EXPECT_EQ(item.format, 0x01u) << line.text;
        EXPECT_FALSE(item.font.has_value()) << line.text << ": the device context's own font";
        EXPECT_EQ(item.colour, RecordingDC::kInitialColour) << line.text;
    }
    EXPECT_TRUE(dc.Find(DrawnItem::Rectangle).empty());

    m_window.client = {0, 0, 700, 291};
    EXPECT_EQ(Text(Draw(), "Taldrin").font->Height, 203) << "0.7 x 291 truncated";
}

TEST_F(VespinViewDrawTest, QuestionScreenBeforeTheFirstAnswer)
{
    StartLesson();
    const RecordingDC dc = Draw();

    const DrawnItem& prompt = Text(dc, "go");
    EXPECT_EQ(prompt.rect, (Rect{10, 10, 692, 266}));
    EXPECT_EQ(prompt.font, Font(20, 7, 0, 600));
    const DrawnItem& form = Text(dc, "Past Tense");
    EXPECT_EQ(form.rect, (Rect{260, 10, 692, 266}));
    EXPECT_EQ(form.font, Font(20, 7, 0, 600));

    const std::vector<DrawnItem> frames = dc.Find(DrawnItem::Rectangle);
    ASSERT_EQ(frames.size(), 1u) << "no score bar before an answer";
    EXPECT_EQ(frames[0].rect, (Rect{10, 60, 442, 94}));
    EXPECT_FALSE(frames[0].brush.has_value()) << "filled with the device context's own brush";

    const std::vector<DrawnItem> texts = dc.Find(DrawnItem::Text);
    const auto answer = std::find_if(texts.begin(), texts.end(),
                                     [](const DrawnItem& item) { return item.rect == Rect{14, 62, 440, 92}; });
    ASSERT_NE(answer, texts.end());
    EXPECT_EQ(answer->text, "");
    EXPECT_EQ(answer->font, Font(30, 10, 0, 600));
    EXPECT_EQ(answer->colour, Rgb(0, 0, 175));

    const std::vector<DrawnItem> lines = dc.Find(DrawnItem::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rect, (Rect{13, 62, 13, 92})) << "an empty answer puts the caret at left - 1";
    EXPECT_EQ(lines[0].colour, Rgb(0, 0, 0));

    EXPECT_EQ(Text(dc, "There are still 2 questions.").rect, (Rect{10, 110, 692, 266}));
    EXPECT_TRUE(dc.Find(DrawnItem::Picture).empty());
    EXPECT_EQ(dc.items.back().text, "") << "the empty verdict is the last text: no percentages";
    EXPECT_EQ(dc.items.back().rect, (Rect{10, 135, 692, 266}));
    EXPECT_EQ(dc.items.back().colour, RecordingDC::kInitialColour);
}

TEST_F(VespinViewDrawTest, WrongVerdictIsRedStruckOutWithTheSadRabbit)
{
    StartLesson();
    m_doc.m_strTyped = "goed";
    m_doc.m_nCaret = 4;
    m_doc.CheckAnswer();
    ASSERT_TRUE(m_doc.m_bShowingCorrection);
    const RecordingDC dc = Draw();

    const DrawnItem& answer = Text(dc, "goed");
    EXPECT_EQ(answer.colour, Rgb(220, 0, 0));
    EXPECT_EQ(answer.font, Font(30, 10, 0, 600, true));
    EXPECT_TRUE(dc.Find(DrawnItem::Line).empty()) << "no caret during a verdict";

    const std::vector<DrawnItem> pictures = dc.Find(DrawnItem::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].picture, Picture::SadRabbit);
    EXPECT_EQ(pictures[0].mask, Picture::SadRabbitMask);
    EXPECT_EQ(pictures[0].rect, (Rect{467, 91, 617, 241}));

    const DrawnItem& verdict = Text(dc, "Wrong!!\n\" goed  \" is wrong!\n\" went \" would have been right!");
    EXPECT_EQ(verdict.colour, Rgb(255, 0, 0));
    EXPECT_EQ(verdict.rect, (Rect{10, 135, 692, 266}));
    const DrawnItem& percent =
        Text(dc, "0.0% of your answers were correct.\n100.0% of your answers were wrong.\n");
    EXPECT_EQ(percent.rect, (Rect{10, 205, 692, 266}));
    EXPECT_EQ(percent.colour, RecordingDC::kInitialColour);
    EXPECT_EQ(Text(dc, "There are still 3 questions.").rect.top, 110);
}

TEST_F(VespinViewDrawTest, RightVerdictIsGreenWithTheHappyFaceWhenRabbitsAreOff)
{
    StartLesson();
    m_doc.m_bRabbit = false;
    m_doc.m_strTyped = "went";
    m_doc.m_nCaret = 4;
    m_doc.CheckAnswer();
    const RecordingDC dc = Draw();

    const DrawnItem& answer = Text(dc, "went");
    EXPECT_EQ(answer.colour, Rgb(0, 220, 0));
    EXPECT_EQ(answer.font, Font(30, 10, 0, 600));
    const std::vector<DrawnItem> pictures = dc.Find(DrawnItem::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].picture, Picture::HappyFace);
    EXPECT_EQ(pictures[0].mask, Picture::FaceMask);
    EXPECT_EQ(pictures[0].rect, (Rect{467, 91, 567, 191}));
    EXPECT_EQ(Text(dc, "Right!\n\" went \" is correct!").colour, Rgb(0, 150, 0));

    m_doc.m_nLastResult = 0;
    const std::vector<DrawnItem> sad = Draw().Find(DrawnItem::Picture);
    ASSERT_EQ(sad.size(), 1u);
    EXPECT_EQ(sad[0].picture, Picture::SadFace);
    EXPECT_EQ(sad[0].mask, Picture::FaceMask);
}

TEST_F(VespinViewDrawTest, TypingAfterAnAnswerKeepsTheLastVerdictOnScreen)
{
    StartLesson();
    m_doc.m_bCorrecting = false;
    m_doc.m_fnRand = [] { return 0; };
    m_doc.m_strTyped = "goed";
    m_doc.CheckAnswer();
    m_doc.m_strTyped = "s\\'a";
    m_doc.m_nCaret = 4;
    const RecordingDC dc = Draw();

    const DrawnItem& answer = Text(dc, "s\xE1");
    EXPECT_EQ(answer.colour, Rgb(0, 0, 175)) << "drawn with its escape converted";
    const std::vector<DrawnItem> lines = dc.Find(DrawnItem::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rect.left, 14 + 4 * 10 - 1) << "the caret is measured over the typed characters";
    EXPECT_EQ(dc.Find(DrawnItem::Picture).size(), 1u);
    EXPECT_EQ(Text(dc, "Wrong!!\n\" goed  \" is wrong!\n\" went \" would have been right!").colour,
              Rgb(255, 0, 0));
}

TEST_F(VespinViewDrawTest, ScoreBarShowsTheShares)
{
    StartLesson();
    m_doc.m_nLastResult = 1;
    m_doc.m_stats.m_nRight = 3;
    m_doc.m_stats.m_nWrong = 1;
    RecordingDC dc = Draw();

    std::vector<DrawnItem> rects = dc.Find(DrawnItem::Rectangle);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[1].rect, (Rect{642, 0, 692, 66})) << "red from the top: 266 / 4 truncated";
    EXPECT_EQ(rects[1].brush, Rgb(255, 0, 0));
    EXPECT_EQ(rects[2].rect, (Rect{642, 66, 692, 266})) << "green from the bottom: 266 - 199.5";
    EXPECT_EQ(rects[2].brush, Rgb(0, 255, 0));
    const DrawnItem& top = Text(dc, "25.0%");
    EXPECT_EQ(top.rect, (Rect{642, 5, 692, 261}));
    EXPECT_EQ(top.format, 0x01u);
    EXPECT_EQ(top.font, Font(11, 6));
    EXPECT_EQ(Text(dc, "75.0%").format, 0x29u);

    m_doc.m_stats.m_nWrong = 0;
    dc = Draw();
    rects = dc.Find(DrawnItem::Rectangle);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[1].rect, (Rect{642, 0, 692, 0})) << "no wrong answers: a red part of no height";
    EXPECT_EQ(Text(dc, "0.0%").format, 0x01u);
    EXPECT_EQ(Text(dc, "100.0%").format, 0x29u);
}

TEST_F(VespinViewDrawTest, CongratulationScreenWhenFinishedWhateverThePool)
{
    StartLesson();
    m_doc.GiveUp();
    RecordingDC dc = Draw();
    EXPECT_EQ(Text(dc, "Statistics").font, Font(50, 40));
    EXPECT_EQ(Text(dc, "Statistics").rect, (Rect{10, 10, 692, 266}));
    EXPECT_EQ(Text(dc, "Congratulations, you have finished your lesson!").rect, (Rect{10, 70, 692, 266}));
    EXPECT_EQ(Text(dc, "You have not answered to a single question.").rect, (Rect{10, 110, 692, 266}));
    EXPECT_TRUE(dc.Find(DrawnItem::Rectangle).empty()) << "no score bar without answers";

    m_doc.m_pool.clear();
    m_doc.m_stats.m_nRight = 2;
    dc = Draw();
    EXPECT_EQ(dc.Find(DrawnItem::Rectangle).size(), 2u);
    EXPECT_FALSE(dc.Find(DrawnItem::Text).empty());
    EXPECT_NE(dc.FindText("You answered to 2 questions.\n\n2 answers were correct.\n"
                          "You haven't made any mistakes.\n\n"
                          "100.0% of your answers were correct.\n0.0% of your answers were wrong.\n"),
              nullptr);
}

TEST_F(VespinViewDrawTest, PartsOutsideTheRepaintedAreaAreSkipped)
{
    StartLesson();
    m_doc.m_nLastResult = 0;
    m_doc.m_stats.m_nWrong = 1;

    RecordingDC dc;
    dc.visibleArea = Rect{0, 200, 100, 266};
    m_view.OnDraw(&dc);
    EXPECT_EQ(dc.FindText("go"), nullptr) << "header skipped";
    EXPECT_TRUE(dc.Find(DrawnItem::Rectangle).empty()) << "answer box and score bar skipped";
    EXPECT_TRUE(dc.Find(DrawnItem::Picture).empty());
    EXPECT_NE(dc.FindText("There are still 2 questions."), nullptr) << "texts below are always drawn";

    RecordingDC answerOnly;
    answerOnly.visibleArea = AnswerTextRect(m_window.client);
    m_view.OnDraw(&answerOnly);
    EXPECT_EQ(answerOnly.Find(DrawnItem::Rectangle).size(), 1u) << "only the answer frame";
}
