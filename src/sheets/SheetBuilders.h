// The builder of each sheet kind: the one place that knows every page unit.
#pragma once

#include "sheets/GeneralClasses.h"

// Builds every page of a sheet kind (1..25) on a new report: as many pages as the plan counts, so
// that the pages printed are the pages planned. False for a number that is no sheet kind.
bool BuildSheet(int kind, rl::TOstrekReport& report, const TBuildContext& ctx);
