// Reading a printed declaration back as a scanner sees it: the PDF file rasterised with pdftoppm
// and the page code (EAN-8 in the page header) of every page read with zxing-cpp.
#pragma once

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesReportPlan.h"
#include "reportlayer/ReportLayer.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pdfcodes {

// The page codes of the file's pages in file order ("" where none could be read).
inline std::vector<std::string> ReadPageCodes(const QString& pdf) {
    QTemporaryDir dir;
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

// The page codes the plan gives, page by page in print order.
inline std::vector<std::string> PlannedPageCodes(const kTDanLog& log, const TPagePlan& plan) {
    std::vector<std::string> codes;
    for (int k = skTitul; k <= skPrilZ; ++k) {
        const TSheetKindInfo& info = SheetKindInfo(k);
        const char* code = log.DeclDan->DeclarationKind == 2 && info.PageCode4 ? info.PageCode4 : info.PageCode;
        for (int i = 0; i < plan.SheetPageCount[k]; ++i) codes.push_back(rl::PageCodeDigits(QString::fromUtf8(code)).toStdString());
    }
    return codes;
}

} // namespace pdfcodes
