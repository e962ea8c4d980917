// A declaration of each form printed through the print dialog into a PDF file, the file rasterised
// with pdftoppm as a scanner or printer sees it, and the page codes and two-dimensional barcodes of
// the pages read back.
#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "../report/ReportTestUtil.h"
#include "../ui/UiTestUtil.h"
#include "PdfPageCodes.h"
#include "RunImages.h"
#include "platform/QtWindowing.h"
#include "platform/VAztecBarCode.h"
#include "report/ClassesReport.h"
#include "reportcore/ClassesReportPlan.h"
#include "report/FormPreview.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <ZXing/ReadBarcode.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>

namespace {

void Resident3(mTDeclaration& d) {
    reporttest::ThreeTerritories(d);
    d.Person.Name.SurName = "Петрова";
    d.Person.Name.INN = "500100732259";
}

void Estimated4(mTDeclaration& d) {
    d.DeclarationKind = 2;
    d.SetIncomeKinds(0);
    d.SupposeIncome = Currency::FromInt(150000);
    d.FilerStatus = 1;
    d.Primary = 1;
    d.InspectionNumber = "7704";
    d.FilingDate = EncodeDate(2006, 4, 15);
    d.Person.Name.SurName = "Иванов";
    d.Person.Name.INN = "771234567890";
}

// Prints every page of the declaration into a PDF and returns the page codes read from it, one per
// page in file order ("" where none could be read); with `text`, also the file's text as
// pdftotext reads it, pages separated by form feeds.
std::vector<std::string> PrintedCodes(void (*fill)(mTDeclaration&), int& pageTotal, QString* text = nullptr) {
    InstallFontSubstitutions();
    mTDeclaration d;
    fill(d);
    reporttest::Computed c = reporttest::Compute(d);
    c.plan = PlanPages(*c.log, *c.sums);
    pageTotal = c.plan.PageTotal;
    QList<QImage> images;
    TReportSession session(TBuildContext{*c.log, *c.sums, c.plan, images});
    QTemporaryDir dir;
    const QString pdf = dir.filePath("decl.pdf");
    AskPrintRange = [&](QPrinter& printer, int, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPrintRange(QPrinter::AllPages);
        return true;
    };
    EXPECT_TRUE(PrintWithDialog(session, nullptr));
    if (text) {
        QProcess t;
        t.start("pdftotext", {pdf, "-"});
        EXPECT_TRUE(t.waitForFinished(60000));
        EXPECT_EQ(t.exitCode(), 0) << t.readAllStandardError().toStdString();
        *text = QString::fromUtf8(t.readAllStandardOutput());
    }
    return pdfcodes::ReadPageCodes(pdf);
}

} // namespace

TEST(PrintedPdf, Form3PageCodesReadBack) {
    int total = 0;
    const std::vector<std::string> codes = PrintedCodes(Resident3, total);
    const std::vector<std::string> expected = {"51020019", "51020026", "51020033", "51020071",
                                               "51020088", "51020088", "51020088", "51020095"};
    EXPECT_EQ(total, 8); // sheet А (13%) is page 8
    EXPECT_EQ(codes, expected);
}

TEST(PrintedPdf, Form4PageCodesReadBack) {
    int total = 0;
    const std::vector<std::string> codes = PrintedCodes(Estimated4, total);
    const std::vector<std::string> expected = {"51021016", "51021023"};
    EXPECT_EQ(total, 2);
    EXPECT_EQ(codes, expected);
}

