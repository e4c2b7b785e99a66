// The Linux engine with its samples caught instead of played: no sound device needed.
#include "framework/EspeakSpeaker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <thread>

namespace
{

bool EspeakMapped()
{
    std::ifstream maps("/proc/self/maps");
    for (std::string strLine; std::getline(maps, strLine);)
        if (strLine.find("libespeak-ng") != std::string::npos)
            return true;
    return false;
}

// What the engine hands over and tells, under one lock; m_bHold keeps it in a chunk.
struct Catcher
{
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_nChunks = 0;
    bool m_bHold = false;
    std::vector<bool> m_ended;
    std::vector<std::string> m_troubles;

    template <typename F> void Change(F f)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        f();
        m_changed.notify_all();
    }
    template <typename F> bool WaitFor(F condition)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(60), condition);
    }
    std::unique_ptr<Speaker> Make(bool bCatchSamples = true)
    {
        EspeakOptions options;
        if (bCatchSamples)
            options.m_fnSamples = [this](const short*, int, int) {
                Change([&] { ++m_nChunks; });
                return WaitFor([this] { return !m_bHold; });
            };
        options.m_fnEnded = [this](bool bToTheEnd) { Change([&] { m_ended.push_back(bToTheEnd); }); };
        auto pSpeaker = MakeEspeakSpeaker(options);
        pSpeaker->SetTroubleHandler([this](const std::string& s) { Change([&] { m_troubles.push_back(s); }); });
        return pSpeaker;
    }
};

const std::vector<SpokenWord> kLong(40, SpokenWord{"understood", {}, {}});
const std::vector<SpokenWord> kShort{{"gone", {}, {}}};

} // namespace

TEST(EspeakSpeaker, TheLibraryIsFoundWithoutLoadingItAndLoadedWhenPrepared)
{
    EXPECT_TRUE(EspeakLibraryInstalled("libespeak-ng.so.1"));
    EXPECT_FALSE(EspeakLibraryInstalled("libespeak-ng.so.99"));
    EspeakOptions missing;
    missing.m_strLibrary = "/nonexistent/libespeak-ng.so.1";
    EXPECT_NE(MakeEspeakSpeaker(missing)->WhyUnavailable(), "");

    const bool bMappedBefore = EspeakMapped(); // ctest runs each test in a process of its own
    Catcher catcher;
    auto pSpeaker = catcher.Make();
    EXPECT_EQ(pSpeaker->WhyUnavailable(), "");
    EXPECT_TRUE(bMappedBefore || !EspeakMapped());
    pSpeaker->Prepare(SpeechAccent::American);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!EspeakMapped() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_TRUE(EspeakMapped());
    pSpeaker->Say(kShort, SpeechAccent::British);
    ASSERT_TRUE(catcher.WaitFor([&] { return !catcher.m_ended.empty(); }));
    EXPECT_EQ(catcher.m_ended, std::vector<bool>{true}); // Prepare said nothing
}

TEST(EspeakSpeaker, ANewUtteranceOrStopCutsTheOneBeingSaidAndPrepareDoesNot)
{
    Catcher catcher;
    auto pSpeaker = catcher.Make();
    pSpeaker->Say(kShort, SpeechAccent::American);
    ASSERT_TRUE(catcher.WaitFor([&] { return catcher.m_ended.size() == 1; }));
    const int nShort = catcher.m_nChunks;

    // What follows the long one's first chunk, how the utterances end, its chunks after it.
    const struct { std::string m_strThen; std::vector<bool> m_ended; int m_nChunksAfter; } rows[] = {
        {"Say", {false, true}, nShort}, {"Stop", {false}, 0}, {"Prepare", {true}, -1}};
    for (const auto& row : rows)
    {
        catcher.Change([&] { catcher.m_bHold = true, catcher.m_nChunks = 0, catcher.m_ended.clear(); });
        pSpeaker->Say(kLong, SpeechAccent::British);
        ASSERT_TRUE(catcher.WaitFor([&] { return catcher.m_nChunks == 1; }));
        if (row.m_strThen == "Say")
            pSpeaker->Say(kShort, SpeechAccent::American);
        else if (row.m_strThen == "Stop")
            pSpeaker->Stop();
        else
            pSpeaker->Prepare(SpeechAccent::American);
        catcher.Change([&] { catcher.m_bHold = false; });
        ASSERT_TRUE(catcher.WaitFor([&] { return catcher.m_ended.size() == row.m_ended.size(); }));
        EXPECT_EQ(catcher.m_ended, row.m_ended) << row.m_strThen;
        EXPECT_TRUE(row.m_nChunksAfter < 0 || catcher.m_nChunks - 1 == row.m_nChunksAfter) << row.m_strThen;
    }
}

TEST(EspeakSpeaker, NoSoundDeviceIsToldOnceAndNothingWaits)
{
    // Neither a PulseAudio server nor an ALSA device to be found.
    setenv("PULSE_SERVER", "unix:/nonexistent/pulse", 1);
    const std::string strNoAlsa = ::testing::TempDir() + "no-alsa.conf";
    std::ofstream(strNoAlsa).flush();
    setenv("ALSA_CONFIG_PATH", strNoAlsa.c_str(), 1);

    Catcher catcher;
    auto pSpeaker = catcher.Make(false);
    pSpeaker->Say({{"read", {}, {}}}, SpeechAccent::British);
    ASSERT_TRUE(catcher.WaitFor([&] { return !catcher.m_ended.empty(); }));
    pSpeaker->Say({{"tear", {}, {}}}, SpeechAccent::American);
    ASSERT_TRUE(catcher.WaitFor([&] { return catcher.m_ended.size() == 2; }));
    EXPECT_EQ(catcher.m_ended, (std::vector<bool>{false, false}));
    ASSERT_EQ(catcher.m_troubles.size(), 1u);
    EXPECT_NE(catcher.m_troubles[0].find("sound"), std::string::npos);
}

TEST(SpeechInput, PhonemesAndPhonesGoToEachEngineAsItReadsThem)
{
    EXPECT_EQ(EspeakInput({{"learnt", {}, {}}, {"learned", "l'3:nd", {}}}), "learnt, [[l'3:nd]]");
    EXPECT_EQ(EspeakInput({{"[[x]] go", {}, {}}}), "x go");
    EXPECT_STREQ(EspeakVoice(SpeechAccent::British), "en-gb");
    EXPECT_STREQ(EspeakVoice(SpeechAccent::American), "en-us");
    EXPECT_EQ(SapiInput({{"read", {}, "r eh 1 d"}, {"a<b>&\"c", {}, {}}}),
        "<pron sym=\"r eh 1 d\">read</pron>, a&lt;b&gt;&amp;&quot;c");
}
