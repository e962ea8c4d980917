// The pages of form 4-NDFL: the title page and the estimated-income page.
#include "sheets/ClassesTitul.h"

bool BuildTitulNR(rl::TOstrekReport&, const TBuildContext&) { return true; }
bool BuildNR2(rl::TOstrekReport&, const TBuildContext&) { return true; }
