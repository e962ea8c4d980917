#include "UiTestUtil.h"
#include "WindowTest.h"
#include "../SampleDecl.h"
#include "CompleteDecl.h"
#include "../TestUtil.h"
#include "app/FrameFit.h"
#include "app/Main.h"
#include "controls/FlashButton.h"
#include "model/DeclClasses.h"
#include "pagebase/CheckError.h"
#include "pages/FrameInitialData.h"
#include "pages/FramePersonData.h"
#include "pages/ImputGrazhd.h"
#include "pages/InputInspectionNumber.h"
#include "platform/QtWindowing.h"
#include "platform/Codec.h"
#include "storage/StreamDef.h"
#include "controls/MaskedEdit.h"
#include "ui_FrameInitialData.h"
#include "ui_ImputGrazhd.h"
#include "ui_InputInspectionNumber.h"
#include "ui_Main.h"

#include <QCloseEvent>
#include <QRadioButton>
#include <QDomDocument>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTextBrowser>
#include <QTreeWidget>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

// Rectangles in failures as x,y wxh.
static void PrintTo(const QRect& r, std::ostream* os) { *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height(); }

using testutil::ReadFile;
using testutil::WriteFile;

namespace {

// A page that exists only here: it counts the protocol's calls and fails its check on request.
class TfrProbePage : public TThinkingFrame {
    Q_OBJECT
public:
    TfrProbePage(QWidget* owner, TDocumentRef ref) : TThinkingFrame(owner, ref) {}
    void SaveData() override { ++saves; }
    std::uint16_t CheckData() override { return checkResult; }
    void FocusItem(std::uint16_t item) override { focused = item; }
    void SelectFirstEntry() override {
        ++selections;
        loadingWhenSelected = PageHost->PageLoading;
    }
    int saves = 0;
    std::uint16_t checkResult = 0;
    int focused = 0;
    int selections = 0;
    bool loadingWhenSelected = false;
};

class MainWindow : public uitest::WindowTest {
protected:
    TFormMain& Make(const QStringList& args = {}) {
        window = std::make_unique<TFormMain>(args, QString::fromStdString(dir));
        window->AskSaveFileName = [this] { return saveName; };
        window->AskOpenFileName = [this] { return openName; };
        return *window;
    }
    QString Saved(const std::string& name, const std::function<void(mTDeclaration&)>& fill) {
        mTDeclaration d;
        fill(d);
        d.SaveToFile(Path(name));
        return QString::fromStdString(Path(name));
    }
    void MarkModified() { docnotify::SendDocumentChanged(); }
    // The placement an earlier run left, alone in the settings; and the one stored now.
    static void StorePlacement(const QRect& frame) {
        QSettings s(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод"));
        s.clear();
        for (auto [k, v] : {std::pair{"wLeft", frame.x()}, {"wTop", frame.y()}, {"wWidth", frame.width()}, {"wHeight", frame.height()}})
            s.setValue(k, v);
    }
    static QRect StoredPlacement() {
        QSettings s(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод"));
        return QRect(s.value("wLeft").toInt(), s.value("wTop").toInt(), s.value("wWidth").toInt(), s.value("wHeight").toInt());
    }
    TfrInitialData* InitialPage() { return qobject_cast<TfrInitialData*>(window->CurrentPage); }

    QString saveName, openName;
};

} // namespace

TEST_F(MainWindow, NewDeclaration) {
    TFormMain& w = Make();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Без имени - Велмарод"));
    EXPECT_TRUE(w.Saved);
    ASSERT_NE(InitialPage(), nullptr);
    EXPECT_TRUE(w.ui->fbInitialData->Down());
    EXPECT_EQ(w.ActiveButton, w.ui->fbInitialData);
    EXPECT_EQ(w.Document->IncomeKinds, ikRussian);
    EXPECT_EQ(w.Document->AutoCalculateApp, 1);
    EXPECT_EQ(w.Document->FilingDate, Today());
    EXPECT_EQ(w.Document->FilingMethod, 0);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(w.ui->fbPrsonInfo->isEnabled());
    EXPECT_TRUE(w.ui->fbDeduction->isEnabled());
    EXPECT_TRUE(w.ui->fbNalog->isEnabled());
}

// A new declaration is dated today, and "Дата подачи" shows that date, as the pages print it.
TEST_F(MainWindow, NewDeclarationShowsTodayAsItsFilingDate) {
    TFormMain& w = Make({Saved("old.vrq", [](mTDeclaration& d) { d.FilingDate = EncodeDate(2006, 4, 20); })});
    EXPECT_EQ(InitialPage()->ui->dtGetDate->date(), QDate(2006, 4, 20));
    w.ui->CreateDoc->trigger(); // "Создать"
    const QDate today = QDate::currentDate();
    EXPECT_EQ(InitialPage()->ui->dtGetDate->date(), today);
    EXPECT_TRUE(w.Saved);
    InitialPage()->SaveData();
    EXPECT_EQ(w.Document->FilingDate, Today());
}

TEST_F(MainWindow, CommandLine) {
    const QString file = Saved("doc.vrq", [](mTDeclaration& d) { d.InspectionNumber = "7701"; });
    struct Case {
        QStringList args;
        bool loaded;
        bool error;
    } cases[] = {
        {{file}, true, false},
        {{"-p", file}, true, false},
        {{"-P", file}, true, false},
        {{file, "ignored"}, true, false},
        {{"-p"}, false, true},
        {{file, file, file}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        messages.clear();
        TFormMain& w = Make(c.args);
        EXPECT_EQ(w.windowTitle(), c.loaded ? QStringLiteral("doc.vrq - Велмарод") : QStringLiteral("Без имени - Велмарод"));
        EXPECT_EQ(w.Document->InspectionNumber, c.loaded ? "7701" : "");
        EXPECT_EQ(messages.size(), c.error ? 1 : 0);
        EXPECT_TRUE(w.Saved);
        window.reset();
    }
}

TEST_F(MainWindow, ChangesMarkTheDocumentModified) {
    TFormMain& w = Make();
    uitest::Type(InitialPage()->ui->meAppendixes, "3");
    EXPECT_FALSE(w.Saved);
    w.CreateDocExecute(); // the question: answered OK (= neither Yes nor Cancel) by the hook: no save
    EXPECT_TRUE(w.Saved); // filling the new page does not mark it
}

// A user who changes one radio button and closes the program is asked to save, and "Да" keeps the
// choice; a document opened and closed unchanged asks nothing.
TEST_F(MainWindow, OneRadioButtonChangedIsNotLostOnClosing) {
    struct Case {
        const char* button;       // the radio button the user clicks
        TFlashButton* Ui::TFormMain::*page; // the page it is on
        const char* subPage;      // the holder's sub-page button, if any
        std::function<bool(const mTDeclaration&)> kept;
    } cases[] = {
        {"rbPredp", &Ui::TFormMain::fbInitialData, nullptr, [](const mTDeclaration& d) { return d.FilerStatus == 1; }},
        {"rbNeRez", &Ui::TFormMain::fbInitialData, nullptr, [](const mTDeclaration& d) { return d.DeclarationKind == 1; }},
        {"rbZh", &Ui::TFormMain::fbPrsonInfo, "fbPersonNaim", [](const mTDeclaration& d) { return d.Person.Name.Sex == "1"; }},
        {"rbPreb", &Ui::TFormMain::fbPrsonInfo, "fbPersonAddress", [](const mTDeclaration& d) { return d.Person.Address.AddressKind == 1; }},
    };
    const QString file = Saved("radio.vrq", checkfixture::MakeComplete);
    const std::string original = ReadFile(file.toStdString());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        for (bool change : {false, true}) {
            WriteFile(file.toStdString(), original);
            TFormMain& w = Make({file});
            w.show();
            TFlashButton* pageButton = w.ui.get()->*c.page;
            if (w.ActiveButton != pageButton) QTest::mouseClick(pageButton, Qt::LeftButton, {}, QPoint(10, 10));
            ASSERT_EQ(w.ActiveButton, pageButton);
            if (c.subPage) {
                auto* sub = w.CurrentPage->findChild<TFlashButton*>(QString::fromLatin1(c.subPage));
                ASSERT_NE(sub, nullptr);
                QTest::mouseClick(sub, Qt::LeftButton, {}, QPoint(10, 10));
            }
            auto* radio = w.CurrentPage->findChild<QRadioButton*>(QString::fromLatin1(c.button));
            ASSERT_NE(radio, nullptr);
            ASSERT_FALSE(radio->isChecked());
            messages.clear();
            if (change) QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(5, radio->height() / 2));
            ASSERT_EQ(radio->isChecked(), change);
            answers = {mrYes};
            ASSERT_TRUE(w.close());
            window.reset();
            if (!change) {
                EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
                EXPECT_EQ(ReadFile(file.toStdString()), original);
                continue;
            }
            EXPECT_EQ(messages, QStringList{QStringLiteral("Вы хотите сохранить декларацию?")});
            mTDeclaration reread;
            reread.LoadFromFile(file.toStdString());
            EXPECT_TRUE(c.kept(reread));
        }
    }
}

TEST_F(MainWindow, QuestionBeforeNew) {
    TFormMain& w = Make();
    w.CreateDocExecute();
    EXPECT_TRUE(messages.isEmpty()); // nothing to lose: no question

    MarkModified();
    mTDeclaration* before = w.Document.get();
    answers = {mrCancel};
    w.CreateDocExecute();
    EXPECT_EQ(messages.value(0), QStringLiteral("Вы хотите сохранить декларацию?"));
    EXPECT_EQ(w.Document.get(), before);
    EXPECT_FALSE(w.Saved);

    // Yes on an unnamed declaration whose save dialog is cancelled acts as Cancel.
    answers = {mrYes};
    saveName.clear();
    w.CreateDocExecute();
    EXPECT_EQ(w.Document.get(), before);
    EXPECT_FALSE(w.Saved);

    // Yes with a name: saved, then the new declaration.
    answers = {mrYes};
    saveName = QString::fromStdString(Path("first.vrq"));
    uitest::Type(InitialPage()->ui->meInspection, "7702"); // the page saves its edits before the file is written
    w.CreateDocExecute();
    EXPECT_NE(w.Document.get(), before);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Без имени - Велмарод"));
    mTDeclaration back;
    back.LoadFromFile(Path("first.vrq"));
    EXPECT_EQ(back.InspectionNumber, "7702");

    MarkModified();
    answers = {mrNo};
    w.CreateDocExecute();
    EXPECT_TRUE(w.Saved);
}

TEST_F(MainWindow, OpenCancelledChangesNothing) {
    TFormMain& w = Make();
    w.Document->InspectionNumber = "7703";
    MarkModified();
    answers = {mrNo};
    openName.clear();
    mTDeclaration* before = w.Document.get();
    w.OpenDocExecute();
    EXPECT_EQ(w.Document.get(), before);
    EXPECT_EQ(w.Document->InspectionNumber, "7703");
    EXPECT_FALSE(w.Saved);
}

TEST_F(MainWindow, OpenAFile) {
    TFormMain& w = Make();
    openName = Saved("open.vrq", [](mTDeclaration& d) {
        d.InspectionNumber = "7704";
        d.SetIncomeKinds(ikRussian | ikForeign);
    });
    w.OpenDocExecute();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("open.vrq - Велмарод"));
    EXPECT_EQ(w.Document->InspectionNumber, "7704");
    EXPECT_EQ(w.FileName, openName);
    EXPECT_TRUE(InitialPage()->ui->chbIncomeCurrency->isChecked());
    EXPECT_TRUE(w.Saved);
}

