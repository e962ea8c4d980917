// A declaration made as a user makes it: from a new document, every page filled through the real
// windows and dialogs by mouse clicks and typing, checked, previewed, printed through the print
// dialog into a PDF file and exported through the folder dialog. The text file is compared with a
// file checked by hand, the printed pages' codes with the page plan.
//
// Set VELMAROD_WRITE_GOLDEN=1 to write the text file anew (and check it again before committing).
#include "../ui/WindowTest.h"
#include "../TestUtil.h"
#include "../ostrevan/PdfPageCodes.h"
#include "../report/ReportTestUtil.h"
#include "../ui/UiTestUtil.h"
#include "app/Main.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "pagebase/CheckError.h"
#include "platform/QtWindowing.h"
#include "reportcore/ClassesReportText.h"
#include "ui_Main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// ---------------------------------------------------------------------------------------------
// The user's hands

TFormMain* Window() { return static_cast<TFormMain*>(FormMain); }

// The visible widget of this name in the main window (pages keep their names unique on screen).
template <class T>
T* On(const char* name) {
    for (T* w : Window()->findChildren<T*>(QString::fromLatin1(name)))
        if (w->isVisible()) return w;
    ADD_FAILURE() << "no visible " << name;
    return nullptr;
}

template <class T>
T* In(QWidget* dialog, const char* name) {
    T* w = dialog->findChild<T*>(QString::fromLatin1(name));
    if (!w) ADD_FAILURE() << "no " << name << " in " << dialog->metaObject()->className();
    return w;
}

void Click(QWidget* w) {
    if (!w) return;
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// Clicks into an edit, empties it and types.
void Type(QLineEdit* e, const QString& text) {
    if (!e) return;
    Click(e);
    e->selectAll();
    uitest::Key(e, Qt::Key_Delete);
    uitest::Type(e, text);
}

void Page(const char* button) { Click(On<TFlashButton>(button)); }

// ---------------------------------------------------------------------------------------------

const char* kRates = R"(<?xml version="1.0" encoding="UTF-8"?>
<CurrencyRates>
 <Currency Code="840" Name="Доллар США" Quantity="1">
  <Rate Date="01.03.2005" Rate="27,9"/>
  <Rate Date="18.03.2005" Rate="27,7543"/>
 </Currency>
</CurrencyRates>
)";

// The two lines of the text file that hold the moment it was made, put in a fixed form.
std::string WithoutMoment(const std::string& file) {
    const std::string id = ToOem("ИдФайл:"), date = ToOem("ДатаДок:");
    std::string out;
    std::size_t from = 0;
    while (from < file.size()) {
        std::size_t end = file.find("\r\n", from);
        end = end == std::string::npos ? file.size() : end + 2;
        std::string line = file.substr(from, end - from);
        if (line.rfind(id, 0) == 0 && line.size() > 12) line = line.substr(0, line.size() - 12) + "MMDDhhmmss\r\n";
        if (line.rfind(date, 0) == 0) line = date + "DD.MM.YYYY\r\n";
        out += line;
        from = end;
    }
    return out;
}

class EndToEnd : public uitest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        QSettings(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод")).clear();
        // The program directory as installed: the country list and a rates file beside the program.
        std::filesystem::create_directory(Path("program"));
        std::filesystem::copy_file(VELMAROD_SOURCE_DIR "/data/Oksm.xml", Path("program/Oksm.xml"));
        testutil::WriteFile(Path("program/CurrencyRates.xml"), kRates);
        std::filesystem::create_directory(Path("out"));
        SetMessageBoxHook([this](const QString& text, TMsgIcon, TMsgButtons) {
            messages << text;
            return int(mrOk);
        });
    }
};

} // namespace

