// Sheet Д: professional deductions against author's fees, three source blocks a page; printed
// twice, for sources in Russia (Д) and abroad (Д($)), which differ only in the ticked box.
#pragma once

#include "sheets/GeneralClasses.h"

struct TFeeSourceG {
    QString INN, KPP, Unused, Name, FeeCode, FeeName, ExpenseCode, Norm;
    Currency Fee, Expense; // lines 060 and 090
};

// The source-country row of sheets Д and Е at band top R: each tick box stands 1 mm after the
// caption before it, so the rows are laid out from the captions' measured widths. SourceCountry 1
// ticks the first box, 2 the second; PrintValues false ticks none.
TRows SourceCountryRows(double R, int SourceCountry, bool PrintValues);

rl::TBand& clTopG(rl::TOstrekReport& AOwner, int SourceCountry, bool PrintValues);
rl::TBand& clDohodG(rl::TOstrekReport& AOwner, const TFeeSourceG& Source, bool PrintValues);
rl::TBand& clItogoG(rl::TOstrekReport& AOwner, Currency Line100, Currency Line110, const QString& DocCount);

bool BuildPrilG(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildPrilG_In(rl::TOstrekReport& report, const TBuildContext& ctx);
