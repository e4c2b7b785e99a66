// Clicks, keys, timer ticks and lesson commands, through a window without a display.
#include "view/VespinView.h"

#include "dialogs/OptionDlg.h"
#include "lesson/VespinDoc.h"
#include "res/CommandIds.h"
#include "res/DialogTemplates.h"
#include "support/FakeViewWindow.h"
#include "support/MemorySettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{

using Script = std::function<void(CDialog&, FakeDialogControls&)>;

// Ticks the given boxes and presses OK.
Script Tick(std::initializer_list<int> ids)
{
    std::vector<int> boxes(ids);
    return [boxes](CDialog& dialog, FakeDialogControls& controls) {
        for (int nId : boxes)
            controls.SetCheck(nId, 1);
        dialog.OnOK();
    };
}

Script PressEsc()
{
    return [](CDialog& dialog, FakeDialogControls&) { dialog.OnCancel(); };
}

class VespinViewInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.Enter();
        m_dir.Write("irregu.ver", TempDir::Read(TALDRIN_SOURCE_DIR "/tests/data/worked.ver"));
        m_doc.m_fnSeed = [] { return 7u; };
        m_doc.OnNewDocument();
    }

    // Clicks the welcome screen and chooses "Infinitive to Past Tense" and "bas1": one
    // question, "go" asking for "went".
    void StartOneQuestionLesson()
    {
        m_window.dialogScripts = {Tick({1000}), Tick({IDC_GROUP_BAS1})};
        m_view.OnLButtonDown(300, 200);
        ASSERT_EQ(m_doc.m_pool.size(), 1u);
    }

    void Type(const std::string& strKeys)
    {
        for (char c : strKeys)
            m_view.OnChar(static_cast<unsigned char>(c));
    }

    const FakeViewWindow::Invalidation& LastInvalidation() const
    {
        static const FakeViewWindow::Invalidation none{std::nullopt, false};
        return m_window.invalidations.empty() ? none : m_window.invalidations.back();
    }

    TempDir m_dir;
    MemorySettingsStore m_profile;
    CVespinDoc m_doc{m_profile};
    FakeViewWindow m_window;
    CVespinView m_view{m_doc, m_window};
    const Rect m_answer = AnswerTextRect(m_window.client);
};

} // namespace

TEST_F(VespinViewInputTest, ClickOnTheWelcomeScreenStartsALessonThroughBothDialogs)
{
    m_window.dialogScripts = {Tick({1000, 1005}), Tick({IDC_GROUP_BAS1, IDC_GROUP_DOP})};
    m_view.OnLButtonDown(5, 5);
    EXPECT_EQ(m_window.shownDialogs, (std::vector<int>{IDD_FORMS, IDD_GROUPS}));
    EXPECT_TRUE(m_doc.m_directions.Get(0));
    EXPECT_TRUE(m_doc.m_directions.Get(5));
    EXPECT_TRUE(m_doc.m_groups.Get(3)) << "bas1";
    EXPECT_TRUE(m_doc.m_groups.Get(5)) << "dop";
    EXPECT_EQ(m_doc.m_pool.size(), 3u) << "go twice, learn once (its Past Tense is a list)";
    EXPECT_EQ(m_window.timers.at(TIMER_CARET_BLINK), 333u);
    EXPECT_FALSE(LastInvalidation().rect.has_value());
    EXPECT_TRUE(LastInvalidation().erase);

    m_window.dialogScripts = {Tick({1000})};
    m_view.OnLButtonDown(5, 5);
    EXPECT_EQ(m_window.shownDialogs.size(), 2u) << "a running lesson takes no new set-up";
}

