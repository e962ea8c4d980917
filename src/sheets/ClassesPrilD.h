// Sheet Е: professional deductions against incomes under civil-law contracts, five source blocks a
// page.
#pragma once

#include "sheets/GeneralClasses.h"

struct TContractSourceD {
    QString INN, KPP, Unused, Name;
    Currency Income, Expense; // lines 040 and 050
};

rl::TBand& clTopD(rl::TOstrekReport& AOwner, int SourceCountry, bool PrintValues);
rl::TBand& clDohodD(rl::TOstrekReport& AOwner, const TContractSourceD& Source, bool PrintValues);
rl::TBand& clItogoD(rl::TOstrekReport& AOwner, Currency Line060, Currency Line070, const QString& DocCount);

bool BuildPrilD(rl::TOstrekReport& report, const TBuildContext& ctx);
