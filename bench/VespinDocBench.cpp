// The lesson operations on pools of 100, 10 000 and 1 000 000 questions: choosing the
// next question, judging a right and a wrong answer, ending a verdict, a whole lesson.
#include "lesson/VespinDoc.h"
#include "support/MemorySettingsStore.h"
#include "verbdata/AnswerText.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace
{

const char* const kQuestions[][2] = {
    {"go", "went"},          {"be", "/was /were"},
    {"begin", "began"},      {"learn", "/learnt /learned"},
    {"swim", "swam"},        {"understand", "understood"},
    {"caf\\'e", "caf\\'ed"}, {"forbid", "forbade"},
};

QuestionPool MakePool(long nQuestions)
{
    QuestionPool pool(static_cast<std::size_t>(nQuestions));
    for (long i = 0; i < nQuestions; ++i)
    {
        const auto& texts = kQuestions[i % 8];
        pool[static_cast<std::size_t>(i)].Set(texts[1], texts[0], PastTense);
    }
    return pool;
}

// What the learner types to be right: the first alternative of a list.
std::string RightAnswer(const Question& question)
{
    const std::string strExpected = ConvertAccents(question.GetExpected());
    if (!strExpected.empty() && strExpected[0] == '/')
        return strExpected.substr(1, strExpected.find(' ') - 1);
    return strExpected;
}

// A document in a running lesson over a pool of the given size, settings as stored by
// default (correcting on).
struct Lesson
{
    explicit Lesson(long nQuestions, std::size_t nSpare = 0)
    {
        std::srand(1);
        doc.m_fnSeed = [] { return 1u; };
        doc.OnNewDocument();
        doc.m_pool = MakePool(nQuestions);
        doc.m_pool.reserve(doc.m_pool.size() + nSpare);
        doc.ChooseNextQuestion();
    }

    MemorySettingsStore profile;
    CVespinDoc doc{profile};
};

// Fitted to the best matching class; the operations that remove a question are fitted
// to a line instead, their expected class, the error column telling how well it holds.
void Sizes(benchmark::internal::Benchmark* pBenchmark)
{
    pBenchmark->Arg(100)->Arg(10000)->Arg(1000000)->Complexity();
}

void LinearSizes(benchmark::internal::Benchmark* pBenchmark)
{
    pBenchmark->Arg(100)->Arg(10000)->Arg(1000000)->Complexity(benchmark::oN);
}

void BM_ChooseNextQuestion(benchmark::State& state)
{
    Lesson lesson(state.range(0));
    for (auto _ : state)
        lesson.doc.ChooseNextQuestion();
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ChooseNextQuestion)->Apply(Sizes);

// Correcting on: the answer is judged and counted; the question leaves after the verdict.
void BM_CheckAnswerRight(benchmark::State& state)
{
    Lesson lesson(state.range(0));
    CVespinDoc& doc = lesson.doc;
    const std::string strAnswer = RightAnswer(doc.m_pool[doc.m_nCurrent]);
    for (auto _ : state)
    {
        doc.m_strTyped = strAnswer;
        doc.CheckAnswer();
    }
    if (doc.m_nLastResult != 1)
        state.SkipWithError("the answer was not judged right");
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CheckAnswerRight)->Apply(Sizes);

// Correcting on: judged, counted, and a copy of the question appended. Taking the copy
// off again (pop_back, constant time) is inside the timing.
void BM_CheckAnswerWrong(benchmark::State& state)
{
    Lesson lesson(state.range(0), 1);
    CVespinDoc& doc = lesson.doc;
    for (auto _ : state)
    {
        doc.m_strTyped = "goed";
        doc.CheckAnswer();
        doc.m_pool.pop_back();
    }
    if (doc.m_nLastResult != 0)
        state.SkipWithError("the answer was not judged wrong");
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CheckAnswerWrong)->Apply(Sizes);

// Correcting off: a right answer also removes the question from the pool at once and
// asks the next. The question is put back, untimed, for the next round.
void BM_CheckAnswerRightRemoving(benchmark::State& state)
{
    Lesson lesson(state.range(0), 1);
    CVespinDoc& doc = lesson.doc;
    doc.m_bCorrecting = false;
    for (auto _ : state)
    {
        state.PauseTiming();
        const std::size_t nCurrent = doc.m_nCurrent;
        const Question question = doc.m_pool[nCurrent];
        doc.m_strTyped = RightAnswer(question);
        state.ResumeTiming();
        doc.CheckAnswer();
        state.PauseTiming();
        doc.m_pool.insert(doc.m_pool.begin() + static_cast<std::ptrdiff_t>(nCurrent), question);
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CheckAnswerRightRemoving)->Apply(LinearSizes);

// Correcting on, after a right answer: the question leaves and the next is asked.
void BM_ContinueAfterRightVerdict(benchmark::State& state)
{
    Lesson lesson(state.range(0), 1);
    CVespinDoc& doc = lesson.doc;
    for (auto _ : state)
    {
        state.PauseTiming();
        const std::size_t nCurrent = doc.m_nCurrent;
        const Question question = doc.m_pool[nCurrent];
        doc.m_strTyped = RightAnswer(question);
        doc.CheckAnswer();
        state.ResumeTiming();
        doc.ContinueAfterVerdict();
        state.PauseTiming();
        doc.m_pool.insert(doc.m_pool.begin() + static_cast<std::ptrdiff_t>(nCurrent), question);
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ContinueAfterRightVerdict)->Apply(LinearSizes);

// A whole lesson as played, correcting on: every fifth answer wrong, each verdict ended
// at once, until the pool is empty. Each right answer removes its question from the
// middle of the pool, so the lesson grows with the square of the pool; 1 000 000 would
// take over an hour and is left out.
void BM_WholeLesson(benchmark::State& state)
{
    const long nQuestions = state.range(0);
    const QuestionPool pool = MakePool(nQuestions);
    long nAnswers = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        Lesson lesson(0);
        CVespinDoc& doc = lesson.doc;
        doc.m_pool = pool;
        doc.ChooseNextQuestion();
        nAnswers = 0;
        state.ResumeTiming();
        for (bool bGoesOn = true; bGoesOn; ++nAnswers)
        {
            doc.m_strTyped = nAnswers % 5 == 4 ? "goed" : RightAnswer(doc.m_pool[doc.m_nCurrent]);
            doc.CheckAnswer();
            bGoesOn = doc.ContinueAfterVerdict();
        }
        state.PauseTiming();
        doc.m_pool = QuestionPool();
        state.ResumeTiming();
    }
    state.counters["answers"] = static_cast<double>(nAnswers);
    state.SetComplexityN(nQuestions);
}
BENCHMARK(BM_WholeLesson)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Complexity(benchmark::oNSquared)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
