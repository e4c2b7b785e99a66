// The learner's history: appending one verdict with its write, and reading histories of
// 250 000 to 1 000 000 answers into both views (mistakes and progress), and with the boxes
// and due counts of review too, with the peak memory of the process as a counter; and the
// count of questions due after a lesson over a ten-year history.
#include "history/HistoryFile.h"
#include "history/HistorySummary.h"
#include "history/Review.h"
#include "lesson/LessonHistory.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace
{

const char* const kVerbs[] = {"go", "be", "begin", "learn", "swim", "understand", "forbid", "write",
                              "ride", "bite", "choose", "freeze", "steal", "speak", "wear", "tear"};

std::string TempPath(const char* pszName)
{
    return (std::filesystem::temp_directory_path() /
            ("taldrin-bench-" + std::to_string(::getpid()) + "-" + pszName))
        .string();
}

// A history of about thirty answers a lesson, a lesson a day, over two lists.
std::string WriteHistory(long nAnswers)
{
    const std::string strPath = TempPath(("history-" + std::to_string(nAnswers)).c_str());
    if (std::filesystem::exists(strPath))
        return strPath;
    std::FILE* pFile = std::fopen(strPath.c_str(), "wb");
    std::fprintf(pFile, "%s\n", std::string(kHistoryFormatLine).c_str());
    HistoryEntry entry;
    for (long i = 0; i < nAnswers; ++i)
    {
        const long nLesson = i / 30;
        char szTime[32];
        std::snprintf(szTime, sizeof szTime, "%04ld-%02ld-%02ldT18:%02ld:%02ldZ", 2016 + nLesson / 360,
                      nLesson / 30 % 12 + 1, nLesson % 30 + 1, i % 30, i % 60);
        entry.m_strTime = szTime;
        entry.m_strLesson = "lesson " + std::to_string(nLesson);
        entry.m_strList = nLesson % 5 ? "/home/learner/.local/share/taldrin/irregu.ver" : "/usr/share/taldrin/irrtes.ver";
        entry.m_strDirection = HistoryDirectionName(static_cast<std::size_t>(i % 6));
        entry.m_strVerb = kVerbs[(i * 7) % 16];
        entry.m_strPrompt = entry.m_strVerb;
        entry.m_strExpected = "went";
        entry.m_bRight = (i * 13) % 10 > 1;
        entry.m_strTyped = entry.m_bRight ? "went" : "goed";
        std::fputs(FormatHistoryLine(entry).c_str(), pFile);
    }
    std::fclose(pFile);
    return strPath;
}

void BM_AppendVerdict(benchmark::State& state)
{
    const std::string strPath = TempPath("append");
    std::filesystem::remove(strPath);
    LessonHistory history(strPath);
    history.OnLessonStart("/home/learner/.local/share/taldrin/irregu.ver", false);
    Question question;
    question.Set("swam", "swim", PastTense);
    question.m_strVerb = "swim";
    for (auto _ : state)
        history.OnVerdict(question, "swimmed", false);
    history.OnLessonEnd();
    std::filesystem::remove(strPath);
}
BENCHMARK(BM_AppendVerdict)->Unit(benchmark::kMicrosecond);

void BM_ReadHistoryIntoBothViews(benchmark::State& state)
{
    const std::string strPath = WriteHistory(state.range(0));
    for (auto _ : state)
    {
        HistorySummary summary("/home/learner/.local/share/taldrin/irregu.ver");
        ReadHistory(strPath, [&](const HistoryEntry& entry) { summary.Add(entry); });
        benchmark::DoNotOptimize(summary.GetMistakes());
        benchmark::DoNotOptimize(summary.GetProgress());
    }
    state.SetComplexityN(state.range(0));
    struct rusage usage;
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(strPath)) / 1e6;
}
BENCHMARK(BM_ReadHistoryIntoBothViews)
    ->Arg(250000)->Arg(500000)->Arg(1000000)
    ->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The list's questions: every verb of the history in every direction.
std::vector<HistoryQuestion> ListQuestions()
{
    std::vector<HistoryQuestion> questions;
    for (const char* pszVerb : kVerbs)
        for (std::size_t nDirection = 0; nDirection < 6; ++nDirection)
            questions.push_back({pszVerb, HistoryDirectionName(nDirection), pszVerb, "went"});
    return questions;
}

constexpr std::int64_t kBenchNow = 1'900'000'000; // 2030

void BM_ReadHistoryWithReview(benchmark::State& state)
{
    const std::string strPath = WriteHistory(state.range(0));
    const std::vector<HistoryQuestion> list = ListQuestions();
    for (auto _ : state)
    {
        HistorySummary summary("/home/learner/.local/share/taldrin/irregu.ver");
        ReadHistory(strPath, [&](const HistoryEntry& entry) { summary.Add(entry); });
        benchmark::DoNotOptimize(summary.GetMistakes());
        benchmark::DoNotOptimize(summary.GetProgress());
        benchmark::DoNotOptimize(OverviewOf(ReviewItems(summary.GetReview(), list, kBenchNow), kBenchNow));
    }
    struct rusage usage;
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_ReadHistoryWithReview)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Ten years of a lesson of thirty answers a day, read once as at start; each iteration is
// a lesson more, answered into the kept summary, and the count for the status bar.
void BM_DueCountAfterLesson(benchmark::State& state)
{
    const std::string strPath = WriteHistory(3650 * 30);
    const std::vector<HistoryQuestion> list = ListQuestions();
    HistorySummary summary("/home/learner/.local/share/taldrin/irregu.ver");
    ReadHistory(strPath, [&](const HistoryEntry& entry) { summary.Add(entry); });
    HistoryEntry entry{"2030-03-17T18:00:00Z", "", "/home/learner/.local/share/taldrin/irregu.ver", "", "", "", "went", "went", true};
    long nLesson = 0;
    for (auto _ : state)
    {
        entry.m_strLesson = "late " + std::to_string(++nLesson);
        for (int i = 0; i < 30; ++i)
        {
            entry.m_strVerb = entry.m_strPrompt = kVerbs[i % 16];
            entry.m_strDirection = HistoryDirectionName(static_cast<std::size_t>(i % 6));
            summary.Add(entry);
        }
        benchmark::DoNotOptimize(OverviewOf(ReviewItems(summary.GetReview(), list, kBenchNow), kBenchNow).m_nDueNow);
    }
}
BENCHMARK(BM_DueCountAfterLesson)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
