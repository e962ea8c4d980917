// Sheet Г: incomes not subject to tax; part 1 on the first page, two prize sources a page, the
// total of part 2 on the last page.
#pragma once

#include "sheets/GeneralClasses.h"

#include <array>

struct TPrizeSourceM {
    QString Name, INN, KPP;
    Currency Income, Exempt; // lines 150 and 160
};

// Part1: lines 010 to 130 in line order.
rl::TBand& clListM(rl::TOstrekReport& AOwner, const std::array<Currency, 13>& Part1, const TPrizeSourceM& Source1,
                   const TPrizeSourceM& Source2, Currency Line170, const QString& DocCount, bool PrintValues);

bool BuildPrilM(rl::TOstrekReport& report, const TBuildContext& ctx);
