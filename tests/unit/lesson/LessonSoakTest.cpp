// Lesson after lesson through the view: random typing and editing keys, Return and verdict
// ticks, with the bookkeeping and the answer box checked after every event.
//   TALDRIN_SOAK_ANSWERS  answers to give (default 1000000)
//   TALDRIN_SOAK_SEED     replays a run; the seed is printed at the start
#include "lesson/VespinDoc.h"

#include "res/CommandIds.h"
#include "res/DialogTemplates.h"
#include "support/FakeViewWindow.h"
#include "support/MemorySettingsStore.h"
#include "support/TempDir.h"
#include "verbdata/AnswerText.h"
#include "view/VespinView.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

class LessonSoak : public ::testing::Test
{
protected:
    std::size_t Pick(std::size_t n) { return random() % n; }

    // The answer box must be what the keys so far made of it. While a verdict is shown
    // characters are lost, but editing keys still act; control codes are never typed.
    void Char(unsigned char c)
    {
        view.OnChar(c);
        if (!doc.m_bShowingCorrection && c == '\b' && caret > 0)
            model.erase(--caret, 1);
        else if (!doc.m_bShowingCorrection && c >= 0x20 && (c < 0x7F || c >= 0xA0))
            model.insert(caret++, 1, static_cast<char>(c));
        Check();
    }
    void Key(unsigned nKey) // 35 .. 47: the editing keys and others the view ignores
    {
        view.OnKeyDown(nKey);
        caret = nKey == KEY_HOME ? 0 : nKey == KEY_END ? model.size() : caret;
        caret += nKey == KEY_RIGHT && caret < model.size();
        caret -= nKey == KEY_LEFT && caret > 0;
        if (nKey == KEY_DELETE && caret < model.size())
            model.erase(caret, 1);
        Check();
    }
    void Check()
    {
        ASSERT_TRUE(doc.m_nCaret >= 0 && std::size_t(doc.m_nCaret) <= doc.m_strTyped.size());
        ASSERT_EQ(doc.m_strTyped, model);
        ASSERT_EQ(std::size_t(doc.m_nCaret), caret);
    }

    // From the welcome screen through both set-up dialogs, at least one box ticked in each.
    void StartLesson()
    {
        ASSERT_TRUE(doc.OnNewDocument());
        for (int nFirst : {IDC_FORM_FIRST, IDC_GROUP_BAS1})
            window.dialogScripts.push_back([this, nFirst](CDialog& dialog, FakeViewWindow& boxes)
            {
                for (int k = 0; k < 6; ++k)
                    boxes.SetCheck(nFirst + k, static_cast<int>(Pick(2)));
                boxes.SetCheck(nFirst + static_cast<int>(Pick(6)), 1);
                dialog.OnOK();
            });
        view.OnLButtonDown(5, 5);
        ASSERT_FALSE(doc.m_pool.empty()) << "every choice of boxes finds questions";
        ++nLessons;
        nRight = nWrong = 0;
        doc.m_bCorrecting = Pick(2);
    }

    // Noise typed and cleared away, then the answer, Return, and the verdict ticked away.
    // A wrong answer has a '#' in it; blanks around count for nothing.
    void Answer()
    {
        std::string strText = NormaliseSpaces(ConvertAccents(doc.m_pool.at(doc.m_nCurrent).GetExpected()));
        if (strText[0] == '/')
            strText = strText.substr(1, strText.find(" /") - 1); // the first alternative
        const bool bRight = Pick(10) < 6;
        if (!bRight)
            strText.insert(Pick(strText.size() + 1), 1, '#');
        if (Pick(10) == 0)
            strText = "  " + strText + "   ";
        for (std::size_t n = Pick(6); n > 0; --n, view.OnTimer(TIMER_CARET_BLINK))
        {
            const auto c = static_cast<unsigned char>(random());
            Pick(2) ? Char(c == '\r' ? '\b' : c) : Key(KEY_END + c % 13);
        }
        Key(Pick(2) ? KEY_END : KEY_HOME);
        while (!model.empty())
            caret > 0 ? Char('\b') : Key(KEY_DELETE);
        for (char c : strText)
            Char(c);

        const std::size_t nPool = doc.m_pool.size();
        view.OnChar('\r');
        ++(bRight ? nRight : nWrong);
        ASSERT_EQ(doc.m_stats.m_nRight, nRight) << "typed \"" << strText << "\"";
        ASSERT_EQ(doc.m_stats.m_nWrong, nWrong);
        if (doc.m_bCorrecting)
        {
            ASSERT_EQ(doc.m_pool.size(), nPool + !bRight) << "a right answer leaves after the verdict";
            for (std::size_t n = Pick(4); n > 0; --n)
                Pick(2) ? Key(static_cast<unsigned>(KEY_END + Pick(13))) : Char('z');
            view.OnTimer(TIMER_VERDICT);
            ASSERT_FALSE(doc.m_bShowingCorrection);
        }
        ASSERT_EQ(doc.m_pool.size(), bRight ? nPool - 1 : nPool + 1);
        ASSERT_EQ(doc.m_bFinished, doc.m_pool.empty());
        model.clear(); // the next key checks that the box was emptied
        caret = 0;
    }

    std::mt19937 random;
    MemorySettingsStore profile;
    CVespinDoc doc{profile};
    FakeViewWindow window;
    CVespinView view{doc, window};
    std::string model;
    std::size_t caret = 0;
    std::uint32_t nRight = 0, nWrong = 0;
    unsigned long nLessons = 0;
};

TEST_F(LessonSoak, MillionAnswersKeepTheBookkeepingRight)
{
    const auto env = [](const char* pszName, unsigned long nDefault)
    { return std::getenv(pszName) ? std::strtoul(std::getenv(pszName), nullptr, 10) : nDefault; };
    const unsigned long nAnswers = env("TALDRIN_SOAK_ANSWERS", 1000000);
    const auto nSeed = static_cast<unsigned>(env("TALDRIN_SOAK_SEED", std::random_device()()));
    std::printf("soak: %lu answers, TALDRIN_SOAK_SEED=%u\n", nAnswers, nSeed);
    SCOPED_TRACE("TALDRIN_SOAK_SEED=" + std::to_string(nSeed));
    random.seed(nSeed);
    doc.m_fnSeed = [nSeed] { return nSeed; };
    doc.m_fnRand = [this] { return static_cast<int>(random() % 32768); };

    // Beyond the bundled list: accent escapes, a doubled space, a list with an escape.
    TempDir dir;
    dir.Enter();
    dir.Write("irregu.ver", TempDir::Read(TALDRIN_SOURCE_DIR "/data/irregu.ver") +
                                "lit\ncr\\^ep\\'ed\ncr\\^epe\nrolled  up\n"
                                "dop\n/na\\\"ived /naived\nna\\\"ive\n/na\\\"ived /naived\n");
    StartLesson();
    unsigned long n = 0;
    for (; n < nAnswers && !HasFailure(); ++n)
    {
        Answer();
        if (doc.m_bFinished)
            StartLesson();
    }
    std::printf("soak: %lu answers in %lu lessons\n", n, nLessons);
}
