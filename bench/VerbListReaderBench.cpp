// ReadVerbList over generated verb lists of 1 000, 100 000 and 1 000 000 records, from a
// string stream and from a file: bytes per second, and the growth from size to size.
#include "verbdata/VerbListReader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <unistd.h>

namespace
{

// Groups cycle through all six tags; one record in four has a "/" list, one in eight an
// accent escape, as in the bundled lists.
const char* const kForms[][3] = {
    {"went", "go", "gone"},
    {"/was /were", "be", "been"},
    {"began", "begin", "begun"},
    {"/learnt /learned", "learn", "/learnt /learned"},
    {"swam", "swim", "swum"},
    {"understood", "understand", "understood"},
    {"caf\\'ed", "caf\\'e", "caf\\'ed"},
    {"forbade", "forbid", "forbidden"},
};

std::string MakeVerbList(long nRecords)
{
    std::string strList = "# Verb list for benchmarks.\n# Four lines per record.\n"
                          "Generated verbs\n#\n#\n";
    strList.reserve(strList.size() + static_cast<std::size_t>(nRecords) * 28);
    for (long i = 0; i < nRecords; ++i)
    {
        const auto& forms = kForms[i % 8];
        strList += kGroupTags[static_cast<std::size_t>(i % 6)];
        strList += '\n';
        for (const char* pszForm : forms)
        {
            strList += pszForm;
            strList += '\n';
        }
    }
    return strList;
}

const std::string& VerbList(long nRecords)
{
    static std::map<long, std::string> lists;
    auto found = lists.find(nRecords);
    if (found == lists.end())
        found = lists.emplace(nRecords, MakeVerbList(nRecords)).first;
    return found->second;
}

// Written once per size into the temporary folder; removed at exit.
const std::string& VerbListFile(long nRecords)
{
    static std::map<long, std::string> files;
    struct Remover
    {
        std::map<long, std::string>& files;
        ~Remover()
        {
            for (const auto& entry : files)
                std::remove(entry.second.c_str());
        }
    };
    static Remover remover{files};
    auto found = files.find(nRecords);
    if (found == files.end())
    {
        const std::string strPath = "/tmp/taldrin-bench-" + std::to_string(::getpid()) + "-" +
                                    std::to_string(nRecords) + ".ver";
        std::ofstream(strPath, std::ios::binary) << VerbList(nRecords);
        found = files.emplace(nRecords, strPath).first;
    }
    return found->second;
}

DirectionSet Directions(int nCount)
{
    DirectionSet directions;
    for (int k = 0; k < nCount; ++k)
        directions.Set(static_cast<std::size_t>(k), true);
    return directions;
}

// One read into a fresh pool, as a lesson does; freeing the pool is not timed.
template <typename ReadFunction>
void TimeReads(benchmark::State& state, long nRecords, ReadFunction read)
{
    std::size_t nQuestions = 0;
    for (auto _ : state)
    {
        QuestionPool pool;
        if (read(pool) != VerbListEnd::EndOfFile)
            state.SkipWithError("the list was not read to its end");
        nQuestions = pool.size();
        benchmark::DoNotOptimize(pool.data());
        state.PauseTiming();
        pool = QuestionPool();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(VerbList(nRecords).size()));
    state.SetItemsProcessed(state.iterations() * nRecords);
    state.SetComplexityN(nRecords);
    state.counters["questions"] = static_cast<double>(nQuestions);
}

void BM_ReadVerbListStream(benchmark::State& state, int nDirections)
{
    const long nRecords = state.range(0);
    std::istringstream in(VerbList(nRecords));
    const DirectionSet directions = Directions(nDirections);
    const GroupSet groups = AllFlags<GroupSet>();
    TimeReads(state, nRecords,
              [&](QuestionPool& pool)
              {
                  in.clear();
                  in.seekg(0);
                  return ReadVerbList(in, false, directions, groups, pool);
              });
}

// Opens the file each time, as LoadQuestions does; the file is in the page cache.
void BM_ReadVerbListFile(benchmark::State& state, int nDirections)
{
    const long nRecords = state.range(0);
    const std::string& strPath = VerbListFile(nRecords);
    const DirectionSet directions = Directions(nDirections);
    const GroupSet groups = AllFlags<GroupSet>();
    TimeReads(state, nRecords,
              [&](QuestionPool& pool)
              {
                  std::ifstream in(strPath);
                  return ReadVerbList(in, false, directions, groups, pool);
              });
}

void Sizes(benchmark::internal::Benchmark* pBenchmark)
{
    pBenchmark->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
    pBenchmark->Complexity(benchmark::oN);
}

} // namespace

BENCHMARK_CAPTURE(BM_ReadVerbListStream, one_direction, 1)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_ReadVerbListStream, six_directions, 6)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_ReadVerbListFile, one_direction, 1)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_ReadVerbListFile, six_directions, 6)->Apply(Sizes);

BENCHMARK_MAIN();
