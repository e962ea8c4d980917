// Sheet К: standard and social deductions; one page.
#pragma once

#include "sheets/GeneralClasses.h"

#include <array>

rl::TBand& clTopE(rl::TOstrekReport& AOwner, bool PrintValues);
// Lines 010 to 120 (the income as running totals) and the month counts of lines 130 and 140.
rl::TBand& clPartOne(rl::TOstrekReport& AOwner, const std::array<Currency, 12>& Income, const QString& Months130,
                     const QString& Months140, bool PrintValues);
// Lines 150 to 280; lines 150 to 210 print whole roubles rounded as the text file writes them.
rl::TBand& clPartTwo(rl::TOstrekReport& AOwner, const std::array<Currency, 14>& Lines, const QString& DocCount,
                     bool PrintValues);

bool BuildPrilE(rl::TOstrekReport& report, const TBuildContext& ctx);
