// The program as a user starts it: the real start-up (splash, main window, message loop) with the
// real file dialogs and message boxes, driven by steps and answers that wait for each window the
// way a user waits for it and then type and click in it.
#include "UiTestUtil.h"
#include "CompleteDecl.h"
#include "../TestUtil.h"
#include "app/Main.h"
#include "app/StartForm.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "platform/QtWindowing.h"
#include "ui_Main.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QStyle>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolButton>
#include <QTreeView>
#include <QSettings>
#include <QTimer>
#include <QElapsedTimer>
#include <thread>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Runs the program with `user` working it, to the end the user has in mind: the program's exit
// code. A run that never reaches its end must not hang the test run: in the end every event loop
// is left, and the run ends with a code no run gives otherwise.
int RunProgram(const uitest::ModalAnswerer& user, const QStringList& arguments) {
    QTimer watchdog;
    watchdog.setSingleShot(true);
    watchdog.setInterval(uitest::kFailAfterMs);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start();
    const int code = StartVelmarod(arguments);
    EXPECT_TRUE(user.AllAnswered()) << "still waiting for " << user.Waiting();
    return code;
}

// The dialog of this kind (and object name, if given) or none.
template <class T>
T* As(QDialog* d, const QString& name = {}) {
    auto* w = qobject_cast<T*>(d);
    EXPECT_NE(w, nullptr) << "not a " << T::staticMetaObject.className() << ": " << d->metaObject()->className();
    if (w && !name.isEmpty()) {
        EXPECT_EQ(w->objectName(), name);
    }
    return w;
}

bool MainWindowUp() { return FormMain && FormMain->isVisible() && !QApplication::activeModalWidget(); }

TMaskedEdit* PageEdit(const char* name) { return FormMain->CurrentPage->findChild<TMaskedEdit*>(name); }

QString Plain(QString caption) { return caption.remove(QLatin1Char('&')); }

// Answers the file dialog of this name as a user: the path typed, then its accept button, whose
// caption is kept.
uitest::ModalAnswerer::Answer Choose(const QString& dialogName, const QString& path, QString* caption = nullptr) {
    return [=](QDialog* d) {
        auto* dialog = As<QFileDialog>(d, dialogName);
        auto* edit = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        auto* box = dialog ? dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox")) : nullptr;
        if (!edit || !box) return;
        edit->selectAll();
        QTest::keyClicks(edit, path);
        QPushButton* accept = box->button(dialog->acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                                           : QDialogButtonBox::Open);
        if (accept && caption) *caption = Plain(accept->text());
        if (accept) accept->click();
    };
}

void ClickButton(QMessageBox* box, const QString& caption) {
    for (QAbstractButton* b : box->buttons())
        if (Plain(b->text()) == caption) return b->click();
}

class Startup : public testutil::TempDir {
protected:
    void SetUp() override {
        TempDir::SetUp();
        QSettings(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод")).clear();
    }
    QString File(const std::string& name) const { return QString::fromStdString(Path(name)); }
};

} // namespace

