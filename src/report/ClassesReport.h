// The report library's entry points and the drivers of one run: the handed-over block read into
// the model, the figures and the page plan, the tax-office text file and its barcode images.
#pragma once

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"

#include <QImage>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;

extern "C" {
// Preview of the declaration; AllowPrint enables printing from it. True when the run completed.
bool Report(const char* Dir, const std::uint8_t* Doc, bool AllowPrint, bool NoDate);
// Printing through the print dialog; the third argument is not used.
bool PrintReport(const char* Dir, const std::uint8_t* Doc, bool Ignored, bool NoDate);
// The tax-office text file into a folder the user chooses; false when no folder was chosen.
bool FileOut(QWidget* Wnd, const std::uint8_t* Doc);
}

// The state of the current run, rebuilt by every call. A run keeps the taxpayer's data in memory:
// it writes no file of its own.
struct TReportRun {
    std::unique_ptr<kTDanLog> DanLog;
    std::unique_ptr<kTSvodSum> SvodSum;
    TPagePlan Plan;
    std::string TaxText;         // the bytes of the tax-office text file, as FileOut writes them
    QList<QImage> BarcodeImages; // the barcode images in page order
};
TReportRun& ReportRun();

// The barcode images of the text file's bytes, made in memory by the barcode library: the first
// `capacity` of them (the slots of the pages), each a 1-bit image with black at index 0 and white
// at index 1, in page order. Made: how many the library made, or -1 when it failed.
struct TBarcodeImages {
    QList<QImage> Images;
    int Made = 0;
};
TBarcodeImages MakeBarcodeImages(const std::string& text, int capacity);

// Services a test replaces: the folder browser of FileOut, and a look at the run once its barcode
// images are made (where the preview or the print run follows).
extern std::function<QString(QWidget* owner)> ChooseExportFolder;
extern std::function<void(const TReportRun&)> OnRunPrepared;

// The drivers; each raises what its steps raise (the exports catch it).
bool RunReport(const QString& dir, const std::uint8_t* doc, bool noDate);
bool RunPrintReport(const QString& dir, const std::uint8_t* doc, bool noDate);
// Result: the message to show, or an empty text when no folder was chosen.
QString RunFileOut(QWidget* owner, const std::uint8_t* doc);
