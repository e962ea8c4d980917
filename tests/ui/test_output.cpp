// The output commands: the page saved, the whole-declaration check, the failing entry's page, and
// the document handed to the report library in one block with the window's contents disabled.
#include "UiTestUtil.h"
#include "WindowTest.h"
#include "CompleteDecl.h"
#include "../TestUtil.h"
#include "app/CheckAllError.h"
#include "pagebase/CheckError.h"
#include "app/Main.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "pages/FrameInitialData.h"
#include "pages/FramePersonData.h"
#include "pages/FramePersonName.h"
#include "platform/QtWindowing.h"
#include "report/ClassesReport.h"
#include "report/FormPreview.h"
#include "ui_FrameInitialData.h"
#include "ui_FramePersonName.h"
#include "ui_Main.h"

#include <QFile>
#include <QPointer>
#include <QPrinter>
#include <QSettings>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// What the library was asked for.
struct TCall {
    std::string what;
    std::string dir;
    bool flag = false;
    bool noDate = false;
    QWidget* window = nullptr;
    std::string block;  // up to the first zero byte, as the library reads it
    bool contentsEnabled = true;
};
std::vector<TCall> calls;
bool throwInLibrary = false;

TFormMain* Window() { return static_cast<TFormMain*>(FormMain); }

void Record(const char* what, const char* dir, const std::uint8_t* doc, bool flag, bool noDate, QWidget* window) {
    TCall c{what, dir ? dir : "", flag, noDate, window, reinterpret_cast<const char*>(doc), true};
    c.contentsEnabled = Window()->ui->centralwidget->isEnabled() || Window()->ui->CoolBarMenu->isEnabled();
    calls.push_back(c);
    if (throwInLibrary) throw std::runtime_error("Не могу создать папку");
}

const TReportLibrary kRecorder{
    [](const char* dir, const std::uint8_t* doc, bool allowPrint, bool noDate) {
        Record("Report", dir, doc, allowPrint, noDate, nullptr);
        return true;
    },
    [](const char* dir, const std::uint8_t* doc, bool ignored, bool noDate) {
        Record("PrintReport", dir, doc, ignored, noDate, nullptr);
        return true;
    },
    [](QWidget* window, const std::uint8_t* doc) {
        Record("FileOut", nullptr, doc, false, false, window);
        return true;
    },
};

class Output : public uitest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        calls.clear();
        throwInLibrary = false;
    }
    TFormMain& Open(const std::function<void(mTDeclaration&)>& change = {}) {
        mTDeclaration d;
        checkfixture::MakeComplete(d);
        if (change) change(d);
        d.SaveToFile(Path("in.vrq"));
        window = uitest::OpenWindow(Path("in.vrq"), dir);
        window->ReportLibrary = kRecorder;
        return *window;
    }
    // The document as a file now holds it (ending in its zero byte).
    std::string DocumentBytes() {
        window->Document->SaveToFile(Path("now.vrq"));
        return testutil::ReadFile(Path("now.vrq"));
    }
};

} // namespace

TEST_F(Output, EachCommandHandsTheBlockOverInItsMode) {
    struct Case {
        const char* what;
        void (TFormMain::*command)();
        const char* call;
        bool flag;
    } cases[] = {
        {"preview", &TFormMain::PreviewDocExecute, "Report", true},
        {"print", &TFormMain::PrintDocExecute, "PrintReport", true},
        {"export", &TFormMain::ExportDocExecute, "FileOut", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFormMain& w = Open();
        w.NoDate = true;
        calls.clear();
        (w.*c.command)();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].what, c.call);
        EXPECT_EQ(calls[0].flag, c.flag);
        EXPECT_FALSE(calls[0].contentsEnabled); // disabled while the library works
        EXPECT_TRUE(w.ui->centralwidget->isEnabled());
        EXPECT_TRUE(w.ui->CoolBarMenu->isEnabled());
        EXPECT_EQ(calls[0].block + '\0', DocumentBytes()); // the block is the document file's bytes
        if (calls[0].what == "FileOut") {
            EXPECT_EQ(calls[0].window, &w);
        } else {
            EXPECT_TRUE(calls[0].noDate);
            EXPECT_EQ(QString::fromStdString(calls[0].dir), w.ProgramDir);
        }
        EXPECT_TRUE(messages.isEmpty());
        window.reset();
    }
}

TEST_F(Output, CheckReportsSuccess) {
    TFormMain& w = Open();
    w.CheckDocExecute();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Проверка декларации завершена успешно")});
    EXPECT_TRUE(calls.empty());
}

