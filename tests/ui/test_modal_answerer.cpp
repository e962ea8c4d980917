// The answerer every window test answers its dialogs with: each new dialog gets the next answer,
// and a dialog whose answer is at work is never taken for a new one, however often the event loop
// turns meanwhile.
#include "UiTestUtil.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <gtest/gtest-spi.h>
#include <string>
#include <vector>

namespace {

// The event loop turning while an answer is at work, as it does whenever the program waits.
void LetTheLoopTurn() {
    for (int i = 0; i < 50; ++i) QCoreApplication::processEvents();
}

struct Form {
    QDialog dialog;
    QLineEdit* edit = new QLineEdit(&dialog);
};

} // namespace

// The answer opens a picker of its own, then goes on typing into its dialog after the picker has
// closed: its dialog stays its own, the picker gets the next answer.
TEST(ModalAnswerer, AnAnswerGoesOnInItsDialogAfterADialogItOpened) {
    Form form;
    std::vector<std::string> order;
    uitest::ModalAnswerer answers({[&](QDialog* d) {
                                       order.push_back("form");
                                       QDialog picker(d);
                                       picker.setObjectName(QStringLiteral("picker"));
                                       EXPECT_EQ(picker.exec(), QDialog::Accepted);
                                       LetTheLoopTurn();
                                       uitest::Type(form.edit, QStringLiteral("2000"));
                                       LetTheLoopTurn();
                                       d->accept();
                                   },
                                   [&](QDialog* d) {
                                       order.push_back(d->objectName().toStdString());
                                       LetTheLoopTurn();
                                       d->accept();
                                   }});
    EXPECT_EQ(form.dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(form.edit->text(), QStringLiteral("2000"));
    EXPECT_EQ(order, (std::vector<std::string>{"form", "picker"}));
    EXPECT_TRUE(answers.AllAnswered());
}

// A value the dialog refuses keeps it open: once that answer has returned, the next one answers
// the same dialog.
TEST(ModalAnswerer, ADialogItsAnswerLeftOpenTakesTheNextAnswer) {
    Form form;
    QString seen;
    uitest::ModalAnswerer answers({[&](QDialog*) { uitest::Type(form.edit, QStringLiteral("x")); },
                                   [&](QDialog* d) {
                                       seen = form.edit->text();
                                       d->reject();
                                   }});
    EXPECT_EQ(form.dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(seen, QStringLiteral("x"));
    EXPECT_EQ(answers.Answered(), 2);
}

// An answerer made inside an answer takes the dialogs that answer opens; the outer one goes on
// with the next dialog after its own.
TEST(ModalAnswerer, AnAnswererMadeInsideAnAnswerTakesTheDialogsItOpens) {
    QDialog first, inner, second;
    std::vector<std::string> order;
    uitest::ModalAnswerer outer({[&](QDialog* d) {
                                     uitest::ModalAnswerer own({[&](QDialog* i) {
                                         order.push_back("inner");
                                         i->accept();
                                     }});
                                     inner.exec();
                                     EXPECT_EQ(own.Answered(), 1);
                                     order.push_back("first");
                                     d->accept();
                                 },
                                 [&](QDialog* d) {
                                     order.push_back("second");
                                     d->accept();
                                 }});
    first.exec();
    second.exec();
    EXPECT_EQ(order, (std::vector<std::string>{"inner", "first", "second"}));
    EXPECT_EQ(outer.Answered(), 2);
}

// A dialog nobody expected fails the test and is closed, so that the run goes on.
TEST(ModalAnswerer, AStrayDialogFailsTheTestAndIsClosed) {
    QDialog stray;
    stray.setWindowTitle(QStringLiteral("Лишний"));
    uitest::ModalAnswerer none({});
    int result = -1;
    EXPECT_NONFATAL_FAILURE(result = stray.exec(), "unexpected dialog: QDialog \"Лишний\"");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(none.Answered(), 0);
}

// With no answerer at all, a dialog that opens fails the test at once, named by its title and
// texts, and is closed: a test that did not expect it ends instead of waiting for good.
TEST(ModalAnswerer, WithoutAnAnswererADialogFailsTheTestAndIsClosed) {
    QDialog check;
    check.setWindowTitle(QStringLiteral("Проверка: Доходы"));
    new QLabel(QStringLiteral("Не указан код дохода."), &check);
    int result = -1;
    EXPECT_NONFATAL_FAILURE(result = check.exec(), "unexpected dialog: QDialog \"Проверка: Доходы\" | Не указан код дохода.");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(check.isVisible());

    QMessageBox::StandardButton button = QMessageBox::Yes;
    EXPECT_NONFATAL_FAILURE(
        button = QMessageBox::question(nullptr, QStringLiteral("Велмарод"), QStringLiteral("Вы хотите сохранить декларацию?")),
        "unexpected dialog: QMessageBox \"Велмарод\" | Вы хотите сохранить декларацию?");
    EXPECT_NE(button, QMessageBox::Yes);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A step in the main window waits until no dialog is open and no answer is at work.
TEST(ModalAnswerer, AStepWaitsForTheAnswersBeforeIt) {
    Form form;
    std::vector<std::string> order;
    uitest::ModalAnswerer user({});
    user.Then("the first step", [] { return true; }, [&] {
        order.push_back("step 1");
        form.dialog.exec();
        order.push_back("dialog closed");
    });
    user.Expect([&](QDialog* d) {
        order.push_back("answer");
        LetTheLoopTurn();
        d->accept();
    });
    user.Then("the second step", [] { return true; }, [&] { order.push_back("step 2"); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return user.AllAnswered(); }, uitest::kFailAfterMs)) << user.Waiting();
    EXPECT_EQ(order, (std::vector<std::string>{"step 1", "answer", "dialog closed", "step 2"}));
}