TEST_F(Startup, NewTypeSaveAsExitThenStartWithTheFileAndOpenAnother) {
    mTDeclaration other;
    other.InspectionNumber = "7703";
    other.SaveToFile(Path("other.vrq"));

    // First run: a new declaration, typed, saved through the save dialog, changed, and Exit
    // answered "Да".
    QString saveButton, titleAfterSave;
    bool modifiedAfterTyping = false;
    {
        uitest::ModalAnswerer user({});
        user.Then("the main window", MainWindowUp, [&] {
            uitest::Type(PageEdit("meInspection"), QStringLiteral("7701"));
            modifiedAfterTyping = !FormMain->Saved;
            FormMain->ui->SaveAsDoc->trigger();
        });
        user.Expect(Choose(QStringLiteral("sdSaveDocument"), File("first"), &saveButton), "the save dialog");
        user.Then(
            "the saved document's caption", [] { return MainWindowUp() && FormMain->Saved; },
            [&] {
                titleAfterSave = FormMain->windowTitle();
                TMaskedEdit* edit = PageEdit("meInspection");
                edit->end(false);
                uitest::Key(edit, Qt::Key_Backspace);
                uitest::Type(edit, QStringLiteral("2"));
                FormMain->ui->Quit->trigger();
            });
        user.Expect(
            [](QDialog* d) {
                QMessageBox* box = As<QMessageBox>(d);
                if (!box) return;
                EXPECT_EQ(box->text(), QStringLiteral("Вы хотите сохранить декларацию?"));
                ClickButton(box, QStringLiteral("Да"));
            },
            "the question before closing");
        EXPECT_EQ(RunProgram(user, {}), 0);
    }
    EXPECT_TRUE(modifiedAfterTyping);
    EXPECT_EQ(saveButton, QStringLiteral("Сохранить")); // Qt's dialogs speak Russian
    EXPECT_EQ(titleAfterSave, QStringLiteral("first.vrq - Велмарод")); // the default extension was added
    EXPECT_EQ(FormMain, nullptr);
    {
        mTDeclaration saved;
        ASSERT_NO_THROW(saved.LoadFromFile(Path("first.vrq")));
        EXPECT_EQ(saved.InspectionNumber, "7702"); // "Да" at Exit saved the last change
    }

    // Second run: started with the file, then another opened through the open dialog.
    QString startTitle, startInspection, openButton, openedTitle, openedInspection;
    {
        uitest::ModalAnswerer user({});
        user.Then("the main window with the file", MainWindowUp, [&] {
            startTitle = FormMain->windowTitle();
            startInspection = PageEdit("meInspection")->Text();
            FormMain->ui->OpenDoc->trigger();
        });
        user.Expect(Choose(QStringLiteral("odOpenDocument"), File("other.vrq"), &openButton), "the open dialog");
        user.Then(
            "the other document", [] { return MainWindowUp() && FormMain->windowTitle().startsWith(QStringLiteral("other")); },
            [&] {
                openedTitle = FormMain->windowTitle();
                openedInspection = PageEdit("meInspection")->Text();
                FormMain->ui->Quit->trigger(); // nothing changed: no question
            });
        EXPECT_EQ(RunProgram(user, {File("first.vrq")}), 0);
    }
    EXPECT_EQ(startTitle, QStringLiteral("first.vrq - Велмарод"));
    EXPECT_EQ(startInspection, QStringLiteral("7702"));
    EXPECT_EQ(openButton, QStringLiteral("Открыть"));
    EXPECT_EQ(openedTitle, QStringLiteral("other.vrq - Велмарод"));
    EXPECT_EQ(openedInspection, QStringLiteral("7703"));
}

TEST_F(Startup, SaveDialogAsksBeforeReplacingAFile) {
    mTDeclaration existing;
    existing.InspectionNumber = "7709";
    existing.SaveToFile(Path("taken.vrq"));
    const std::string before = testutil::ReadFile(Path("taken.vrq"));

    QString question;
    uitest::ModalAnswerer user({});
    user.Then("the main window", MainWindowUp, [] { FormMain->ui->SaveAsDoc->trigger(); });
    user.Expect(Choose(QStringLiteral("sdSaveDocument"), File("taken")), "the save dialog");
    // Asked from inside the save dialog's accept, which goes on once the question is answered.
    user.Expect(
        [&](QDialog* d) {
            QMessageBox* box = As<QMessageBox>(d);
            if (!box) return;
            question = box->text();
            ClickButton(box, QStringLiteral("Нет"));
        },
        "the question before replacing");
    // The save dialog, left open by its answer, is answered again.
    user.Expect(
        [](QDialog* d) {
            if (auto* f = As<QFileDialog>(d, QStringLiteral("sdSaveDocument"))) f->reject();
        },
        "the save dialog again");
    user.Then("the main window again", MainWindowUp, [] { FormMain->ui->Quit->trigger(); });
    EXPECT_EQ(RunProgram(user, {}), 0);
    EXPECT_TRUE(question.contains(QStringLiteral("taken.vrq")));
    EXPECT_EQ(testutil::ReadFile(Path("taken.vrq")), before); // refused: the file is as it was
}

namespace {

// The texts of a row of a file dialog's view (name, size, type, date modified); empty until the
// dialog has read the row's details.
QStringList FileRow(QFileDialog* dialog, const QString& name) {
    auto* view = dialog ? dialog->findChild<QTreeView*>(QStringLiteral("treeView")) : nullptr;
    if (!view || !view->model()) return {};
    const QAbstractItemModel& files = *view->model();
    for (int row = 0; row < files.rowCount(view->rootIndex()); ++row) {
        if (files.index(row, 0, view->rootIndex()).data().toString() != name) continue;
        QStringList texts;
        for (int column = 0; column < files.columnCount(view->rootIndex()); ++column)
            texts << files.index(row, column, view->rootIndex()).data().toString();
        return texts.value(2).isEmpty() ? QStringList() : texts;
    }
    return {};
}

bool HasLatinLetter(const QString& text) {
    for (QChar c : text)
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) return true;
    return false;
}

} // namespace