TEST_F(VespinViewInputTest, EscInTheFormsDialogLeadsBackToTheWelcomeScreen)
{
    m_window.dialogScripts = {PressEsc(), Tick({IDC_GROUP_BAS1})};
    m_view.OnLButtonDown(5, 5);
    EXPECT_EQ(m_window.shownDialogs, (std::vector<int>{IDD_FORMS, IDD_GROUPS}));
    EXPECT_TRUE(m_doc.m_pool.empty());
    EXPECT_FALSE(m_doc.m_bFinished);

    m_window.dialogScripts = {Tick({1000}), Tick({IDC_GROUP_BAS1})};
    m_view.OnLButtonDown(5, 5);
    EXPECT_EQ(m_doc.m_pool.size(), 1u) << "the next click runs the set-up again";
}

TEST_F(VespinViewInputTest, AlternativeListSkipsTheGroupsDialog)
{
    TempDir other;
    other.Enter();
    other.Write("irrtes.ver", TempDir::Read(TALDRIN_SOURCE_DIR "/tests/data/worked.ver"));
    CVespinDoc doc(m_profile);
    CVespinView view(doc, m_window);
    doc.OnNewDocument();
    ASSERT_TRUE(doc.m_bAlternativeFile);
    m_window.dialogScripts = {Tick({1000})};
    view.OnLButtonDown(5, 5);
    EXPECT_EQ(m_window.shownDialogs, std::vector<int>{IDD_FORMS});
    EXPECT_EQ(doc.m_pool.size(), 2u) << "every group of the alternative list";
}

TEST_F(VespinViewInputTest, ClickPlacesTheCaretAtTheNearestBoundary)
{
    StartOneQuestionLesson();
    m_doc.m_strTyped = "ab";
    m_window.charWidths = {{'a', 10}, {'b', 12}};
    const int x0 = m_answer.left, y = m_answer.top + 5;
    const std::pair<int, int> clicks[] = {{x0 + 4, 0}, {x0 + 5, 1}, {x0 + 15, 1}, {x0 + 16, 2}, {x0, 0}};
    for (const auto& [x, nCaret] : clicks)
    {
        m_doc.m_nCaret = 1 - nCaret % 2;
        m_view.OnLButtonDown(x, y);
        EXPECT_EQ(m_doc.m_nCaret, nCaret) << "click at x0 + " << x - x0;
    }
    EXPECT_EQ(LastInvalidation().rect, m_answer);
    EXPECT_TRUE(LastInvalidation().erase);

    const std::size_t nRepaints = m_window.invalidations.size();
    m_view.OnLButtonDown(m_answer.right, y);
    m_view.OnLButtonDown(x0 + 4, m_answer.bottom);
    EXPECT_EQ(m_doc.m_nCaret, 0) << "clicks outside the answer change nothing";
    EXPECT_EQ(m_window.invalidations.size(), nRepaints);

    m_doc.m_strTyped.clear();
    m_view.OnLButtonDown(x0 + 50, y);
    EXPECT_EQ(m_doc.m_nCaret, 0) << "an empty answer";
}

TEST_F(VespinViewInputTest, TypingAndEditingKeys)
{
    StartOneQuestionLesson();
    Type("at");
    m_doc.m_nCaret = 1;
    m_view.OnChar('c');
    EXPECT_EQ(m_doc.m_strTyped, "act");
    EXPECT_EQ(m_doc.m_nCaret, 2);
    EXPECT_EQ(LastInvalidation().rect, m_answer);
    EXPECT_FALSE(LastInvalidation().erase);

    m_view.OnChar(0x100 | '\t');
    EXPECT_EQ(m_doc.m_strTyped, "ac\tt") << "only the low 8 bits count; control codes go in";
    m_view.OnKeyDown(KEY_HOME);
    m_view.OnChar('\b');
    m_view.OnKeyDown(KEY_LEFT);
    EXPECT_EQ(m_doc.m_strTyped, "ac\tt") << "Backspace at 0";
    EXPECT_EQ(m_doc.m_nCaret, 0);
    m_view.OnKeyDown(KEY_DELETE);
    EXPECT_EQ(m_doc.m_strTyped, "c\tt");
    m_view.OnKeyDown(KEY_END);
    m_view.OnKeyDown(KEY_RIGHT);
    EXPECT_EQ(m_doc.m_nCaret, 3);
    const std::size_t nRepaints = m_window.invalidations.size();
    m_view.OnKeyDown(KEY_DELETE);
    m_view.OnKeyDown(38); // Up
    EXPECT_EQ(m_doc.m_strTyped, "c\tt");
    EXPECT_EQ(m_window.invalidations.size(), nRepaints) << "Delete at the end and Up ask for no repaint";
    m_view.OnChar('\b');
    EXPECT_EQ(m_doc.m_strTyped, "c\t");
}

