#include "report/ClassesReport.h"

#include "platform/QtWindowing.h"
#include "report/FormPreview.h"
#include "platform/VAztecBarCode.h"
#include "reportcore/ClassesReportPlan.h"
#include "reportcore/ClassesReportText.h"
#include "storage/StgClasses.h"

#include <QDir>
#include <QImage>
#include <QFileDialog>
#include <QTemporaryDir>

std::function<QString(QWidget* owner)> ChooseExportFolder = [](QWidget* owner) {
    return QFileDialog::getExistingDirectory(owner, kAppTitle, QDir::homePath(), QFileDialog::ShowDirsOnly);
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

// The work folder of a report run: private to the run and removed with everything in it on every
// way out, so no taxpayer's file or stale image outlives the run.
class TWorkFolder {
public:
    TWorkFolder() : dir_(QDir::tempPath() + QStringLiteral("/velmarod-run-XXXXXX")) {
        // The message names the place, joined to the words without a blank as the program always wrote it.
        if (!dir_.isValid()) throw std::runtime_error(("Не могу создать" + QDir::tempPath() + "/").toStdString());
    }
    QString Path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// Steps of Report and PrintReport up to the barcode images; what follows them (the preview or
// the print run) runs in `then` while the work folder exists.
bool RunWithImages(const std::uint8_t* doc, bool noDate, const std::function<void(TReportRun&)>& then) {
    Prepare(doc, noDate);
    TReportRun& run = ReportRun();
    TWorkFolder folder;
    run.WorkFolder = folder.Path();
    run.TextFile.clear();
    run.BarcodeFiles.clear();

    const std::string path =
        TaxTextExport(*run.DanLog, *run.SvodSum, run.Plan, folder.Path().toStdString(), TTaxClock::Now());
    if (path.empty()) {
        MessageBox(nullptr, QStringLiteral("Ошибка записи. Файл не сформирован."), TMsgIcon::None);
    } else {
        run.TextFile = QString::fromStdString(path);
        const QString pattern = folder.Path() + QStringLiteral("/O%.bmp");
        if (CreateAztecBarCodeFiles(path.c_str(), pattern.toStdString().c_str(), 1) < 0)
            MessageBox(nullptr, QStringLiteral("Ошибка VAztecBarCode.dll"), TMsgIcon::None);
    }
    // This run's images only, in name order, which is page order; they must load and fit the
    // slots of the pages that show them. An image without a slot is never printed: it is not kept.
    QDir dir(folder.Path());
    const int capacity = BarcodeSlotCount(*run.DanLog, run.Plan);
    const QStringList made = dir.entryList({QStringLiteral("O*.bmp")}, QDir::Files, QDir::Name);
    for (const QString& name : made) {
        if (run.BarcodeFiles.size() < capacity)
            run.BarcodeFiles << dir.filePath(name);
        else
            dir.remove(name);
    }
    if (made.size() > capacity)
        MessageBox(nullptr, QStringLiteral("Штрих-код декларации не помещается на страницах."), TMsgIcon::Warning);
    for (const QString& f : run.BarcodeFiles)
        if (QImage(f).isNull()) {
            MessageBox(nullptr, QStringLiteral("Не удалось загрузить изображение штрих-кода."), TMsgIcon::Warning);
            break;
        }

    if (OnRunPrepared) OnRunPrepared(run);
    then(run);

    run.BarcodeFiles.clear();
    run.TextFile.clear();
    run.WorkFolder.clear();
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

bool AllowPrintFlag = false;

bool RunReport(const QString&, const std::uint8_t* doc, bool noDate) {
    return RunWithImages(doc, noDate, [](TReportRun& run) {
        TReportSession session(TBuildContext{*run.DanLog, *run.SvodSum, run.Plan, run.BarcodeFiles});
        session.Pages(skTitul); // the title page is built before the window opens
        TMyFormPreview preview(session, AllowPrintFlag);
        preview.exec();
    });
}

bool RunPrintReport(const QString&, const std::uint8_t* doc, bool noDate) {
    return RunWithImages(doc, noDate, [](TReportRun& run) {
        TReportSession session(TBuildContext{*run.DanLog, *run.SvodSum, run.Plan, run.BarcodeFiles});
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