// A declaration with every sheet kind: the pages printed are the pages planned, each with its
// kind's page code, and every sheet's title reads back from the file's text.
TEST(PrintedPdf, EverySheetKindReadsBack) {
    InstallFontSubstitutions();
    auto fill = [](mTDeclaration& d) { sample::EverySheet(d, 1); };
    mTDeclaration d;
    fill(d);
    reporttest::Computed c = reporttest::Compute(d);
    c.plan = PlanPages(*c.log, *c.sums);
    const std::vector<std::string> expected = pdfcodes::PlannedPageCodes(*c.log, c.plan);
    for (int k = skPrilA9; k <= skPrilZ; ++k) {
        if (k == skPrilA30) continue; // no income at 30 % in the sample
        EXPECT_GT(c.plan.SheetPageCount[k], 0) << SheetKindInfo(k).PreviewText;
    }

    int total = 0;
    QString text;
    const std::vector<std::string> codes = PrintedCodes(fill, total, &text);
    EXPECT_EQ(static_cast<int>(codes.size()), total);
    EXPECT_EQ(codes, expected);
    const QStringList pages = text.split(QLatin1Char('\f'));
    auto pagesWith = [&](const QString& phrase) {
        return static_cast<int>(std::count_if(pages.begin(), pages.end(), [&](const QString& p) { return p.contains(phrase); }));
    };
    const auto& n = c.plan.SheetPageCount;
    struct Title {
        const char* phrase;
        int pages;
    } titles[] = {
        {"Лист А. Доходы от источников в Российской Федерации", n[skPrilA9] + n[skPrilA13] + n[skPrilA35]},
        {"Лист Б. Доходы от источников за пределами Российской Федерации", n[skPrilB9] + n[skPrilB13] + n[skPrilB35]},
        {"Лист В. Доходы от предпринимательской деятельности", n[skPrilV]},
        {"Лист Г. Расчет суммы доходов", n[skPrilM]},
        {"Лист Д. Расчет профессиональных налоговых вычетов", n[skPrilG] + n[skPrilG_In]},
        {"Лист Е. Расчет профессиональных налоговых вычетов", n[skPrilD]},
        {"Лист Ж. Расчет имущественных налоговых вычетов", n[skPrilH]},
        {"Лист З. Расчет налоговой базы", n[skPrilJ]},
        {"Лист И. Расчет налоговой базы", n[skPrilK]},
        {"Лист К. Расчет стандартных и социальных налоговых вычетов", n[skPrilE]},
        {"Лист Л. Расчет имущественного налогового вычета", n[skPrilZ]},
    };
    for (const Title& t : titles) EXPECT_EQ(pagesWith(QString::fromUtf8(t.phrase)), t.pages) << t.phrase;
    EXPECT_EQ(pagesWith(QStringLiteral("Достоверность и полноту сведений, указанных на данной странице")), total - 1);
}

TEST(PrintedPdf, PrinterThatCannotOpenIsReported) {
    InstallFontSubstitutions();
    mTDeclaration d;
    Resident3(d);
    reporttest::Computed c = reporttest::Compute(d);
    c.plan = PlanPages(*c.log, *c.sums);
    QList<QImage> images;
    TReportSession session(TBuildContext{*c.log, *c.sums, c.plan, images});
    AskPrintRange = [&](QPrinter& printer, int, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName("/nonexistent-folder/decl.pdf");
        return true;
    };
    std::vector<QString> shown;
    SetMessageBoxHook([&](const QString& text, TMsgIcon, TMsgButtons) {
        shown.push_back(text);
        return 0;
    });
    EXPECT_FALSE(PrintWithDialog(session, nullptr));
    SetMessageBoxHook({});
    EXPECT_EQ(shown, std::vector<QString>{QStringLiteral("Не удалось напечатать декларацию.")});
}

// ---------------------------------------------------------------------------------------------
// The barcodes on paper: a whole run of PrintReport prints into a PDF file; the file is rendered
// as a scanner sees a page and every Aztec symbol is read from its cell of the rendering.

