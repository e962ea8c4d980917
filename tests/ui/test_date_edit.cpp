#include "UiTestUtil.h"
#include "WindowTest.h"
#include "controls/DateEdit.h"
#include "model/DeclClasses.h"
#include "pages/FrameInitialData.h"
#include "ui_FrameInitialData.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A click into the picker's text at the caret position `at`, as a user clicks into a part.
void ClickAt(QDateEdit* picker, int at) {
    auto* text = picker->findChild<QLineEdit*>();
    const int y = text->height() / 2;
    int x = 0;
    while (x < text->width() && text->cursorPositionAt(QPoint(x, y)) < at) ++x;
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(x, y));
}

} // namespace

TEST(DateEdit, ClickedPartIsReplacedByTypedDigits) {
    struct Case {
        const char* part;
        int at; // a caret position inside the part of "11.11.2006"
        int clicks;
        const char* typed;
        const char* expected;
    } cases[] = {
        {"day", 1, 1, "05", "2006-11-05"},
        {"month", 4, 1, "03", "2006-03-11"},
        {"year", 8, 1, "2007", "2007-11-11"},
        {"year at its end", 10, 1, "2005", "2005-11-11"},
        {"a second click into the selected part", 1, 2, "28", "2006-11-28"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.part);
        TDateEdit picker;
        picker.setCalendarPopup(true);
        picker.setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        picker.setDateRange(QDate(2005, 1, 1), QDate(2008, 1, 1));
        picker.setDate(QDate(2006, 11, 11));
        picker.show();
        for (int i = 0; i < c.clicks; ++i) ClickAt(&picker, c.at);
        uitest::Type(&picker, QString::fromLatin1(c.typed));
        EXPECT_EQ(picker.date().toString(Qt::ISODate), c.expected);
    }
}

TEST(DateEdit, ClickThatBringsTheWindowToTheFrontKeepsTheClickedPart) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLineEdit); // the focus is elsewhere: the picker never had it
    auto* picker = new TDateEdit;
    layout->addWidget(picker);
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    picker->setDate(QDate(2008, 1, 1));
    window.show();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    ClickAt(picker, 8); // the click comes first, the window's activation after it
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(picker->hasFocus());
    uitest::Type(picker, QStringLiteral("2006"));
    EXPECT_EQ(picker->date().toString(Qt::ISODate), "2006-01-01");
}

class DatePickerOnPage : public uitest::WindowTest {};

TEST_F(DatePickerOnPage, TypedDateIsAChangeOfTheDocument) {
    window = std::make_unique<TFormMain>(QStringList{}, QString::fromStdString(dir));
    window->show();
    auto* page = qobject_cast<TfrInitialData*>(window->CurrentPage);
    ASSERT_NE(page, nullptr);
    QDateEdit* filed = page->ui->dtGetDate;
    filed->setDate(QDate(2006, 4, 30));
    window->Saved = true;
    ClickAt(filed, 1);
    uitest::Type(filed, QStringLiteral("05"));
    EXPECT_EQ(filed->date().toString(Qt::ISODate), "2006-04-05");
    EXPECT_FALSE(window->Saved);
    page->SaveData();
    EXPECT_EQ(window->Document->FilingDate, EncodeDate(2006, 4, 5));
}
