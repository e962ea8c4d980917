// Sheet Л: the property deduction for building or buying a dwelling; one page.
#pragma once

#include "sheets/GeneralClasses.h"

#include <array>

// The object's descriptive texts, lines 010 to 060, as they print.
struct TObjectZ {
    QString Name, PostIndex, RegionName, RegionCode, District, City, Settlement, Street, House, Building, Flat;
    QString BuyDate, RegDate, StartYear, Share;
};

// A share of the ownership as the form prints it: to four decimals, an exact half to the even
// digit, without trailing zeros ("0,5", "1", "0,3333").
QString ShareText(long double Share);

// Lines 080 to 240 in line order; DocCount is not printed.
rl::TBand& clTopZ(rl::TOstrekReport& AOwner, const std::array<Currency, 17>& Lines, const TObjectZ& Object,
                  const QString& DocCount, bool PrintValues);

bool BuildPrilZ(rl::TOstrekReport& report, const TBuildContext& ctx);