namespace {

// A 3-NDFL with every sheet filled: its text file needs the slots of five pages (the title page,
// page 2 and three section pages, whose slots sit lower in their bands).
void Filled3(mTDeclaration& d) { sample::Fill(d); }

struct Slot {
    int image = 0; // the image's place in the run's list
    double left = 0, top = 0; // mm from the page's top-left corner
};

struct PrintedRun {
    std::string text;                    // the run's tax-office text file
    std::vector<std::string> symbols;    // every symbol of the run's images, read from them
    std::vector<std::vector<Slot>> pageSlots; // per printed page, its barcode slots in list order
    QStringList messages;
};

// Prints the declaration through PrintReport into `pdf`, the way a user picks "print to file".
PrintedRun PrintThroughTheExport(void (*fill)(mTDeclaration&), const QString& pdf) {
    mTDeclaration d;
    fill(d);
    const auto block = reporttest::Block(d);
    PrintedRun r;
    OnRunPrepared = [&](const TReportRun& run) {
        r.text = run.TaxText;
        for (const QImage& img : run.BarcodeImages)
            for (const std::string& s : bmptest::DecodeColumn(RunImagePixels(img))) r.symbols.push_back(s);
        // The page model of the pages about to be printed, in the order they are printed.
        TReportSession session(TBuildContext{*run.DanLog, *run.SvodSum, run.Plan, run.BarcodeImages});
        PrintSheets(session, 1, run.Plan.PageTotal, [&](const rl::TPage& page) {
            std::vector<Slot> onPage;
            for (const rl::TElement& e : page.Elements)
                if (e.kind == rl::TElementKind::Image) {
                    EXPECT_EQ(e.width, 10);
                    EXPECT_EQ(e.height, 50);
                    onPage.push_back({static_cast<int>(run.BarcodeImages.indexOf(e.image)), e.left, e.top});
                }
            std::sort(onPage.begin(), onPage.end(), [](const Slot& a, const Slot& b) { return a.image < b.image; });
            r.pageSlots.push_back(onPage);
        });
    };
    AskPrintRange = [&](QPrinter& printer, int, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPrintRange(QPrinter::AllPages);
        return true;
    };
    SetMessageBoxHook([&](const QString& text, TMsgIcon, TMsgButtons) {
        r.messages << text;
        return 0;
    });
    EXPECT_TRUE(PrintReport("/", block.data(), false, false));
    SetMessageBoxHook({});
    OnRunPrepared = {};
    return r;
}

// The pages of the PDF rendered in gray at `dpi`, in page order.
std::vector<QImage> Render(const QString& pdf, int dpi, const QTemporaryDir& dir) {
    QImageReader::setAllocationLimit(1024); // a 600 dpi page is larger than Qt reads by default
    QProcess p;
    p.start("pdftoppm", {"-r", QString::number(dpi), "-gray", pdf, dir.filePath("scan")});
    EXPECT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    std::vector<QImage> pages;
    for (const QString& f : QDir(dir.path()).entryList({"scan*.pgm"}, QDir::Files, QDir::Name))
        pages.push_back(QImage(dir.filePath(f)).convertToFormat(QImage::Format_Grayscale8));
    return pages;
}

// The symbol in a square cell of a rendered page, the cell given in mm; empty when none reads.
std::optional<std::string> ReadCell(const QImage& page, double left, double top, double side, int dpi) {
    const auto px = [dpi](double mm) { return static_cast<int>(std::lround(mm * dpi / 25.4)); };
    const QImage cell = page.copy(px(left), px(top), px(side), px(side));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::Aztec);
    const ZXing::Result r =
        ZXing::ReadBarcode({cell.constBits(), cell.width(), cell.height(), ZXing::ImageFormat::Lum, int(cell.bytesPerLine())}, hints);
    if (!r.isValid()) return std::nullopt;
    return std::string(r.bytes().begin(), r.bytes().end());
}

// Pixels of a 10 x 50 mm slot that are neither black nor white.
int GrayPixels(const QImage& page, double left, double top, int dpi) {
    const auto px = [dpi](double mm) { return static_cast<int>(std::lround(mm * dpi / 25.4)); };
    int gray = 0;
    for (int y = px(top); y < px(top + 50); ++y)
        for (int x = px(left); x < px(left + 10); ++x) {
            const int v = page.constScanLine(y)[x];
            if (v != 0 && v != 255) ++gray;
        }
    return gray;
}

