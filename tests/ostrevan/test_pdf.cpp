// A declaration of each form printed through the print dialog into a PDF file, the file rasterised
// with pdftoppm and the page code of every page read back from the bars.
#include "../report/ReportTestUtil.h"
#include "../ui/UiTestUtil.h"
#include "platform/QtWindowing.h"
#include "report/ClassesReportPlan.h"
#include "report/FormPreview.h"

#include <QDir>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

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
// page in file order ("" where none could be read).
std::vector<std::string> PrintedCodes(void (*fill)(mTDeclaration&), int& pageTotal) {
    InstallFontSubstitutions();
    mTDeclaration d;
    fill(d);
    reporttest::Computed c = reporttest::Compute(d);
    PlanPages(*c.log, *c.sums);
    pageTotal = c.log->PageTotal;
    QStringList images;
    TReportSession session(TBuildContext{*c.log, *c.sums, images});
    QTemporaryDir dir;
    const QString pdf = dir.filePath("decl.pdf");
    AskPrintRange = [&](QPrinter& printer, int, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPrintRange(QPrinter::AllPages);
        return true;
    };
    EXPECT_TRUE(PrintWithDialog(session, nullptr));
    QProcess p;
    p.start("pdftoppm", {"-r", "150", "-gray", pdf, dir.filePath("page")});
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    std::vector<std::string> codes;
    const QStringList files = QDir(dir.path()).entryList({"page*.pgm"}, QDir::Files, QDir::Name);
    for (const QString& f : files) {
        QImage img(dir.filePath(f));
        img = img.convertToFormat(QImage::Format_Grayscale8);
        const QImage top = img.copy(0, 0, img.width(), img.height() / 6); // the page header
        ZXing::ImageView view(top.constBits(), top.width(), top.height(), ZXing::ImageFormat::Lum, top.bytesPerLine());
        ZXing::DecodeHints hints;
        hints.setFormats(ZXing::BarcodeFormat::EAN8);
        const ZXing::Result res = ZXing::ReadBarcode(view, hints);
        codes.push_back(res.isValid() ? std::string(res.bytes().begin(), res.bytes().end()) : std::string());
    }
    return codes;
}

} // namespace

TEST(PrintedPdf, Form3PageCodesReadBack) {
    int total = 0;
    const std::vector<std::string> codes = PrintedCodes(Resident3, total);
    const std::vector<std::string> expected = {"51020019", "51020026", "51020033", "51020071",
                                               "51020088", "51020088", "51020088"};
    EXPECT_EQ(total, 8); // sheet А (13%) is page 8; its pages are not printed yet
    EXPECT_EQ(codes, expected);
}

TEST(PrintedPdf, Form4PageCodesReadBack) {
    int total = 0;
    const std::vector<std::string> codes = PrintedCodes(Estimated4, total);
    const std::vector<std::string> expected = {"51021016", "51021023"};
    EXPECT_EQ(total, 2);
    EXPECT_EQ(codes, expected);
}

TEST(PrintedPdf, PrinterThatCannotOpenIsReported) {
    InstallFontSubstitutions();
    mTDeclaration d;
    Resident3(d);
    reporttest::Computed c = reporttest::Compute(d);
    PlanPages(*c.log, *c.sums);
    QStringList images;
    TReportSession session(TBuildContext{*c.log, *c.sums, images});
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
