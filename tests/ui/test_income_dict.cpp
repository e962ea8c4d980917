// The built-in income-code dictionary and the income-code and deduction-code pickers.
#include "UiTestUtil.h"
#include "pages/IncomeDict.h"
#include "pages/InputIncomeCode.h"
#include "ui_InputDeductCode.h"
#include "ui_InputIncomeCode.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QStringList Codes(QTreeWidget* list) {
    QStringList codes;
    for (int i = 0; i < list->topLevelItemCount(); ++i) codes << list->topLevelItem(i)->text(0);
    return codes;
}

QString Att(const QDomElement& e, const char* name) { return e.attribute(QLatin1String(name)); }

} // namespace

TEST(IncomeDict, Content) {
    TIncomeDict dict;
    int incomes = 0, deductions = 0, sale = 0;
    std::map<QString, int> byRate;
    QString previous;
    for (QDomElement e = dict.Root().firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        ASSERT_EQ(e.tagName(), QStringLiteral("Income"));
        ++incomes;
        ++byRate[Att(e, "Stav")];
        EXPECT_LT(previous, Att(e, "Code")); // ascending
        previous = Att(e, "Code");
        if (e.hasAttribute(QStringLiteral("SaleDate"))) ++sale;
        QDomElement last;
        for (QDomElement d = e.firstChildElement(); !d.isNull(); d = d.nextSiblingElement()) {
            ASSERT_EQ(d.tagName(), QStringLiteral("Deduction"));
            for (const char* a : {"Code", "Name", "Stav", "Visible", "Enabled", "Equivalent", "MaxSum"})
                EXPECT_TRUE(d.hasAttribute(QLatin1String(a))) << a;
            ++deductions;
            last = d;
        }
        if (!last.isNull()) {
            EXPECT_EQ(Att(last, "Code"), QStringLiteral("0")); // "claim no deduction" comes last
        }
    }
    EXPECT_EQ(incomes, 56);
    EXPECT_EQ(deductions, 87);
    EXPECT_EQ(sale, 13);
    EXPECT_EQ(byRate[QStringLiteral("13")], 50);
    EXPECT_EQ(byRate[QStringLiteral("9")], 3);
    EXPECT_EQ(byRate[QStringLiteral("35")], 3);

    // Rows as they stand, blanks and spelling included.
    struct Row {
        const char* income;
        const char* deduction; // "" for the income itself
        const char* attribute;
        const char* value;
    } rows[] = {
        {"2000", "", "Name", "Заработная плата и другие выплаты во исполнение трудового договора (кроме договоров ГП характера)"},
        {"2610", "", "Name", "Сумма мат. выгоды за пользование заемными  средствами (35%)"},
        {"2740", "", "Name", "Выигрыши, в конкурсах, проводимых  в целях рекламы (п.28 ст.217 НК)"},
        {"1120", "", "Stav", "9"},
        {"1510", "", "SaleDate", "True"},
        {"1510", "301", "MaxSum", "1000000"},
        {"1510", "301", "Enabled", "False"},
        {"1510", "305", "Name", "В сумме документально подтвержденных расходов "},
        {"1536", "316", "Name", "Продажа ЦБ, наход-ся в собст-ти менее 3 лет (в пределах 125 000 руб.)"
                                " "},
        {"1535", "316", "Name", "Продажа ЦБ, наход-ся в собст-ти менее 3 лет (в пределах 125 000 руб.)"},
        {"2201", "405", "Stav", "20"},
        {"2203", "405", "Stav", "40"},
        {"2206", "405", "Stav", "25"},
        {"2201", "404", "Stav", " "},
        {"2720", "501", "Name", "Вычет из стоимости подарка от органицаций и индивидуальных предпринимателей"},
        {"2760", "503", "Equivalent", "True"},
        {"2760", "0", "Visible", "False"},
        {"1511", "313", "Enabled", "True"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.income) + "/" + r.deduction + "/" + r.attribute);
        const QDomElement income = dict.Income(QLatin1String(r.income));
        ASSERT_FALSE(income.isNull());
        const QDomElement e = *r.deduction ? TIncomeDict::Deduction(income, QLatin1String(r.deduction)) : income;
        ASSERT_FALSE(e.isNull());
        EXPECT_EQ(Att(e, r.attribute), QString::fromUtf8(r.value));
    }
    EXPECT_TRUE(dict.Income(QStringLiteral("9999")).isNull());
    EXPECT_FALSE(dict.Income(QStringLiteral("2000")).hasAttribute(QStringLiteral("SaleDate")));
}

TEST(IncomeDict, AttributeReadings) {
    TIncomeDict dict;
    const QDomElement d405 = TIncomeDict::Deduction(dict.Income(QStringLiteral("2209")), QStringLiteral("405"));
    EXPECT_EQ(TIncomeDict::Number(d405, "Stav"), 30);
    const QDomElement d404 = TIncomeDict::Deduction(dict.Income(QStringLiteral("2209")), QStringLiteral("404"));
    EXPECT_EQ(TIncomeDict::Number(d404, "Stav"), 0); // a blank norm is none
    const QDomElement d316 = TIncomeDict::Deduction(dict.Income(QStringLiteral("1530")), QStringLiteral("316"));
    EXPECT_EQ(TIncomeDict::MaxSum(d316), Currency::FromInt(125000));
    EXPECT_TRUE(TIncomeDict::Flag(d316, "Equivalent"));
    EXPECT_FALSE(TIncomeDict::Flag(d316, "Enabled"));
    EXPECT_FALSE(TIncomeDict::Flag(d316, "Missing"));
}

