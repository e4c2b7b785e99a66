// From Say (the verdict) to the first synthesized sample, through the Linux engine with
// its samples caught instead of played: the first utterance, then 200 more, alternating
// the voices and the bundled lists' forms, each once the one before has ended. The
// engine is prepared first, as a lesson does when it starts with speech on, and given
// half a second for it (the learner reads the first question); with --cold the first
// utterance loads the library itself. Also shows that making the engine and asking
// whether it can be used loads no library. Exits with 1 when the first utterance or the
// median of the others takes 30 ms or more (the first only when prepared).
//   speech_bench [--cold]
#include "framework/EspeakSpeaker.h"
#include "speech/SpokenWords.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

bool EspeakMapped()
{
    std::ifstream maps("/proc/self/maps");
    for (std::string strLine; std::getline(maps, strLine);)
        if (strLine.find("libespeak-ng") != std::string::npos)
            return true;
    return false;
}

std::mutex g_mutex;
std::condition_variable g_sampled;
bool g_bSampled = false;
int g_nEnded = 0;
Clock::time_point g_first;

} // namespace

int main(int argc, char** argv)
{
    const bool bCold = argc > 1 && std::strcmp(argv[1], "--cold") == 0;
    EspeakOptions options;
    options.m_fnSamples = [](const short*, int, int) {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_bSampled)
        {
            g_first = Clock::now();
            g_bSampled = true;
            g_sampled.notify_all();
        }
        return true;
    };
    options.m_fnEnded = [](bool) {
        std::lock_guard<std::mutex> lock(g_mutex);
        ++g_nEnded;
        g_sampled.notify_all();
    };
    const auto pSpeaker = MakeEspeakSpeaker(options);
    const bool bAvailable = pSpeaker->WhyUnavailable().empty();
    std::printf("engine made and asked: libespeak-ng %s\n",
        EspeakMapped() ? "LOADED (wrong)" : "not loaded");
    if (!bAvailable)
    {
        std::printf("libespeak-ng is not installed\n");
        return 1;
    }
    if (!bCold)
    {
        pSpeaker->Prepare(SpeechAccent::British);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }

    const char* const forms[] = {"went", "/learnt /learned", "read", "misunderstood", "/dived /dove"};
    std::vector<double> latencies;
    for (int i = 0; i <= 200; ++i)
    {
        const SpeechAccent accent = i % 2 ? SpeechAccent::American : SpeechAccent::British;
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            g_bSampled = false;
        }
        const Clock::time_point said = Clock::now();
        pSpeaker->Say(WordsToSay(forms[i % 5], accent, PastTense), accent);
        std::unique_lock<std::mutex> lock(g_mutex);
        g_sampled.wait(lock, [i] { return g_bSampled && g_nEnded > i; });
        latencies.push_back(std::chrono::duration<double, std::milli>(g_first - said).count());
    }
    const double dFirst = latencies.front();
    std::printf("first utterance (%s): %.2f ms\n",
        bCold ? "loads the library" : "engine prepared", dFirst);
    latencies.erase(latencies.begin());
    std::sort(latencies.begin(), latencies.end());
    const double dMedian = latencies[latencies.size() / 2];
    std::printf("next %zu utterances: min %.2f ms, median %.2f ms, 95th %.2f ms, max %.2f ms\n",
        latencies.size(), latencies.front(), dMedian, latencies[latencies.size() * 95 / 100],
        latencies.back());
    return dMedian < 30 && (bCold || dFirst < 30) ? 0 : 1;
}
