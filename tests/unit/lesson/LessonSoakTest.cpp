// Lesson after lesson with random answers, the bookkeeping checked after each. Short in the
// suite; TALDRIN_SOAK_ANSWERS=1000000 gives the long run, TALDRIN_SOAK_SEED replays one.
#include "lesson/VespinDoc.h"

#include "support/LessonChoices.h"
#include "support/MemorySettingsStore.h"
#include "support/TempDir.h"
#include "verbdata/AnswerText.h"

#include <gtest/gtest.h>

#include <random>

TEST(LessonSoak, AnswersKeepTheBookkeepingRight)
{
    const char* pszSeed = std::getenv("TALDRIN_SOAK_SEED");
    const unsigned nSeed = pszSeed ? std::stoul(pszSeed) : std::random_device()();
    SCOPED_TRACE("TALDRIN_SOAK_SEED=" + std::to_string(nSeed));
    std::mt19937 random(nSeed);
    TempDir dir; // the bundled list, and accent escapes and a doubled blank
    dir.Enter();
    dir.Write("irregu.ver",
              TempDir::Read(TALDRIN_SOURCE_DIR "/data/irregu.ver") + "lit\ncr\\^ep\\'ed\ncr\\^epe\nrolled  up\n");
    MemorySettingsStore profile;
    CVespinDoc doc(profile);
    doc.m_fnRand = [&random] { return static_cast<int>(random() % 32768); };
    const char* pszAnswers = std::getenv("TALDRIN_SOAK_ANSWERS");
    for (unsigned long n = pszAnswers ? std::stoul(pszAnswers) : 20000; n > 0 && !HasFailure(); --n)
    {
        if (doc.m_pool.empty())
        {
            ASSERT_TRUE(doc.OnNewDocument());
            doc.SetDirections(Flags<DirectionSet>(random() % 2 ? "012345" : "0"));
            doc.SetGroups(Flags<GroupSet>(random() % 2 ? "012345" : "5"));
            doc.m_bCorrecting = random() % 2;
            doc.LoadQuestions();
        }
        // Right, or wrong by a '#'; blanks around count for nothing.
        std::string strText = NormaliseSpaces(ConvertAccents(doc.m_pool.at(doc.m_nCurrent).GetExpected()));
        strText = strText.substr(strText[0] == '/', strText.find(" /") - (strText[0] == '/'));
        const bool bRight = random() % 10 < 6;
        doc.m_strTyped = std::string(random() % 3, ' ') + strText + (bRight ? " " : "# ");
        const std::size_t nPool = doc.m_pool.size();
        const LessonStatistics before = doc.m_stats;
        const bool bGoesOn = doc.CheckAnswer();
        ASSERT_EQ(doc.m_stats.m_nRight - before.m_nRight, bRight ? 1u : 0u) << doc.m_strTyped;
        ASSERT_EQ(doc.m_stats.m_nWrong - before.m_nWrong, bRight ? 0u : 1u);
        ASSERT_EQ(doc.m_pool.size(), nPool + !bRight - (bRight && !doc.m_bCorrecting));
        ASSERT_EQ(doc.m_bCorrecting ? doc.ContinueAfterVerdict() : bGoesOn, nPool > 1 || !bRight);
        ASSERT_EQ(doc.m_pool.size(), bRight ? nPool - 1 : nPool + 1);
        ASSERT_EQ(doc.m_bFinished, doc.m_pool.empty());
        ASSERT_TRUE(doc.m_strTyped.empty() && doc.m_nCurrent <= doc.m_pool.size());
    }
}
