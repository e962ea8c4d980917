// The foreign-currency income page: the rates file and its lookups, the currency and payer
// dialogs, conversion to roubles, deductions from the dictionary, the page's check, the list of
// incomes and what the page writes back.
#include "UiTestUtil.h"
#include "WindowTest.h"
#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "app/Main.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "pagebase/CheckError.h"
#include "pages/FrameCurrency.h"
#include "pages/InputCurrencyCode.h"
#include "pages/InputCurrencySourseIncome.h"
#include "ui_FrameCurrency.h"
#include "ui_InputCurrencyCode.h"
#include "ui_InputCurrencySourseIncome.h"
#include "ui_Main.h"

#include <QDateEdit>
#include <QDomDocument>
#include <QSettings>
#include <QTreeWidget>
#include <gtest/gtest.h>

using testutil::ReadFile;
using testutil::WriteFile;
using uitest::Click;
using uitest::ModalAnswerer;
using uitest::Pick;

namespace {

const auto Fix = Click("Button1");
const auto Skip = Click("Button2");

// Rates in no particular order, as a file put together by hand may hold them.
const char* kRates = R"(<?xml version="1.0" encoding="UTF-8"?>
<CurrencyRates>
 <Currency Code="840" Name="Доллар США" Quantity="1">
  <Rate Date="01.03.2005" Rate="27,9"/>
  <Rate Date="10.01.2005" Rate="27,8"/>
  <Rate Date="15.03.2005" Rate="27,7543"/>
  <Rate Date="03.03.2005" Rate="28,01"/>
 </Currency>
 <Currency Code="978" Name="Евро" Quantity="1">
  <Rate Date="01.04.2005" Rate="36,5"/>
 </Currency>
 <Currency Code="999" Name="Валюта 2" Quantity="1">
  <Rate Date="01.01.2005" Rate="12345,67"/>
 </Currency>
 <Currency Code="392" Name="Японская иена" Quantity="100">
  <Rate Date="вчера" Rate="1"/>
  <Rate Date="1.3.2005" Rate="26,05"/>
 </Currency>
 <Currency Code="840" Name="Второй доллар" Quantity="10"/>
</CurrencyRates>
)";

// Answers the payer dialog with a name and a country code.
ModalAnswerer::Answer Payer(const QString& name, const QString& code = {}) {
    return [name, code](QDialog* d) {
        auto* dialog = qobject_cast<TfmInputCurrencySourseIncome*>(d);
        dialog->ui->meSourseName->setText(QString());
        uitest::Type(dialog->ui->meSourseName, name);
        if (!code.isEmpty()) uitest::Type(dialog->ui->meGos, code);
        dialog->ui->bnOk->click();
    };
}

void Income(mTDeclaration& d, const std::string& payer, const std::function<void(mTCurrencyIncome&)>& fill = {}) {
    mTCurrencyIncome& c = d.GetCurrencyIncome(d.AddCurrencyIncome());
    c.SourseName = payer;
    c.CountryCode = "840";
    c.IncomeDate = EncodeDate(2005, 3, 2);
    c.TaxDate = EncodeDate(2005, 3, 20);
    c.CurrencyCode = "840";
    c.CurrencyName = "Доллар США";
    c.Units1 = 1;
    c.Rate1 = Currency::FromInt(28);
    c.Units2 = 1;
    c.Rate2 = Currency::FromInt(28);
    c.IncomeCode = 2000;
    c.Stav = 13;
    c.SetIncomeCurrencySum(Currency::FromInt(100));
    if (fill) fill(c);
}

class CurrencyPage : public uitest::WindowTest {
protected:
    // The main window on a declaration opened from a file, showing this page; as the main window
    // does, the list gets the focus and its first row is selected (select = false: left alone).
    TfrCurrency& Open(const std::function<void(mTDeclaration&)>& fill = {}, const char* rates = nullptr, bool select = true) {
        if (rates) WriteFile(Path("CurrencyRates.xml"), rates);
        mTDeclaration d;
        d.InspectionNumber = "7701";
        d.SetIncomeKinds(ikForeign);
        if (fill) fill(d);
        d.SaveToFile(Path("open.vrq"));
        OpenFile(Path("open.vrq"), select);
        return uitest::ShownPage<TfrCurrency>(*window);
    }
    void OpenFile(const std::string& path, bool select = true) {
        window.reset();
        window = uitest::OpenWindow(path, dir);
        window->SetPageFactory(window->ui->fbForeignIncome, QStringLiteral("TfrCurrency"),
                               [](QWidget* owner, TDocumentRef ref) { return new TfrCurrency(owner, ref); });
        ModalAnswerer skipAll({Click("Button3"), Click("Button3")}); // the initial data page's checks
        window->ui->fbForeignIncome->SetDown(true);
        window->PageButtonClick(window->ui->fbForeignIncome);
        TfrCurrency& page = uitest::ShownPage<TfrCurrency>(*window);
        if (select && Doc().CurrencyIncomeCount() > 0) {
            window->PageLoading = true;
            page.FocusItem(1);
            window->PageLoading = false;
        }
        window->Saved = true;
    }
    TfrCurrency* Page() { return &uitest::ShownPage<TfrCurrency>(*window); }
    Ui::TfrCurrency& Ui() { return *Page()->ui; }
    mTDeclaration& Doc() { return *window->Document; }
    void SelectRow(int row) { Page()->FocusItem(static_cast<std::uint16_t>(row + 1)); }
    // Units and rates typed by hand.
    void Manual() {
        Ui().chbAutoExchange->setEnabled(true);
        Ui().chbAutoExchange->setChecked(false);
    }

};

} // namespace

