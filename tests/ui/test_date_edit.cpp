// The date picker: a click selects the part typed next, a date is typed as people type it, and a
// date that does not exist or lies outside the picker's range is refused with a message, on every
// date picker of the pages.
#include "UiTestUtil.h"
#include "WindowTest.h"
#include "../SampleDecl.h"
#include "app/Main.h"
#include "controls/DateEdit.h"
#include "controls/FlashButton.h"
#include "model/DeclClasses.h"
#include "pages/FrameInitialData.h"
#include "pages/HolderPage.h"
#include "platform/QtWindowing.h"
#include "ui_FrameInitialData.h"
#include "ui_Main.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>

using uitest::ModalAnswerer;

namespace {

// A click on a widget through its window, as the window system hands it on.
void Click(QWidget* w, QPoint at) {
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, {}, w->mapTo(w->window(), at));
}
void Click(QWidget* w) { Click(w, w->rect().center()); }

// A click into the picker's text at the caret position `at`, as a user clicks into a part.
void ClickAt(QDateEdit* picker, int at) {
    auto* text = picker->findChild<QLineEdit*>();
    const int y = text->height() / 2;
    int x = 0;
    while (x < text->width() && text->cursorPositionAt(QPoint(x, y)) < at) ++x;
    Click(text, QPoint(x, y));
}

// Types as a user does: characters, and "\b" Backspace, "\t" Tab, "\r" Enter, "\x1b" Esc, "<" and
// ">" the arrows, "@" a click on the year.
void Keys(QDateEdit* picker, const char* keys) {
    for (const char* k = keys; *k; ++k) {
        switch (*k) {
        case '\b': uitest::Key(picker, Qt::Key_Backspace); break;
        case '\t': uitest::Key(picker, Qt::Key_Tab); break;
        case '\r': uitest::Key(picker, Qt::Key_Return); break;
        case '\x1b': uitest::Key(picker, Qt::Key_Escape); break;
        case '<': uitest::Key(picker, Qt::Key_Left); break;
        case '>': uitest::Key(picker, Qt::Key_Right); break;
        case '@': ClickAt(picker, 8); break;
        default: uitest::Type(picker, QString(QChar::fromLatin1(*k)));
        }
    }
}

// Answers a message box with OK, keeping its text.
ModalAnswerer::Answer Told(QString& text) {
    return [&text](QDialog* d) {
        auto* box = qobject_cast<QMessageBox*>(d);
        ASSERT_NE(box, nullptr) << d->metaObject()->className();
        text = box->text();
        box->buttons().front()->click();
    };
}

QString Text(const QDate& d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }
std::string Str(const QString& s) { return s.toStdString(); }
QDate Date(const char* text) { return QDate::fromString(QString::fromLatin1(text), QStringLiteral("dd.MM.yyyy")); }

// What a picker says of a typed date it refuses; none for a date it takes.
QString Refusal(const QDateEdit* picker, const char* meant) {
    const QDate d = Date(meant);
    if (!d.isValid()) return QStringLiteral("Даты %1 не существует. Проверьте число и месяц.").arg(QString::fromLatin1(meant));
    if (d < picker->minimumDate() || d > picker->maximumDate())
        return QStringLiteral("Дата %1 вне допустимых пределов: введите дату с %2 по %3.")
            .arg(QString::fromLatin1(meant), Text(picker->minimumDate()), Text(picker->maximumDate()));
    return {};
}

// A picker beside another field, in a window of its own that has the focus.
struct PickerWindow {
    QWidget window;
    QLineEdit* other = new QLineEdit;
    TDateEdit* picker = new TDateEdit;
    PickerWindow() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(picker);
        layout->addWidget(other);
        picker->setCalendarPopup(true);
        picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        picker->setDateRange(QDate(2005, 1, 1), QDate(2008, 1, 1));
        window.show();
        window.activateWindow();
    }
};

} // namespace

