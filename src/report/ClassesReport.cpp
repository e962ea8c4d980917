#include "report/ClassesReport.h"

#include "platform/QtWindowing.h"
#include "report/FormPreview.h"
#include "platform/VAztecBarCode.h"
#include "reportcore/ClassesReportPlan.h"
#include "reportcore/ClassesReportText.h"
#include "storage/StgClasses.h"

#include <QDir>
#include <QFileDialog>
#include <algorithm>
#include <cstring>

std::function<QString(QWidget* owner)> ChooseExportFolder = [](QWidget* owner) {
    // Qt's own dialog, as the program's document dialogs: in Russian on every desktop.
    QFileDialog dialog(owner, kAppTitle, QDir::homePath());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
};
std::function<void(const TReportRun&)> OnRunPrepared;

TReportRun& ReportRun() {
    static TReportRun run;
    return run;
}

namespace {

// Steps shared by every driver: the block read into the model, the figures and the page plan.
void Prepare(const std::uint8_t* doc, bool noDate) {
    TReportRun& run = ReportRun();
    run.SvodSum.reset();
    run.DanLog = ReadDanLog(doc, noDate);
    run.SvodSum = std::make_unique<kTSvodSum>();
    run.SvodSum->Calculate(*run.DanLog);
    run.Plan = PlanPages(*run.DanLog, *run.SvodSum);
}

// Takes one image of the barcode library: the bits are its own only during the call.
void KeepImage(void* context, const TAztecImage* image) {
    QImage img(image->width, image->height, QImage::Format_Mono);
    if (!img.isNull()) {
        // The one table with which Qt's PDF engine writes a 1-bit image without loss (the library's
        // set bit is white).
        img.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        const int metre = static_cast<int>(int{kAztecImageDpi} / 0.0254 + 0.5);
        img.setDotsPerMeterX(metre);
        img.setDotsPerMeterY(metre);
        const int bytes = std::min<int>(image->stride, static_cast<int>(img.bytesPerLine()));
        for (int y = 0; y < image->height; ++y)
            std::memcpy(img.scanLine(y), image->bits + static_cast<std::size_t>(y) * image->stride, static_cast<std::size_t>(bytes));
    }
    static_cast<QList<QImage>*>(context)->append(img); // a null image, when there was no memory, is reported
}

// Steps of Report and PrintReport up to the barcode images; what follows them (the preview or
// the print run) runs in `then`. Nothing of the run reaches the disk.
bool RunWithImages(const std::uint8_t* doc, bool noDate, const std::function<void(TReportRun&)>& then) {
    Prepare(doc, noDate);
    TReportRun& run = ReportRun();
    run.TaxText = TaxTextBytes(BuildTaxText(*run.DanLog, *run.SvodSum, run.Plan, TTaxClock::Now()));
    const int capacity = BarcodeSlotCount(*run.DanLog, run.Plan);
    TBarcodeImages barcodes = MakeBarcodeImages(run.TaxText, capacity);
    if (barcodes.Made < 0) MessageBox(nullptr, QStringLiteral("Ошибка VAztecBarCode.dll"), TMsgIcon::None);
    // An image without a slot is never printed: it is not kept.
    run.BarcodeImages = std::move(barcodes.Images);
    if (barcodes.Made > capacity)
        MessageBox(nullptr, QStringLiteral("Штрих-код декларации не помещается на страницах."), TMsgIcon::Warning);
    for (const QImage& img : run.BarcodeImages)
        if (img.isNull()) {
            MessageBox(nullptr, QStringLiteral("Не удалось загрузить изображение штрих-кода."), TMsgIcon::Warning);
            break;
        }

    if (OnRunPrepared) OnRunPrepared(run);
    then(run);

    run.BarcodeImages.clear();
    run.TaxText.clear();
    run.SvodSum.reset();
    return true;
}

// What the program would show for an error of a run.
void ShowRunError(QWidget* owner, const std::function<void()>& body, bool& result) {
    try {
        body();
    } catch (const EConvertError&) {
        MessageBox(owner, QString::fromUtf8(stgmsg::BadFormat), TMsgIcon::Error);
        result = false;
    } catch (const std::exception& e) {
        MessageBox(owner, QString::fromUtf8(e.what()), TMsgIcon::Error);
        result = false;
    } catch (...) {
        MessageBox(owner, QStringLiteral("Непредвиденная ошибка."), TMsgIcon::Error);
        result = false;
    }
}

} // namespace

TBarcodeImages MakeBarcodeImages(const std::string& text, int capacity) {
    TBarcodeImages out;
    QList<QImage> made;
    out.Made = CreateAztecBarCodeImages(reinterpret_cast<const unsigned char*>(text.data()), text.size(), KeepImage, &made);
    if (out.Made > 0) out.Images = made.mid(0, std::min<qsizetype>(capacity, made.size()));
    return out;
}

bool AllowPrintFlag = false;

bool RunReport(const QString&, const std::uint8_t* doc, bool noDate) {
    return RunWithImages(doc, noDate, [](TReportRun& run) {
        TReportSession session(TBuildContext{*run.DanLog, *run.SvodSum, run.Plan, run.BarcodeImages});
        session.Pages(skTitul); // the title page is built before the window opens
        TMyFormPreview preview(session, AllowPrintFlag);
        preview.exec();
    });
}

bool RunPrintReport(const QString&, const std::uint8_t* doc, bool noDate) {
    return RunWithImages(doc, noDate, [](TReportRun& run) {
        TReportSession session(TBuildContext{*run.DanLog, *run.SvodSum, run.Plan, run.BarcodeImages});
        PrintWithDialog(session, nullptr);
    });
}

QString RunFileOut(QWidget* owner, const std::uint8_t* doc) {
    Prepare(doc, false);
    const QString folder = ChooseExportFolder ? ChooseExportFolder(owner) : QString();
    if (folder.isEmpty()) return {};
    TReportRun& run = ReportRun();
    const std::string path =
        TaxTextExport(*run.DanLog, *run.SvodSum, run.Plan, QDir::cleanPath(folder).toStdString(), TTaxClock::Now());
    if (path.empty()) return QStringLiteral("Ошибка записи. Файл не сформирован.");
    return QStringLiteral("Сформирован файл ") + QString::fromStdString(path);
}

extern "C" bool Report(const char* Dir, const std::uint8_t* Doc, bool AllowPrint, bool NoDate) {
    AllowPrintFlag = AllowPrint;
    bool result = true;
    ShowRunError(nullptr, [&] { result = RunReport(QString::fromUtf8(Dir ? Dir : ""), Doc, NoDate); }, result);
    return result;
}

extern "C" bool PrintReport(const char* Dir, const std::uint8_t* Doc, bool, bool NoDate) {
    bool result = true;
    ShowRunError(nullptr, [&] { result = RunPrintReport(QString::fromUtf8(Dir ? Dir : ""), Doc, NoDate); }, result);
    return result;
}

extern "C" bool FileOut(QWidget* Wnd, const std::uint8_t* Doc) {
    bool result = true;
    ShowRunError(Wnd, [&] {
        const QString message = RunFileOut(Wnd, Doc);
        if (message.isEmpty()) {
            MessageBox(Wnd, QStringLiteral("Директория не выбрана. "), TMsgIcon::None);
            result = false;
        } else {
            MessageBox(Wnd, message, TMsgIcon::None);
            result = true;
        }
    }, result);
    return result;
}
