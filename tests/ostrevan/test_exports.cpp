#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "../ui/UiTestUtil.h"
#include "report/FormPreview.h"
#include "../report/ReportTestUtil.h"
#include "platform/Codec.h"
#include "platform/QtWindowing.h"
#include "report/ClassesReport.h"
#include "RunImages.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Every file and folder under `dir`, hidden ones included.
QStringList Everything(const std::string& dir) {
    QStringList out;
    QDirIterator it(QString::fromStdString(dir), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) out << it.next();
    return out;
}

// The process's temporary folder (TMPDIR) elsewhere while it lives.
class TTempFolderAt {
public:
    explicit TTempFolderAt(const std::string& path) : saved_(qgetenv("TMPDIR")) { qputenv("TMPDIR", QByteArray::fromStdString(path)); }
    ~TTempFolderAt() {
        if (saved_.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", saved_);
    }
    TTempFolderAt(const TTempFolderAt&) = delete;
    TTempFolderAt& operator=(const TTempFolderAt&) = delete;

private:
    QByteArray saved_;
};

class Exports : public testutil::TempDir {
protected:
    void SetUp() override {
        TempDir::SetUp();
        SetMessageBoxHook([this](const QString& text, TMsgIcon icon, TMsgButtons) {
            messages << text;
            icons.push_back(icon);
            return int(mrOk);
        });
        ChooseExportFolder = [this](QWidget*) { return folder; };
        AskPrintRange = [this](QPrinter&, int total, QWidget*) {
            printDialogTotal = total;
            return false; // cancelled: nothing is printed
        };
    }
    void TearDown() override {
        SetMessageBoxHook({});
        OnRunPrepared = {};
        TempDir::TearDown();
    }
    static std::vector<std::uint8_t> Resident() {
        mTDeclaration d;
        d.SetIncomeKinds(ikRussian);
        d.InspectionNumber = "7701";
        d.Person.Name = {"Иванов", "Иван", "Иванович", "500100732259", "", "0"};
        auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
        s.PrimaryWorkplase = 1;
        s.HoldSum = reporttest::Rub(15600);
        for (std::uint16_t m = 1; m <= 12; ++m) s.AddSourseIncome(reporttest::Line(2000, 10000, 0, 0, m));
        return reporttest::Block(d);
    }
    QStringList messages;
    std::vector<TMsgIcon> icons;
    QString folder;
    int printDialogTotal = 0;
};

} // namespace

TEST_F(Exports, FileOutWritesIntoTheChosenFolder) {
    const std::string tmp = Path("tmp");
    std::filesystem::create_directory(tmp);
    const TTempFolderAt at(tmp);
    folder = QString::fromStdString(Path("chosen"));
    std::filesystem::create_directory(folder.toStdString());
    const auto block = Resident();
    EXPECT_TRUE(FileOut(nullptr, block.data()));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Сформирован файл ") + folder + QStringLiteral("/O500100732259")));
    EXPECT_EQ(icons[0], TMsgIcon::None);
    const QString path = messages[0].mid(QStringLiteral("Сформирован файл ").size());
    const std::string text = codec::Cp866ToUtf8(testutil::ReadFile(path.toStdString()));
    EXPECT_EQ(text.rfind("ИдФайл:500100732259*********2005", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 5), "===\r\n");
    EXPECT_FALSE(QDir(folder + QStringLiteral("/Pic")).exists());
    // The user's file and nothing else: no temporary file beside it or elsewhere.
    EXPECT_EQ(Everything(folder.toStdString()), QStringList{path});
    EXPECT_TRUE(Everything(tmp).isEmpty());
}

TEST_F(Exports, FileOutMessages) {
    const auto block = Resident();
    folder.clear();
    EXPECT_FALSE(FileOut(nullptr, block.data()));
    EXPECT_EQ(messages.value(0), QStringLiteral("Директория не выбрана. "));
    folder = QString::fromStdString(dir + "/missing");
    EXPECT_TRUE(FileOut(nullptr, block.data()));
    EXPECT_EQ(messages.value(1), QStringLiteral("Ошибка записи. Файл не сформирован."));
}