TEST_F(VespinViewInputTest, ReturnWithCorrectingStartsTheVerdictTimer)
{
    StartOneQuestionLesson();
    Type("goed\r");
    EXPECT_EQ(m_window.timers.at(TIMER_VERDICT), 2000u);
    EXPECT_FALSE(LastInvalidation().rect.has_value());
    EXPECT_TRUE(LastInvalidation().erase);

    Type("x\r");
    EXPECT_EQ(m_doc.m_strTyped, "goed") << "characters during the verdict are lost";
    m_view.OnKeyDown(KEY_HOME);
    m_view.OnKeyDown(KEY_DELETE);
    EXPECT_EQ(m_doc.m_strTyped, "oed") << "editing keys still act";

    m_window.windowDrawing.clear();
    m_view.OnTimer(TIMER_CARET_BLINK);
    EXPECT_TRUE(m_window.windowDrawing.empty()) << "no blink during the verdict";

    m_view.OnTimer(TIMER_VERDICT);
    EXPECT_FALSE(m_doc.m_bShowingCorrection);
    EXPECT_EQ(m_window.timers.count(TIMER_VERDICT), 0u);
    EXPECT_EQ(m_doc.m_pool.size(), 2u);

    Type("went\r");
    EXPECT_EQ(m_window.timers.at(TIMER_VERDICT), 400u);
    m_view.OnTimer(TIMER_VERDICT);
    Type("went\r");
    m_view.OnTimer(TIMER_VERDICT);
    EXPECT_TRUE(m_doc.m_bFinished);
    EXPECT_EQ(m_doc.GetTitle(), "Statistics");
    EXPECT_EQ(m_window.timers.count(TIMER_CARET_BLINK), 1u)
        << "a lesson ended by the verdict timer leaves the blink running";
}

TEST_F(VespinViewInputTest, ReturnThatEndsTheLessonStopsTheBlink)
{
    StartOneQuestionLesson();
    m_doc.m_bCorrecting = false;
    Type("went\r");
    EXPECT_TRUE(m_doc.m_bFinished);
    EXPECT_EQ(m_window.timers.count(TIMER_CARET_BLINK), 0u);
    EXPECT_EQ(m_window.timers.count(TIMER_VERDICT), 0u);
}

TEST_F(VespinViewInputTest, CaretBlinksBlackAndWhiteAtTheCaret)
{
    StartOneQuestionLesson();
    Type("ab");
    m_view.OnKeyDown(KEY_LEFT);
    m_window.windowDrawing.clear();
    m_view.OnTimer(TIMER_CARET_BLINK);
    m_view.OnTimer(TIMER_CARET_BLINK);
    ASSERT_EQ(m_window.windowDrawing.size(), 2u);
    const DrawnItem& black = m_window.windowDrawing[0];
    EXPECT_EQ(black.colour, Rgb(0, 0, 0));
    EXPECT_EQ(black.rect, (Rect{m_answer.left + 9, m_answer.top, m_answer.left + 9, m_answer.top + 30}));
    EXPECT_EQ(black.font, AnswerFont());
    EXPECT_EQ(m_window.windowDrawing[1].colour, Rgb(255, 255, 255));
    EXPECT_EQ(m_window.windowDrawing[1].rect, black.rect);
    EXPECT_FALSE(m_doc.m_bCaretOn);
    m_view.OnTimer(999);
    EXPECT_EQ(m_window.windowDrawing.size(), 2u);
}

