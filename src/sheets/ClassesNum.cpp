// The pages of calculation sections 1 to 6.
#include "sheets/ClassesNum.h"

bool BuildRazdel1(rl::TOstrekReport&, const TBuildContext&) { return true; }
bool BuildRazdel2(rl::TOstrekReport&, const TBuildContext&) { return true; }
bool BuildRazdel3(rl::TOstrekReport&, const TBuildContext&) { return true; }
bool BuildRazdel4(rl::TOstrekReport&, const TBuildContext&) { return true; }
bool BuildRazdel5(rl::TOstrekReport&, const TBuildContext&) { return true; }
bool BuildRazdel6(rl::TOstrekReport&, const TBuildContext&) { return true; }