TEST(DateEdit, ClickedPartIsReplacedByTypedDigits) {
    struct Case {
        const char* part;
        int at; // a caret position inside the part of "11.11.2006"
        int clicks;
        const char* typed; // Enter takes a date typed in part
        const char* expected;
    } cases[] = {
        {"day", 1, 1, "05\r", "2006-11-05"},
        {"month", 4, 1, "03\r", "2006-03-11"},
        {"year", 8, 1, "2007", "2007-11-11"},
        {"year at its end", 10, 1, "2005", "2005-11-11"},
        {"a second click into the selected part", 1, 2, "28\r", "2006-11-28"},
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
        Keys(&picker, c.typed);
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

TEST(DateEdit, TypingIsCorrectedAndMovedAsInAText) {
    struct Case {
        const char* keys; // after a click on the day of 20.04.2006
        const char* meant;
        const char* shown; // while typing, before the keys' last one
    } cases[] = {
        {"20\t04\t2005", "20.04.2005", "20.04.200_"},       // Tab after a part that moved on by itself
        {"5\t3\t2005", "05.03.2005", "05.03.200_"},         // Tab ends a short part
        {"32\b1.05.2005", "31.05.2005", "31.05.200_"},      // Backspace takes the last digit back
        {"3\b\b\b15\r", "15.04.2006", "15.04.2006"},        // and no more than were typed
        {"31.05<<28\r", "28.05.2006", "28.05.2006"},        // the arrows go to another part
        {"15@2007", "15.04.2007", "15.04.200_"},            // so does a click
        {"1a5 .3x.2005", "15.03.2005", "15.03.200_"},       // the date takes no letter
        {"31\r", "31.04.2006", "31.04.2006"},               // Enter takes the date as it stands
        {"15\r", "15.04.2006", "15.04.2006"},
        {"17.12.2\x1b", "20.04.2006", "17.12.2___"},        // Esc drops what was typed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        PickerWindow w;
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
        w.picker->setDate(QDate(2006, 4, 20));
        ClickAt(w.picker, 1);
        const QString why = Refusal(w.picker, c.meant);
        QString told;
        ModalAnswerer answerer(why.isEmpty() ? std::vector<ModalAnswerer::Answer>{} : std::vector{Told(told)});
        const std::string keys = c.keys;
        Keys(w.picker, keys.substr(0, keys.size() - 1).c_str());
        EXPECT_EQ(Str(w.picker->findChild<QLineEdit*>()->text()), c.shown);
        Keys(w.picker, keys.substr(keys.size() - 1).c_str());
        EXPECT_TRUE(answerer.AllAnswered());
        EXPECT_EQ(Str(told), Str(why));
        EXPECT_EQ(Str(Text(w.picker->date())), why.isEmpty() ? c.meant : "20.04.2006");
        EXPECT_EQ(w.window.focusWidget(), w.picker);
    }
}

TEST(DateEdit, ImpossibleDateIsTypedAgainFromWhereItBegan) {
    PickerWindow w;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    w.picker->setDate(QDate(2006, 4, 20));
    ClickAt(w.picker, 4); // the month
    uitest::Type(w.picker, QStringLiteral("022005"));
    ASSERT_EQ(w.picker->date(), QDate(2005, 2, 20));
    QString told;
    ModalAnswerer answerer({Told(told)});
    ClickAt(w.picker, 1);
    uitest::Type(w.picker, QStringLiteral("31"));
    ClickAt(w.picker, 4);
    Keys(w.picker, "02\r"); // 31.02.2005
    EXPECT_TRUE(answerer.AllAnswered());
    EXPECT_EQ(Str(told), "Даты 31.02.2005 не существует. Проверьте число и месяц.");
    EXPECT_EQ(w.picker->date(), QDate(2005, 2, 20));
    EXPECT_EQ(w.window.focusWidget(), w.picker);
    EXPECT_EQ(w.picker->currentSection(), QDateTimeEdit::DaySection); // where "31" began
    Keys(w.picker, "28\r");
    EXPECT_EQ(w.picker->date(), QDate(2005, 2, 28));
}

TEST(DateEdit, FocusTakenAwayEndsTheTyping) {
    // As when a page moves the focus, or turns the picker off, while a date is being typed.
    PickerWindow w;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    w.picker->setDate(QDate(2006, 4, 20));
    ClickAt(w.picker, 1);
    uitest::Type(w.picker, QStringLiteral("15"));
    // Another window in front only interrupts the typing.
    QWidget front;
    front.show();
    front.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&front));
    w.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    EXPECT_EQ(Str(w.picker->findChild<QLineEdit*>()->text()), "15.04.2006");
    EXPECT_EQ(w.picker->date(), QDate(2006, 4, 20));
    w.other->setFocus();
    EXPECT_EQ(w.picker->date(), QDate(2006, 4, 15));
    EXPECT_EQ(w.window.focusWidget(), w.other);

    ClickAt(w.picker, 1);
    QString told;
    ModalAnswerer answerer({Told(told)});
    uitest::Type(w.picker, QStringLiteral("31"));
    w.other->setFocus();
    EXPECT_TRUE(answerer.AllAnswered());
    EXPECT_EQ(Str(told), "Даты 31.04.2006 не существует. Проверьте число и месяц.");
    EXPECT_EQ(w.picker->date(), QDate(2006, 4, 15));
    EXPECT_EQ(w.window.focusWidget(), w.picker);
}

