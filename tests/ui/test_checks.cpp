#include "UiTestUtil.h"
#include "app/About.h"
#include "pagebase/CheckError.h"
#include "pagebase/PrimaryCheck.h"
#include "ui_About.h"
#include "ui_CheckAllError.h"
#include "ui_CheckError.h"

#include <QLabel>
#include <gtest/gtest.h>

using uitest::Click;
using uitest::CloseBox;
using uitest::ModalAnswerer;

TEST(CheckDialogs, CaptionsMessagesAndResults) {
    TfmCheckError d;
    EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Проверка"));
    EXPECT_EQ(d.Message(), "?");
    EXPECT_EQ(d.ui->Button1->text(), QString::fromUtf8("Исправить"));
    EXPECT_EQ(d.ui->Button2->text(), QString::fromUtf8("Пропустить"));
    EXPECT_EQ(d.ui->Button3->text(), QString::fromUtf8("Пропустить все"));
    d.SetSection(QString::fromUtf8("Сведения о декларанте"));
    EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Проверка: Сведения о декларанте"));
    d.SetMessage(QString(300, u'ж'));
    EXPECT_TRUE(d.ui->lbMessage->wordWrap());
    EXPECT_EQ(d.ui->lbMessage->size(), QSize(377, 83));

    struct Case {
        ModalAnswerer::Answer answer;
        int result;
    } cases[] = {{Click("Button1"), crFix}, {Click("Button2"), crSkip}, {Click("Button3"), crSkipAll}, {CloseBox(), crClosed}};
    for (auto& c : cases) {
        ModalAnswerer answer({c.answer});
        EXPECT_EQ(d.exec(), c.result);
    }
    TfmCheckAllError all;
    EXPECT_EQ(all.ui->Button2->text(), QString::fromUtf8("Отмена"));
    EXPECT_EQ(all.findChild<QPushButton*>("Button3"), nullptr);
    ModalAnswerer answer({CloseBox()});
    EXPECT_EQ(all.exec(), crClosed);
}

TEST(CheckDialogs, EnterPressesTheFocusedButtonEscDoesNothing) {
    TfmCheckError d;
    ModalAnswerer answer({[](QDialog* dlg) {
        QTest::keyClick(dlg, Qt::Key_Escape);
        EXPECT_TRUE(dlg->isVisible());
        auto* skip = dlg->findChild<QPushButton*>("Button2");
        skip->setFocus();
        QTest::keyClick(skip, Qt::Key_Return);
    }});
    EXPECT_EQ(d.exec(), crSkip);
}

namespace {

// Runs a payer check answering each failure in turn; returns the result and the messages shown.
std::pair<int, QStringList> RunPayer(bool organisation, const char* name, const char* okato, const char* kpp, const char* inn,
                                     std::vector<const char*> buttons) {
    QStringList messages;
    std::vector<ModalAnswerer::Answer> answers;
    for (const char* b : buttons)
        answers.push_back([&messages, b](QDialog* d) {
            auto* check = qobject_cast<TfmCheckError*>(d);
            messages << check->Message();
            EXPECT_EQ(d->windowTitle(), QString::fromUtf8("Проверка: Доходы, облагаемые по ставке 13%"));
            Click(b)(d);
        });
    ModalAnswerer answerer(answers);
    auto check = organisation ? CheckPayerOrganisation : CheckPayer;
    const int result = check(nullptr, QString::fromUtf8("Доходы, облагаемые по ставке 13%"), QString::fromUtf8(name),
                             okato, kpp, inn);
    return {result, messages};
}

} // namespace

