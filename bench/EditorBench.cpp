// The verb list editor's model on a list of 10 000 verbs: opening it (read through the
// lesson's reader, then every check), and a keystroke in a cell with its checks (the typed
// text parsed, the draft row checked; then the edit stored and checked again).
#include "editor/CellRules.h"
#include "editor/TableChecks.h"
#include "editor/VerFile.h"
#include "verbdata/GroupSet.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{

// Distinct verbs, groups cycling, one in four with two spellings, one in eight with an
// accent code.
std::string MakeList(std::size_t nVerbs)
{
    std::string strList = "# A list for benchmarks.\nGenerated verbs\n#\n#\n";
    for (std::size_t i = 0; i < nVerbs; ++i)
    {
        const std::string strVerb = "verb" + std::to_string(i) + (i % 8 == 0 ? "\\'e" : "");
        strList += std::string(kGroupTags[i % kGroupCount]) + "\n";
        strList += (i % 4 == 0 ? "/" + strVerb + "t /" + strVerb + "ed" : strVerb + "ed") + "\n";
        strList += strVerb + "\n" + strVerb + "en\n";
    }
    return strList;
}

void BM_OpenList(benchmark::State& state)
{
    const std::string strList = MakeList(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
    {
        VerbTable table = ReadVerText(strList);
        TableChecks checks;
        checks.CheckAll(table);
        benchmark::DoNotOptimize(checks.ErrorCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenList)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A keystroke while a cell is being edited: the text so far parsed and its row checked.
void BM_KeystrokeDraft(benchmark::State& state)
{
    const std::size_t nVerbs = static_cast<std::size_t>(state.range(0));
    const VerbTable table = ReadVerText(MakeList(nVerbs));
    TableChecks checks;
    checks.CheckAll(table);
    const std::size_t nRow = nVerbs - 2; // near the end: the longest short list
    std::size_t n = 0;
    for (auto _ : state)
    {
        VerbRow draft = table.Row(nRow);
        const CellResult cell = ParseCell(VerbColumn::PastTense, "learnt, learn" + std::to_string(n++ % 9));
        draft.m_forms[PastTense] = cell.m_strStored;
        benchmark::DoNotOptimize(checks.CheckDraft(table, nRow, draft));
    }
}
BENCHMARK(BM_KeystrokeDraft)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The edit ending: stored (one undo step) and the table's checks brought up to date.
void BM_CellCommit(benchmark::State& state)
{
    const std::size_t nVerbs = static_cast<std::size_t>(state.range(0));
    VerbTable table = ReadVerText(MakeList(nVerbs));
    TableChecks checks;
    checks.CheckAll(table);
    const std::size_t nRow = nVerbs - 2;
    std::size_t n = 0;
    for (auto _ : state)
    {
        const CellResult cell = ParseCell(VerbColumn::Infinitive, "go" + std::to_string(n++));
        table.SetCell(nRow, VerbColumn::Infinitive, cell.m_strStored);
        checks.Update(table, TableChange{nRow, 1, 1, false, false});
        benchmark::DoNotOptimize(checks.RowFindings(nRow).size());
    }
}
BENCHMARK(BM_CellCommit)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// For comparison: checking the whole table again, as a keystroke would without the
// shortcut.
void BM_CheckAll(benchmark::State& state)
{
    const VerbTable table = ReadVerText(MakeList(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state)
    {
        TableChecks checks;
        checks.CheckAll(table);
        benchmark::DoNotOptimize(checks.ErrorCount());
    }
}
BENCHMARK(BM_CheckAll)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