TEST_F(Exports, NoExceptionCrossesTheExports) {
    auto block = Resident();
    std::memcpy(block.data(), "dlsg", 4);
    folder = QString::fromStdString(dir);
    EXPECT_FALSE(FileOut(nullptr, block.data()));
    EXPECT_FALSE(Report("/", block.data(), true, false)); // fails before any window opens
    EXPECT_FALSE(PrintReport("/", block.data(), true, false));
    ASSERT_EQ(messages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(messages[i], QStringLiteral("Неправильный формат файла декларации, возможно он поврежден."));
        EXPECT_EQ(icons[i], TMsgIcon::Error);
    }
}

// A run keeps the text file and its images in memory: while it is prepared, at its print dialog
// and after it, nothing has been written into the temporary folder or the program directory.
TEST_F(Exports, ReportRunKeepsTheTextFileAndItsImagesInMemory) {
    const auto block = Resident();
    const std::string tmp = Path("tmp"), program = Path("program");
    std::filesystem::create_directory(tmp);
    std::filesystem::create_directory(program);
    const TTempFolderAt at(tmp);
    const std::string programDir = program + "/";
    QStringList written;
    const auto look = [&] { written << Everything(tmp) << Everything(program); };
    std::string decoded, text;
    int images = 0;
    OnRunPrepared = [&](const TReportRun& run) {
        look();
        text = run.TaxText;
        images = static_cast<int>(run.BarcodeImages.size());
        for (const QImage& img : run.BarcodeImages)
            for (const std::string& chunk : bmptest::DecodeColumn(RunImagePixels(img))) decoded += chunk;
        EXPECT_EQ(run.Plan.PageTotal, 7);
    };
    uitest::ModalAnswerer close({uitest::Click("Button7")}); // the preview window: "Закрыть"
    EXPECT_TRUE(Report(programDir.c_str(), block.data(), true, false));
    EXPECT_EQ(close.Answered(), 1);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_GT(images, 0);
    EXPECT_EQ(codec::Cp866ToUtf8(text).rfind("ИдФайл:500100732259*********2005", 0), 0u); // the file FileOut writes
    EXPECT_EQ(text.substr(text.size() - 5), "===\r\n");
    EXPECT_EQ(decoded, text);
    EXPECT_TRUE(ReportRun().BarcodeImages.isEmpty());
    EXPECT_TRUE(ReportRun().TaxText.empty());

    OnRunPrepared = [&](const TReportRun&) { look(); };
    AskPrintRange = [&](QPrinter&, int total, QWidget*) {
        look(); // where a run ended by a signal used to leave the taxpayer's files
        printDialogTotal = total;
        return false;
    };
    EXPECT_TRUE(PrintReport(programDir.c_str(), block.data(), false, false));
    EXPECT_EQ(printDialogTotal, 7);
    look();
    EXPECT_TRUE(written.isEmpty()) << written.join("; ").toStdString();
}

