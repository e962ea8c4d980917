// The program as a user starts it: the real start-up (splash, main window, message loop) with the
// real file dialogs and message boxes, driven by a script that waits for each window the way a
// user waits for it and then types and clicks in it.
#include "UiTestUtil.h"
#include "../TestUtil.h"
#include "app/Main.h"
#include "app/StartForm.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "platform/QtWindowing.h"
#include "ui_Main.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTreeView>
#include <QSettings>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Steps run in order; a step acts once its window is there. The action runs from a fresh timer
// so that a modal dialog it opens does not stop the script from seeing the next window.
class UserScript {
public:
    struct Step {
        const char* what;
        std::function<bool()> ready;
        std::function<void()> act;
    };
    explicit UserScript(std::vector<Step> steps) : steps_(std::move(steps)) {
        poll_.setInterval(20);
        QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
        poll_.start();
        // A window that never comes must not hang the test run: every loop is left.
        watchdog_.setSingleShot(true);
        watchdog_.setInterval(60000);
        QObject::connect(&watchdog_, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        watchdog_.start();
    }
    bool Finished() const { return next_ == steps_.size(); }
    std::string Waiting() const { return Finished() ? std::string("nothing") : steps_[next_].what; }

private:
    void Poll() {
        if (Finished() || !steps_[next_].ready()) return;
        QTimer::singleShot(0, steps_[next_].act);
        ++next_;
    }
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    QTimer poll_, watchdog_;
};

template <class T>
T* Modal(const QString& name = {}) {
    auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!w || !w->isVisible() || (!name.isEmpty() && w->objectName() != name)) return nullptr;
    return w;
}

bool MainWindowUp() { return FormMain && FormMain->isVisible() && !QApplication::activeModalWidget(); }

TMaskedEdit* PageEdit(const char* name) { return FormMain->CurrentPage->findChild<TMaskedEdit*>(name); }

QString Plain(QString caption) { return caption.remove(QLatin1Char('&')); }

// Types a path into a file dialog and presses its accept button; returns the button's caption.
QString Choose(QFileDialog* dialog, const QString& path) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (!edit || !box) {
        dialog->reject();
        return {};
    }
    edit->selectAll();
    QTest::keyClicks(edit, path);
    QPushButton* accept = box->button(dialog->acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                                       : QDialogButtonBox::Open);
    const QString caption = accept ? Plain(accept->text()) : QString();
    if (accept) accept->click();
    return caption;
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
        UserScript script({
            {"the main window", MainWindowUp,
             [&] {
                 uitest::Type(PageEdit("meInspection"), QStringLiteral("7701"));
                 modifiedAfterTyping = !FormMain->Saved;
                 FormMain->ui->SaveAsDoc->trigger();
             }},
            {"the save dialog", [] { return Modal<QFileDialog>(QStringLiteral("sdSaveDocument")) != nullptr; },
             [&] { saveButton = Choose(Modal<QFileDialog>(), File("first")); }},
            {"the saved document's caption", [] { return MainWindowUp() && FormMain->Saved; },
             [&] {
                 titleAfterSave = FormMain->windowTitle();
                 TMaskedEdit* edit = PageEdit("meInspection");
                 edit->end(false);
                 uitest::Key(edit, Qt::Key_Backspace);
                 uitest::Type(edit, QStringLiteral("2"));
                 FormMain->ui->Quit->trigger();
             }},
            {"the question before closing", [] { return Modal<QMessageBox>() != nullptr; },
             [] {
                 QMessageBox* box = Modal<QMessageBox>();
                 if (box->text() == QStringLiteral("Вы хотите сохранить декларацию?")) ClickButton(box, QStringLiteral("Да"));
             }},
        });
        EXPECT_EQ(StartVelmarod({}), 0);
        EXPECT_TRUE(script.Finished()) << "still waiting for " << script.Waiting();
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
        UserScript script({
            {"the main window with the file", MainWindowUp,
             [&] {
                 startTitle = FormMain->windowTitle();
                 startInspection = PageEdit("meInspection")->Text();
                 FormMain->ui->OpenDoc->trigger();
             }},
            {"the open dialog", [] { return Modal<QFileDialog>(QStringLiteral("odOpenDocument")) != nullptr; },
             [&] { openButton = Choose(Modal<QFileDialog>(), File("other.vrq")); }},
            {"the other document", [] { return MainWindowUp() && FormMain->windowTitle().startsWith(QStringLiteral("other")); },
             [&] {
                 openedTitle = FormMain->windowTitle();
                 openedInspection = PageEdit("meInspection")->Text();
                 FormMain->ui->Quit->trigger(); // nothing changed: no question
             }},
        });
        EXPECT_EQ(StartVelmarod({File("first.vrq")}), 0);
        EXPECT_TRUE(script.Finished()) << "still waiting for " << script.Waiting();
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
    UserScript script({
        {"the main window", MainWindowUp, [] { FormMain->ui->SaveAsDoc->trigger(); }},
        {"the save dialog", [] { return Modal<QFileDialog>(QStringLiteral("sdSaveDocument")) != nullptr; },
         [&] { Choose(Modal<QFileDialog>(), File("taken")); }},
        {"the question before replacing", [] { return Modal<QMessageBox>() != nullptr; },
         [&] {
             QMessageBox* box = Modal<QMessageBox>();
             question = box->text();
             ClickButton(box, QStringLiteral("Нет"));
         }},
        {"the save dialog again", [] { return Modal<QFileDialog>(QStringLiteral("sdSaveDocument")) != nullptr; },
         [] { Modal<QFileDialog>()->reject(); }},
        {"the main window again", MainWindowUp, [] { FormMain->ui->Quit->trigger(); }},
    });
    EXPECT_EQ(StartVelmarod({}), 0);
    EXPECT_TRUE(script.Finished()) << "still waiting for " << script.Waiting();
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

