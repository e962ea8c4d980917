// Sheet В: one business activity a page, the sheet's totals and advance payments on its last page.
#pragma once

#include "sheets/GeneralClasses.h"

#include <cstdint>

// One activity, lines 010 to 100; MonthSet (bit 0 January) crosses out the months of line 030.
struct TActivityV {
    QString Name, Code; // the code: three groups of two digits joined by "."
    Currency Income, Material, Depreciation, Wages, Other, Incurred, AtNorm;
    std::uint16_t MonthSet = 0;
};

// The three groups of an activity code, each cut to its two boxes.
struct TCodeGroups {
    QString Group1, Group2, Group3;
};
TCodeGroups SplitActivityCode(const QString& Code);

rl::TBand& clOneV(rl::TOstrekReport& AOwner, const TActivityV& Activity);
// Lines 110 to 140; DocCount is not printed.
rl::TBand& clItogoV(rl::TOstrekReport& AOwner, Currency Line110, Currency Line120, Currency Line140, Currency Line130,
                    const QString& DocCount);

bool BuildPrilV(rl::TOstrekReport& report, const TBuildContext& ctx);