TEST_F(EndToEnd, FillCheckPreviewPrintAndExport) {
    window = std::make_unique<TFormMain>(QStringList{}, QString::fromStdString(Path("program")));
    TFormMain& w = *window;
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w, uitest::kFailAfterMs));
    uitest::ModalAnswerer dialogs({}); // the session's dialogs, answered in turn
    Click(w.ui->fbCreate); // "Новая": nothing typed yet, so nothing is asked

    // Initial data: the inspection, the filing date, the income kinds.
    Page("fbInitialData");
    Type(On<TMaskedEdit>("meInspection"), "7701");
    On<QDateEdit>("dtGetDate")->setDate(QDate(2006, 4, 20));
    Click(On<QCheckBox>("chbIncomeCurrency"));
    Click(On<QCheckBox>("chbIncomeBusiness"));

    // The person: name, document, then the address.
    Page("fbPrsonInfo");
    Type(On<TMaskedEdit>("meSurName"), "Петров");
    Type(On<TMaskedEdit>("meName"), "Сергей");
    Type(On<TMaskedEdit>("mePatronymic"), "Николаевич");
    Type(On<TMaskedEdit>("meINN"), "500100732259");
    On<QDateEdit>("dtBirthDate")->setDate(QDate(1970, 5, 15));
    Click(On<QRadioButton>("rbM"));
    Type(On<TMaskedEdit>("meMesto"), "г. Москва");
    dialogs.Expect(uitest::Pick("21"));
    Click(On<QPushButton>("bnDocType"));
    Type(On<QLineEdit>("meSerial"), "4500123456");
    On<QDateEdit>("dtRegDate")->setDate(QDate(2000, 1, 10));
    Type(On<TMaskedEdit>("meKem"), "ОВД Тверского района");
    Page("fbPersonAddress");
    Type(On<TMaskedEdit>("mePostIndex"), "125009");
    Type(On<TMaskedEdit>("meOKATO"), "45286555000");
    dialogs.Expect(uitest::Pick("77"));
    Click(On<QPushButton>("bnRegion"));
    Type(On<TMaskedEdit>("meStreet"), "Тверская");
    Type(On<TMaskedEdit>("meHouse"), "7");
    Type(On<TMaskedEdit>("meFlat"), "12");


    // Incomes in Russia at 13 %: two employers, each with its lines, tax base and tax withheld.
    struct Employer {
        const char *name, *inn, *kpp;
        bool primary;
        std::vector<std::pair<const char*, const char*>> lines; // amount, month
        const char *base, *tax, *held;
    } employers[] = {
        {"ООО Ромашка", "7701234560", "770101001", true, {{"20000", "1"}, {"20000", "2"}, {"20000", "3"}, {"60000", "6"}}, "118400",
         "15392", "15392"},
        {"ЗАО Василек", "7707083893", "773601001", false, {{"40000", "9"}, {"40000", "12"}}, "80000", "10400", "10400"},
    };
    Page("fbRussianIncome");
    for (const Employer& e : employers) {
        dialogs.Expect([&e](QDialog* d) {
            Type(In<TMaskedEdit>(d, "meSourseName"), QString::fromUtf8(e.name));
            Type(In<TMaskedEdit>(d, "meINN"), e.inn);
            Type(In<TMaskedEdit>(d, "meKPP"), e.kpp);
            Type(In<TMaskedEdit>(d, "meOKATO"), "45286555000");
            if (e.primary) Click(In<QCheckBox>(d, "chbPrimaryWorkplase"));
            Click(In<QPushButton>(d, "bnOk"));
        });
        Click(On<TFlashButton>("fbAddSourseIncome"));
        for (auto [amount, month] : e.lines) {
            dialogs.Expect([amount, month](QDialog* d) {
                Click(In<QPushButton>(d, "bnIncomeCod"));
                Type(In<TMaskedEdit>(d, "meIncomeSum"), amount);
                Type(In<TMaskedEdit>(d, "mePropSale"), month);
                Click(In<QPushButton>(d, "bnYes"));
            });
            dialogs.Expect(uitest::Pick("2000"));
            Click(On<TFlashButton>("fbAddIncome"));
        }
        Type(On<TMaskedEdit>("meObl"), e.base);
        Type(On<TMaskedEdit>("meTaxIsch"), e.tax);
        Type(On<TMaskedEdit>("meHoldSum"), e.held);
    }

    // A dividend.
    Click(On<TFlashButton>("FlashButton2"));
    dialogs.Expect([](QDialog* d) {
        Type(In<TMaskedEdit>(d, "meSourseName"), "ОАО Нефть");
        Type(In<TMaskedEdit>(d, "meINN"), "7702000004");
        Type(In<TMaskedEdit>(d, "meKPP"), "770201001");
        Type(In<TMaskedEdit>(d, "meOKATO"), "45286555000");
        Type(In<TMaskedEdit>(d, "meItogIncomeSum"), "20000");
        Type(In<TMaskedEdit>(d, "meOblSum"), "20000");
        Type(In<TMaskedEdit>(d, "meHoldSum"), "1800");
        Click(In<QPushButton>(d, "bnOk"));
    });
    Click(On<TFlashButton>("fbAddSourseIncome"));

    // An income abroad in dollars, converted at the rates of the program's rates file.
    Page("fbForeignIncome");
    dialogs.Expect([](QDialog* d) {
        Type(In<TMaskedEdit>(d, "meSourseName"), "Acme Inc.");
        Type(In<TMaskedEdit>(d, "meGos"), "840");
        Click(In<QPushButton>(d, "bnOk"));
    });
    Click(On<TFlashButton>("fbAddSourseIncome"));
    Type(On<TMaskedEdit>("meCurrencyCode"), "840");
    On<QDateEdit>("dtIncomeGetDate")->setDate(QDate(2005, 3, 2));
    On<QDateEdit>("dtSubtractDate")->setDate(QDate(2005, 3, 20));
    if (!On<QCheckBox>("chbAutoExchange")->isChecked()) Click(On<QCheckBox>("chbAutoExchange"));
    dialogs.Expect(uitest::Pick("2000"));
    Click(On<QPushButton>("bnIncomeCod"));
    Type(On<TMaskedEdit>("meIncomeCurrencySum"), "1000");
    Type(On<TMaskedEdit>("meTaxCurrencySum"), "100");

    // A business: income and documented expenses by month, advance payments.
    Page("fbBusinessIncome");
    dialogs.Expect([](QDialog* d) {
        Type(In<TMaskedEdit>(d, "meActivityType"), "Ремонт обуви");
        Type(In<TMaskedEdit>(d, "me1"), "52");
        Type(In<TMaskedEdit>(d, "me2"), "71");
        Type(In<TMaskedEdit>(d, "me3"), "1");
        Click(In<QPushButton>(d, "bnOk"));
    });
    Click(On<TFlashButton>("fbAddSourseIncome"));
    Type(On<TMaskedEdit>("meIncomeSum1"), "50000");
    Type(On<TMaskedEdit>("meIncomeSum6"), "70000");
    Type(On<TMaskedEdit>("meMatExpenses1"), "20000");
    Type(On<TMaskedEdit>("meOtherExpenses6"), "10000");
    Type(On<TMaskedEdit>("meNachPrepayment"), "3000");
    Type(On<TMaskedEdit>("meActualPrepayment"), "3000");
    Type(On<TMaskedEdit>("meOGRNIP"), "304770000123456");

    // Deductions: standard with one child, social for treatment and studies, property for a flat.
    Page("fbDeduction");
    if (!On<QCheckBox>("chbGrantingStanDeduct")->isChecked()) Click(On<QCheckBox>("chbGrantingStanDeduct"));
    Type(On<TMaskedEdit>("meChildrens"), "1");
    Click(On<QCheckBox>("chbGrantingSocDeduct"));
    Type(On<TMaskedEdit>("meMedicalSum"), "15000");
    Type(On<TMaskedEdit>("meSelfEducationSum"), "20000");
    Click(On<TFlashButton>("fbConstructionDeduct"));
    Click(On<QCheckBox>("chbGrantingDeduct"));
    Type(On<TMaskedEdit>("meObjectNaim"), "Квартира");
    Type(On<TMaskedEdit>("mePostIndex"), "125009");
    dialogs.Expect(uitest::Pick("77"));
    Click(On<QPushButton>("bnRegion"));
    Type(On<TMaskedEdit>("meStreet"), "Ленина");
    Type(On<TMaskedEdit>("meHouse"), "5");
    Type(On<TMaskedEdit>("meFlat"), "10");
    On<QDateEdit>("dtpBayDate")->setDate(QDate(2005, 2, 1));
    On<QDateEdit>("dtpRegRightDate")->setDate(QDate(2005, 3, 1));
    Type(On<TMaskedEdit>("mePart"), "1");
    Type(On<TMaskedEdit>("meObsch"), "900000");

    // Tax paid in advance.
    Page("fbNalog");
    dialogs.Expect([](QDialog* d) {
        In<QComboBox>(d, "cbKBK")->setCurrentIndex(0);
        Type(In<TMaskedEdit>(d, "meHoldSum"), "3000");
        Click(In<QPushButton>(d, "bnOk"));
    });
    Click(On<TFlashButton>("fbAddSourseIncome"));

    ASSERT_TRUE(dialogs.AllAnswered());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();

    // Check.
    Click(w.ui->fbCheck);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Проверка декларации завершена успешно")});
    messages.clear();

    // Preview: the preview window comes, and is closed.
    bool contentsOffInPreview = false;
    dialogs.Expect([&](QDialog* d) {
        EXPECT_STREQ(d->metaObject()->className(), "TMyFormPreview");
        contentsOffInPreview = !w.ui->centralwidget->isEnabled();
        Click(In<QPushButton>(d, "Button7")); // "Закрыть"
    });
    Click(w.ui->fbView);
    EXPECT_TRUE(contentsOffInPreview);
    EXPECT_TRUE(w.ui->centralwidget->isEnabled());

    // Print: the print dialog's "print to file" into a PDF file, every page.
    const QString pdf = QString::fromStdString(Path("out/declaration.pdf"));
    dialogs.Expect([&](QDialog* d) {
        auto* printers = In<QComboBox>(d, "printers");
        const int toFile = printers ? printers->findText(QStringLiteral("PDF"), Qt::MatchContains) : -1;
        ASSERT_GE(toFile, 0);
        printers->setCurrentIndex(toFile);
        Type(In<QLineEdit>(d, "filename"), pdf);
        auto* buttons = d->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        Click(buttons->button(QDialogButtonBox::Ok));
    });
    Click(w.ui->fbPrint);

    // Export: the folder chosen in the folder dialog.
    const QString out = QString::fromStdString(Path("out"));
    dialogs.Expect([&](QDialog* d) {
        auto* files = qobject_cast<QFileDialog*>(d);
        ASSERT_NE(files, nullptr);
        files->setDirectory(out);
        auto* buttons = d->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        ASSERT_NE(buttons, nullptr);
        Click(buttons->button(QDialogButtonBox::Open));
    });
    Click(w.ui->fbExsport);

    ASSERT_TRUE(dialogs.AllAnswered());
    ASSERT_EQ(messages.size(), 1) << messages.join('\n').toStdString();
    const QString prefix = QStringLiteral("Сформирован файл ") + out + QLatin1Char('/');
    ASSERT_TRUE(messages[0].startsWith(prefix)) << messages[0].toStdString();
    EXPECT_EQ(messages[0].mid(prefix.size()), QStringLiteral("O500100732259_05_000001.txt"));
    EXPECT_TRUE(w.ui->centralwidget->isEnabled());
    EXPECT_TRUE(w.ui->CoolBarMenu->isEnabled());

    // The text file, but for the moment it was made, as checked by hand.
    const std::string text = WithoutMoment(testutil::ReadFile(messages[0].mid(17).toStdString()));
    const std::string golden = VELMAROD_SOURCE_DIR "/tests/endtoend/golden/declaration.txt";
    if (std::getenv("VELMAROD_WRITE_GOLDEN")) testutil::WriteFile(golden, text);
    EXPECT_EQ(text, testutil::ReadFile(golden));

    // The printed pages: as many as the plan has, each with its sheet's page code.
    reporttest::Computed planned = reporttest::Compute(*w.Document);
    planned.plan = PlanPages(*planned.log, *planned.sums);
    const std::vector<std::string> expected = pdfcodes::PlannedPageCodes(*planned.log, planned.plan);
    EXPECT_EQ(static_cast<int>(expected.size()), planned.plan.PageTotal);
    EXPECT_EQ(pdfcodes::ReadPageCodes(pdf), expected);

    // The runs kept their work to themselves: the program directory holds what it held.
    QStringList programFiles = QDir(QString::fromStdString(Path("program"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    EXPECT_EQ(programFiles, (QStringList{"CurrencyRates.xml", "Oksm.xml"}));
}