TEST_F(Startup, FileDialogWritesSizesDatesAndTypesInRussian) {
    mTDeclaration().SaveToFile(Path("doc.vrq"));
    std::filesystem::create_directory(Path("sub"));
    {
        QFile big(File("big.vrq"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        big.write(QByteArray(5000, 'x'));
        ASSERT_TRUE(big.flush()); // written before its time is set
        ASSERT_TRUE(big.setFileTime(QDateTime(QDate(2006, 3, 5), QTime(14, 7)), QFileDevice::FileModificationTime));
    }
    QStringList file, folder, headers;
    UserScript script({
        {"the main window", MainWindowUp, [] { FormMain->ui->SaveAsDoc->trigger(); }},
        {"the save dialog with the folder read",
         [] {
             QFileDialog* dialog = Modal<QFileDialog>(QStringLiteral("sdSaveDocument"));
             return !FileRow(dialog, QStringLiteral("big.vrq")).isEmpty() && !FileRow(dialog, QStringLiteral("sub")).isEmpty();
         },
         [&] {
             QFileDialog* dialog = Modal<QFileDialog>();
             file = FileRow(dialog, QStringLiteral("big.vrq"));
             folder = FileRow(dialog, QStringLiteral("sub"));
             const QAbstractItemModel* files = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))->model();
             for (int column = 0; column < files->columnCount(); ++column)
                 headers << files->headerData(column, Qt::Horizontal).toString();
             dialog->reject();
         }},
        {"the main window again", MainWindowUp, [] { FormMain->ui->Quit->trigger(); }},
    });
    EXPECT_EQ(StartVelmarod({File("doc.vrq")}), 0);
    EXPECT_TRUE(script.Finished()) << "still waiting for " << script.Waiting();
    ASSERT_EQ(file.size(), 4);
    ASSERT_EQ(folder.size(), 4);
    EXPECT_EQ(file[1].toStdString(), "4,88 кБ");
    EXPECT_EQ(file[3].toStdString(), "05.03.2006 14:07");
    EXPECT_EQ(folder[2].toStdString(), "Папка");
    for (const QString& text : file.mid(1) + folder.mid(1) + headers) EXPECT_FALSE(HasLatinLetter(text)) << text.toStdString();
}