// Every file dialog the program shows writes sizes and dates as the program's locale does, in
// columns that show them whole: the program's own save dialog, and the one Qt's print dialog opens
// itself with "..." beside the file name of "print to file".
TEST_F(Startup, FileDialogsWriteSizesDatesAndTypesInRussian) {
    {
        mTDeclaration d;
        checkfixture::MakeComplete(d); // printing needs a declaration that passes the check
        d.SaveToFile(Path("doc.vrq"));
    }
    std::filesystem::create_directory(Path("sub"));
    {
        QFile big(File("big.vrq"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        big.write(QByteArray(5000, 'x'));
        ASSERT_TRUE(big.flush()); // written before its time is set
        ASSERT_TRUE(big.setFileTime(QDateTime(QDate(2006, 3, 5), QTime(14, 7)), QFileDevice::FileModificationTime));
    }
    // How a route reaches its file dialog: the command that opens the first dialog, and the answer
    // that goes from there to the file dialog (none: the first dialog is the file dialog).
    struct Route {
        const char* what;
        QAction* (*command)();
        std::function<void(QDialog*)> toFileDialog;
    } routes[] = {
        {"the save dialog", [] { return FormMain->ui->SaveAsDoc; }, {}},
        {"the print dialog's file chooser", [] { return FormMain->ui->PrintDoc; },
         [this](QDialog* print) {
             auto* printers = print->findChild<QComboBox*>(QStringLiteral("printers"));
             const int toFile = printers ? printers->findText(QStringLiteral("PDF"), Qt::MatchContains) : -1;
             ASSERT_GE(toFile, 0);
             printers->setCurrentIndex(toFile);
             // The chooser starts in the folder of the file name typed.
             auto* name = print->findChild<QLineEdit*>(QStringLiteral("filename"));
             ASSERT_NE(name, nullptr);
             name->setText(File("declaration.pdf"));
             auto* browse = print->findChild<QToolButton*>(QStringLiteral("fileBrowser"));
             ASSERT_NE(browse, nullptr);
             ASSERT_TRUE(browse->isEnabled());
             QTest::mouseClick(browse, Qt::LeftButton);
             print->reject(); // the chooser was looked at and cancelled: nothing is printed
         }},
    };
    for (const Route& route : routes) {
        SCOPED_TRACE(route.what);
        QStringList file, folder, headers;
        int dateWidth = 0, dateColumn = 0, sizeWidth = 0, sizeColumn = 0;
        bool dateInSight = false;
        uitest::ModalAnswerer user({});
        user.Then("the main window", MainWindowUp, [&] { route.command()->trigger(); });
        if (route.toFileDialog) user.Expect(route.toFileDialog, "the dialog before the file dialog");
        user.Expect(
            [&](QDialog* d) {
                QFileDialog* dialog = As<QFileDialog>(d);
                if (!dialog) return;
                // The dialog reads the folder's details in a thread of its own.
                EXPECT_TRUE(QTest::qWaitFor(
                    [&] {
                        return !FileRow(dialog, QStringLiteral("big.vrq")).isEmpty() && !FileRow(dialog, QStringLiteral("sub")).isEmpty();
                    },
                    uitest::kFailAfterMs));
                file = FileRow(dialog, QStringLiteral("big.vrq"));
                folder = FileRow(dialog, QStringLiteral("sub"));
                const QTreeView* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
                const QAbstractItemModel* files = view->model();
                // The item view keeps a margin on both sides of a cell's text.
                const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
                sizeWidth = view->fontMetrics().horizontalAdvance(file.value(1)) + 2 * margin;
                sizeColumn = view->header()->sectionSize(1);
                dateWidth = view->fontMetrics().horizontalAdvance(file.value(3)) + 2 * margin;
                dateColumn = view->header()->sectionSize(3);
                dateInSight = view->header()->sectionViewportPosition(3) + dateColumn <= view->viewport()->width();
                for (int column = 0; column < files->columnCount(); ++column)
                    headers << files->headerData(column, Qt::Horizontal).toString();
                dialog->reject();
            },
            "the file dialog");
        user.Then("the main window again", MainWindowUp, [] { FormMain->ui->Quit->trigger(); });
        EXPECT_EQ(RunProgram(user, {File("doc.vrq")}), 0);
        ASSERT_EQ(file.size(), 4);
        ASSERT_EQ(folder.size(), 4);
        EXPECT_EQ(file[1].toStdString(), "4,88 кБ");
        EXPECT_EQ(file[3].toStdString(), "05.03.2006 14:07");
        EXPECT_GT(sizeColumn, sizeWidth) << "the size is cut in its column";
        EXPECT_GT(dateColumn, dateWidth) << "the date is cut in its column";
        EXPECT_TRUE(dateInSight) << "the date column opens scrolled out of sight";
        EXPECT_EQ(folder[2].toStdString(), "Папка");
        for (const QString& text : file.mid(1) + folder.mid(1) + headers) EXPECT_FALSE(HasLatinLetter(text)) << text.toStdString();
    }
}

namespace {

// Watches the splash window from the start of a run: when it goes, and whether the main window was
// up by then. The main window is closed as soon as it shows, which ends the run.
class SplashWatch : public QObject {
public:
    SplashWatch() {
        sinceStart.start();
        qApp->installEventFilter(this);
    }
    ~SplashWatch() override { qApp->removeEventFilter(this); }
    static TfmStart* Splash() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<TfmStart*>(w)) return s;
        return nullptr;
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Hide && qobject_cast<TfmStart*>(o) && goneAfterMs < 0) {
            goneAfterMs = sinceStart.elapsed();
            mainUpBeforeSplashWent = FormMain && FormMain->isVisible();
        }
        if (e->type() == QEvent::Show && FormMain && o == FormMain)
            QTimer::singleShot(0, FormMain, [] { FormMain->close(); });
        return false;
    }
    QElapsedTimer sinceStart;
    qint64 goneAfterMs = -1;
    bool mainUpBeforeSplashWent = false;
};

} // namespace

