// A long run of lessons through the view: random typing and editing keys, clicks, caret
// and verdict ticks, right and wrong answers, lesson after lesson, with the lesson's
// bookkeeping checked after every event.
//   TALDRIN_SOAK_ANSWERS  answers to give (default 1000000)
//   TALDRIN_SOAK_SEED     replays a run; the seed is printed at the start
#include "lesson/VespinDoc.h"

#include "res/CommandIds.h"
#include "res/DialogTemplates.h"
#include "support/FakeViewWindow.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingDC.h"
#include "support/TempDir.h"
#include "verbdata/AnswerText.h"
#include "view/VespinView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

namespace
{

// Records beyond the bundled list's: accent escapes, a doubled space, a list with an escape.
const char* const kExtraRecords = "lit\ncr\\^ep\\'ed\ncr\\^epe\nrolled  up\n"
                                  "dop\n/na\\\"ived /naived\nna\\\"ive\n/na\\\"ived /naived\n";

// Direction boxes of the forms dialog are 1000 .. 1005.
constexpr int kFirstDirectionBox = 1000;
const int kGroupBoxes[] = {IDC_GROUP_LIT,  IDC_GROUP_ESS1, IDC_GROUP_ESS2,
                           IDC_GROUP_BAS1, IDC_GROUP_BAS2, IDC_GROUP_DOP};

unsigned long EnvNumber(const char* pszName, unsigned long nDefault)
{
    const char* psz = std::getenv(pszName);
    return psz && *psz ? std::strtoul(psz, nullptr, 10) : nDefault;
}

// The texts that count as right for a stored expected text, after the lesson's own
// conversions: accents converted, blanks normalised, a "/" list split.
std::vector<std::string> RightAnswers(const std::string& strExpected)
{
    const std::string strText = NormaliseSpaces(ConvertAccents(strExpected));
    if (strText.empty() || strText[0] != '/')
        return {strText};
    std::vector<std::string> answers;
    std::size_t nStart = 1;
    for (std::size_t p; (p = strText.find(" /", nStart)) != std::string::npos; nStart = p + 2)
        answers.push_back(strText.substr(nStart, p - nStart));
    answers.push_back(strText.substr(nStart));
    return answers;
}

class LessonSoak
{
public:
    explicit LessonSoak(unsigned nSeed) : m_random(nSeed)
    {
        m_doc.m_fnSeed = [nSeed] { return nSeed; };
        m_doc.m_fnRand = [this] { return static_cast<int>(m_random() % 32768); };
    }

    // Gives nAnswers answers, starting lessons as they end; stops at the first failure.
    void Run(unsigned long nAnswers)
    {
        StartLesson();
        for (m_nAnswers = 0; m_nAnswers < nAnswers && !::testing::Test::HasFailure(); ++m_nAnswers)
        {
            AnswerOnce();
            if (m_doc.m_bFinished)
                StartLesson();
            if (m_nAnswers % 4096 == 0)
            {
                RecordingDC dc;
                m_view.OnDraw(&dc);
                ASSERT_FALSE(dc.items.empty());
                m_window.invalidations.clear();
                m_window.windowDrawing.clear();
            }
        }
    }

    unsigned long Lessons() const { return m_nLessons; }
    unsigned long LargestPool() const { return m_nLargestPool; }

private:
    std::size_t Pick(std::size_t n) { return m_random() % n; }
    bool Chance(unsigned nPercent) { return m_random() % 100 < nPercent; }

    // A new lesson from the welcome screen, through both set-up dialogs with random boxes
    // ticked (at least one of each).
    void StartLesson()
    {
        ASSERT_TRUE(m_doc.OnNewDocument());
        ++m_nLessons;
        std::vector<int> forms{kFirstDirectionBox + static_cast<int>(Pick(6))};
        std::vector<int> groups{kGroupBoxes[Pick(6)]};
        for (int k = 0; k < 6; ++k)
        {
            if (Chance(50))
                forms.push_back(kFirstDirectionBox + k);
            if (Chance(50))
                groups.push_back(kGroupBoxes[k]);
        }
        m_window.dialogScripts = {Tick(forms), Tick(groups)};
        m_view.OnLButtonDown(5, 5);
        ASSERT_FALSE(m_doc.m_pool.empty()) << "every box set gives questions from the bundled list";
        ASSERT_EQ(m_window.timers.count(TIMER_CARET_BLINK), 1u);
        m_strModel.clear();
        m_nModelCaret = 0;
        m_nRight = m_nWrong = 0;
        m_nInitialPool = m_doc.m_pool.size();
        m_nLargestPool = std::max<unsigned long>(m_nLargestPool, m_nInitialPool);
        m_doc.m_bCorrecting = Chance(50);
    }