TEST_F(Output, AFixedFailureOpensItsPageAndStops) {
    TFormMain& w = Open([](mTDeclaration& d) { d.Person.Name.SurName.clear(); });
    for (void (TFormMain::*command)() : {&TFormMain::PreviewDocExecute, &TFormMain::PrintDocExecute, &TFormMain::ExportDocExecute,
                                         &TFormMain::CheckDocExecute}) {
        {
            uitest::ModalAnswerer skip({uitest::Click("Button3")}); // leaving the person page
            w.ui->fbInitialData->SetDown(true);
            w.PageButtonClick(w.ui->fbInitialData);
        }
        uitest::ModalAnswerer fix({uitest::Click("Button1")}); // "Исправить"
        (w.*command)();
        auto* person = qobject_cast<TfrPersonData*>(w.CurrentPage);
        ASSERT_NE(person, nullptr);
        EXPECT_TRUE(w.ui->fbPrsonInfo->Down());
        EXPECT_EQ(w.ActiveButton, w.ui->fbPrsonInfo);
        auto* name = qobject_cast<TfrPersonNaim*>(person->CurrentSubPage);
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(w.focusWidget(), name->ui->meSurName);
    }
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(messages.isEmpty());
}

// The failing entry is on the page already shown: the page stays as it is (not built again, the
// user's typing kept), only the focus moves to the entry.
TEST_F(Output, AFailureOnThePageShownOnlyMovesTheFocus) {
    TFormMain& w = Open([](mTDeclaration& d) { d.Person.Name.SurName.clear(); });
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w, uitest::kFailAfterMs));
    QTest::mouseClick(w.ui->fbPrsonInfo, Qt::LeftButton, {}, QPoint(10, 10));
    QPointer<TThinkingFrame> page = w.CurrentPage;
    auto* holder = qobject_cast<TfrPersonData*>(page.data());
    ASSERT_NE(holder, nullptr);
    QPointer<TfrPersonNaim> name = qobject_cast<TfrPersonNaim*>(holder->CurrentSubPage);
    ASSERT_NE(name, nullptr);
    QTest::mouseClick(name->ui->meMesto, Qt::LeftButton);
    uitest::Type(name->ui->meMesto, QStringLiteral("Тула"));
    uitest::ModalAnswerer fix({uitest::Click("Button1")}); // "Исправить"
    w.PreviewDocExecute();
    EXPECT_EQ(fix.Answered(), 1);
    EXPECT_TRUE(calls.empty());
    ASSERT_EQ(w.CurrentPage, page.data());
    ASSERT_EQ(holder->CurrentSubPage, name.data());
    EXPECT_EQ(name->ui->meMesto->Text(), QStringLiteral("Тула"));
    EXPECT_EQ(w.focusWidget(), name->ui->meSurName);
    // The window active again after the check's dialog (the window manager's part), typing goes there.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w, uitest::kFailAfterMs));
    EXPECT_EQ(QApplication::focusWidget(), name->ui->meSurName);
    EXPECT_TRUE(w.ui->fbPrsonInfo->Down());
}

// A 4-NDFL declaration whose status is not one of its form (as stored files may hold it) is
// neither printed nor filed: the check opens the initial data page at the status.
TEST_F(Output, Form4WithoutItsStatusOpensTheStatus) {
    TFormMain& w = Open([](mTDeclaration& d) { d.DeclarationKind = 2; });
    ASSERT_EQ(w.Document->FilerStatus, 0);
    {
        uitest::ModalAnswerer skip({uitest::Click("Button3")}); // leaving the initial data page: "Пропустить все"
        w.ui->fbPrsonInfo->SetDown(true);
        w.PageButtonClick(w.ui->fbPrsonInfo);
    }
    ASSERT_NE(qobject_cast<TfrPersonData*>(w.CurrentPage), nullptr);
    QString message;
    uitest::ModalAnswerer fix({[&message](QDialog* d) {
        message = qobject_cast<TfmCheckAllError*>(d)->Message();
        uitest::Click("Button1")(d); // "Исправить"
    }});
    w.PrintDocExecute();
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(message, QStringLiteral("Для декларации по форме 4-НДФЛ укажите статус декларанта: индивидуальный "
                                      "предприниматель, частный нотариус или адвокат."));
    auto* initial = qobject_cast<TfrInitialData*>(w.CurrentPage);
    ASSERT_NE(initial, nullptr);
    EXPECT_TRUE(w.ui->fbInitialData->Down());
    EXPECT_EQ(w.focusWidget(), initial->ui->rbPredp);
    EXPECT_EQ(w.Document->FilerStatus, 0); // nothing chosen on the user's behalf

    initial->ui->rbPredp->setChecked(true);
    w.PrintDocExecute();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].what, "PrintReport");
}

TEST_F(Output, ACancelledCheckPreviewsWithoutPrinting) {
    TFormMain& w = Open([](mTDeclaration& d) { d.Person.Name.SurName.clear(); });
    for (void (TFormMain::*command)() : {&TFormMain::PrintDocExecute, &TFormMain::ExportDocExecute, &TFormMain::PreviewDocExecute}) {
        uitest::ModalAnswerer cancel({uitest::Click("Button2")}); // "Отмена"
        (w.*command)();
    }
    ASSERT_EQ(calls.size(), 1u); // print and export did nothing
    EXPECT_EQ(calls[0].what, "Report");
    EXPECT_FALSE(calls[0].flag);
}

