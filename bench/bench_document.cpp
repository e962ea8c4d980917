// Save and load of a large declaration and of one four times as large: the cost per megabyte
// should stay the same (linear growth). Opening and saving the larger one (about 1.44 MB) is set
// against copying its file with plain reads and writes, as cp does: the two times side by side
// show what the document's own work costs over the bare file traffic.
#include "../tests/SampleDecl.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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
    const std::uint32_t size = d.GetDocumentSize();
    for (auto _ : state) {
        auto block = d.SaveToMemory();
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

// The document as the user has it: saved once into a file of its own.
std::string SavedLarge(int factor) {
    mTDeclaration d;
    Large(d, factor);
    const std::string path = TempPath();
    d.SaveToFile(path);
    return path;
}

void SetFileBytes(benchmark::State& state, const std::string& path) {
    struct stat st{};
    stat(path.c_str(), &st);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * st.st_size);
    state.counters["file_bytes"] = static_cast<double>(st.st_size);
}

void BM_OpenAndSave(benchmark::State& state) {
    const std::string source = SavedLarge(static_cast<int>(state.range(0)));
    const std::string target = TempPath();
    for (auto _ : state) {
        mTDeclaration d;
        d.LoadFromFile(source);
        d.SaveToFile(target);
    }
    SetFileBytes(state, source);
    unlink(source.c_str());
    unlink(target.c_str());
}

// What cp does: read the whole file, create the copy and write it; no sync unless asked.
void CopyFile(const std::string& from, const std::string& to, std::vector<char>& buffer, bool sync = false) {
    int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (in < 0 || out < 0) throw std::runtime_error("cannot open " + from + " or " + to);
    for (ssize_t n; (n = read(in, buffer.data(), buffer.size())) > 0;)
        if (write(out, buffer.data(), static_cast<std::size_t>(n)) != n) throw std::runtime_error("cannot write " + to);
    if (sync) fsync(out);
    close(in);
    close(out);
}

void BM_CopyFile(benchmark::State& state) {
    const std::string source = SavedLarge(static_cast<int>(state.range(0)));
    const std::string target = TempPath();
    std::vector<char> buffer(128 * 1024);
    for (auto _ : state) CopyFile(source, target, buffer);
    SetFileBytes(state, source);
    unlink(source.c_str());
    unlink(target.c_str());
}

// The copy a user makes: the cp command run on the file, as one would time it in a shell.
void BM_CpCommand(benchmark::State& state) {
    const std::string source = SavedLarge(static_cast<int>(state.range(0)));
    const std::string target = TempPath();
    for (auto _ : state) {
        const char* argv[] = {"cp", source.c_str(), target.c_str(), nullptr};
        pid_t pid = 0;
        if (posix_spawnp(&pid, "cp", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
            throw std::runtime_error("cannot run cp");
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("cp failed");
    }
    SetFileBytes(state, source);
    unlink(source.c_str());
    unlink(target.c_str());
}

// The copy made the way a document is saved (a new file beside the target, synced, renamed over
// it, the folder synced): the part of the save's time that its safety costs on this disk.
void BM_CopyFileSafely(benchmark::State& state) {
    const std::string source = SavedLarge(static_cast<int>(state.range(0)));
    const std::string target = TempPath();
    std::vector<char> buffer(128 * 1024);
    for (auto _ : state) {
        const std::string temp = TempPath();
        CopyFile(source, temp, buffer, true);
        rename(temp.c_str(), target.c_str());
        int dir = open("/tmp", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        fsync(dir);
        close(dir);
    }
    SetFileBytes(state, source);
    unlink(source.c_str());
    unlink(target.c_str());
}

} // namespace

BENCHMARK(BM_Serialise)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToFile)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromFile)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndSave)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFile)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpCommand)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFileSafely)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
