#include "UiTestUtil.h"
#include "controls/MaskedDocEdit.h"
#include "platform/QtWindowing.h"

#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

using uitest::Key;
using uitest::Type;

namespace {

std::unique_ptr<TMaskedDocEdit> MakeEdit(TDocumentMaskEnum type, const QString& initial = {}) {
    auto e = std::make_unique<TMaskedDocEdit>();
    e->SetText(initial);
    e->setEditType(type);
    e->show();
    e->setFocus();
    return e;
}

} // namespace

TEST(RomanNumerals, Conversions) {
    struct Case {
        int value;
        const char* roman;
    } cases[] = {{0, ""}, {1, "I"}, {4, "IV"}, {9, "IX"}, {14, "XIV"}, {19, "XIX"}, {40, "XL"},
                 {49, "XLIX"}, {90, "XC"}, {99, "XCIX"}, {188, "CLXXXVIII"}, {400, "CCCC"}};
    for (const auto& c : cases) {
        EXPECT_EQ(IntToRoman(c.value), c.roman);
        EXPECT_EQ(RomanToInt(c.roman), c.value);
    }
    for (const char* canonical : {"XIV", "XC", "", "CLXXXVIII"}) EXPECT_TRUE(IsCanonicalRoman(canonical)) << canonical;
    for (const char* other : {"IIII", "VV", "IC", "XXXX"}) EXPECT_FALSE(IsCanonicalRoman(other)) << other;
}