// ---------------------------------------------------------------------------------------------
// The rates file

TEST(CurrencyRates, RateOfTheLatestDayNotAfterTheDateWhateverTheOrder) {
    QDomDocument rates;
    ASSERT_TRUE(rates.setContent(QByteArray(kRates)));
    const QDomElement usd = currencyrates::FindCurrency(&rates, QStringLiteral("840"));
    ASSERT_FALSE(usd.isNull());
    EXPECT_EQ(usd.attribute("Name"), QStringLiteral("Доллар США")); // the first of equal codes
    struct Case {
        QDate day;
        const char* rate; // nullptr: none
    } cases[] = {
        {QDate(2005, 3, 1), "27,9"},     // that very day
        {QDate(2005, 3, 2), "27,9"},     // not 10.01, which comes later in the file
        {QDate(2005, 3, 3), "28,01"},    // a day standing after later days in the file
        {QDate(2005, 3, 14), "28,01"},
        {QDate(2005, 6, 30), "27,7543"},
        {QDate(2005, 2, 1), "27,8"},
        {QDate(2005, 1, 9), nullptr},    // before every rate
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day.toString(Qt::ISODate).toStdString());
        const QDomElement r = currencyrates::FindRate(usd, c.day);
        if (!c.rate) {
            EXPECT_TRUE(r.isNull());
            continue;
        }
        ASSERT_FALSE(r.isNull());
        EXPECT_EQ(r.attribute("Rate"), QString::fromUtf8(c.rate));
    }
    // A day that cannot be read is passed over; one-digit day and month are read.
    const QDomElement yen = currencyrates::FindCurrency(&rates, QStringLiteral("392"));
    EXPECT_EQ(currencyrates::FindRate(yen, QDate(2005, 3, 1)).attribute("Rate"), QStringLiteral("26,05"));
    EXPECT_TRUE(currencyrates::FindRate(yen, QDate(2005, 2, 28)).isNull());
    EXPECT_TRUE(currencyrates::FindCurrency(&rates, QString()).isNull());
    EXPECT_TRUE(currencyrates::FindCurrency(nullptr, QStringLiteral("840")).isNull());
    EXPECT_TRUE(currencyrates::FindCurrency(&rates, QStringLiteral("124")).isNull());
}

TEST(CurrencyRates, PickerPreselectsTheCurrentCodeAndReportsTheChoice) {
    QDomDocument rates;
    ASSERT_TRUE(rates.setContent(QByteArray(kRates)));
    {
        TfmInputCurrencyCode picker(nullptr, rates.documentElement(), QStringLiteral("840"));
        QTreeWidget* list = picker.ui->lvCurrencys;
        ASSERT_EQ(list->topLevelItemCount(), 5);
        EXPECT_EQ(list->selectedItems().value(0), list->topLevelItem(4)); // the last of equal codes
        EXPECT_EQ(picker.SelectedName, QStringLiteral("Второй доллар"));
        list->topLevelItem(1)->setSelected(true);
        EXPECT_EQ(picker.SelectedCode, QStringLiteral("978"));
        EXPECT_EQ(picker.SelectedName, QStringLiteral("Евро"));
        ModalAnswerer enter({[](QDialog* d) { uitest::Key(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Return); }});
        EXPECT_EQ(picker.exec(), int(QDialog::Accepted));
    }
    TfmInputCurrencyCode picker(nullptr, rates.documentElement(), QString());
    EXPECT_EQ(picker.ui->lvCurrencys->selectedItems().value(0), picker.ui->lvCurrencys->topLevelItem(0));
    ModalAnswerer esc({[](QDialog* d) { uitest::Key(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Escape); }});
    EXPECT_EQ(picker.exec(), int(QDialog::Rejected));
}

// ---------------------------------------------------------------------------------------------
// Rates on the page

