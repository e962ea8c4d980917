// Sheet Б: incomes from sources abroad at one rate, two income blocks a page, and the sheet's
// totals on its last page.
#pragma once

#include "sheets/GeneralClasses.h"

// One income block, lines 010 to 140; the texts arrive formatted as they print. The tax lines
// 130 and 140 print whole roubles, half up.
struct TIncomeB {
    QString CountryCode, SourceName, IncomeDate, CurrencyCode, IncomeRate, CurrencyName, IncomeCur, TaxCur, TaxDate,
        TaxRate;
    Currency IncomeRub, TaxRub, TaxDue, TaxCredit;
};

rl::TBand& clTopB(rl::TOstrekReport& AOwner, const QString& RateText, bool PrintValues);
rl::TBand& clDohodB(rl::TOstrekReport& AOwner, const TIncomeB& Income, bool PrintValues);
// Lines 150 to 180.
rl::TBand& clItogoB(rl::TOstrekReport& AOwner, Currency Line150, Currency Line160, Currency Line170, Currency Line180,
                    bool PrintValues);

bool BuildPrilB9(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildPrilB13(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildPrilB35(rl::TOstrekReport& report, const TBuildContext& ctx);