TEST_F(MainWindow, OpenAnEarlierYearsFile) {
    TFormMain& w = Make();
    WriteFile(Path("old.vrk"),
              testutil::Header("Velmarin", "0101") +
                  codec::Utf8ToCp1251("0011@PersonName" "0007Семёнов" "0004Пётр" "0000" "0000" "0000" "00010"
                                      "0015@PersonDocument" "00010" "0000" "0000" "001001.01.2005" "001001.01.1970" "0000" "0000"
                                      "0014@PersonAddress" "0000" "00010" "0000" "0000" "0000" "0000" "0000" "0000" "0000" "0000"));
    openName = QString::fromStdString(Path("old.vrk"));
    w.OpenDocExecute();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(w.Document->Person.Name.SurName, "Семёнов");
    EXPECT_TRUE(w.FileName.isEmpty()); // the next Save asks for a name
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Без имени - Велмарод"));
    EXPECT_EQ(w.Document->IncomeKinds, ikRussian);
    EXPECT_EQ(w.Document->AutoCalculateApp, 1);
}

TEST_F(MainWindow, ADamagedFileLeavesANewEmptyDeclaration) {
    TFormMain& w = Make();
    const std::string good = ReadFile(Saved("good.vrq", [](mTDeclaration& d) { d.InspectionNumber = "7705"; }).toStdString());
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"bad.vrq", "XLSG" + good.substr(4), "Неправильный формат файла декларации, возможно он поврежден."},
        // A value that is no number deep in the file: a conversion error, shown with the same words.
        {"conv.vrq", std::string(good).replace(good.find("00011"), 5, "0001x"), "Неправильный формат файла декларации, возможно он поврежден."},
        {"cut.vrq", good.substr(0, good.size() / 2), "Неправильный формат файла декларации, возможно он поврежден."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(Path(c.name), c.bytes);
        messages.clear();
        openName = QString::fromStdString(Path(c.name));
        w.OpenDocExecute();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0], QString::fromUtf8(c.message));
        EXPECT_TRUE(w.FileName.isEmpty());
        EXPECT_EQ(w.Document->InspectionNumber, "");
        EXPECT_EQ(w.Document->IncomeKinds, ikRussian);
    }
    messages.clear();
    openName = QString::fromStdString(Path("missing.vrq"));
    w.OpenDocExecute();
    EXPECT_EQ(messages.value(0), QString::fromStdString("Ошибка чтения файла: " + Path("missing.vrq")));
}

