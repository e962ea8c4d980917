// Sheet А: incomes from sources in Russia at one rate, four source blocks a page, and the
// sheet's totals on its last page.
#pragma once

#include "sheets/GeneralClasses.h"

// One source block: lines 010 to 070. The tax lines print whole roubles rounded as the text file
// writes them.
struct TSourceA {
    QString INN, KPP, OKATO, Name;
    Currency Income, Taxable, TaxDue, TaxPaid;
};

// The title of the sheet; RateText is the rate in seven characters ("  13   "), printed as "____"
// without values.
rl::TBand& clTopA(rl::TOstrekReport& AOwner, const QString& RateText, bool PrintValues);
rl::TBand& clDohodA(rl::TOstrekReport& AOwner, const TSourceA& Source, bool PrintValues);
// Lines 080 to 110.
rl::TBand& clItogoA(rl::TOstrekReport& AOwner, Currency Line080, Currency Line090, Currency Line100, Currency Line110,
                    bool PrintValues);

bool BuildPrilA9(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildPrilA13(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildPrilA30(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildPrilA35(rl::TOstrekReport& report, const TBuildContext& ctx);