TEST_F(VespinViewInputTest, GiveUp)
{
    StartOneQuestionLesson();
    Type("x");
    m_window.answers = {RESULT_NO};
    m_view.OnGiveUp();
    EXPECT_FALSE(m_doc.m_bFinished);
    ASSERT_EQ(m_window.messages.size(), 1u);
    EXPECT_EQ(m_window.messages[0].text, "Are you sure to want to quit your lesson?");
    EXPECT_EQ(m_window.messages[0].caption, "Taldrin");
    EXPECT_EQ(m_window.messages[0].style, unsigned(BOX_YESNO | BOX_ICONQUESTION));
    EXPECT_FALSE(LastInvalidation().rect.has_value()) << "repainted whatever the answer";

    m_window.answers = {RESULT_YES};
    m_view.OnGiveUp();
    EXPECT_TRUE(m_doc.m_bFinished);
    EXPECT_EQ(m_doc.m_pool.size(), 1u);

    const int nDialogs = static_cast<int>(m_window.shownDialogs.size());
    m_view.OnLButtonDown(m_answer.left + 1, m_answer.top + 1);
    EXPECT_EQ(static_cast<int>(m_window.shownDialogs.size()), nDialogs) << "clicks are ignored";
    Type("\b\bgoed\r");
    EXPECT_EQ(m_doc.m_stats.m_nWrong, 1u) << "typing and Return still reach the answer check";
    m_view.OnTimer(TIMER_VERDICT);
    EXPECT_TRUE(m_doc.m_bShowingCorrection) << "a verdict tick after Give up does nothing";
    EXPECT_EQ(m_window.timers.count(TIMER_VERDICT), 1u);
}

TEST_F(VespinViewInputTest, VerdictEndsBehindTheGiveUpQuestion)
{
    StartOneQuestionLesson();
    Type("goed\r");
    // The timers keep ticking in the question's modal loop: the verdict ends there.
    m_window.whileMessageShown = [this] { m_view.OnTimer(TIMER_VERDICT); };
    m_window.answers = {RESULT_NO};
    m_view.OnGiveUp();
    EXPECT_FALSE(m_doc.m_bShowingCorrection);
    EXPECT_EQ(m_doc.m_pool.size(), 2u);
    EXPECT_EQ(m_window.timers.count(TIMER_VERDICT), 0u);

    Type("went\r");
    m_window.answers = {RESULT_YES};
    m_view.OnGiveUp();
    EXPECT_TRUE(m_doc.m_bFinished);
    EXPECT_EQ(m_doc.m_pool.size(), 1u) << "the verdict ended before the lesson was given up";
    m_window.whileMessageShown = nullptr;
    m_view.OnTimer(TIMER_VERDICT);
    EXPECT_EQ(m_doc.m_pool.size(), 1u) << "a tick after Give up consumes no question";
}

TEST_F(VespinViewInputTest, StatisticsShowsNothingBeforeTheFirstAnswer)
{
    StartOneQuestionLesson();
    m_view.OnStatistics();
    EXPECT_EQ(m_window.shownDialogs.size(), 2u);

    m_doc.m_bCorrecting = false;
    Type("goed\r");
    m_window.dialogScripts = {[](CDialog& dialog, FakeDialogControls&) { dialog.OnOK(); }};
    m_view.OnStatistics();
    EXPECT_EQ(m_window.shownDialogs.back(), IDD_STATISTICS);
    EXPECT_EQ(m_window.lastDialogControls.GetText(IDC_STATISTICS_TEXT),
              "You have answered one question.\nYou haven't answered right to a single question.\n"
              "You had a mistake in one single question.\n\n0.0% of your answers were correct.\n"
              "100.0% of your answers were wrong.\n\n\nThere are still 2 questions.");
}

