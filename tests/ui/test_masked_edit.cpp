#include "UiTestUtil.h"
#include "controls/MaskedEdit.h"
#include "platform/QtWindowing.h"

#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

using uitest::Key;
using uitest::Type;

namespace {

struct Edit {
    Edit(TEditTypeControlEnum type, int whole, int frac, const QString& initial = {}) {
        e = std::make_unique<TMaskedEdit>();
        e->setEditType(type);
        e->setWholeLength(whole);
        e->setFractionalLength(frac);
        e->SetText(initial);
        e->show();
        e->setFocus();
        docnotify::SetMainWindowHandler([this] {
            ++documentChanges;
            order += "D";
        });
        QObject::connect(e.get(), &TMaskedEdit::OnChange, [this] {
            ++changes;
            order += "C";
        });
    }
    ~Edit() { docnotify::SetMainWindowHandler({}); }
    void Paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        e->paste();
    }
    std::unique_ptr<TMaskedEdit> e;
    int documentChanges = 0;
    int changes = 0;
    std::string order;
};

struct KeyCase {
    const char* name;
    TEditTypeControlEnum type;
    int whole, frac;
    const char* initial;
    int caret; // -1: at the end
    const char* typed;
    const char* expected;
};

} // namespace

TEST(MaskedEdit, TypedCharacters) {
    const KeyCase cases[] = {
        {"point becomes comma", edtCurrency, 12, 2, "12", -1, ".", "12,"},
        {"second separator dropped", edtCurrency, 12, 2, "12,5", -1, ",", "12,5"},
        {"separator alone is put back", edtCurrency, 12, 2, "", -1, ",", ""},
        {"separator after a digit", edtCurrency, 12, 2, "", -1, "5,", "5,"},
        {"no sign", edtCurrency, 12, 2, "", -1, "-+5", "5"},
        {"thirteenth digit dropped", edtCurrency, 12, 2, "123456789012", -1, "3", "123456789012"},
        {"third decimal dropped", edtCurrency, 12, 2, "1", -1, ",234", "1,23"},
        {"separator too far left is put back", edtCurrency, 12, 2, "12345", 1, ",", "12345"},
        {"digit inserted before the caret", edtCurrency, 12, 2, "15", 1, "2", "125"},
        {"letters dropped in amounts", edtCurrency, 0, 0, "", -1, "1a2", "12"},
        {"digits only", edtDigital, 10, 0, "", -1, "12ab34", "1234"},
        {"digital length", edtDigital, 3, 0, "", -1, "12345", "123"},
        {"no digits in text", edtChar, 30, 0, "", -1, "Доллар 1 США", "Доллар  США"},
        {"char length", edtChar, 3, 0, "", -1, "abcd", "abc"},
        {"any character", edtNone, 0, 0, "", -1, "ул. Ленина, 5", "ул. Ленина, 5"},
        {"none length", edtNone, 4, 0, "", -1, "12345", "1234"},
        {"no place in Windows-1251", edtNone, 0, 0, "", -1, "a日b", "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Edit edit(c.type, c.whole, c.frac, QString::fromUtf8(c.initial));
        if (c.caret >= 0) edit.e->setCursorPosition(c.caret);
        Type(edit.e.get(), QString::fromUtf8(c.typed));
        EXPECT_EQ(edit.e->Text(), QString::fromUtf8(c.expected));
    }
}

TEST(MaskedEdit, TypingReplacesTheSelection) {
    struct Case {
        const char* name;
        TEditTypeControlEnum type;
        int whole, frac;
        const char* initial;
        int from, length; // the selection; -1: Ctrl+A
        const char* typed;
        const char* expected;
    } cases[] = {
        {"full amount", edtCurrency, 12, 2, "123456789012,34", -1, 0, "5", "5"},
        {"full whole amount", edtCurrency, 3, 0, "123", -1, 0, "45", "45"},
        {"full digits", edtDigital, 10, 0, "7701234567", -1, 0, "12", "12"},
        {"full text without digits", edtChar, 3, 0, "abc", -1, 0, "x", "x"},
        {"full text", edtNone, 4, 0, "abcd", -1, 0, "wxyz", "wxyz"},
        {"digits in the middle", edtDigital, 4, 0, "1234", 1, 2, "9", "194"},
        {"decimals", edtCurrency, 12, 2, "15,25", 3, 2, "5", "15,5"},
        {"separator and decimals", edtCurrency, 12, 2, "15,25", 2, 3, ",7", "15,7"},
        {"whole part of a full amount", edtCurrency, 3, 2, "123,45", 0, 3, "9", "9,45"},
        {"dropped character keeps the text", edtDigital, 4, 0, "1234", -1, 0, "a", "1234"},
        {"what is left too long", edtCurrency, 3, 2, "123,45", 4, 2, "678", "123,67"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Edit edit(c.type, c.whole, c.frac, QString::fromUtf8(c.initial));
        if (c.from < 0)
            Key(edit.e.get(), Qt::Key_A, Qt::ControlModifier);
        else
            edit.e->setSelection(c.from, c.length);
        ASSERT_TRUE(edit.e->hasSelectedText());
        edit.order.clear();
        const QString selected = edit.e->selectedText();
        Type(edit.e.get(), QString::fromUtf8(c.typed).left(1));
        // The replacement is one change, reported as any other; a dropped key leaves the selection.
        if (edit.e->Text() == QString::fromUtf8(c.initial))
            EXPECT_EQ(edit.e->selectedText(), selected);
        else
            EXPECT_EQ(edit.order, "DC");
        Type(edit.e.get(), QString::fromUtf8(c.typed).mid(1));
        EXPECT_EQ(edit.e->Text(), QString::fromUtf8(c.expected));
    }
}

TEST(MaskedEdit, DoubleClickSelectsAWordThatTypingReplaces) {
    Edit digits(edtDigital, 12, 0, "500100732259");
    QTest::mouseDClick(digits.e.get(), Qt::LeftButton, {}, QPoint(10, digits.e->height() / 2));
    Type(digits.e.get(), "77");
    EXPECT_EQ(digits.e->Text(), "77");

    Edit street(edtNone, 10, 0, QString::fromUtf8("Тверская 1"));
    QTest::mouseDClick(street.e.get(), Qt::LeftButton, {}, QPoint(10, street.e->height() / 2));
    Type(street.e.get(), QString::fromUtf8("Пушкина"));
    EXPECT_EQ(street.e->Text(), QString::fromUtf8("Пушкина 1"));
}

TEST(MaskedEdit, PasteReplacesTheSelection) {
    QGuiApplication::clipboard()->setText("wxyz");
    Edit text(edtNone, 4, 0, "abcd");
    text.e->selectAll();
    Key(text.e.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text.e->Text(), "wxyz");

    Edit digits(edtDigital, 4, 0, "1234");
    digits.e->setSelection(2, 2);
    digits.Paste("56");
    EXPECT_EQ(digits.e->Text(), "1256");
    digits.e->selectAll();
    digits.Paste("567");
    EXPECT_EQ(digits.e->Text(), "567");
    digits.e->selectAll();
    digits.Paste("56789"); // longer than the field: the previous text stays
    EXPECT_EQ(digits.e->Text(), "567");
}

TEST(MaskedEdit, BackspaceAlwaysWorks) {
    for (auto type : {edtCurrency, edtDigital, edtChar, edtNone}) {
        Edit edit(type, 2, 0, type == edtChar ? "ab" : "12");
        Key(edit.e.get(), Qt::Key_End);
        Key(edit.e.get(), Qt::Key_Backspace);
        EXPECT_EQ(edit.e->Text().size(), 1) << type;
    }
}

TEST(MaskedEdit, EnterIsNeverInserted) {
    Edit edit(edtNone, 0, 0, "a");
    Key(edit.e.get(), Qt::Key_Return);
    EXPECT_EQ(edit.e->Text(), "a");
}

TEST(MaskedEdit, EveryAcceptedChangeIsReportedFirstToTheMainWindow) {
    Edit edit(edtCurrency, 12, 2);
    Type(edit.e.get(), "7");
    EXPECT_EQ(edit.order, "DC");
    Key(edit.e.get(), Qt::Key_Backspace); // deleting the last character leaves the empty amount
    EXPECT_EQ(edit.e->Text(), "");
    EXPECT_EQ(edit.order, "DCDC");
    Type(edit.e.get(), ","); // refused: nothing reported
    EXPECT_EQ(edit.order, "DCDC");
    edit.e->SetText("15"); // the program's assignment is reported like typing
    EXPECT_EQ(edit.order, "DCDCDC");
}

TEST(MaskedEdit, ProgramAssignment) {
    Edit edit(edtCurrency, 12, 2, "1");
    edit.e->SetText("-5");
    EXPECT_EQ(edit.e->Text(), "-5");
    edit.e->SetText("1234567890123");
    EXPECT_EQ(edit.e->Text(), "-5");
    edit.e->SetText("   ");
    EXPECT_EQ(edit.e->Text(), "");
    Edit digits(edtDigital, 10, 0, "12");
    digits.e->SetText("12a");
    EXPECT_EQ(digits.e->Text(), "12");
}

TEST(MaskedEdit, PasteAcceptsOnlyWhatTypingCouldProduce) {
    struct Case {
        TEditTypeControlEnum type;
        int whole, frac;
        const char* pasted;
        bool accepted;
    } cases[] = {
        {edtCurrency, 12, 2, "12,5", true},   {edtCurrency, 12, 2, "-5", false},  {edtCurrency, 12, 2, "1e3", false},
        {edtCurrency, 12, 2, " 5", false},    {edtCurrency, 12, 2, "1,234", false}, {edtCurrency, 12, 2, "1.5", false},
        {edtDigital, 10, 0, "7701", true},    {edtDigital, 10, 0, "77a1", false}, {edtDigital, 3, 0, "1234", false},
        {edtChar, 30, 0, "Евро", true},       {edtChar, 30, 0, "Евро1", false},   {edtNone, 0, 0, "Straße", false},
        {edtNone, 0, 0, "Ёлочная, 5", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pasted);
        Edit edit(c.type, c.whole, c.frac, "");
        edit.Paste(QString::fromUtf8(c.pasted));
        EXPECT_EQ(edit.e->Text(), c.accepted ? QString::fromUtf8(c.pasted) : QString());
        EXPECT_EQ(edit.changes, c.accepted ? 1 : 0);
    }
}

TEST(MaskedEdit, ClipboardShortcutsFollowTheCharacterRule) {
    QGuiApplication::clipboard()->setText("42");
    Edit digits(edtDigital, 10, 0, "");
    Key(digits.e.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(digits.e->Text(), ""); // a control character: dropped by the amount and digit kinds
    Edit text(edtNone, 10, 0, "");
    Key(text.e.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text.e->Text(), "42");
}