TEST(MaskedDocEdit, TypedShapes) {
    struct Case {
        const char* name;
        TDocumentMaskEnum type;
        const char* typed;
        const char* expected;
    } cases[] = {
        {"look-alikes and capitals", edtR_BB, "1у-мю12", "IV-МЮ 12"},
        {"series stays canonical", edtR_BB, "IIII", "III"},
        {"IX", edtR_BB, "ix", "IX"},
        {"XL", edtR_BB, "XL", "XL"},
        {"XC", edtR_BB, "хс", "XC"},
        {"XIV", edtR_BB, "XIV", "XIV"},
        {"second dash dropped", edtR_BB, "X--", "X-"},
        {"digit other than 1 in the series", edtR_BB, "X2", "X"},
        {"whole birth certificate", edtR_BB, "xiv-аб123456", "XIV-АБ 123456"},
        {"seventh digit dropped", edtR_BB, "I-АБ1234567", "I-АБ 123456"},
        {"passport groups", edt99_, "4504123456", "45 04 123456"},
        {"typed blanks dropped", edt99_, "45 04 1", "45 04 1"},
        {"two groups", edt99, "121234567", "12 1234567"},
        {"eighth digit dropped", edt99, "1212345678", "12 1234567"},
        {"small letters", edtBB, "аб123456", "АБ 123456"},
        {"capitals", edtBB, "АБ123456", "АБ 123456"},
        {"six digits", edtBB, "АБ1234567", "АБ 123456"},
        {"seven digits", edtBB0, "АБ1234567", "АБ 1234567"},
        {"digit first refused", edtBB, "1А", "А"},
        {"twenty characters", edtNone1, "123456789012345678901", "12345678901234567890"},
        {"fourteen characters", edtNone2, "123456789012345", "12345678901234"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto e = MakeEdit(c.type);
        Type(e.get(), QString::fromUtf8(c.typed));
        EXPECT_EQ(e->Text(), QString::fromUtf8(c.expected));
    }
}

TEST(MaskedDocEdit, DeletingTheDashIsRefused) {
    auto e = MakeEdit(edtR_BB, QString::fromUtf8("XIV-АБ 123456"));
    e->setCursorPosition(4);
    Key(e.get(), Qt::Key_Backspace);
    EXPECT_EQ(e->Text(), QString::fromUtf8("XIV-АБ 123456"));
}

TEST(MaskedDocEdit, FullEditStillDeletes) {
    auto e = MakeEdit(edtNone1, "12345678901234567890");
    Key(e.get(), Qt::Key_End);
    Key(e.get(), Qt::Key_Backspace);
    Key(e.get(), Qt::Key_Home);
    Key(e.get(), Qt::Key_Delete);
    EXPECT_EQ(e->Text(), "234567890123456789");
}

TEST(MaskedDocEdit, TypingReplacesTheSelection) {
    struct Case {
        const char* name;
        TDocumentMaskEnum type;
        const char* initial;
        int from, length; // the selection; -1: Ctrl+A
        const char* typed;
        const char* expected;
    } cases[] = {
        {"full free text", edtNone1, "12345678901234567890", -1, 0, "abc", "abc"},
        {"full passport", edt99_, "45 04 123456", -1, 0, "4505", "45 05"},
        {"passport number", edt99_, "45 04 123456", 6, 6, "654321", "45 04 654321"},
        {"full birth certificate", edtR_BB, "XIV-АБ 123456", -1, 0, "x-вг", "X-ВГ"},
        {"dropped character keeps the text", edtBB, "АБ 123456", -1, 0, "1", "АБ 123456"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto e = MakeEdit(c.type, QString::fromUtf8(c.initial));
        if (c.from < 0)
            Key(e.get(), Qt::Key_A, Qt::ControlModifier);
        else
            e->setSelection(c.from, c.length);
        Type(e.get(), QString::fromUtf8(c.typed));
        EXPECT_EQ(e->Text(), QString::fromUtf8(c.expected));
    }
}

TEST(MaskedDocEdit, Pastes) {
    struct Case {
        TDocumentMaskEnum type;
        const char* pasted;
        bool accepted;
    } cases[] = {{edt99, "12 34 567", true}, {edt99, "123 4567", false}, {edt99_, "45 04 123456", true},
                 {edt99_, "45 041 1", false}, {edtBB, "АБ 123456", true}, {edtBB, "A1", false},
                 {edtR_BB, "XIV-АБ 123456", true}, {edtR_BB, "IIII-АБ", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pasted);
        auto e = MakeEdit(c.type);
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
        e->paste();
        EXPECT_EQ(e->Text(), c.accepted ? QString::fromUtf8(c.pasted) : QString());
    }
    // Small letters and look-alikes of a pasted series are turned into capitals and Roman letters.
    auto e = MakeEdit(edtR_BB);
    QGuiApplication::clipboard()->setText(QString::fromUtf8("х1у-аб 12"));
    e->paste();
    EXPECT_EQ(e->Text(), QString::fromUtf8("XIV-АБ 12"));
}

TEST(MaskedDocEdit, NewRuleLeavesTheTextUntilEdited) {
    auto e = MakeEdit(edtNone1, QString::fromUtf8("АБВ"));
    int changes = 0;
    QObject::connect(e.get(), &TMaskedDocEdit::OnChange, [&] { ++changes; });
    e->setEditType(edt99_);
    EXPECT_EQ(e->Text(), QString::fromUtf8("АБВ"));
    Key(e.get(), Qt::Key_End);
    Key(e.get(), Qt::Key_Backspace); // still unfitting: put back
    EXPECT_EQ(e->Text(), QString::fromUtf8("АБВ"));
    EXPECT_EQ(changes, 0);
    e->selectAll();
    Key(e.get(), Qt::Key_Delete); // the empty text fits every rule
    EXPECT_EQ(e->Text(), "");
    EXPECT_EQ(changes, 1);
}

TEST(MaskedDocEdit, ReportsTypedChangesToTheMainWindow) {
    int documentChanges = 0;
    docnotify::SetMainWindowHandler([&] { ++documentChanges; });
    auto e = MakeEdit(edt99_);
    Type(e.get(), "450");
    // Three typed digits; the blank the edit inserts itself is not reported on its own.
    EXPECT_EQ(documentChanges, 3);
    EXPECT_EQ(e->Text(), "45 0");
    docnotify::SetMainWindowHandler({});
}