// A file cut short inside any of its parts is refused whole, whatever the window held before and
// whichever page showed it: the window goes on with a new declaration exactly as "Создать" makes
// it, on the first page, offering only the pages of that declaration, and every one of them and the
// check of the whole declaration work on it.
TEST_F(MainWindow, ADocumentCutShortAnywhereLeavesAWholeNewDeclaration) {
    const QString full = Saved("full.vrq", [](mTDeclaration& d) { sample::Fill(d); });
    const std::string bytes = ReadFile(full.toStdString());
    TFormMain& w = Make();
    const auto documentBytes = [&] {
        w.Document->SaveToFile(Path("now.vrq"));
        return ReadFile(Path("now.vrq"));
    };
    // Each page the declaration offers shown in turn, then the check of the whole declaration.
    const auto workOnEveryPage = [&] {
        for (TFlashButton* page : {w.ui->fbPrsonInfo, w.ui->fbRussianIncome, w.ui->fbDeduction, w.ui->fbNalog, w.ui->fbInitialData}) {
            uitest::ModalAnswerer skip({uitest::Click("Button3"), uitest::Click("Button3")});
            page->SetDown(true);
            w.PageButtonClick(page);
            EXPECT_EQ(w.ActiveButton, page) << page->objectName().toStdString();
        }
        uitest::ModalAnswerer cancel({uitest::Click("Button2")}); // the check's first finding: "Отмена"
        w.CheckDocExecute();
        EXPECT_EQ(cancel.Answered(), 1);
        return documentBytes();
    };
    const std::string fresh = documentBytes();
    const std::string freshWorkedOn = workOnEveryPage();

    // Inside the general data, the person, each income kind's lists, the deductions and the
    // payments, and at every eighth of the file.
    std::vector<std::size_t> cuts;
    for (const char* stream : {streams::DeclInfo, streams::PersonAddress, streams::SourseIncome, streams::ThirtyPercent,
                               streams::CurrencyIncome, streams::BusinessExpense, streams::DeclBusiness,
                               streams::SocialDeduct, streams::NalogSub}) {
        const std::size_t at = bytes.find(stream);
        ASSERT_NE(at, std::string::npos) << stream;
        cuts.push_back(at + std::string(stream).size() + 3);
    }
    for (int eighth = 1; eighth < 8; ++eighth) cuts.push_back(bytes.size() * eighth / 8);
    for (std::size_t cut : cuts) {
        SCOPED_TRACE(cut);
        openName = full;
        w.OpenDocExecute();
        ASSERT_EQ(w.Document->BusinessIncomeCount(), 3);
        {
            uitest::ModalAnswerer skip({uitest::Click("Button3"), uitest::Click("Button3")});
            w.ui->fbBusinessIncome->SetDown(true);
            w.PageButtonClick(w.ui->fbBusinessIncome);
        }
        ASSERT_EQ(w.ActiveButton, w.ui->fbBusinessIncome);

        WriteFile(Path("cut.vrq"), bytes.substr(0, cut));
        openName = QString::fromStdString(Path("cut.vrq"));
        messages.clear();
        w.OpenDocExecute();
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(stgmsg::BadFormat)});
        EXPECT_EQ(documentBytes(), fresh);
        EXPECT_TRUE(w.FileName.isEmpty());
        EXPECT_NE(InitialPage(), nullptr);
        EXPECT_EQ(w.ActiveButton, w.ui->fbInitialData);
        EXPECT_TRUE(w.ui->fbRussianIncome->isEnabled());
        EXPECT_FALSE(w.ui->fbForeignIncome->isEnabled());
        EXPECT_FALSE(w.ui->fbBusinessIncome->isEnabled());
        EXPECT_EQ(workOnEveryPage(), freshWorkedOn);
    }
}

