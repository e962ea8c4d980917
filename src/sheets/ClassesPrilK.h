// Sheet И: the operations of sheet З carried out by a trustee; its line codes from section 1.2 on
// are sheet З's minus 10.
#pragma once

#include "sheets/SecuritiesSheet.h"

rl::TBand& clTopK(rl::TOstrekReport& AOwner, int Kind, bool PrintValues);
rl::TBand& clDohodK1(rl::TOstrekReport& AOwner, const TSecuritiesBlock& Block, bool PrintValues);
rl::TBand& clDohodK2(rl::TOstrekReport& AOwner, const TSecuritiesBlock& Block, bool PrintValues);
rl::TBand& clDohodK3(rl::TOstrekReport& AOwner, const TSecuritiesBlock& Block, bool PrintValues);
rl::TBand& clDohodK5(rl::TOstrekReport& AOwner, const TSecuritiesBlock& Block, bool PrintValues);
rl::TBand& clDohodK4(rl::TOstrekReport& AOwner, const TSecuritiesBlock& Block, bool PrintValues);
rl::TBand& clItogoK(rl::TOstrekReport& AOwner, Currency Line400, Currency Line410, Currency Line420,
                    const QString& DocCount, bool PrintValues);

bool BuildPrilK(rl::TOstrekReport& report, const TBuildContext& ctx);
