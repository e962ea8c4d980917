// Sheet Ж: property deductions against incomes from selling property and securities; one page.
#pragma once

#include "sheets/GeneralClasses.h"

#include <array>

// Lines 010 to 220 in line order; DocCount is not printed.
rl::TBand& clTopH(rl::TOstrekReport& AOwner, const std::array<Currency, 22>& Lines, const QString& DocCount,
                  bool PrintValues);

bool BuildPrilH(rl::TOstrekReport& report, const TBuildContext& ctx);
