// What a lesson says, and when: the view driven through a lesson of two questions with a
// Speaker that records instead of speaking.
#include "speech/SpokenLesson.h"

#include "lesson/VespinDoc.h"
#include "res/CommandIds.h"
#include "view/VespinView.h"
#include "support/FakeViewWindow.h"
#include "support/MemorySettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{

class RecordingSpeaker : public Speaker
{
public:
    std::string WhyUnavailable() const override { return m_strWhy; }
    void Say(const std::vector<SpokenWord>& words, SpeechAccent accent) override
    {
        m_strSaid += accent == SpeechAccent::American ? "US" : "GB";
        for (const SpokenWord& word : words)
            m_strSaid += "[" + word.m_strText + "]";
        m_strSaid += " ";
    }
    void Stop() override { m_strSaid += "stop "; }
    void SetTroubleHandler(std::function<void(const std::string&)>) override {}

    std::string m_strWhy, m_strSaid;
};

Question MakeQuestion(const std::string& strPrompt, const std::string& strExpected)
{
    Question question;
    question.Set(strExpected, strPrompt, PastTense);
    return question;
}

struct Row
{
    const char* pszName;
    bool bAfterVerdict, bByEar, bCorrecting, bAmerican;
    const char* pszWhyNot;
    // "type:TEXT" types TEXT and Return, "tick" ends the verdict, "speak" is the key.
    const char* pszSteps;
    const char* pszSaid;
    // Whether the question's word is drawn at the end.
    bool bPromptDrawn;
};

// The pool is "go"->"went", "learn"->"learnt /learned"; the random step always takes one
// place, so "learn" follows "go".
const Row kRows[] = {
    {"verdict spoken, each spelling of a list", true, false, true, false, "", "type:went tick speak type:xx speak",
     "GB[went] GB[learn] GB[learnt][learned] GB[learnt][learned] ", true},
    {"key: the answer while the verdict shows, then the word", false, false, true, false, "", "speak type:went speak tick speak",
     "GB[go] GB[went] GB[learn] ", true},
    {"correcting off: no verdict to speak", true, false, false, false, "", "type:went speak", "GB[learn] ", true},
    {"by ear: each new word, and the verdict", true, true, true, true, "", "tick type:went tick", "US[go] US[went] US[learn] ", false},
    {"by ear without correcting", false, true, false, false, "", "tick type:went", "GB[go] GB[learn] ", false},
    {"no speech: silent, the word shown", true, true, true, false, "no engine", "tick speak type:went speak tick", "", true},
    {"given up: nothing to say", true, false, true, false, "", "giveup speak", "", false},
};

void PrintTo(const Row& row, std::ostream* pOut)
{
    *pOut << row.pszName;
}

class SpokenLessonRows : public testing::TestWithParam<Row>
{
};

TEST_P(SpokenLessonRows, SaysWhatTheScreenAsks)
{
    const Row& row = GetParam();
    MemorySettingsStore store;
    CVespinDoc doc{store};
    doc.m_fnSeed = [] { return 1u; };
    doc.m_fnRand = [] { return 0; };
    doc.OnNewDocument();
    doc.m_bCorrecting = row.bCorrecting;
    doc.m_pool = {MakeQuestion("go", "went"), MakeQuestion("learn", "learnt /learned")};
    doc.m_nCurrent = 0;
    FakeViewWindow window;
    CVespinView view{doc, window};
    RecordingSpeaker speaker;
    speaker.m_strWhy = row.pszWhyNot;
    SpokenLesson lesson{speaker};
    lesson.m_settings = {row.bAfterVerdict, row.bAmerican ? SpeechAccent::American : SpeechAccent::British, row.bByEar};
    view.SetSpeech(&lesson);

    std::istringstream steps(row.pszSteps);
    for (std::string strStep; steps >> strStep;)
    {
        if (strStep == "tick")
            // The lesson's first word is asked as the set-up dialogs close.
            doc.m_bShowingCorrection ? view.OnTimer(TIMER_VERDICT) : lesson.OnQuestion(doc);
        else if (strStep == "speak")
            view.OnSpeak();
        else if (strStep == "giveup")
            doc.GiveUp();
        else
        {
            for (const char c : strStep.substr(5))
                view.OnChar(static_cast<unsigned char>(c));
            view.OnChar('\r');
        }
    }
    EXPECT_EQ(speaker.m_strSaid, row.pszSaid);

    std::string strDrawn;
    RecordingDC dc(&strDrawn, "");
    view.OnDraw(&dc);
    const std::string strPrompt = doc.GetPrompt();
    EXPECT_EQ(strDrawn.find("\"" + strPrompt + "\"") != std::string::npos, row.bPromptDrawn) << strPrompt << "\n" << strDrawn;
}

INSTANTIATE_TEST_SUITE_P(Speech, SpokenLessonRows, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& info) { return std::to_string(info.index); });

TEST(SpokenLesson, SettingsKeptInTheProgramsOwnSection)
{
    MemorySettingsStore store;
    const SpeechSettings defaults = ReadSpeechSettings(store);
    EXPECT_FALSE(defaults.m_bAfterVerdict || defaults.m_bByEar || defaults.m_accent != SpeechAccent::British);

    WriteSpeechSettings(store, {true, SpeechAccent::American, true});
    for (const auto& [strKey, nValue] : store.values)
        EXPECT_EQ(strKey.rfind("taldrin/", 0), 0u) << strKey;
    for (const auto& [strKey, strValue] : store.texts)
        EXPECT_EQ(strKey.rfind("taldrin/", 0), 0u) << strKey;
    const SpeechSettings read = ReadSpeechSettings(store);
    EXPECT_TRUE(read.m_bAfterVerdict && read.m_bByEar && read.m_accent == SpeechAccent::American);

    // A value the program never writes reads as the default.
    store.WriteProfileInt("Taldrin", "LessonByEar", 7);
    store.WriteProfileString("Taldrin", "SpeechAccent", "american");
    const SpeechSettings strange = ReadSpeechSettings(store);
    EXPECT_FALSE(strange.m_bByEar || strange.m_accent != SpeechAccent::British);
}

TEST(SpokenLesson, LogsEachUtteranceAsALine)
{
    TempDir dir;
    auto pInner = std::make_unique<RecordingSpeaker>();
    RecordingSpeaker& inner = *pInner;
    const std::unique_ptr<Speaker> pLogged = LoggingSpeaker(std::move(pInner), (dir.Path() / "said.log").string());
    pLogged->Say({{"learnt", "", ""}, {"learned", "", ""}}, SpeechAccent::British);
    pLogged->Say({{"go", "", ""}}, SpeechAccent::American);
    pLogged->Stop();
    EXPECT_EQ(TempDir::Read(dir.Path() / "said.log"), "en-GB\tlearnt / learned\nen-US\tgo\n");
    EXPECT_EQ(inner.m_strSaid, "GB[learnt][learned] US[go] stop ");
}

} // namespace
