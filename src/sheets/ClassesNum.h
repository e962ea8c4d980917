// The pages of calculation sections 1 to 6 and their builders.
#pragma once

#include "sheets/GeneralClasses.h"

bool BuildRazdel1(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildRazdel2(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildRazdel3(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildRazdel4(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildRazdel5(rl::TOstrekReport& report, const TBuildContext& ctx);
bool BuildRazdel6(rl::TOstrekReport& report, const TBuildContext& ctx);