    static std::function<void(CDialog&, FakeDialogControls&)> Tick(std::vector<int> boxes)
    {
        return [boxes](CDialog& dialog, FakeDialogControls& controls)
        {
            for (int nId : boxes)
                controls.SetCheck(nId, 1);
            dialog.OnOK();
        };
    }

    void AnswerOnce()
    {
        const std::vector<std::string> answers =
            RightAnswers(m_doc.m_pool.at(m_doc.m_nCurrent).GetExpected());
        const bool bRight = Chance(60);
        std::string strTarget = answers[Pick(answers.size())];
        if (!bRight)
            strTarget.insert(Pick(strTarget.size() + 1), 1, '#');
        if (Chance(10))
            strTarget = "  " + strTarget + "   ";

        TypeNoise();
        ClearAnswer();
        TypeText(strTarget);
        ASSERT_EQ(m_doc.m_strTyped, strTarget);
        Verdict(bRight);
    }

    // A few random keys, characters and clicks, all checked against the model.
    void TypeNoise()
    {
        for (std::size_t n = Pick(6); n > 0; --n)
        {
            switch (Pick(4))
            {
            case 0:
            {
                unsigned char c = static_cast<unsigned char>(m_random());
                Char(c == '\r' ? 'r' : c);
                break;
            }
            case 1:
                // 35 .. 47: the editing keys and others the view ignores.
                Key(static_cast<unsigned>(KEY_END + Pick(13)));
                break;
            case 2:
            {
                const Rect text = AnswerTextRect(m_window.client);
                m_view.OnLButtonDown(
                    text.left + static_cast<int>(Pick(static_cast<std::size_t>(text.Width() + 40))),
                    text.top + static_cast<int>(Pick(static_cast<std::size_t>(text.Height()))));
                // Where a click puts the caret is the click test's business; here it is
                // only taken over, inside the answer.
                CheckCaret();
                m_nModelCaret = static_cast<std::size_t>(m_doc.m_nCaret);
                break;
            }
            default:
                m_view.OnTimer(TIMER_CARET_BLINK);
                CheckModel();
            }
        }
    }

    void ClearAnswer()
    {
        if (Chance(50))
        {
            Key(KEY_END);
            while (!m_strModel.empty())
                Char('\b');
        }
        else
        {
            Key(KEY_HOME);
            while (!m_strModel.empty())
                Key(KEY_DELETE);
        }
    }

    // Types the second part first, goes Home, then the first part; now and then a typo
    // taken back at once.
    void TypeText(const std::string& strText)
    {
        const std::size_t nSplit = Pick(strText.size() + 1);
        for (char c : strText.substr(nSplit))
            TypeChar(c);
        Key(KEY_HOME);
        for (char c : strText.substr(0, nSplit))
            TypeChar(c);
    }

    void TypeChar(char c)
    {
        if (Chance(5))
        {
            Char('x');
            Char('\b');
        }
        if (Chance(3))
            m_view.OnTimer(TIMER_CARET_BLINK);
        Char(static_cast<unsigned char>(c));
    }

    void Verdict(bool bRight)
    {
        const std::size_t nPool = m_doc.m_pool.size();
        const bool bCorrecting = m_doc.m_bCorrecting;
        m_view.OnChar('\r');
        bRight ? ++m_nRight : ++m_nWrong;
        ASSERT_EQ(m_doc.m_stats.m_nRight, m_nRight);
        ASSERT_EQ(m_doc.m_stats.m_nWrong, m_nWrong);
        ASSERT_EQ(m_doc.m_nLastResult, bRight ? 1 : 0) << "typed \"" << m_strModel << "\"";
        CheckCaret();

        if (!bCorrecting)
        {
            ASSERT_EQ(m_doc.m_pool.size(), bRight ? nPool - 1 : nPool + 1);
            ASSERT_TRUE(m_doc.m_strTyped.empty());
            ResetModel();
        }
        else
        {
            ASSERT_TRUE(m_doc.m_bShowingCorrection);
            ASSERT_EQ(m_doc.m_pool.size(), bRight ? nPool : nPool + 1)
                << "a right answer leaves after the verdict";
            ASSERT_EQ(m_window.timers.count(TIMER_VERDICT), 1u);
            // Keys during the verdict: characters are lost, editing keys still act.
            for (std::size_t n = Pick(4); n > 0; --n)
            {
                if (Chance(50))
                    Key(static_cast<unsigned>(KEY_END + Pick(13)));
                else
                    Char('z');
                m_view.OnTimer(TIMER_CARET_BLINK);
            }
            m_view.OnTimer(TIMER_VERDICT);
            ASSERT_FALSE(m_doc.m_bShowingCorrection);
            ASSERT_EQ(m_window.timers.count(TIMER_VERDICT), 0u);
            ASSERT_EQ(m_doc.m_pool.size(), bRight ? nPool - 1 : nPool + 1);
            ASSERT_TRUE(m_doc.m_strTyped.empty());
            ResetModel();
        }
        ASSERT_EQ(m_doc.m_pool.size(), m_nInitialPool + m_nWrong - m_nRight);
        ASSERT_EQ(m_doc.m_bFinished, m_doc.m_pool.empty());
        m_nLargestPool = std::max<unsigned long>(m_nLargestPool, m_doc.m_pool.size());
        if (!m_doc.m_bFinished)
        {
            ASSERT_LT(m_doc.m_nCurrent, m_doc.m_pool.size());
            ASSERT_EQ(m_doc.GetTitle(), ConvertAccents(m_doc.GetPrompt()));
        }
        else
            ASSERT_EQ(m_doc.GetTitle(), "Statistics");
    }

