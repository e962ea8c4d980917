// Preparing and painting every page of a large declaration into a PDF file; the time per page.
#include "../tests/SampleDecl.h"
#include "platform/QtWindowing.h"
#include "report/ClassesLogDan.h"
#include "report/ClassesLogDanSums.h"
#include "report/ClassesReportPlan.h"
#include "report/FormPreview.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_PagesToPdf(benchmark::State& state) {
    mTDeclaration d;
    sample::Fill(d, 300, 12, 100, 20);
    const std::uint32_t size = d.GetDocumentSize();
    auto block = mTFileLoader::CreateInMemory(size);
    d.SaveDocument(*block);
    QTemporaryDir dir;
    std::int64_t pages = 0;
    for (auto _ : state) {
        auto log = ReadDanLog(block->View, false);
        kTSvodSum sums;
        sums.Calculate(*log);
        PlanPages(*log, sums);
        QStringList images;
        TReportSession session(TBuildContext{*log, sums, images});
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("declaration.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setFullPage(true);
        QPainter painter(&printer);
        bool first = true;
        PrintSheets(session, 1, log->PageTotal, [&](const rl::TPage& page) {
            if (!first) printer.newPage();
            first = false;
            rl::PaintPage(painter, page, printer.resolution() / 25.4);
            ++pages;
        });
    }
    state.counters["pages_per_run"] = benchmark::Counter(static_cast<double>(pages) / state.iterations());
    state.counters["time_per_page"] =
        benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_PagesToPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