// ---------------------------------------------------------------------------------------------
// Every date picker of the pages

namespace {

// The pickers' messages are real message boxes, answered as a user answers them.
class DatePickers : public uitest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        SetMessageBoxHook({});
    }
    void Open(const mTDeclaration& d) {
        d.SaveToFile(Path("in.vrq"));
        window = std::make_unique<TFormMain>(QStringList{QString::fromStdString(Path("in.vrq"))}, QString::fromStdString(dir));
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Presses a page button as a user does; failed checks are skipped.
    void Press(TFlashButton* button) {
        ModalAnswerer skip({uitest::Click("Button3"), uitest::Click("Button3")});
        Click(button, QPoint(10, 10));
    }
    // Another field of the page, to leave the picker for.
    QLineEdit* Elsewhere() {
        for (QLineEdit* e : window->CurrentPage->findChildren<QLineEdit*>())
            if (e->isVisible() && e->isEnabled() && !qobject_cast<QAbstractSpinBox*>(e->parentWidget())) return e;
        return nullptr;
    }
    ModalAnswerer unexpected{{}}; // a dialog no step of the test answers fails it
};

} // namespace

TEST_F(DatePickers, TypedDateIsKeptOrRefusedOnEveryPicker) {
    mTDeclaration d;
    sample::Fill(d);
    Open(d);
    using Reach = std::function<void()>;
    const Reach initial = [] {};
    const Reach person = [this] { Press(window->ui->fbPrsonInfo); };
    const Reach foreign = [this] { Press(window->ui->fbForeignIncome); };
    const Reach property = [this] {
        Press(window->ui->fbDeduction);
        qobject_cast<THolderPage*>(window->CurrentPage)->FocusPageItem(1, 0);
    };
    const struct {
        const char* name;
        const Reach& reach;
    } pickers[] = {
        {"dtGetDate", initial},        {"dtBirthDate", person},     {"dtRegDate", person},
        {"dtIncomeGetDate", foreign},  {"dtSubtractDate", foreign}, {"dtpRegRightDate", property},
        {"dtpBayDate", property},
    };
    const struct {
        const char* typed; // after a click on the day
        const char* over;
        bool leave; // then a click into another field of the page
        const char* meant;
    } typings[] = {
        {"20.04.2005", "11.11.2005", false, "20.04.2005"},
        {"20,04,2005", "11.11.2005", false, "20.04.2005"},
        {"20/04/2005", "11.11.2005", false, "20.04.2005"},
        {"20-04-2005", "11.11.2005", false, "20.04.2005"},
        {"20.04.2001", "11.11.2005", false, "20.04.2001"},
        {"20042001", "11.11.2005", false, "20.04.2001"},
        {"20042005", "11.11.2005", false, "20.04.2005"},
        {"5.3.1970", "11.11.2005", false, "05.03.1970"},
        {"5/3/2005", "11.11.2005", false, "05.03.2005"},
        {"01.01.2005", "11.11.2005", false, "01.01.2005"},
        {"31052005", "20.04.2005", false, "31.05.2005"},
        {"31.05.2005", "20.04.2005", false, "31.05.2005"},
        {"29022004", "11.11.2005", false, "29.02.2004"},
        {"31022005", "11.11.2005", false, "31.02.2005"},
        {"31.02.2005", "11.11.2005", false, "31.02.2005"},
        {"29.02.2005", "11.11.2005", false, "29.02.2005"},
        {"5.13.2005", "11.11.2005", false, "05.13.2005"},
        {"01.01.0999", "11.11.2005", false, "01.01.0999"},
        {"15", "11.11.2005", true, "15.11.2005"},
        {"15.05", "11.11.2005", true, "15.05.2005"},
        {"31", "20.04.2005", true, "31.04.2005"},
        {"15.05.20", "11.11.2005", true, "15.05.0020"},
    };
    for (const auto& p : pickers) {
        SCOPED_TRACE(p.name);
        p.reach();
        auto* picker = window->CurrentPage->findChild<TDateEdit*>(QString::fromLatin1(p.name));
        ASSERT_NE(picker, nullptr);
        ASSERT_TRUE(picker->isEnabled());
        QLineEdit* other = Elsewhere();
        ASSERT_NE(other, nullptr);
        for (const auto& t : typings) {
            SCOPED_TRACE(t.typed);
            picker->setDate(Date(t.over));
            ClickAt(picker, 1);
            const QString why = Refusal(picker, t.meant);
            QString told;
            ModalAnswerer answerer(why.isEmpty() ? std::vector<ModalAnswerer::Answer>{} : std::vector{Told(told)});
            uitest::Type(picker, QString::fromLatin1(t.typed));
            if (t.leave) Click(other);
            EXPECT_TRUE(answerer.AllAnswered());
            EXPECT_EQ(Str(told), Str(why));
            EXPECT_EQ(Str(Text(picker->date())), why.isEmpty() ? t.meant : t.over);
            if (!why.isEmpty()) {
                EXPECT_EQ(window->focusWidget(), picker);
            }
        }
    }
}

