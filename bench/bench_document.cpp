// Save and load of a large declaration and of one four times as large: the cost per megabyte
// should stay the same (linear growth).
#include "../tests/SampleDecl.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// 300 sources of 12 lines, 100 foreign-currency incomes and 20 business activities with monthly
// expenses, times the factor.
void Large(mTDeclaration& d, int factor) { sample::Fill(d, 300 * factor, 12, 100 * factor, 20 * factor); }

std::string TempPath() {
    char templ[] = "/tmp/velmarod-bench-XXXXXX";
    int fd = mkstemp(templ);
    close(fd);
    return templ;
}

void BM_Serialise(benchmark::State& state) {
    mTDeclaration d;
    Large(d, static_cast<int>(state.range(0)));
    std::uint32_t size = 0;
    for (auto _ : state) {
        size = d.GetDocumentSize();
        auto block = mTFileLoader::CreateInMemory(size);
        d.SaveDocument(*block);
        benchmark::DoNotOptimize(block->View);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
    state.counters["doc_bytes"] = size;
}

void BM_SaveToFile(benchmark::State& state) {
    mTDeclaration d;
    Large(d, static_cast<int>(state.range(0)));
    const std::string path = TempPath();
    for (auto _ : state) d.SaveToFile(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * d.GetDocumentSize());
    unlink(path.c_str());
}

void BM_LoadFromFile(benchmark::State& state) {
    mTDeclaration d;
    Large(d, static_cast<int>(state.range(0)));
    const std::string path = TempPath();
    d.SaveToFile(path);
    for (auto _ : state) {
        mTDeclaration back;
        back.LoadFromFile(path);
        benchmark::DoNotOptimize(back.ThirteenPercentCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * d.GetDocumentSize());
    unlink(path.c_str());
}

} // namespace

BENCHMARK(BM_Serialise)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToFile)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromFile)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