// The image objects of a PDF file: their dictionaries, as Qt writes them (plain text).
std::vector<std::string> ImageDictionaries(const std::string& pdf) {
    std::vector<std::string> out;
    for (std::size_t at = pdf.find("/Subtype /Image"); at != std::string::npos; at = pdf.find("/Subtype /Image", at + 1)) {
        const std::size_t open = pdf.rfind("<<", at), close = pdf.find(">>", at);
        out.push_back(pdf.substr(open, close - open));
    }
    return out;
}

} // namespace

TEST(PrintedBarcodes, EverySymbolReadsBackFromTheRenderedPages) {
    InstallFontSubstitutions();
    struct Case {
        const char* name;
        void (*fill)(mTDeclaration&);
        std::vector<int> dpis;
        std::size_t pagesWithSlots; // pages that show images of the run
    } cases[] = {
        {"3-NDFL", Filled3, {300}, 5},
        {"4-NDFL", Estimated4, {300, 600}, 1}, // its file fills no more than the title page's slots
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("decl.pdf");
        const PrintedRun run = PrintThroughTheExport(c.fill, pdf);
        EXPECT_TRUE(run.messages.isEmpty()) << run.messages.join("; ").toStdString(); // the file fits its slots
        ASSERT_FALSE(run.text.empty());
        ASSERT_GT(run.symbols.size(), 5u);

        // Whole black-and-white images, not a JPEG approximation, and never smoothed by a viewer.
        const std::vector<std::string> images = ImageDictionaries(testutil::ReadFile(pdf.toStdString()));
        int slotCount = 0;
        for (const auto& page : run.pageSlots) slotCount += static_cast<int>(page.size());
        EXPECT_EQ(images.size(), static_cast<std::size_t>(slotCount));
        for (const std::string& dict : images) {
            EXPECT_NE(dict.find("/BitsPerComponent 1"), std::string::npos) << dict;
            EXPECT_EQ(dict.find("DCTDecode"), std::string::npos) << dict;
            EXPECT_EQ(dict.find("/Interpolate true"), std::string::npos) << dict;
        }

        for (int dpi : c.dpis) {
            SCOPED_TRACE(dpi);
            const std::vector<QImage> pages = Render(pdf, dpi, dir);
            ASSERT_EQ(pages.size(), run.pageSlots.size());
            std::string read;
            std::size_t symbols = 0, pagesWithSlots = 0;
            int nextImage = 0;
            for (std::size_t p = 0; p < pages.size(); ++p) {
                if (!run.pageSlots[p].empty()) ++pagesWithSlots;
                for (const Slot& s : run.pageSlots[p]) {
                    EXPECT_EQ(s.image, nextImage++) << "page " << p + 1; // page order is the images' order
                    EXPECT_EQ(GrayPixels(pages[p], s.left, s.top, dpi), 0) << "page " << p + 1; // whole dots, unblurred
                    for (int cell = 0; cell < kAztecSymbolsPerImage; ++cell) {
                        const auto symbol = ReadCell(pages[p], s.left, s.top + 10 * cell, 10, dpi);
                        if (!symbol) continue; // the cells after the last symbol are empty
                        if (symbols < run.symbols.size()) {
                            EXPECT_EQ(*symbol, run.symbols[symbols]) << "symbol " << symbols;
                        }
                        ++symbols;
                        read += *symbol;
                    }
                }
            }
            EXPECT_EQ(nextImage, static_cast<int>((run.symbols.size() + 4) / 5)); // every image printed
            EXPECT_EQ(pagesWithSlots, c.pagesWithSlots);
            EXPECT_EQ(symbols, run.symbols.size());
            EXPECT_TRUE(read == run.text) << "read " << read.size() << " of " << run.text.size() << " bytes";
        }
    }
}