TEST_F(DatePickers, ClickOnAPageButtonTakesTheTypedDateFirst) {
    mTDeclaration d;
    sample::Fill(d);
    Open(d);
    auto* page = qobject_cast<TfrInitialData*>(window->CurrentPage);
    ASSERT_NE(page, nullptr);
    QDateEdit* filed = page->ui->dtGetDate;
    filed->setDate(QDate(2006, 4, 20));

    // A day that April does not have: the page stays, with the picker's date and focus.
    ClickAt(filed, 1);
    QString told;
    {
        ModalAnswerer answerer({Told(told)});
        uitest::Type(filed, QStringLiteral("31"));
        Click(window->ui->fbPrsonInfo, QPoint(10, 10));
        EXPECT_TRUE(answerer.AllAnswered());
    }
    EXPECT_EQ(Str(told), "Даты 31.04.2006 не существует. Проверьте число и месяц.");
    ASSERT_EQ(window->CurrentPage, page);
    EXPECT_EQ(window->focusWidget(), filed);
    EXPECT_EQ(filed->date(), QDate(2006, 4, 20));

    // A day and a month: the date is taken before the page is left.
    ClickAt(filed, 1);
    uitest::Type(filed, QStringLiteral("15.05"));
    Press(window->ui->fbPrsonInfo);
    EXPECT_NE(window->CurrentPage, page);
    EXPECT_EQ(window->Document->FilingDate, EncodeDate(2006, 5, 15));
    EXPECT_FALSE(window->Saved);
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
    Keys(filed, "05\r");
    EXPECT_EQ(filed->date().toString(Qt::ISODate), "2006-04-05");
    EXPECT_FALSE(window->Saved);
    page->SaveData();
    EXPECT_EQ(window->Document->FilingDate, EncodeDate(2006, 4, 5));
}