TEST_F(Output, AFailingLibraryLeavesTheWindowUsable) {
    TFormMain& w = Open();
    throwInLibrary = true;
    w.ui->PrintDoc->trigger();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(w.ui->centralwidget->isEnabled());
    EXPECT_TRUE(w.ui->CoolBarMenu->isEnabled());
    EXPECT_EQ(messages, QStringList{QStringLiteral("Не могу создать папку")});
}

TEST_F(Output, ControlKeysPreviewAndPrint) {
    TFormMain& w = Open();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w, uitest::kFailAfterMs));
    QTest::mouseClick(w.ui->fbPrsonInfo, Qt::LeftButton, {}, QPoint(10, 10));
    auto* name = qobject_cast<TfrPersonNaim*>(qobject_cast<TfrPersonData*>(w.CurrentPage)->CurrentSubPage);
    QTest::mouseClick(name->ui->meName, Qt::LeftButton); // the user clicks into the field
    ASSERT_EQ(QApplication::focusWidget(), name->ui->meName);
    const std::pair<QKeyCombination, const char*> keys[] = {{Qt::ControlModifier | Qt::Key_F2, "Report"},
                                                            {Qt::ControlModifier | Qt::Key_P, "PrintReport"},
                                                            {Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_P, "PrintReport"},
                                                            {Qt::ControlModifier | Qt::Key_F1, "PrintReport"}};
    for (auto [key, call] : keys) {
        calls.clear();
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        ASSERT_TRUE(QTest::qWaitFor([] { return !calls.empty(); }, uitest::kFailAfterMs)) << call;
        ASSERT_EQ(calls.size(), 1u) << call;
        ASSERT_EQ(QApplication::focusWidget(), name->ui->meName); // the focus comes back, for the next key
        EXPECT_EQ(calls[0].what, call);
        EXPECT_TRUE(w.ui->centralwidget->isEnabled());
    }
    calls.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2); // without Ctrl: nothing
    QApplication::processEvents();
    EXPECT_TRUE(calls.empty());
}

// The window sees the keys whatever has the focus: right after a click on a page button no control
// has it (the page that held it is gone), and the keys still preview and print.
TEST_F(Output, ControlKeysWorkRightAfterAPageSwitch) {
    TFormMain& w = Open();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w, uitest::kFailAfterMs));
    const std::pair<QKeyCombination, const char*> keys[] = {{Qt::ControlModifier | Qt::Key_F2, "Report"},
                                                            {Qt::ControlModifier | Qt::Key_P, "PrintReport"},
                                                            {Qt::ControlModifier | Qt::Key_F1, "PrintReport"}};
    TFlashButton* pageButtons[] = {w.ui->fbPrsonInfo, w.ui->fbNalog, w.ui->fbInitialData};
    for (int i = 0; i < 3; ++i) {
        const auto [key, call] = keys[i];
        SCOPED_TRACE(call);
        QTest::mouseClick(pageButtons[i], Qt::LeftButton, {}, QPoint(10, 10));
        ASSERT_EQ(w.ActiveButton, pageButtons[i]);
        calls.clear();
        QTest::keyClick(w.windowHandle(), key.key(), key.keyboardModifiers());
        ASSERT_TRUE(QTest::qWaitFor([] { return !calls.empty(); }, uitest::kFailAfterMs));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].what, call);
        EXPECT_TRUE(w.ui->centralwidget->isEnabled());
    }
    calls.clear();
    QTest::keyClick(w.windowHandle(), Qt::Key_P); // without Ctrl: nothing
    QApplication::processEvents();
    EXPECT_TRUE(calls.empty());
}

// Through the real library, as the program is built: Export writes the tax-office file into the
// chosen folder and says so; Print goes through the print dialog into a PDF file with every
// planned page.
TEST_F(Output, ExportAndPrintThroughTheLibrary) {
    TFormMain& w = Open();
    w.ReportLibrary = RealReportLibrary();
    std::filesystem::create_directory(Path("out"));
    const QString folder = QString::fromStdString(Path("out"));
    ChooseExportFolder = [folder](QWidget*) { return folder; };
    w.ExportDocExecute();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Сформирован файл ") + folder + QLatin1Char('/'))) << messages[0].toStdString();
    const std::string text = testutil::ReadFile(messages[0].mid(17).toStdString());
    EXPECT_NE(text.find("500100732259"), std::string::npos); // the filer's INN
    EXPECT_EQ(text.substr(text.size() - 5), "===\r\n");

    const QString pdf = QString::fromStdString(Path("decl.pdf"));
    int planned = 0;
    AskPrintRange = [&](QPrinter& printer, int pageTotal, QWidget*) {
        planned = pageTotal;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPrintRange(QPrinter::AllPages);
        return true;
    };
    messages.clear();
    w.PrintDocExecute();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_GT(planned, 2);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), planned);
    EXPECT_TRUE(w.ui->centralwidget->isEnabled());
}