TEST(IncomeCodePicker, FiltersAndPreselects) {
    TIncomeDict dict;
    struct Case {
        const char* filter;
        const char* current;
        int rows;
        const char* chosen;
        int stav;
        bool deductions;
    } cases[] = {
        {"13", "2760", 50, "2760", 13, true},
        {"13", "", 50, "1200", 13, false},
        {"35", "", 3, "2610", 35, false},
        {"35", "2740", 3, "2740", 35, true},
        {"", "", 56, "1010", 9, false},
        {"", "3020", 56, "3020", 35, false},
        {"13", "1010", 50, "1200", 13, false}, // a code outside the filter: the first row
        {"7", "", 0, "", 7, false},            // nothing matches: no choice
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.filter) + " " + c.current);
        TfmInputIncomeCode p(nullptr, dict.Root(), QString::fromUtf8(c.filter), QString::fromUtf8(c.current));
        EXPECT_EQ(p.ui->lvIncomeNames->topLevelItemCount(), c.rows);
        EXPECT_EQ(p.GetCode(), QString::fromUtf8(c.chosen));
        EXPECT_EQ(p.GetStav(), c.stav);
        EXPECT_EQ(p.HasDeductions, c.deductions);
    }
    TfmInputIncomeCode p(nullptr, dict.Root(), QStringLiteral("35"), QString());
    EXPECT_EQ(Codes(p.ui->lvIncomeNames), (QStringList{"2610", "2740", "3020"}));
    EXPECT_EQ(p.windowTitle(), QStringLiteral("Справочник видов доходов"));
}

TEST(IncomeCodePicker, ChoiceFollowsTheSelection) {
    TIncomeDict dict;
    TfmInputIncomeCode p(nullptr, dict.Root(), QString(), QStringLiteral("1010"));
    QTreeWidget* list = p.ui->lvIncomeNames;
    // The arrow keys move the choice as a click does; the rate follows the chosen income.
    list->setFocus();
    uitest::Key(list, Qt::Key_End);
    EXPECT_EQ(p.GetCode(), QStringLiteral("4800"));
    EXPECT_EQ(p.GetStav(), 13);
    list->topLevelItem(54)->setSelected(true); // 3020
    EXPECT_EQ(p.GetCode(), QStringLiteral("3020"));
    EXPECT_EQ(p.GetStav(), 35);
    // The chosen row losing its selection leaves no choice.
    list->clearSelection();
    EXPECT_EQ(p.GetCode(), QString());
    EXPECT_EQ(p.GetName(), QString());
    // Enter, a double click or "Да" close with OK; Esc or "Нет" with Cancel.
    list->topLevelItem(3)->setSelected(true);
    uitest::ModalAnswerer enter({[](QDialog* d) { uitest::Key(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Return); }});
    EXPECT_EQ(p.exec(), QDialog::Accepted);
    EXPECT_EQ(p.GetCode(), QStringLiteral("1200"));
    uitest::ModalAnswerer no({uitest::Click("bnCansel")});
    EXPECT_EQ(p.exec(), QDialog::Rejected);
}

TEST(DeductCodePicker, ListsTheIncomesDeductions) {
    TIncomeDict dict;
    {
        TfmInputDeductCode p(nullptr, dict.Root(), QStringLiteral("1530"), QStringLiteral("307"));
        EXPECT_EQ(Codes(p.ui->lvDeductNames), (QStringList{"316", "317", "307", "0"}));
        EXPECT_EQ(p.DeductCode, QStringLiteral("307"));
        EXPECT_TRUE(p.DeductEnabled);
        EXPECT_FALSE(p.DeductEquivalent);
        EXPECT_EQ(p.DeductMaxSum, Currency());
        EXPECT_EQ(p.DeductStav, 0);
        EXPECT_EQ(p.windowTitle(), QStringLiteral("Справочник видов вычетов"));
    }
    struct Case {
        const char* income;
        const char* current;
        const char* code;
        int stav;
        bool enabled, equivalent, visible;
        int maxSum;
    } cases[] = {
        {"2206", "405", "405", 25, false, false, true, 0},
        {"2760", "503", "503", 0, true, true, true, 2000},
        {"2760", "0", "0", 0, true, false, false, 0},
        {"2201", "", "404", 0, true, false, true, 0}, // no code: the first row
        {"1510", "301", "301", 0, false, true, true, 1000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.income) + "/" + c.current);
        TfmInputDeductCode p(nullptr, dict.Root(), QLatin1String(c.income), QLatin1String(c.current));
        EXPECT_EQ(p.DeductCode, QLatin1String(c.code));
        EXPECT_EQ(p.DeductStav, c.stav);
        EXPECT_EQ(p.DeductEnabled, c.enabled);
        EXPECT_EQ(p.DeductEquivalent, c.equivalent);
        EXPECT_EQ(p.DeductVisible, c.visible);
        EXPECT_EQ(p.DeductMaxSum, Currency::FromInt(c.maxSum));
    }
    // An income without deductions, or one not in the dictionary: an empty list and no choice.
    for (const char* income : {"2000", "9999"}) {
        TfmInputDeductCode p(nullptr, dict.Root(), QLatin1String(income), QString());
        EXPECT_EQ(p.ui->lvDeductNames->topLevelItemCount(), 0);
        EXPECT_EQ(p.DeductCode, QString());
        EXPECT_FALSE(p.DeductVisible);
    }
}
