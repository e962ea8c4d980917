// Fuzz target: any bytes handed to the report library as its block must either be read or fail with
// a storage exception or a conversion error, which the exports show as a message. Whatever is read,
// however absurd its counts, amounts, codes, months or rates, must then go through the figures, the
// page plan and the tax-office text file without a crash, a hang or a read out of bounds, and leave
// the model so that a second run gives the same file.
#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"
#include "reportcore/ClassesReportText.h"
#include "storage/StgClasses.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace {

// Texts that a damaged value may hold: amounts at and beyond the money type's range, counts, codes,
// months and rates far outside what the program writes.
const char* const kOddValues[] = {
    "a", "", "0", "-1", "1", "2", "9", "12", "13", "30", "35", "100", "-13", "65535", "65536", "99999",
    "2147483647", "-2147483648", "4294967295", "922337203685477.5807", "-922337203685477.5807",
    "922337203685477", "-922337203685477", "99999999999999", "1E14", "-1E14", "0.0001", "-0.0001", "0.5",
    "0.3334", "0.6667", "1E-5", "2958466", "-693594", "31.12.9999", "00.13.2005", "101", "102", "103",
    "104", "105", "110", "307", "313", "403", "2010", "2740", "1530", "1535", "1511",
};

// One value of the container: four digits of length, then the text.
struct TValue {
    std::size_t at, textAt, length;
};

std::vector<TValue> Values(const std::uint8_t* data, std::size_t size) {
    std::vector<TValue> out;
    std::size_t pos = 60;
    while (pos + 4 <= size) {
        std::size_t len = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const std::uint8_t c = data[pos + i];
            if (c < '0' || c > '9') return out;
            len = len * 10 + (c - '0');
        }
        if (pos + 4 + len > size) return out;
        out.push_back({pos, pos + 4, len});
        pos += 4 + len;
    }
    return out;
}

} // namespace

// Half of the mutations replace one whole value of the block, its length kept right, so that the
// readers go on past it and the figures meet the odd value; the rest are the fuzzer's own.
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed) {
    std::minstd_rand rng(seed);
    if (rng() % 2 == 0) return LLVMFuzzerMutate(data, size, maxSize);
    const std::vector<TValue> values = Values(data, size);
    if (values.empty()) return LLVMFuzzerMutate(data, size, maxSize);
    const TValue& v = values[rng() % values.size()];

    std::string text;
    switch (v.length == 0 ? 0 : rng() % 3) {
    case 0:
        text = kOddValues[rng() % (sizeof kOddValues / sizeof kOddValues[0])];
        break;
    case 1: { // a number of any length and sign
        const int digits = 1 + static_cast<int>(rng() % 20);
        if (rng() % 2) text = "-";
        for (int i = 0; i < digits; ++i) text += static_cast<char>('0' + rng() % 10);
        if (rng() % 2) text.insert(text.size() - std::min<std::size_t>(text.size() - 1, rng() % 5), ".");
        break;
    }
    default: { // the old text mutated
        text.assign(reinterpret_cast<const char*>(data + v.textAt), v.length);
        text.resize(v.length + 16);
        text.resize(LLVMFuzzerMutate(reinterpret_cast<std::uint8_t*>(text.data()), v.length, text.size()));
        break;
    }
    }
    if (text.size() > 9999) text.resize(9999);
    std::string length = std::to_string(text.size());
    length.insert(0, 4 - length.size(), '0');

    const std::size_t newSize = size - (4 + v.length) + 4 + text.size();
    if (newSize > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    std::vector<std::uint8_t> out(data, data + v.at);
    out.insert(out.end(), length.begin(), length.end());
    out.insert(out.end(), text.begin(), text.end());
    out.insert(out.end(), data + v.textAt + v.length, data + size);
    std::memcpy(data, out.data(), out.size());
    return out.size();
}

namespace {

const std::string& WorkFolder() {
    static const std::string path = [] {
        char templ[] = "/tmp/velmarod-fuzz-report-XXXXXX";
        const char* made = mkdtemp(templ);
        if (!made) std::abort();
        return std::string(made);
    }();
    static const bool removedAtExit = std::atexit([] { rmdir(WorkFolder().c_str()); }) == 0;
    (void)removedAtExit;
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > (1u << 20)) return 0;

    // As the program hands it over: the bytes up to their first zero byte, then a zero byte.
    std::vector<std::uint8_t> block(data, data + size);
    block.push_back(0);

    std::unique_ptr<kTDanLog> log;
    try {
        log = ReadDanLog(block.data(), false);
    } catch (const mEPrivBase&) {
        return 0;
    } catch (const EConvertError&) {
        return 0;
    }

    const kTDanLog& model = *log;
    kTSvodSum sums;
    sums.Calculate(model);
    const TPagePlan plan = PlanPages(model, sums);

    // Both forms of the file's name, and the file itself as the exports write it.
    const TTaxClock before{2007, 6, 30, 23, 59, 59};
    const TTaxClock after{2007, 7, 1, 0, 0, 0};
    TaxTextFileName(model, before);
    const std::string path = TaxTextExport(model, sums, plan, WorkFolder(), after);
    if (!path.empty()) unlink(path.c_str());

    // The run only read the model: a second one on it gives the same file.
    kTSvodSum again;
    again.Calculate(model);
    const TPagePlan planAgain = PlanPages(model, again);
    if (!(planAgain == plan) || BuildTaxText(model, again, planAgain, after) != BuildTaxText(model, sums, plan, after))
        std::abort();
    return 0;
}
