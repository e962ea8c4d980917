// The title page and the second page of both forms, and the estimated-income page of 4-NDFL.
#pragma once

#include "sheets/GeneralClasses.h"

// The title page: form 3-NDFL, or form 4-NDFL for declaration kind 2.
bool BuildTitul(rl::TOstrekReport& report, const TBuildContext& ctx);
// The second page of form 3-NDFL.
bool BuildAdr(rl::TOstrekReport& report, const TBuildContext& ctx);

// Form 4-NDFL: its title page, and its second page with the estimated income (section 1 of the
// plan) in whole roubles as the text file writes it, followed by the page footer.
bool BuildTitulNR(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildNR2(rl::TOstrekReport& report, const TBuildContext& ctx);
