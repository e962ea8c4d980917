// Sheet З: securities and futures operations of the filer; one source of each of the five kinds
// of operation a page, and the totals.
#pragma once

#include "sheets/SecuritiesSheet.h"

// Kind 1 ticks the box of sources in Russia, 2 the one of sources abroad; none without values.
rl::TBand& clTopJ(rl::TOstrekReport& AOwner, int Kind, bool PrintValues);
// Sections 1.1, 1.2, 1.3, 2 (fund units) and 3 (futures), and section 4.
rl::TBand& clDohodJ1(rl::TOstrekReport& AOwner, const TSecuritiesBlock& Block, bool PrintValues);
rl::TBand& clDohodJ2(rl::TOstrekReport& AOwner, const TSecuritiesBlock& Block, bool PrintValues);
rl::TBand& clDohodJ3(rl::TOstrekReport& AOwner, const TSecuritiesBlock& Block, bool PrintValues);
rl::TBand& clDohodJ5(rl::TOstrekReport& AOwner, const TSecuritiesBlock& Block, bool PrintValues);
rl::TBand& clDohodJ4(rl::TOstrekReport& AOwner, const TSecuritiesBlock& Block, bool PrintValues);
rl::TBand& clItogoJ(rl::TOstrekReport& AOwner, Currency Line410, Currency Line420, Currency Line430,
                    const QString& DocCount, bool PrintValues);

bool BuildPrilJ(rl::TOstrekReport& report, const TBuildContext& ctx);