TEST(OptionsRoundTrip, EveryWholeMillisecondUpTo200000ComesBackUnchanged)
{
    MemorySettingsStore profile;
    CVespinDoc doc(profile);
    FakeViewWindow window;
    CVespinView view(doc, window);
    for (std::uint32_t nMs = 0; nMs <= 200000; ++nMs)
    {
        doc.m_nRightTime = nMs;
        doc.m_nWrongTime = 200000 - nMs;
        view.OnLessonView(); // no script: the dialog is cancelled
        if (doc.m_nRightTime != nMs || doc.m_nWrongTime != 200000 - nMs)
        {
            ADD_FAILURE() << nMs << " ms came back as " << doc.m_nRightTime << " and " << 200000 - nMs
                          << " ms as " << doc.m_nWrongTime;
            break;
        }
    }
}

TEST_F(VespinViewInputTest, OptionsDialogShowsAndTakesTheSettings)
{
    m_window.dialogScripts = {[](CDialog& dialog, FakeDialogControls& controls) {
        EXPECT_EQ(controls.GetCheck(IDC_RABBIT), 1);
        EXPECT_EQ(controls.GetCheck(IDC_NO_CORRECTION), 0);
        EXPECT_EQ(controls.GetText(IDC_RIGHT_TIME), "0.4");
        EXPECT_EQ(controls.GetText(IDC_WRONG_TIME), "2");
        controls.SetText(IDC_RIGHT_TIME, "1.5");
        controls.SetText(IDC_WRONG_TIME, " 1,25 ");
        controls.SetCheck(IDC_NO_CORRECTION, 1);
        controls.SetCheck(IDC_RABBIT, 0);
        dialog.OnOK();
        EXPECT_EQ(controls.result, RESULT_OK);
    }};
    m_view.OnLessonView();
    EXPECT_EQ(m_doc.m_nRightTime, 1500u);
    EXPECT_EQ(m_doc.m_nWrongTime, 1250u);
    EXPECT_FALSE(m_doc.m_bCorrecting);
    EXPECT_FALSE(m_doc.m_bRabbit);
    EXPECT_FALSE(LastInvalidation().rect.has_value());
}

TEST_F(VespinViewInputTest, OptionsDialogRefusesTimesThatAreNoNumberOrOutOfRange)
{
    const struct
    {
        const char* right;
        const char* wrong;
        const char* message;
        int focus;
    } cases[] = {
        {"abc", "3", "vespin: Please enter a number.", IDC_RIGHT_TIME},
        {"", "3", "vespin: Please enter a number.", IDC_RIGHT_TIME},
        {"1.5x", "3", "vespin: Please enter a number.", IDC_RIGHT_TIME},
        {"abc", "xyz", "vespin: Please enter a number.", IDC_WRONG_TIME},
        {"-0.5", "3", "vespin: Please enter a time from 0 to 4294967 seconds.", IDC_RIGHT_TIME},
        {"1", "5000000", "vespin: Please enter a time from 0 to 4294967 seconds.", IDC_WRONG_TIME},
        {"1", "nan", "vespin: Please enter a number.", IDC_WRONG_TIME},
    };
    for (const auto& c : cases)
    {
        m_doc.SetOptions(400, 2000, true);
        m_doc.m_bRabbit = true;
        m_window.dialogScripts = {[&c](CDialog& dialog, FakeDialogControls& controls) {
            controls.SetCheck(IDC_RABBIT, 0);
            controls.SetText(IDC_RIGHT_TIME, c.right);
            controls.SetText(IDC_WRONG_TIME, c.wrong);
            dialog.OnOK();
            EXPECT_FALSE(controls.result.has_value()) << c.right << " / " << c.wrong << ": stays open";
            EXPECT_EQ(controls.messages, std::vector<std::string>{c.message}) << c.right << " / " << c.wrong;
            EXPECT_EQ(controls.focus, c.focus) << c.right << " / " << c.wrong;
            dialog.OnCancel();
        }};
        m_view.OnLessonView();
        EXPECT_FALSE(m_doc.m_bRabbit) << "the boxes read before the refused one are taken";
        if (c.focus == IDC_RIGHT_TIME)
        {
            EXPECT_EQ(m_doc.m_nWrongTime, 3000u) << c.right;
        }
        EXPECT_LE(m_doc.m_nRightTime, 1000u) << "never an absurd time";
    }
}