TEST_F(CurrencyPage, RatesComeFromTheFileAndARefusedValueLeavesNothingBehind) {
    TfrCurrency& page = Open([](mTDeclaration& d) { Income(d, "Acme", [](mTCurrencyIncome& c) { c.CurrencyCode.clear(); }); }, kRates);
    EXPECT_TRUE(Ui().bnCurrencyCode->isEnabled());
    uitest::Type(Ui().meCurrencyCode, "840");
    EXPECT_EQ(Ui().meCurrencyName->Text(), QStringLiteral("Доллар США"));
    EXPECT_FALSE(Ui().meCurrencyName->isEnabled());
    ASSERT_TRUE(Ui().chbAutoExchange->isEnabled());
    Ui().chbAutoExchange->setChecked(true);
    EXPECT_EQ(Ui().meCurrencyUnits->Text(), "1");
    EXPECT_EQ(Ui().meCurrencyExchange->Text(), "27,9");      // 02.03: the rate of 01.03
    EXPECT_EQ(Ui().meCurrencyExchange2->Text(), "27,7543");  // 20.03: four decimals, as official rates have
    EXPECT_FALSE(Ui().meCurrencyExchange->isEnabled());
    EXPECT_EQ(Ui().pnlIncomeRublSum->text(), "2790");

    // A currency whose name and rate the edits cannot hold: nothing of the dollar stays.
    {
        ModalAnswerer a({Pick("999")});
        page.bnCurrencyCodeClick();
    }
    EXPECT_EQ(Ui().meCurrencyCode->Text(), "999");
    EXPECT_EQ(Ui().meCurrencyName->Text(), QString());
    EXPECT_TRUE(Ui().meCurrencyName->isEnabled()); // to be typed
    EXPECT_EQ(Ui().meCurrencyUnits->Text(), "1");
    EXPECT_EQ(Ui().meCurrencyExchange->Text(), QString());
    EXPECT_EQ(Ui().pnlIncomeRublSum->text(), "0");

    // Yen: 100 units; the rate of "1.3.2005" is the rate of 1 March.
    {
        ModalAnswerer a({Pick("392")});
        page.bnCurrencyCodeClick();
    }
    EXPECT_EQ(Ui().meCurrencyName->Text(), QStringLiteral("Японская иена"));
    EXPECT_EQ(Ui().meCurrencyUnits->Text(), "100");
    EXPECT_EQ(Ui().meCurrencyExchange->Text(), "26,05");
    page.SaveData();
    const mTCurrencyIncome& c = Doc().GetCurrencyIncome(0);
    EXPECT_EQ(c.CurrencyCode, "392");
    EXPECT_EQ(c.CurrencyName, "Японская иена");
    EXPECT_EQ(c.Units1, 100);
    EXPECT_EQ(c.Rate1.ToString(), "26,05");
    EXPECT_EQ(c.AutoExchange, 1);
    EXPECT_EQ(c.IncomeRoubleSum.ToString(), "26,05");
    EXPECT_FALSE(PageHost->PageLoading);
    EXPECT_TRUE(messages.isEmpty()); // the day that cannot be read was passed over
}

TEST_F(CurrencyPage, ADateWithoutARateSwitchesTheOptionOffAndDateChangesMarkTheDocument) {
    Open([](mTDeclaration& d) { Income(d, "Acme", [](mTCurrencyIncome& c) { c.CurrencyCode.clear(); }); }, kRates);
    uitest::Type(Ui().meCurrencyCode, "978"); // euro rates begin in April
    EXPECT_FALSE(Ui().chbAutoExchange->isEnabled());
    EXPECT_FALSE(Ui().chbAutoExchange->isChecked());
    EXPECT_TRUE(Ui().meCurrencyExchange->isEnabled());
    Ui().meCurrencyExchange->setText(QString());
    uitest::Type(Ui().meCurrencyExchange, "36,1");
    window->Saved = true;

    Ui().dtSubtractDate->setDate(QDate(2005, 4, 5)); // now the tax date has a rate
    EXPECT_FALSE(window->Saved);
    EXPECT_TRUE(Ui().chbAutoExchange->isEnabled());
    EXPECT_FALSE(Ui().chbAutoExchange->isChecked());
    EXPECT_EQ(Ui().meCurrencyExchange->Text(), "36,1"); // the income date still has none: typed stays

    // Switched on while the income date has no rate: off again, the rates are typed.
    Ui().chbAutoExchange->setChecked(true);
    EXPECT_FALSE(Ui().chbAutoExchange->isChecked());
    EXPECT_FALSE(Ui().chbAutoExchange->isEnabled());
    EXPECT_TRUE(Ui().meCurrencyExchange2->isEnabled());

    Ui().dtIncomeGetDate->setDate(QDate(2005, 4, 2));
    Ui().chbAutoExchange->setChecked(true);
    EXPECT_EQ(Ui().meCurrencyExchange->Text(), "36,5");
    EXPECT_EQ(Ui().meCurrencyExchange2->Text(), "36,5");
    Page()->SaveData();
    EXPECT_EQ(Doc().GetCurrencyIncome(0).IncomeDate, EncodeDate(2005, 4, 2));
    EXPECT_EQ(Doc().GetCurrencyIncome(0).TaxDate, EncodeDate(2005, 4, 5));
}

