// The pages of calculation sections 1 to 6 and their builders.
// A section page is the page header, the section's title band, its table band and the page footer;
// section 6 has one such page per budget-code entry.
#pragma once

#include "sheets/GeneralClasses.h"

#include <array>

bool BuildRazdel1(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildRazdel2(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildRazdel3(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildRazdel4(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildRazdel5(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildRazdel6(rl::TOstrekReport& report, const TBuildContext& ctx);

// The title bands of the sections. PrintValues is taken for the sake of the other bands: these
// print no value.
rl::TBand& clTop1(rl::TOstrekReport& AOwner, bool PrintValues);
rl::TBand& clTop2(rl::TOstrekReport& AOwner, bool PrintValues);
rl::TBand& clTop3(rl::TOstrekReport& AOwner, bool PrintValues);
rl::TBand& clTop4(rl::TOstrekReport& AOwner, bool PrintValues);
rl::TBand& clTop5(rl::TOstrekReport& AOwner, bool PrintValues);
rl::TBand& clTop6(rl::TOstrekReport& AOwner, bool PrintValues);

// The table bands of sections 1 to 5: the section's figures in line order (line 010 first), and the
// page's barcode images from entry FirstImage of the run's images on (section 1, always page 3,
// shows the entries 6 to 8). The tax lines print whole roubles rounded as the text file writes them.
rl::TBand& clR1(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const std::array<Currency, 11>& Lines,
                bool PrintValues);
rl::TBand& clR2(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const std::array<Currency, 10>& Lines,
                int FirstImage, bool PrintValues);
rl::TBand& clR3(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const std::array<Currency, 9>& Lines,
                int FirstImage, bool PrintValues);
rl::TBand& clR4(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const std::array<Currency, 8>& Lines,
                int FirstImage, bool PrintValues);
rl::TBand& clR5(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const std::array<Currency, 4>& Lines,
                int FirstImage, bool PrintValues);

// The band of one section-6 entry: Indicator "1" marks the amount to pay, "2" the amount to refund;
// any other indicator marks neither and prints no amount. The amount prints in whole roubles, as
// the text file writes it.
rl::TBand& clR6(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const QString& Indicator, const QString& KBK,
                const QString& OKATO, Currency Amount, int FirstImage, bool PrintValues);