TEST(PayerChecks, Sequences) {
    struct Case {
        const char* what;
        bool organisation;
        const char* name;
        const char* okato;
        const char* kpp;
        const char* inn;
        std::vector<const char*> buttons;
        int result;
        std::vector<const char*> messages;
        int lastAnswer;
    } cases[] = {
        {"person without KPP passes", false, "ООО", "45286555000", "", "500100732259", {}, 0, {}, 0},
        {"person with a KPP", false, "ООО", "45286555000", "770101001", "500100732259", {"Button1"}, 2,
         {"Длинна ИНН для юрлиц должна быть равна 10 цифрам"}, crFix},
        {"no INN, no KPP passes", false, "ООО", "45286555000", "", "", {}, 0, {}, 0},
        {"no INN but a KPP", false, "ООО", "45286555000", "770101001", "", {"Button1"}, 2, {"Введите ИНН"}, crFix},
        {"no INN, no KPP passes for organisations", true, "ООО", "45286555000", "", "", {}, 0, {}, 0},
        {"name first, then OKATO", false, " ", "123", "", "", {"Button2", "Button1"}, 4,
         {"Не заполненно поле \"Наименование источника выплаты\"",
          "Не введен код ОКАТО (11 символов). (При продаже имущества физ.лицу - не нужен)"},
         crFix},
        {"skip all at the name", false, "", "123", "", "", {"Button3"}, 0,
         {"Не заполненно поле \"Наименование источника выплаты\""}, crSkipAll},
        {"wrong check digit", false, "ООО", "45286555000", "770101001", "7707083894", {"Button1"}, 2,
         {"Номер ИНН введен неверно"}, crFix},
        {"bad length", false, "ООО", "45286555000", "770101001", "123", {"Button2", "Button2"}, 0,
         {"Длинна ИНН должна быть равна 10 или 12 цифрам", "Длинна ИНН для юрлиц должна быть равна 10 цифрам"}, crSkip},
        {"organisation: ten digits", true, "АО", "45286555000", "770101001", "500100732259", {"Button1"}, 2,
         {"Длинна ИНН должна быть равна 10 цифрам"}, crFix},
        {"organisation: OKATO message", true, "АО", "1", "770101001", "7707083893", {"Button1"}, 4,
         {"Не введен код ОКАТО (11 символов)"}, crFix},
        {"missing KPP", false, "ООО", "45286555000", "", "7707083893", {"Button1"}, 3, {"Отсутствует КПП"}, crFix},
        {"short KPP", false, "ООО", "45286555000", "7701", "7707083893", {"Button1"}, 3,
         {"Длинна КПП должна быть равна 9 цифрам"}, crFix},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto [result, messages] = RunPayer(c.organisation, c.name, c.okato, c.kpp, c.inn, c.buttons);
        EXPECT_EQ(result, c.result);
        QStringList expected;
        for (const char* m : c.messages) expected << QString::fromUtf8(m);
        EXPECT_EQ(messages, expected);
        EXPECT_EQ(LastCheckAnswer, c.lastAnswer);
    }
}

TEST(About, GesturesAndClosing) {
    TfmAbout about;
    EXPECT_EQ(about.size(), QSize(460, 232));
    EXPECT_EQ(about.ui->imgAbout->height(), 104);
    ASSERT_FALSE(about.ui->imgAbout->pixmap().isNull());
    EXPECT_EQ(about.ui->imgAbout->pixmap().width(), 460);

    ModalAnswerer answer({[&](QDialog* d) {
        QTest::keyClick(d, Qt::Key_Return);
        EXPECT_TRUE(d->isVisible());
        QTest::mouseClick(about.ui->lbHideCo, Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_FALSE(about.ui->pnSupport->isVisible());
        QTest::mouseClick(about.ui->lbHideCo, Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(about.ui->pnSupport->isVisible());
        QTest::mouseClick(about.ui->imgAbout, Qt::RightButton, Qt::ShiftModifier);
        EXPECT_FALSE(about.ui->imgAbout->isVisible());
        EXPECT_TRUE(d->isVisible());
        QTest::mouseClick(about.ui->lbHideCo, Qt::LeftButton);
    }});
    EXPECT_EQ(about.exec(), 1);

    TfmAbout second;
    ModalAnswerer esc({[](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); }});
    EXPECT_EQ(second.exec(), 1);
}
