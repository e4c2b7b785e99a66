// What a lesson says and when: the view through a lesson of two questions, with a Speaker that records.
#include "speech/SpokenLesson.h"

#include "lesson/VespinDoc.h"
#include "res/CommandIds.h"
#include "view/VespinView.h"
#include "support/FakeViewWindow.h"
#include "support/MemorySettingsStore.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

namespace
{

struct Recorder : Speaker
{
    std::string WhyUnavailable() const override { return ""; }
    void Say(const std::vector<SpokenWord>& words, SpeechAccent accent) override
    {
        said += accent == SpeechAccent::American ? "US" : "GB";
        for (const SpokenWord& word : words)
            said += "[" + word.m_strText + "]";
        said += " ";
    }
    void Stop() override {}
    void SetTroubleHandler(std::function<void(const std::string&)>) override {}
    std::string said;
};

// After the verdict, by ear, correcting, American; the steps ("tick" ends the verdict or asks the
// first word, "speak" is F5, another word is typed with Return); what is said; whether the word is drawn.
const std::tuple<bool, bool, bool, bool, const char*, const char*, bool> kRows[] = {
    {true, false, true, false, "went tick speak xx speak", "GB[went] GB[learn] GB[learnt][learned] GB[learnt][learned] ", true},
    {false, false, true, false, "speak went speak tick speak", "GB[go] GB[went] GB[learn] ", true},
    {true, false, false, false, "went speak", "GB[learn] ", true},
    {true, true, true, true, "tick went tick", "US[go] US[went] US[learn] ", false},
    {false, true, false, false, "tick went", "GB[go] GB[learn] ", false},
};

TEST(SpokenLesson, SaysWhatTheScreenAsks)
{
    for (const auto& [bAfter, bByEar, bCorrecting, bAmerican, pszSteps, pszSaid, bDrawn] : kRows)
    {
        MemorySettingsStore store;
        CVespinDoc doc{store};
        doc.m_fnRand = [] { return 0; }; // "learn" follows "go"
        doc.OnNewDocument();
        doc.m_bCorrecting = bCorrecting;
        doc.m_pool.resize(2);
        doc.m_pool[0].Set("went", "go", PastTense);
        doc.m_pool[1].Set("learnt /learned", "learn", PastTense);
        FakeViewWindow window;
        CVespinView view{doc, window};
        Recorder speaker;
        SpokenLesson lesson{speaker};
        lesson.m_settings = {bAfter, bAmerican ? SpeechAccent::American : SpeechAccent::British, bByEar};
        view.SetSpeech(&lesson);
        std::istringstream steps(pszSteps);
        for (std::string s; steps >> s;)
            s == "tick"     ? (doc.m_bShowingCorrection ? view.OnTimer(TIMER_VERDICT) : lesson.OnQuestion(doc))
            : s == "speak"  ? view.OnSpeak()
                            : [&] { for (const char c : s + "\r") view.OnChar(static_cast<unsigned char>(c)); }();
        std::string strDrawn;
        RecordingDC dc(&strDrawn, "");
        view.OnDraw(&dc);
        EXPECT_EQ(speaker.said, pszSaid) << pszSteps;
        EXPECT_EQ(strDrawn.find("\"" + doc.GetPrompt() + "\"") != std::string::npos, bDrawn) << pszSteps;
    }
}

} // namespace