    // A character through the view and through the model of the answer box; during a
    // verdict the box takes no characters.
    void Char(unsigned char c)
    {
        m_view.OnChar(c);
        if (!m_doc.m_bShowingCorrection)
        {
            if (c == '\b')
            {
                if (m_nModelCaret > 0)
                    m_strModel.erase(--m_nModelCaret, 1);
            }
            else
                m_strModel.insert(m_nModelCaret++, 1, static_cast<char>(c));
        }
        CheckModel();
    }

    void Key(unsigned nKey)
    {
        m_view.OnKeyDown(nKey);
        switch (nKey)
        {
        case KEY_END:
            m_nModelCaret = m_strModel.size();
            break;
        case KEY_HOME:
            m_nModelCaret = 0;
            break;
        case KEY_LEFT:
            m_nModelCaret -= m_nModelCaret > 0 ? 1 : 0;
            break;
        case KEY_RIGHT:
            m_nModelCaret += m_nModelCaret < m_strModel.size() ? 1 : 0;
            break;
        case KEY_DELETE:
            if (m_nModelCaret < m_strModel.size())
                m_strModel.erase(m_nModelCaret, 1);
            break;
        default:
            break;
        }
        CheckModel();
    }

    void ResetModel()
    {
        m_strModel.clear();
        m_nModelCaret = 0;
        CheckModel();
    }

    void CheckCaret()
    {
        ASSERT_GE(m_doc.m_nCaret, 0) << "answer " << m_nAnswers;
        ASSERT_LE(static_cast<std::size_t>(m_doc.m_nCaret), m_doc.m_strTyped.size())
            << "answer " << m_nAnswers;
    }

    void CheckModel()
    {
        CheckCaret();
        ASSERT_EQ(m_doc.m_strTyped, m_strModel) << "answer " << m_nAnswers;
        ASSERT_EQ(static_cast<std::size_t>(m_doc.m_nCaret), m_nModelCaret)
            << "answer " << m_nAnswers;
    }

    std::mt19937 m_random;
    MemorySettingsStore m_profile;
    CVespinDoc m_doc{m_profile};
    FakeViewWindow m_window;
    CVespinView m_view{m_doc, m_window};

    std::string m_strModel;
    std::size_t m_nModelCaret = 0;
    std::uint32_t m_nRight = 0, m_nWrong = 0;
    std::size_t m_nInitialPool = 0;
    unsigned long m_nAnswers = 0, m_nLessons = 0, m_nLargestPool = 0;
};

} // namespace

TEST(LessonSoak, MillionAnswersKeepTheBookkeepingRight)
{
    const unsigned long nAnswers = EnvNumber("TALDRIN_SOAK_ANSWERS", 1000000);
    const auto nSeed =
        static_cast<unsigned>(EnvNumber("TALDRIN_SOAK_SEED", std::random_device()()));
    std::printf("soak: %lu answers, TALDRIN_SOAK_SEED=%u\n", nAnswers, nSeed);
    SCOPED_TRACE("TALDRIN_SOAK_SEED=" + std::to_string(nSeed));

    TempDir dir;
    dir.Enter();
    dir.Write("irregu.ver", TempDir::Read(TALDRIN_SOURCE_DIR "/data/irregu.ver") + kExtraRecords);
    auto soak = std::make_unique<LessonSoak>(nSeed);
    soak->Run(nAnswers);
    std::printf("soak: %lu lessons, largest pool %lu\n", soak->Lessons(), soak->LargestPool());
}