TEST_F(MainWindow, SaveAndSaveAs) {
    TFormMain& w = Make();
    saveName.clear();
    w.SaveAsDocExecute(); // cancelled: nothing written
    EXPECT_TRUE(w.FileName.isEmpty());
    MarkModified();
    saveName = QString::fromStdString(Path("a.vrq"));
    w.SaveDocExecute();
    EXPECT_TRUE(w.Saved);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("a.vrq - Велмарод"));
    EXPECT_EQ(ReadFile(Path("a.vrq")).size(), w.Document->GetDocumentSize());
    // Save as cancelled on a named declaration writes nothing either.
    MarkModified();
    saveName.clear();
    w.SaveAsDocExecute();
    EXPECT_FALSE(w.Saved);
    saveName = QString::fromStdString(Path("b.vrq"));
    w.SaveAsDocExecute();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("b.vrq - Велмарод"));
}

TEST_F(MainWindow, AFailedSaveKeepsTheStateAndSaysWhy) {
    TFormMain& w = Make();
    const std::string path = Path("locked.vrq");
    WriteFile(path, "old");
    int fd = ::open(path.c_str(), O_RDWR);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    MarkModified();
    saveName = QString::fromStdString(path);
    w.ui->SaveDoc->trigger(); // through the command, as the user reaches it
    ::close(fd);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Ошибка чтения файла: ")));
    EXPECT_FALSE(w.Saved);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Без имени - Велмарод"));
    EXPECT_EQ(ReadFile(path), "old");
}

TEST_F(MainWindow, Closing) {
    TFormMain& w = Make();
    MarkModified();
    answers = {mrCancel};
    QCloseEvent refuse;
    QApplication::sendEvent(&w, &refuse);
    EXPECT_FALSE(refuse.isAccepted());
    EXPECT_NE(w.Document, nullptr);

    answers = {mrYes};
    saveName = QString::fromStdString(Path("closing.vrq"));
    QCloseEvent accept;
    QApplication::sendEvent(&w, &accept);
    EXPECT_TRUE(accept.isAccepted());
    EXPECT_EQ(w.Document, nullptr);
    EXPECT_EQ(w.CurrentPage, nullptr);
    EXPECT_TRUE(QFileInfo::exists(saveName));
}

