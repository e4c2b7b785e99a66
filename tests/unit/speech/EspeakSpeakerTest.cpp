// The Linux engine with its samples caught instead of played: no sound device needed.
#include "framework/EspeakSpeaker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

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

// What the engine hands over, and a gate that holds it inside its first chunk.
struct Catcher
{
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_nChunks = 0;
    int m_nRate = 0;
    bool m_bHold = false;
    std::vector<bool> m_ended;
    std::vector<std::string> m_troubles;

    EspeakOptions Options(bool bCatchSamples = true)
    {
        EspeakOptions options;
        if (bCatchSamples)
            options.m_fnSamples = [this](const short*, int, int nRate) {
                std::unique_lock<std::mutex> lock(m_mutex);
                ++m_nChunks;
                m_nRate = nRate;
                m_changed.notify_all();
                m_changed.wait(lock, [this] { return !m_bHold; });
                return true;
            };
        options.m_fnEnded = [this](bool bToTheEnd) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_ended.push_back(bToTheEnd);
            m_changed.notify_all();
        };
        return options;
    }
    void Trouble(const std::string& strTrouble)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_troubles.push_back(strTrouble);
        m_changed.notify_all();
    }
    template <typename Condition>
    bool WaitFor(Condition condition)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(60), condition);
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bHold = false;
        m_changed.notify_all();
    }
};

const std::vector<SpokenWord> kLong(40, SpokenWord{"understood", {}, {}});

} // namespace

TEST(EspeakSpeaker, TheLibraryIsFoundWithoutLoadingItAndLoadedAtTheFirstUtterance)
{
    EXPECT_TRUE(EspeakLibraryInstalled("libespeak-ng.so.1"));
    EXPECT_FALSE(EspeakLibraryInstalled("/nonexistent/libespeak-ng.so.1"));
    EXPECT_FALSE(EspeakLibraryInstalled("libespeak-ng.so.99"));
    EXPECT_FALSE(EspeakLibraryInstalled(""));

    EspeakOptions missing;
    missing.m_strLibrary = "/nonexistent/libespeak-ng.so.1";
    EXPECT_NE(MakeEspeakSpeaker(missing)->WhyUnavailable(), "");

    const bool bMappedBefore = EspeakMapped();
    Catcher catcher;
    auto pSpeaker = MakeEspeakSpeaker(catcher.Options());
    EXPECT_EQ(pSpeaker->WhyUnavailable(), "");
    if (!bMappedBefore) // each test runs in a process of its own under ctest
    {
        EXPECT_FALSE(EspeakMapped());
    }
    // Prepared, it loads the library and says nothing.
    pSpeaker->Prepare(SpeechAccent::American);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!EspeakMapped() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_TRUE(EspeakMapped());
    pSpeaker->Say({{"went", {}, {}}}, SpeechAccent::British);
    ASSERT_TRUE(catcher.WaitFor([&] { return !catcher.m_ended.empty(); }));
    EXPECT_EQ(catcher.m_ended, std::vector<bool>{true});
    EXPECT_GT(catcher.m_nChunks, 0);
    EXPECT_EQ(catcher.m_nRate, 22050);

    // Preparing while it speaks cuts nothing.
    catcher.m_bHold = true;
    catcher.m_nChunks = 0;
    pSpeaker->Say(kLong, SpeechAccent::British);
    ASSERT_TRUE(catcher.WaitFor([&] { return catcher.m_nChunks == 1; }));
    pSpeaker->Prepare(SpeechAccent::American);
    catcher.Release();
    ASSERT_TRUE(catcher.WaitFor([&] { return catcher.m_ended.size() == 2; }));
    EXPECT_EQ(catcher.m_ended, (std::vector<bool>{true, true}));
}

TEST(EspeakSpeaker, ANewUtteranceOrStopCutsTheOneBeingSaid)
{
    Catcher catcher;
    auto pSpeaker = MakeEspeakSpeaker(catcher.Options());
    pSpeaker->Say({{"gone", {}, {}}}, SpeechAccent::American);
    ASSERT_TRUE(catcher.WaitFor([&] { return catcher.m_ended.size() == 1; }));
    const int nShort = catcher.m_nChunks;

    for (const bool bStop : {false, true})
    {
        catcher.m_bHold = true;
        catcher.m_nChunks = 0;
        catcher.m_ended.clear();
        pSpeaker->Say(kLong, SpeechAccent::British);
        ASSERT_TRUE(catcher.WaitFor([&] { return catcher.m_nChunks == 1; }));
        if (bStop)
            pSpeaker->Stop();
        pSpeaker->Say({{"gone", {}, {}}}, SpeechAccent::American);
        catcher.Release();
        ASSERT_TRUE(catcher.WaitFor([&] { return catcher.m_ended.size() == 2; }));
        EXPECT_EQ(catcher.m_ended, (std::vector<bool>{false, true}));
        // Nothing of the long one after the cut: the chunks are the short one's.
        EXPECT_EQ(catcher.m_nChunks - 1, nShort) << bStop;
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
    auto pSpeaker = MakeEspeakSpeaker(catcher.Options(false));
    pSpeaker->SetTroubleHandler([&](const std::string& s) { catcher.Trouble(s); });
    pSpeaker->Say({{"read", {}, {}}}, SpeechAccent::British);
    pSpeaker->Say({{"dove", {}, {}}}, SpeechAccent::American);
    ASSERT_TRUE(catcher.WaitFor([&] { return !catcher.m_ended.empty(); }));
    pSpeaker->Say({{"tear", {}, {}}}, SpeechAccent::American);
    ASSERT_TRUE(catcher.WaitFor([&] { return catcher.m_ended.size() >= 2; }));
    EXPECT_EQ(catcher.m_ended.back(), false);
    ASSERT_EQ(catcher.m_troubles.size(), 1u);
    EXPECT_NE(catcher.m_troubles[0].find("sound"), std::string::npos);
}

TEST(SpeechInput, PhonemesAndPhonesGoToEachEngineAsItReadsThem)
{
    EXPECT_EQ(EspeakInput({{"learnt", {}, {}}, {"learned", "l'3:nd", {}}}),
        "learnt, [[l'3:nd]]");
    EXPECT_EQ(EspeakInput({{"[[x]] go", {}, {}}}), "x go");
    EXPECT_EQ(EspeakInput({}), "");
    EXPECT_STREQ(EspeakVoice(SpeechAccent::British), "en-gb");
    EXPECT_STREQ(EspeakVoice(SpeechAccent::American), "en-us");

    EXPECT_EQ(SapiInput({{"read", {}, "r eh 1 d"}, {"a<b>&\"c", {}, {}}}),
        "<pron sym=\"r eh 1 d\">read</pron>, a&lt;b&gt;&amp;&quot;c");
    EXPECT_EQ(std::wstring(SapiLanguage(SpeechAccent::British)), L"Language=809");
    EXPECT_EQ(std::wstring(SapiLanguage(SpeechAccent::American)), L"Language=409");
}
