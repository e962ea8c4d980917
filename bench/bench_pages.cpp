// Printing a large declaration with every sheet kind as a print run does: the document block read
// into the model, the figures and the page plan, the tax-office text file and its barcode images,
// and every page painted into a PDF file. Time per declaration and per page.
#include "../tests/SampleDecl.h"
#include "platform/QtWindowing.h"
#include "report/ClassesReport.h"
#include "report/FormPreview.h"
#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"
#include "reportcore/ClassesReportText.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_DeclarationToPdf(benchmark::State& state) {
    mTDeclaration d;
    sample::EverySheet(d, static_cast<int>(state.range(0)));
    const std::uint32_t size = d.GetDocumentSize();
    auto block = mTFileLoader::CreateInMemory(size);
    d.SaveDocument(*block);
    std::int64_t pages = 0, images = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        auto log = ReadDanLog(block->View, false);
        kTSvodSum sums;
        sums.Calculate(*log);
        const TPagePlan plan = PlanPages(*log, sums);
        // As the run: the text file and the images of the pages' slots, in memory.
        const std::string text = TaxTextBytes(BuildTaxText(*log, sums, plan, TTaxClock::Now()));
        const QList<QImage> barcodes = MakeBarcodeImages(text, BarcodeSlotCount(*log, plan)).Images;
        images += barcodes.size();
        TReportSession session(TBuildContext{*log, sums, plan, barcodes});
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("declaration.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setFullPage(true);
        QPainter painter(&printer);
        bool first = true;
        PrintSheets(session, 1, plan.PageTotal, [&](const rl::TPage& page) {
            if (!first) printer.newPage();
            first = false;
            rl::PaintPage(painter, page, printer.resolution() / 25.4);
            ++pages;
        });
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["pages_per_declaration"] = benchmark::Counter(static_cast<double>(pages) / runs);
    state.counters["images_per_declaration"] = benchmark::Counter(static_cast<double>(images) / runs);
    state.counters["time_per_page"] =
        benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

// Sources and incomes repeated 1 and 8 times: every sheet kind, then every block sheet over
// several pages.
BENCHMARK(BM_DeclarationToPdf)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