TEST_F(MainWindow, PageSwitching) {
    TFormMain& w = Make();
    TfrProbePage* probe = nullptr;
    w.SetPageFactory(w.ui->fbPrsonInfo, QStringLiteral("TfrProbePage"), [&](QWidget* owner, TDocumentRef ref) {
        probe = new TfrProbePage(owner, ref);
        return probe;
    });
    EXPECT_TRUE(w.ui->fbPrsonInfo->isEnabled());

    // The initial data page's check fails without an inspection number: "Исправить" keeps it.
    uitest::ModalAnswerer fix({[](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Проверка: Задание условий"));
        uitest::Click("Button1")(d);
    }});
    QTest::mouseClick(w.ui->fbPrsonInfo, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(fix.Answered(), 1);
    EXPECT_NE(InitialPage(), nullptr);
    EXPECT_TRUE(w.ui->fbInitialData->Down());
    EXPECT_FALSE(w.ui->fbPrsonInfo->Down());
    EXPECT_EQ(w.ActiveButton, w.ui->fbInitialData);

    // "Пропустить": the new page is shown; the document holds what the old page saved.
    uitest::Type(InitialPage()->ui->meAppendixes, "5");
    uitest::ModalAnswerer skip({uitest::Click("Button2")});
    QTest::mouseClick(w.ui->fbPrsonInfo, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(w.CurrentPage, probe);
    EXPECT_EQ(w.ActiveButton, w.ui->fbPrsonInfo);
    EXPECT_EQ(w.Document->Appendixes, 5);

    // The button of the page shown: nothing happens.
    QTest::mouseClick(w.ui->fbPrsonInfo, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(probe->saves, 0);

    // A refused switch from the probe page focuses its item.
    probe->checkResult = 7;
    QTest::mouseClick(w.ui->fbInitialData, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(w.CurrentPage, probe);
    EXPECT_EQ(probe->saves, 1);
    EXPECT_EQ(probe->focused, 7);
    EXPECT_TRUE(w.ui->fbPrsonInfo->Down());
    probe->checkResult = 0;
    QTest::mouseClick(w.ui->fbInitialData, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_NE(InitialPage(), nullptr);
}

// The window knows a list page only by the protocol: whatever its controls are called, the page is
// asked for its first entry when the document holds entries of its list, while PageLoading is set.
TEST_F(MainWindow, AListPageIsAskedForItsFirstEntry) {
    TFormMain& w = Make();
    int entries = 0;
    TfrProbePage* probe = nullptr;
    w.SetPageFactory(
        w.ui->fbNalog, QStringLiteral("TfrProbePage"),
        [&](QWidget* owner, TDocumentRef ref) {
            probe = new TfrProbePage(owner, ref);
            return probe;
        },
        [&](const mTDeclaration&) { return entries; });
    for (int n : {0, 3}) {
        SCOPED_TRACE(n);
        entries = n;
        uitest::ModalAnswerer skipAll({uitest::Click("Button3")}); // the initial data page's check
        QTest::mouseClick(w.ui->fbNalog, Qt::LeftButton, {}, QPoint(10, 10));
        ASSERT_NE(probe, nullptr);
        ASSERT_EQ(w.CurrentPage, probe);
        EXPECT_EQ(probe->selections, n > 0 ? 1 : 0);
        EXPECT_EQ(probe->loadingWhenSelected, n > 0);
        EXPECT_FALSE(w.PageLoading);
        QTest::mouseClick(w.ui->fbInitialData, Qt::LeftButton, {}, QPoint(10, 10));
        ASSERT_NE(InitialPage(), nullptr);
    }
}

TEST_F(MainWindow, ToolbarOptions) {
    {
        TFormMain& w = Make();
        EXPECT_TRUE(w.ui->N16->isChecked());
        EXPECT_TRUE(w.ui->N17->isChecked());
        EXPECT_EQ(w.ui->fbCreate->size(), QSize(80, 47));
        EXPECT_EQ(w.ui->fbCreate->Caption(), QStringLiteral("Создать"));
        w.ui->N17->trigger();
        EXPECT_EQ(w.ui->fbCreate->size(), QSize(35, 35));
        EXPECT_EQ(w.ui->fbCreate->Caption(), QString());
        w.ui->N16->trigger();
        EXPECT_TRUE(w.ui->CoolBarButtons->isHidden());
        window.reset();
    }
    QSettings s(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод"));
    EXPECT_EQ(s.value("TextLabels").toInt(), 0);
    EXPECT_EQ(s.value("ShowStdToolbar").toInt(), 0);
    TFormMain& again = Make();
    EXPECT_TRUE(again.ui->CoolBarButtons->isHidden());
    EXPECT_FALSE(again.ui->N17->isChecked());
    again.ui->N16->trigger();
    EXPECT_FALSE(again.ui->CoolBarButtons->isHidden());
    EXPECT_EQ(QSettings(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод")).value("ShowStdToolbar").toInt(), 1);
}

// The page bar's glyphs are of one size; the last button keeps its half height and shows its
// caption beside the glyph (the caption's room is measured by the texts-whole test).
TEST_F(MainWindow, PageBarGlyphsAreOfOneSize) {
    TFormMain& w = Make();
    const QSize glyph = w.ui->fbInitialData->GlyphSize();
    EXPECT_FALSE(glyph.isEmpty());
    for (const TFlashButton* b : {w.ui->fbPrsonInfo, w.ui->fbRussianIncome, w.ui->fbForeignIncome, w.ui->fbBusinessIncome,
                                  w.ui->fbDeduction, w.ui->fbNalog})
        EXPECT_EQ(b->GlyphSize(), glyph) << b->objectName().toStdString();
    EXPECT_EQ(w.ui->fbNalog->height(), 36);
}

TEST_F(MainWindow, Placement) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int sw = screen->geometry().width(), wh = screen->availableGeometry().height();
    struct Case {
        const char* name;
        std::map<QString, int> stored;
        QRect expected;
        bool maximised;
    } cases[] = {
        {"nothing stored", {}, QRect((sw - 800) / 2, (wh - 571) / 2, 800, 571), false},
        {"zeros", {{"wLeft", 0}, {"wTop", 0}, {"wWidth", 0}, {"wHeight", 0}}, QRect((sw - 800) / 2, (wh - 571) / 2, 800, 571), false},
        {"negative left", {{"wLeft", -30}, {"wTop", 5}, {"wWidth", 800}, {"wHeight", 571}}, QRect(0, 5, 800, 571), false},
        {"too wide", {{"wLeft", 100}, {"wTop", 0}, {"wWidth", sw}, {"wHeight", 571}}, QRect(std::max(0, sw - 800), 0, 800, 571), false},
        {"larger than the screen", {{"wLeft", 0}, {"wTop", 0}, {"wWidth", sw + 321}, {"wHeight", wh + 142}}, QRect(std::max(0, sw - 800), std::max(0, wh - 571), 800, 571), false},
        {"smaller than the minimum", {{"wLeft", 0}, {"wTop", 5}, {"wWidth", 500}, {"wHeight", 300}}, QRect(0, 5, 800, 571), false},
        {"full screen", {{"FullScreen", 1}, {"wLeft", 3}}, QRect((sw - 800) / 2, (wh - 571) / 2, 800, 571), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            QSettings s(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод"));
            s.clear();
            for (const auto& [k, v] : c.stored) s.setValue(k, v);
        }
        TFormMain& w = Make();
        w.FormShow();
        EXPECT_EQ(QRect(w.pos(), w.size()), c.expected);
        EXPECT_EQ(w.windowState().testFlag(Qt::WindowMaximized), c.maximised);
        window.reset();
    }
    // The placement is written when the window goes.
    TFormMain& w = Make();
    w.move(10, 20);
    w.resize(800, 590);
    window.reset();
    QSettings s(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод"));
    EXPECT_EQ(s.value("wLeft").toInt(), 10);
    EXPECT_EQ(s.value("wTop").toInt(), 20);
    EXPECT_EQ(s.value("wWidth").toInt(), 800);
    EXPECT_EQ(s.value("wHeight").toInt(), 590);
    EXPECT_EQ(s.value("FullScreen").toInt(), 0);
    EXPECT_EQ(Make().minimumSize(), QSize(800, 571));
}

// The frame comes back where it was stored, and what is written is the frame again: also when the
// window is closed maximised, its normal frame is kept for the next start.
TEST_F(MainWindow, PlacementComesBackAsItWasLeft) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    // Not the default placement, and within the screen, which keeps it as it is.
    const QRect stored(screen->geometry().width() - 800, screen->availableGeometry().height() - 574, 800, 573);
    for (bool maximiseBeforeClosing : {false, true}) {
        SCOPED_TRACE(maximiseBeforeClosing ? "closed maximised" : "closed as shown");
        StorePlacement(stored);
        TFormMain& w = Make();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w, uitest::kFailAfterMs));
        EXPECT_EQ(w.frameGeometry(), stored);
        if (maximiseBeforeClosing) {
            w.showMaximized();
            ASSERT_TRUE(QTest::qWaitFor([&w, stored] { return w.isMaximized() && w.frameGeometry() != stored; }, uitest::kFailAfterMs));
        }
        window.reset();
        EXPECT_EQ(QSettings(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод")).value("FullScreen").toInt(), maximiseBeforeClosing ? 1 : 0);
        EXPECT_EQ(StoredPlacement(), stored);
    }
}

// A frame larger than the work area is never stored: it could not come back as it was, and the
// placement stored before is kept.
TEST_F(MainWindow, AFrameLargerThanTheWorkAreaIsNotStored) {
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect stored(work.x(), work.y() + 3, 800, 575); // within the screen, which keeps it as it is
    struct Case {
        const char* name;
        QSize size; // the inside
    } cases[] = {{"too wide", QSize(work.width() + 1, 575)}, {"too high", QSize(800, work.height() + 1)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StorePlacement(stored);
        TFormMain& w = Make();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w, uitest::kFailAfterMs));
        ASSERT_EQ(w.frameGeometry(), stored);
        w.resize(c.size);
        ASSERT_TRUE(QTest::qWaitFor([&w, &c] { return w.windowHandle()->geometry().size() == c.size; }, uitest::kFailAfterMs));
        window.reset();
        EXPECT_EQ(StoredPlacement(), stored);
    }
}

// The frame is brought to its placement whenever the window manager tells its margins: late (after
// the window was first shown), or anew, until the user moves or resizes the window. The window
// system's reports: the inside, the frame's margins, and whether it reported a move or resize (not
// merely the window being shown); the inside asked for in answer; in the end, the frame kept for
// the next start.
TEST(FrameFit, TheFrameIsFittedWhenItsMarginsAreKnown) {
    const QRect frame(100, 50, 800, 571);
    const QMargins none, openbox(1, 23, 1, 2), thicker(4, 26, 4, 4);
    const QRect unframed = frame;                           // as placed: the inside as large as the frame
    const QRect reparented = frame.translated(1, 23);       // framed, the inside not yet fitted
    const QRect fitted = frame.marginsRemoved(openbox);     // 798 x 546 inside
    const QRect refitted = frame.marginsRemoved(thicker);
    const QRect moved = fitted.translated(-60, 40), resized = fitted.adjusted(0, 0, 120, 30);
    struct Report {
        QRect inside;
        QMargins margins;
        bool reported;
        std::optional<QRect> asked;
    };
    struct Case {
        const char* name;
        std::vector<Report> reports;
        QRect keptInside;
        QMargins keptMargins;
        QRect kept;
    } cases[] = {
        {"framed before it is shown", {{unframed, openbox, false, fitted}, {fitted, openbox, true, {}}}, fitted, openbox, frame},
        // The margins are still none when the window is first shown: nothing is fitted to them.
        {"the frame arrives late",
         {{unframed, none, false, {}}, {reparented, none, true, {}}, {reparented, openbox, true, fitted}, {fitted, openbox, true, {}}},
         fitted, openbox, frame},
        {"the margins change before the user moves it",
         {{unframed, openbox, false, fitted}, {fitted, openbox, true, {}}, {fitted.translated(0, 3), thicker, true, refitted}, {refitted, thicker, true, {}}},
         refitted, thicker, frame},
        // A report from before the request is not the user's move: the window still follows its margins.
        {"a report from before the request",
         {{unframed, openbox, false, fitted}, {reparented, openbox, true, {}}, {reparented, thicker, true, refitted}},
         refitted, thicker, frame},
        {"closed while the request is on its way", {{unframed, none, false, {}}, {reparented, openbox, true, fitted}}, reparented, openbox, frame},
        {"the user moves it", {{unframed, openbox, false, fitted}, {fitted, openbox, true, {}}, {moved, openbox, true, {}}, {moved, thicker, true, {}}},
         moved, thicker, moved.marginsAdded(thicker)},
        {"the user resizes it", {{unframed, openbox, false, fitted}, {fitted, openbox, true, {}}, {resized, openbox, true, {}}, {resized, thicker, true, {}}},
         resized, thicker, resized.marginsAdded(thicker)},
        {"no window manager", {{unframed, none, false, {}}, {moved, none, true, {}}}, moved, none, moved},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TFrameFit fit(frame);
        for (std::size_t i = 0; i < c.reports.size(); ++i) {
            const Report& r = c.reports[i];
            EXPECT_EQ(fit.Report(r.inside, r.margins, r.reported), r.asked) << "report " << i + 1;
        }
        EXPECT_EQ(fit.FrameToKeep(c.keptInside, c.keptMargins), c.kept);
    }
}

TEST_F(MainWindow, Help) {
    TFormMain& w = Make();
    w.HelpExecute();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Не найден файл справки ") + w.ProgramDir + QStringLiteral("help/runprogramm.htm"));
    std::filesystem::create_directory(Path("help"));
    WriteFile(Path("help/runprogramm.htm"), "<html><body><h1>Работа с программой</h1></body></html>");
    w.HelpExecute();
    EXPECT_EQ(messages.size(), 1);
    QTextBrowser* browser = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* b = top->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"))) browser = b;
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Работа с программой")));
    // Readable even where nothing maximises it.
    EXPECT_GE(browser->window()->width(), 640);
    EXPECT_GE(browser->window()->height(), 480);
    browser->window()->close();
}

TEST_F(MainWindow, DataFiles) {
    WriteFile(Path("InspectionNumbers.xml"), "<Root><I Code=\"7701\">ИФНС № 1</I><I Code=\"7702\">ИФНС № 2</I></Root>");
    WriteFile(Path("Oksm.xml"), "<Oksm><Country Code=\"643\">Россия</Country>"); // not well-formed
    TFormMain& w = Make();
    EXPECT_TRUE(w.InspectionNumberDialogLoaded);
    EXPECT_FALSE(w.CountryDialogLoaded);
    ASSERT_EQ(messages.size(), 1); // the damaged file is reported once and left aside
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Oksm.xml")));
    EXPECT_TRUE(InitialPage()->ui->bnInspection->isEnabled());
    EXPECT_FALSE(InitialPage()->ui->meInspection->isEnabled()); // filled through the picker

    // Choosing an inspection in the picker.
    uitest::ModalAnswerer pick({[](QDialog* d) {
        auto* list = d->findChild<QTreeWidget*>(QStringLiteral("lvInspections"));
        list->setCurrentItem(list->topLevelItem(1));
        uitest::Click("bnYes")(d);
    }});
    InitialPage()->ui->bnInspection->click();
    EXPECT_EQ(InitialPage()->ui->meInspection->Text(), QStringLiteral("7702"));
    EXPECT_EQ(InitialPage()->ui->Edit1->text(), QStringLiteral("ИФНС № 2"));
    EXPECT_FALSE(w.Saved);
}

TEST_F(MainWindow, WithoutTheInspectionListTheNumberIsTyped) {
    TFormMain& w = Make();
    EXPECT_FALSE(w.InspectionNumberDialogLoaded);
    TfrInitialData* page = InitialPage();
    EXPECT_FALSE(page->ui->bnInspection->isEnabled());
    EXPECT_TRUE(page->ui->meInspection->isEnabled());
    page->FocusItem(1);
    uitest::Type(page->ui->meInspection, "77012");
    page->SaveData();
    EXPECT_EQ(w.Document->InspectionNumber, "7701");
    EXPECT_EQ(page->CheckData(), 0);
}

// ---------------------------------------------------------------------------------------------

namespace {
QDomElement Root(QDomDocument& doc, const char* xml) {
    doc.setContent(QString::fromUtf8(xml));
    return doc.documentElement();
}
} // namespace

TEST(Pickers, ListAndPreselection) {
    QDomDocument doc;
    TfmInputInspectionNumber picker(nullptr,
                                    Root(doc, "<R><A Code=\"77\">Первая</A><A Code=\"0077\">Вторая</A><A Code=\"77\">Третья</A>"
                                              "<!-- x --><A Code=\"78\">Четвертая</A></R>"));
    auto* list = picker.ui->lvInspections;
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(list->topLevelItem(3)->text(1), QStringLiteral("Четвертая")); // the file's order
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Справочник инспекций"));
    picker.SetCode(QStringLiteral("77"));
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0)); // the first of two equal codes
    EXPECT_EQ(picker.SelectedName, QStringLiteral("Первая"));
    picker.SetCode(QStringLiteral("0077"));
    EXPECT_EQ(list->currentItem(), list->topLevelItem(1));
    EXPECT_EQ(picker.SelectedCode, QStringLiteral("0077"));
    // No match ("77 " is not "77"): the earlier row stays, the given code is the answer.
    picker.SetCode(QStringLiteral("77 "));
    EXPECT_EQ(list->currentItem(), list->topLevelItem(1));
    EXPECT_EQ(picker.SelectedCode, QStringLiteral("77 "));

    uitest::ModalAnswerer enter({[](QDialog* d) { QTest::keyClick(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Return); }});
    EXPECT_EQ(picker.exec(), QDialog::Accepted);
    uitest::ModalAnswerer esc({[](QDialog* d) { QTest::keyClick(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Escape); }});
    EXPECT_EQ(picker.exec(), QDialog::Rejected);
    uitest::ModalAnswerer twice({[](QDialog* d) {
        auto* l = d->findChild<QTreeWidget*>(QStringLiteral("lvInspections"));
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, QPoint(10, l->viewport()->height() - 3));
    }});
    EXPECT_EQ(picker.exec(), QDialog::Accepted); // a double click on the empty area is OK too
}

TEST(Pickers, Countries) {
    QDomDocument doc;
    TfmGrazhd picker(nullptr, Root(doc, "<Oksm/>"));
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Справочник стран"));
    EXPECT_EQ(picker.ui->lvGrazhd->topLevelItemCount(), 0);
    picker.SetCode(QStringLiteral("643"));
    EXPECT_EQ(picker.SelectedCode, QStringLiteral("643")); // OK returns the caller's own code
}

TEST(Pickers, ShippedCountryList) {
    QFile f(QStringLiteral(VELMAROD_SOURCE_DIR "/data/Oksm.xml"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QDomDocument doc;
    ASSERT_TRUE(doc.setContent(&f));
    TfmGrazhd picker(nullptr, doc.documentElement());
    picker.SetCode(QStringLiteral("643"));
    EXPECT_EQ(picker.SelectedName, QStringLiteral("Россия"));
    for (int i = 0; i < picker.ui->lvGrazhd->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = picker.ui->lvGrazhd->topLevelItem(i);
        EXPECT_EQ(item->text(0).size(), 3);
        EXPECT_LE(item->text(1).size(), 32);
        EXPECT_TRUE(IsStorableText(item->text(1))) << item->text(1).toStdString();
    }
}

#include "test_main_window.moc"
