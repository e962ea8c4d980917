// The report library's whole pipeline on a large declaration and on one four times as large:
// reading the handed-over block, every sheet's figures, sections 1-6 and the page plan.
#include "../tests/SampleDecl.h"
#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

std::vector<std::uint8_t> LargeBlock(int factor) {
    mTDeclaration d;
    sample::Fill(d, 300 * factor, 12, 100 * factor, 20 * factor);
    const std::uint32_t size = d.GetDocumentSize();
    auto loader = mTFileLoader::CreateInMemory(size);
    d.SaveDocument(*loader);
    return std::vector<std::uint8_t>(loader->View, loader->View + size);
}

void BM_ReportPipeline(benchmark::State& state) {
    const auto block = LargeBlock(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto log = ReadDanLog(block.data(), false);
        kTSvodSum sums;
        sums.Calculate(*log);
        const TPagePlan plan = PlanPages(*log, sums);
        benchmark::DoNotOptimize(plan.PageTotal);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(block.size()));
    state.counters["block_bytes"] = static_cast<double>(block.size());
}

} // namespace

BENCHMARK(BM_ReportPipeline)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