// The preview offers "Печать" only when the caller allows printing (a declaration whose check
// the user cancelled is shown, not printed); clicking the disabled button prints nothing.
TEST_F(Exports, ReportOffersPrintingOnlyWhenAllowed) {
    const auto block = Resident();
    for (bool allowPrint : {false, true}) {
        SCOPED_TRACE(allowPrint ? "allowed" : "not allowed");
        printDialogTotal = 0;
        bool enabled = !allowPrint;
        QString caption;
        uitest::ModalAnswerer preview({[&](QDialog* d) {
            auto* print = d->findChild<QPushButton*>(QStringLiteral("Button5"));
            ASSERT_NE(print, nullptr);
            enabled = print->isEnabled();
            caption = print->text().remove(QLatin1Char('&'));
            QTest::mouseClick(print, Qt::LeftButton); // the print dialog, if the button works
            uitest::Click("Button7")(d);              // "Закрыть"
        }});
        EXPECT_TRUE(Report("/", block.data(), allowPrint, false));
        EXPECT_EQ(preview.Answered(), 1);
        EXPECT_EQ(caption, QStringLiteral("Печать"));
        EXPECT_EQ(enabled, allowPrint);
        EXPECT_EQ(printDialogTotal, allowPrint ? 7 : 0);
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(Exports, TextFileTooLargeForTheBarcodeSlotsIsReportedBeforeThePreview) {
    // Hundreds of sources make a long text file, while the pages with barcode slots (title, page 2
    // and the sections) stay few: the images cannot all be shown.
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.Person.Name = {"Иванов", "Иван", "Иванович", "500100732259", "", "0"};
    for (int i = 0; i < 400; ++i) {
        auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
        s.SourseName = "ООО Источник дохода номер " + std::to_string(i);
        s.INN = "7701234567";
        s.KPP = "770101001";
        s.OKATO = "45286555000";
        s.HoldSum = reporttest::Rub(1300);
        s.AddSourseIncome(reporttest::Line(2000, 10000));
    }
    const auto block = reporttest::Block(d);
    int imagesKept = 0, capacity = 0;
    OnRunPrepared = [&](const TReportRun& run) {
        imagesKept = static_cast<int>(run.BarcodeImages.size());
        capacity = 3 * run.Plan.SheetFirstPage[skPrilA9];
        EXPECT_EQ(messages, QStringList{"Штрих-код декларации не помещается на страницах."}); // before the window
    };
    uitest::ModalAnswerer close({uitest::Click("Button7")});
    EXPECT_TRUE(Report("/", block.data(), true, false));
    // Only the images that the pages' slots show are kept.
    EXPECT_EQ(imagesKept, capacity);
    EXPECT_EQ(close.Answered(), 1); // the user goes on to the preview
    EXPECT_EQ(messages, QStringList{"Штрих-код декларации не помещается на страницах."});
}

TEST_F(Exports, LargeDeclarationsFitTheirSlotsOrAreReported) {
    // Every sheet filled and ever more sources of income: the text file grows while the pages with
    // barcode slots (title page, page 2 and the sections: 24 slots here) stay the same.
    struct Case {
        int sources;
        bool fits;
    } cases[] = {{20, true}, {40, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sources);
        messages.clear();
        mTDeclaration d;
        sample::Fill(d, c.sources, 12, 2, 3);
        const auto block = reporttest::Block(d);
        int images = 0, capacity = 0;
        std::string text, decoded;
        OnRunPrepared = [&](const TReportRun& run) {
            images = static_cast<int>(run.BarcodeImages.size());
            capacity = 3 * run.Plan.SheetFirstPage[skPrilA9];
            text = run.TaxText;
            for (const QImage& img : run.BarcodeImages)
                for (const std::string& chunk : bmptest::DecodeColumn(RunImagePixels(img))) decoded += chunk;
        };
        EXPECT_TRUE(PrintReport("/", block.data(), false, false));
        EXPECT_GT(text.size(), 9000u);
        if (c.fits) {
            EXPECT_TRUE(decoded == text);
            EXPECT_LE(images, capacity);
            EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
        } else {
            // Only the images of the slots are kept: they hold the file's start, and the run says so.
            EXPECT_EQ(images, capacity);
            EXPECT_LT(decoded.size(), text.size());
            EXPECT_EQ(text.compare(0, decoded.size(), decoded), 0);
            EXPECT_EQ(messages, QStringList{"Штрих-код декларации не помещается на страницах."});
        }
    }
}

// A run needs no temporary folder: with none to be had (TMPDIR is a file), it goes on to the print
// dialog as ever.
TEST_F(Exports, ARunNeedsNoTemporaryFolder) {
    const std::string notAFolder = Path("plain-file");
    testutil::WriteFile(notAFolder, "x");
    const TTempFolderAt at(notAFolder);
    bool prepared = false;
    OnRunPrepared = [&](const TReportRun& run) { prepared = !run.BarcodeImages.isEmpty(); };
    const auto block = Resident();
    EXPECT_TRUE(PrintReport("/", block.data(), false, false));
    EXPECT_TRUE(prepared);
    EXPECT_EQ(printDialogTotal, 7);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
}