// A quick start: the splash stays three seconds at least, then the main window comes.
TEST_F(Startup, SplashStaysThreeSecondsThenTheMainWindowComes) {
    SplashWatch watch;
    EXPECT_EQ(RunProgram(uitest::ModalAnswerer({}), {}), 0);
    ASSERT_GE(watch.goneAfterMs, 0);
    EXPECT_GE(watch.goneAfterMs, 3000);
    EXPECT_FALSE(watch.mainUpBeforeSplashWent);
}

// A document that cannot be read: its error is shown while the splash is up. Here the error is
// also what makes the main window slow (it is answered only when the splash's three seconds are
// over), so the splash then goes at once instead of waiting anew; the program starts with a new
// empty declaration.
TEST_F(Startup, ALoadErrorShowsOverTheSplashAndASlowStartEndsItAtOnce) {
    testutil::WriteFile(Path("damaged.vrq"), "DLSG this is no declaration");
    SplashWatch watch;
    QStringList shown;
    bool splashUp = false;
    qint64 answeredAfterMs = -1;
    SetMessageBoxHook([&](const QString& text, TMsgIcon, TMsgButtons) {
        shown << text;
        TfmStart* splash = SplashWatch::Splash();
        splashUp = splash && splash->isVisible();
        // A slow start: the constructor returns only once the splash's time is over.
        while (splash && splash->tmStartTimer.remainingTime() > 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        answeredAfterMs = watch.sinceStart.elapsed();
        return int(mrOk);
    });
    const int code = RunProgram(uitest::ModalAnswerer({}), {File("damaged.vrq")});
    SetMessageBoxHook({});
    EXPECT_EQ(code, 0);
    EXPECT_EQ(shown, QStringList{QStringLiteral("Неправильный формат файла декларации, возможно он поврежден.")});
    EXPECT_TRUE(splashUp);
    ASSERT_GE(answeredAfterMs, 0);
    ASSERT_GE(watch.goneAfterMs, answeredAfterMs);
    // Waiting anew would keep it three seconds more; going at once takes one pass of the event loop.
    EXPECT_LT(watch.goneAfterMs - answeredAfterMs, 3000);
    EXPECT_FALSE(watch.mainUpBeforeSplashWent);
}


// The error for a document named on the command line is shown over the splash, in its middle, not
// at the corner of the screen where the main window, not placed yet, stands.
TEST_F(Startup, ALoadErrorAppearsInTheMiddleOfTheSplash) {
    testutil::WriteFile(Path("damaged.vrq"), "DLSG this is no declaration");
    SplashWatch watch; // closes the main window once it shows
    QString text;
    QWidget* owner = nullptr;
    TfmStart* splash = nullptr;
    QPoint boxCentre, splashCentre;
    uitest::ModalAnswerer user({});
    user.Expect(
        [&](QDialog* d) {
            QMessageBox* box = As<QMessageBox>(d);
            if (!box) return;
            text = box->text();
            owner = box->parentWidget();
            splash = SplashWatch::Splash();
            boxCentre = box->geometry().center();
            if (splash) splashCentre = splash->geometry().center();
            ClickButton(box, QStringLiteral("OK"));
        },
        "the load error");
    EXPECT_EQ(RunProgram(user, {File("damaged.vrq")}), 0);
    EXPECT_EQ(text, QStringLiteral("Неправильный формат файла декларации, возможно он поврежден."));
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(owner, splash);
    EXPECT_LE((boxCentre - splashCentre).manhattanLength(), 1) << "box centre " << boxCentre.x() << "," << boxCentre.y()
                                                                << ", splash centre " << splashCentre.x() << "," << splashCentre.y();
}
