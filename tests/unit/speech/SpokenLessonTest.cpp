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
            said += "[" + word.m_strText + (word.m_strEspeak.empty() ? "" : "=" + word.m_strEspeak) + "]";
        said += " ";
    }
    void Stop() override {}
    void Prepare(SpeechAccent) override { said += "ready "; }
    void SetTroubleHandler(std::function<void(const std::string&)>) override {}
    std::string said;
};

// After the verdict, by ear, correcting, American; the steps ("tick" ends the verdict or asks the
// first word, "speak" is F5, another word is typed with Return); what is said; whether the word is drawn.
const std::tuple<bool, bool, bool, bool, const char*, const char*, bool> kRows[] = {
    {true, false, true, false, "read tick speak xx speak", "GB[read=r'Ed] ready GB[learn] GB[learnt][learned] GB[learnt][learned] ", true},
    {false, false, true, false, "speak read speak tick speak", "GB[read=r'Ed] GB[read=r'Ed] GB[learn] ", true},
    {true, false, false, false, "read speak", "ready GB[learn] ", true},
    {true, true, true, true, "tick read tick", "US[read=r'Ed] US[read=r'Ed] US[learn] ", false},
    {false, true, false, false, "tick read", "GB[read=r'Ed] GB[learn] ", false},
};

TEST(SpokenLesson, SaysWhatTheScreenAsks)
{
    for (const auto& [bAfter, bByEar, bCorrecting, bAmerican, pszSteps, pszSaid, bDrawn] : kRows)
    {
        MemorySettingsStore store;
        CVespinDoc doc{store};
        doc.m_fnRand = [] { return 0; }; // "learn" follows "read"
        doc.OnNewDocument();
        doc.m_bCorrecting = bCorrecting;
        doc.m_pool.resize(2);
        doc.m_pool[0].Set("read", "read", PastParticiple); // said as a past form, not as an Infinitive
        doc.m_pool[0].m_nDirection = 3;
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