TEST_F(CurrencyPage, WithoutARatesFileTheRatesAreTyped) {
    Open([](mTDeclaration& d) { Income(d, "Acme"); });
    EXPECT_FALSE(Ui().bnCurrencyCode->isEnabled());
    EXPECT_FALSE(Ui().chbAutoExchange->isEnabled());
    EXPECT_FALSE(Ui().chbAutoExchange->isChecked());
    EXPECT_TRUE(Ui().meCurrencyName->isEnabled());
    EXPECT_EQ(Ui().meCurrencyName->Text(), QStringLiteral("Доллар США")); // the stored name
    EXPECT_EQ(Ui().meCurrencyExchange->Text(), "28");
    Ui().meCurrencyExchange->setText(QString());
    uitest::Type(Ui().meCurrencyExchange, "27,0312");
    EXPECT_EQ(Ui().meCurrencyExchange->Text(), "27,0312");
    EXPECT_EQ(Ui().pnlIncomeRublSum->text(), "2703,12");
}

// ---------------------------------------------------------------------------------------------
// Conversion

TEST_F(CurrencyPage, ConversionRoundsToTheKopeckAsTheIncomeStoresIt) {
    struct Case {
        const char *sum, *units, *rate, *roubles;
    } cases[] = {
        {"100,5", "1", "27,03", "2716,51"}, // 2716,515 in binary lies below the half
        {"200,5", "1", "27,01", "5415,5"},  // 5415,505 likewise
        {"10", "3", "1", "3,33"},
        {"1000", "100", "26,05", "260,5"},
        {"100", "1", "35,5", "3550"},
        {"100", "0", "35,5", "0"},
        {"100", "1", "", "0"},
        {"", "1", "2", "0"},
        {"999999999999,99", "1", "9999,9999", "0"}, // beyond the money type: no failure
    };
    Open([](mTDeclaration& d) { Income(d, "Acme"); });
    Manual();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.sum) + " / " + c.units + " x " + c.rate);
        Ui().meCurrencyUnits->setText(c.units);
        Ui().meCurrencyExchange->setText(c.rate);
        Ui().meIncomeCurrencySum->setText(QString());
        uitest::Type(Ui().meIncomeCurrencySum, c.sum);
        Ui().meCurrencyUnits2->setText(c.units);
        Ui().meCurrencyExchange2->setText(c.rate);
        Ui().meTaxCurrencySum->setText(c.sum);
        EXPECT_EQ(Ui().pnlIncomeRublSum->text(), QString::fromUtf8(c.roubles));
        EXPECT_EQ(Ui().pnlTaxRoubleSum->text(), QString::fromUtf8(c.roubles));
        Page()->SaveData();
        EXPECT_EQ(Doc().GetCurrencyIncome(0).IncomeRoubleSum.ToString(), c.roubles);
        EXPECT_EQ(Doc().GetCurrencyIncome(0).TaxRoubleSum.ToString(), c.roubles);
    }
    EXPECT_TRUE(messages.isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Income code and deductions

TEST_F(CurrencyPage, DeductionsFollowTheDictionary) {
    Open([](mTDeclaration& d) {
        Income(d, "Acme", [](mTCurrencyIncome& c) {
            c.IncomeCode = 0;
            c.Rate1 = Currency::FromInt(1);
            c.SetIncomeCurrencySum(Currency());
        });
    });
    // Income code 0: the amount and the deduction are off.
    EXPECT_FALSE(Ui().meIncomeCurrencySum->isEnabled());
    EXPECT_FALSE(Ui().bnSubtractCod->isEnabled());
    {
        ModalAnswerer a({Pick("2206")}); // royalties, deduction 405 at 25 %
        Page()->bnIncomeCodClick();
    }
    EXPECT_EQ(Ui().pnlIncomeCod->text(), "2206");
    EXPECT_TRUE(Ui().meIncomeCurrencySum->isEnabled());
    EXPECT_TRUE(Ui().bnSubtractCod->isEnabled());
    uitest::Type(Ui().meIncomeCurrencySum, "1000");
    {
        ModalAnswerer a({Pick("405")});
        Page()->bnSubtractCodClick();
    }
    EXPECT_EQ(Ui().meSubtractSum->Text(), "250");
    EXPECT_FALSE(Ui().meSubtractSum->isEnabled());
    Ui().meIncomeCurrencySum->setText("2000,1");
    EXPECT_EQ(Ui().meSubtractSum->Text(), "500,02"); // 500,025 in binary lies below the half
    Page()->SaveData();
    {
        const mTCurrencyIncome& c = Doc().GetCurrencyIncome(0);
        EXPECT_EQ(c.IncomeCode, 2206);
        EXPECT_EQ(c.Stav, 13);
        EXPECT_FALSE(c.IncomeName.empty());
        EXPECT_EQ(c.DeductCode, 405);
        EXPECT_EQ(c.DeductPercent, 25);
        EXPECT_EQ(c.DeductSum.ToString(), "500,02");
    }

    // A new income code empties the deduction and keeps the amount.
    {
        ModalAnswerer a({Pick("1520")}); // sale of property: 303 equals the income up to 125000
        Page()->bnIncomeCodClick();
    }
    EXPECT_EQ(Ui().pnlSubtractCod->text(), QString());
    EXPECT_EQ(Ui().meSubtractSum->Text(), QString());
    EXPECT_EQ(Ui().meIncomeCurrencySum->Text(), "2000,1");
    EXPECT_EQ(Ui().pnlIncomeRublSum->text(), "2000,1");
    Ui().meIncomeCurrencySum->setText("150000");
    {
        ModalAnswerer a({Pick("303")});
        Page()->bnSubtractCodClick();
    }
    EXPECT_EQ(Ui().meSubtractSum->Text(), "125000");
    Ui().meIncomeCurrencySum->setText("1500");
    EXPECT_EQ(Ui().meSubtractSum->Text(), "1500");

    // A typed deduction without norm or equivalence goes back to 0 when the income changes.
    {
        ModalAnswerer a({Pick("305")});
        Page()->bnSubtractCodClick();
    }
    EXPECT_TRUE(Ui().meSubtractSum->isEnabled());
    EXPECT_EQ(Ui().meSubtractSum->Text(), QString());
    uitest::Type(Ui().meSubtractSum, "700");
    Ui().meIncomeCurrencySum->setText("1600");
    EXPECT_EQ(Ui().meSubtractSum->Text(), "0");

    // "Не предоставлять вычет": no amount to show.
    {
        ModalAnswerer a({Pick("0")});
        Page()->bnSubtractCodClick();
    }
    EXPECT_TRUE(Ui().meSubtractSum->isHidden());
    EXPECT_FALSE(Ui().lbSubtractSum->isEnabled());
    EXPECT_EQ(Ui().meSubtractSum->Text(), QString());
}

// The norm of 30 % from the exact product, as on the 13 % page (binary steps gave 2,42 and 4,99).
TEST_F(CurrencyPage, NormDeductionFromTheExactProduct) {
    Open([](mTDeclaration& d) {
        Income(d, "Acme", [](mTCurrencyIncome& c) {
            c.IncomeCode = 0;
            c.Rate1 = Currency::FromInt(1);
            c.SetIncomeCurrencySum(Currency());
        });
    });
    {
        ModalAnswerer a({Pick("2202")});
        Page()->bnIncomeCodClick();
    }
    uitest::Type(Ui().meIncomeCurrencySum, "8,05");
    {
        ModalAnswerer a({Pick("405")});
        Page()->bnSubtractCodClick();
    }
    EXPECT_EQ(Ui().meSubtractSum->Text(), "2,41");
    Page()->SaveData();
    EXPECT_EQ(Doc().GetCurrencyIncome(0).DeductPercent, 30);
    EXPECT_EQ(Doc().GetCurrencyIncome(0).DeductSum.ToString(), "2,41");
    Ui().meIncomeCurrencySum->setText("16,65");
    EXPECT_EQ(Ui().meSubtractSum->Text(), "5");
}

TEST_F(CurrencyPage, AStoredDeductionIsShownByItsRules) {
    Open([](mTDeclaration& d) {
        Income(d, "Acme", [](mTCurrencyIncome& c) {
            c.IncomeCode = 2206;
            c.Rate1 = Currency::FromInt(2);
            c.SetIncomeCurrencySum(Currency::FromInt(500)); // 1000 roubles
            c.DeductCode = 405;
            c.DeductSum = Currency::FromInt(1); // shown as the norm gives it
        });
        Income(d, "Beta", [](mTCurrencyIncome& c) { c.IncomeCode = 9999; }); // not in the dictionary
    });
    EXPECT_EQ(Ui().pnlSubtractCod->text(), "405");
    EXPECT_EQ(Ui().meSubtractSum->Text(), "250");
    SelectRow(1);
    EXPECT_EQ(Ui().pnlIncomeCod->text(), "9999");
    EXPECT_EQ(Ui().pnlSubtractCod->text(), QString());
    EXPECT_FALSE(Ui().bnSubtractCod->isEnabled());
    EXPECT_TRUE(window->Saved); // showing changes nothing
}

// ---------------------------------------------------------------------------------------------
// The check

TEST_F(CurrencyPage, CheckStopsAtTheFirstFaultAndFocusesItsIncome) {
    struct Case {
        std::function<void(mTCurrencyIncome&)> fault;
        const char* message;
    } cases[] = {
        {[](mTCurrencyIncome& c) { c.CurrencyCode.clear(); }, "По данному источнику выплаты не указан код валюты"},
        {[](mTCurrencyIncome& c) { c.Units1 = 0; }, "По данному источнику выплаты не указан курс валюты"},
        {[](mTCurrencyIncome& c) { c.Rate1 = Currency(); }, "По данному источнику выплаты не указан курс валюты"},
        {[](mTCurrencyIncome& c) { c.IncomeCode = 0; }, "По данному источнику выплаты не указан код дохода"},
        {[](mTCurrencyIncome& c) { c.SetIncomeCurrencySum(Currency()); }, "По данному источнику выплаты не указана сумма дохода"},
        {[](mTCurrencyIncome& c) { c.DeductCode = 405; }, "По данному источнику выплаты не указана сумма вычета"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Open([&](mTDeclaration& d) {
            Income(d, "Good");
            Income(d, "Faulty", c.fault);
            Income(d, "Faulty too", [](mTCurrencyIncome& i) { i.IncomeCode = 0; });
        });
        std::vector<QString> seen;
        ModalAnswerer a({[&seen](QDialog* d) {
            seen.push_back(qobject_cast<TfmCheckError*>(d)->Message());
            Fix(d);
        }});
        EXPECT_EQ(Page()->CheckData(), 2);
        EXPECT_EQ(seen, std::vector<QString>{QString::fromUtf8(c.message)});
        Page()->FocusItem(2);
        EXPECT_EQ(Page()->CurrentItem, Ui().lvSourseIncomeInfo->topLevelItem(1));
    }
    // "Пропустить" lets the page go with every fault; a deduction sum without a code passes.
    Open([](mTDeclaration& d) {
        Income(d, "Faulty", [](mTCurrencyIncome& i) { i.CurrencyCode.clear(); });
        Income(d, "Faulty too", [](mTCurrencyIncome& i) { i.IncomeCode = 0; });
    });
    ModalAnswerer skip({Skip, Skip});
    EXPECT_EQ(Page()->CheckData(), 0);
    EXPECT_EQ(skip.Answered(), 1);
    Open([](mTDeclaration& d) { Income(d, "Good", [](mTCurrencyIncome& i) { i.DeductSum = Currency::FromInt(5); }); });
    EXPECT_EQ(Page()->CheckData(), 0);
}

TEST_F(CurrencyPage, LeavingWithAFaultKeepsThePageAndShowsTheIncome) {
    Open([](mTDeclaration& d) {
        Income(d, "Good");
        Income(d, "No code", [](mTCurrencyIncome& i) { i.CurrencyCode.clear(); });
    });
    ModalAnswerer fix({Fix});
    window->ui->fbInitialData->SetDown(true);
    window->PageButtonClick(window->ui->fbInitialData);
    ASSERT_NE(Page(), nullptr);
    EXPECT_EQ(Page()->CurrentIndex, 1);
    EXPECT_EQ(Ui().meCurrencyCode->Text(), QString());
}

// ---------------------------------------------------------------------------------------------
// The list

TEST_F(CurrencyPage, ControlsTakeInputOnlyWhileAnIncomeIsShown) {
    Open([](mTDeclaration& d) { Income(d, "Acme"); }, nullptr, false);
    EXPECT_EQ(Page()->CurrentItem, nullptr);
    EXPECT_FALSE(Ui().meTaxCurrencySum->isEnabled()); // nothing typed here could be stored
    EXPECT_FALSE(Ui().dtIncomeGetDate->isEnabled());
    SelectRow(0);
    EXPECT_TRUE(Ui().meTaxCurrencySum->isEnabled());
    EXPECT_EQ(Ui().meIncomeCurrencySum->Text(), "100");
    EXPECT_TRUE(window->Saved); // showing an income changes nothing
    Ui().lvSourseIncomeInfo->clearSelection(); // a click into the list's empty space
    EXPECT_EQ(Page()->CurrentItem, nullptr);
    EXPECT_FALSE(Ui().meTaxCurrencySum->isEnabled());
}

TEST_F(CurrencyPage, AddEditAndDeleteIncomes) {
    Open();
    EXPECT_FALSE(Ui().meCurrencyCode->isEnabled());
    {
        ModalAnswerer a({Payer("   ")}); // a blank name adds nothing
        Page()->fbAddSourseIncomeClick();
    }
    EXPECT_EQ(Doc().CurrencyIncomeCount(), 0);
    for (const char* name : {" Acme Inc. ", "Beta", "Gamma"}) {
        ModalAnswerer a({Payer(QString::fromUtf8(name), "840")});
        Page()->fbAddSourseIncomeClick();
    }
    ASSERT_EQ(Doc().CurrencyIncomeCount(), 3);
    EXPECT_FALSE(window->Saved);
    EXPECT_EQ(Doc().GetCurrencyIncome(0).SourseName, " Acme Inc. "); // as typed
    EXPECT_EQ(Doc().GetCurrencyIncome(0).CountryCode, "840");
    EXPECT_EQ(Page()->CurrentIndex, 2);
    EXPECT_TRUE(Ui().meCurrencyCode->isEnabled());
    uitest::Type(Ui().meTaxCurrencySum, "33");

    // Going to another income stores the one shown; coming back shows what was typed.
    SelectRow(0);
    EXPECT_EQ(Doc().GetCurrencyIncome(2).TaxCurrencySum.ToString(), "33");
    EXPECT_EQ(Ui().meTaxCurrencySum->Text(), QString());
    SelectRow(2);
    EXPECT_EQ(Ui().meTaxCurrencySum->Text(), "33");

    {
        ModalAnswerer a({[](QDialog* d) {
            auto* dialog = qobject_cast<TfmInputCurrencySourseIncome*>(d);
            EXPECT_EQ(dialog->ui->meSourseName->Text(), "Gamma");
            EXPECT_EQ(dialog->ui->meGos->Text(), "840");
            dialog->ui->meSourseName->setText("Gamma Ltd");
            uitest::Key(dialog->ui->meSourseName, Qt::Key_Return);
        }});
        Page()->fbEditSourseIncomeClick();
    }
    EXPECT_EQ(Doc().GetCurrencyIncome(2).SourseName, "Gamma Ltd");
    EXPECT_EQ(Ui().lvSourseIncomeInfo->topLevelItem(2)->text(0), "Gamma Ltd");
    EXPECT_EQ(Ui().lvSourseIncomeInfo->topLevelItem(1)->text(0), "Beta");

    // The first of three: the new first is shown; the last: the one before it.
    SelectRow(0);
    Page()->fbDeleteSourseIncomeClick();
    ASSERT_EQ(Doc().CurrencyIncomeCount(), 2);
    EXPECT_EQ(Page()->CurrentIndex, 0);
    EXPECT_EQ(Ui().lvSourseIncomeInfo->topLevelItem(0)->text(0), "Beta");
    SelectRow(1);
    Page()->fbDeleteSourseIncomeClick();
    EXPECT_EQ(Page()->CurrentIndex, 0);
    EXPECT_EQ(Doc().GetCurrencyIncome(0).SourseName, "Beta");
    Page()->fbDeleteSourseIncomeClick();
    EXPECT_EQ(Doc().CurrencyIncomeCount(), 0);
    EXPECT_FALSE(Ui().meCurrencyCode->isEnabled());
    EXPECT_EQ(Ui().meTaxCurrencySum->Text(), QString());
    EXPECT_FALSE(PageHost->PageLoading);
    // An empty list writes the sheet's document count 0.
    Page()->SaveData();
    EXPECT_EQ(Doc().AppB, 0);
}

TEST_F(CurrencyPage, TypedValuesAreSavedAndShownAgainAfterReopening) {
    Open({}, kRates);
    {
        ModalAnswerer a({Payer("Acme", "840")});
        Page()->fbAddSourseIncomeClick();
    }
    Ui().dtIncomeGetDate->setDate(QDate(2005, 3, 2));
    Ui().dtSubtractDate->setDate(QDate(2005, 3, 20));
    uitest::Type(Ui().meCurrencyCode, "840");
    Ui().chbAutoExchange->setChecked(true);
    {
        ModalAnswerer a({Pick("2000")});
        Page()->bnIncomeCodClick();
    }
    uitest::Type(Ui().meIncomeCurrencySum, "100,5");
    uitest::Type(Ui().meTaxCurrencySum, "10");
    window->FileName = QString::fromStdString(Path("saved.vrq"));
    window->SaveDocExecute();
    OpenFile(Path("saved.vrq"));
    const mTCurrencyIncome& c = Doc().GetCurrencyIncome(0);
    EXPECT_EQ(c.IncomeRoubleSum.ToString(), "2803,95");
    EXPECT_EQ(c.TaxRoubleSum.ToString(), "277,54"); // 277,543 to the kopeck
    EXPECT_EQ(c.Rate2.ToString(), "27,7543");
    EXPECT_EQ(Ui().meCurrencyCode->Text(), "840");
    EXPECT_EQ(Ui().dtIncomeGetDate->date(), QDate(2005, 3, 2));
    EXPECT_TRUE(Ui().chbAutoExchange->isChecked());
    EXPECT_EQ(Ui().meCurrencyExchange2->Text(), "27,7543");
    EXPECT_EQ(Ui().pnlIncomeRublSum->text(), "2803,95");
    EXPECT_EQ(Ui().pnlIncomeCod->text(), "2000");
}

// ---------------------------------------------------------------------------------------------
// What the page writes back

TEST_F(CurrencyPage, VisitingAndSavingGivesBackTheSameFile) {
    const std::vector<std::function<void(mTDeclaration&)>> declarations = {
        [](mTDeclaration& d) { sample::Fill(d); },
        [](mTDeclaration& d) {
            d.SetIncomeKinds(ikForeign);
            d.AppB = 7; // kept with no income on the page
        },
        [](mTDeclaration& d) {
            d.SetIncomeKinds(ikForeign);
            d.AppB = 12345; // more than the hidden edit holds
            // What the page cannot show, or would show otherwise than stored.
            Income(d, "Edge", [](mTCurrencyIncome& c) {
                c.CurrencyName = "Валюта 2005 года, которую не вместит поле";
                c.CurrencyCode = "8400";
                c.IncomeDate = EncodeDate(2003, 5, 5);
                c.TaxDate = EncodeDate(2010, 1, 1);
                c.Rate1 = Currency::FromRaw(123456789); // 12345,6789
                c.Units1 = 123456789;
                c.IncomeCurrencySum = Currency::FromRaw(12345);
                c.IncomeRoubleSum = Currency::FromInt(7); // not what the rates give
                c.TaxCurrencySum = Currency::FromRaw(1000000000000000001LL);
                c.AutoExchange = 1;
                c.Stav = 30; // the dictionary says 13
                c.IncomeName = "Иное название";
                c.IncomeCode = 2206;
                c.DeductCode = 405;
                c.DeductPercent = 0;
                c.DeductSum = Currency::FromInt(3);
            });
            Income(d, "Unknown codes", [](mTCurrencyIncome& c) {
                c.IncomeCode = 123;
                c.DeductCode = 77;
                c.DeductSum = Currency::FromInt(9);
            });
            Income(d, "Euro", [](mTCurrencyIncome& c) {
                c.CurrencyCode = "978"; // the file has a rate for the tax date only
                c.AutoExchange = 1;
                c.CurrencyName = "";
                c.TaxDate = EncodeDate(2005, 5, 1);
            });
        },
    };
    for (const char* rates : {static_cast<const char*>(nullptr), kRates}) {
        int n = 0;
        for (const auto& fill : declarations) {
            SCOPED_TRACE(std::to_string(n++) + (rates ? " with rates" : ""));
            if (rates) WriteFile(Path("CurrencyRates.xml"), rates);
            mTDeclaration d;
            d.InspectionNumber = "7701";
            fill(d);
            d.SaveToFile(Path("in.vrq"));
            OpenFile(Path("in.vrq"));
            for (int i = 1; i < Doc().CurrencyIncomeCount(); ++i) SelectRow(i);
            SelectRow(0);
            ModalAnswerer skip({Skip, Skip, Skip});
            window->FileName = QString::fromStdString(Path("out.vrq"));
            window->SaveDocExecute();
            EXPECT_EQ(ReadFile(Path("out.vrq")), ReadFile(Path("in.vrq")));
            EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
        }
    }
}

TEST_F(CurrencyPage, PayerDialog) {
    Open();
    TfmInputCurrencySourseIncome dialog;
    dialog.SetSourseName(std::string(95, 'x')); // longer than the edit: given back as set
    EXPECT_EQ(dialog.ui->meSourseName->Text(), QString());
    EXPECT_EQ(dialog.GetSourseName(), std::string(95, 'x'));
    uitest::Type(dialog.ui->meGos, "8a404");
    EXPECT_EQ(dialog.GetGos(), "840");
    EXPECT_FALSE(dialog.ui->Button1->isEnabled()); // no country file
    ModalAnswerer esc({[](QDialog* d) { uitest::Key(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Escape); }});
    EXPECT_EQ(dialog.exec(), int(QDialog::Rejected));
}

// Tab goes from the name to the country code, "Да", "Нет", then the country picker's button.
TEST_F(CurrencyPage, PayerDialogTabOrder) {
    WriteFile(Path("Oksm.xml"), "<Oksm><C Code=\"643\">Россия</C></Oksm>");
    Open([](mTDeclaration& d) { Income(d, "Acme"); });
    QStringList order;
    ModalAnswerer a({[&order](QDialog* d) {
        order << (d->focusWidget() ? d->focusWidget()->objectName() : QString());
        for (int i = 0; i < 5; ++i) {
            uitest::Key(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Tab);
            order << (d->focusWidget() ? d->focusWidget()->objectName() : QString());
        }
        qobject_cast<TfmInputCurrencySourseIncome*>(d)->ui->bnCansel->click();
    }});
    uitest::Key(Ui().lvSourseIncomeInfo, Qt::Key_Return);
    EXPECT_EQ(a.Answered(), 1);
    EXPECT_EQ(order.join(' '), QStringLiteral("meSourseName meGos bnOk bnCansel Button1 meSourseName"));
}

TEST_F(CurrencyPage, PayerCountryFromThePickerAndEnterInTheListEditsThePayer) {
    WriteFile(Path("Oksm.xml"), "<Oksm><C Code=\"643\">Россия</C><C Code=\"840\">США</C></Oksm>");
    Open([](mTDeclaration& d) { Income(d, "Acme"); });
    window->Saved = true;
    ModalAnswerer a({[this](QDialog* d) {
                         auto* dialog = qobject_cast<TfmInputCurrencySourseIncome*>(d);
                         EXPECT_TRUE(dialog->ui->Button1->isEnabled());
                         dialog->ui->meGos->setText(QString());
                         ModalAnswerer country({Pick("643")});
                         window->Saved = true;
                         dialog->Button1Click();
                         EXPECT_EQ(dialog->ui->meGos->Text(), "643");
                         EXPECT_FALSE(window->Saved);
                         dialog->ui->bnOk->click();
                     }});
    uitest::Key(Ui().lvSourseIncomeInfo, Qt::Key_Return);
    EXPECT_EQ(a.Answered(), 1);
    EXPECT_EQ(Doc().GetCurrencyIncome(0).CountryCode, "643");
    EXPECT_EQ(Doc().GetCurrencyIncome(0).SourseName, "Acme");
}
