// The report library's entry points and the drivers of one run: the handed-over block read into
// the model, the figures and the page plan, the tax-office text file and its barcode images.
#pragma once

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

extern "C" {
// Preview of the declaration; AllowPrint enables printing from it. True when the run completed.
bool Report(const char* Dir, const std::uint8_t* Doc, bool AllowPrint, bool NoDate);
// Printing through the print dialog; the third argument is not used.
bool PrintReport(const char* Dir, const std::uint8_t* Doc, bool Ignored, bool NoDate);
// The tax-office text file into a folder the user chooses; false when no folder was chosen.
bool FileOut(QWidget* Wnd, const std::uint8_t* Doc);
}

// The state of the current run, rebuilt by every call.
struct TReportRun {
    std::unique_ptr<kTDanLog> DanLog;
    std::unique_ptr<kTSvodSum> SvodSum;
    TPagePlan Plan;
    QString WorkFolder;      // a private folder of the run, removed at its end
    QString TextFile;        // the tax-office text file of the run
    QStringList BarcodeFiles; // the barcode images in page order
};
TReportRun& ReportRun();

// Services a test replaces: the folder browser of FileOut, and a look at the run once its barcode
// images are made (where the preview or the print run follows).
extern std::function<QString(QWidget* owner)> ChooseExportFolder;
extern std::function<void(const TReportRun&)> OnRunPrepared;

// The drivers; each raises what its steps raise (the exports catch it).
bool RunReport(const QString& dir, const std::uint8_t* doc, bool noDate);
bool RunPrintReport(const QString& dir, const std::uint8_t* doc, bool noDate);
// Result: the message to show, or an empty text when no folder was chosen.
QString RunFileOut(QWidget* owner, const std::uint8_t* doc);
