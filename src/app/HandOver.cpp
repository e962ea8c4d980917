#include "app/HandOver.h"

#include "model/DeclClasses.h"
#include "report/ClassesReport.h"

TReportLibrary RealReportLibrary() { return TReportLibrary{&::Report, &::PrintReport, &::FileOut}; }

void HandOver(const mTDeclaration& document, THandOverMode mode, const TReportLibrary& library, const QString& programDir,
              bool noDate, QWidget* window) {
    // The document ends in a zero byte, where the library stops reading.
    auto block = document.SaveToMemory();
    const QByteArray dir = programDir.toUtf8();
    const std::uint8_t* doc = block->View;
    switch (mode) {
    case THandOverMode::Preview: library.Report(dir.constData(), doc, false, noDate); break;
    case THandOverMode::PreviewPrintable: library.Report(dir.constData(), doc, true, noDate); break;
    case THandOverMode::Print: library.PrintReport(dir.constData(), doc, true, noDate); break;
    case THandOverMode::Export: library.FileOut(window, doc); break;
    }
}
