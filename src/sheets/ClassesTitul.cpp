// The title page and the second page of form 3-NDFL.
#include "sheets/ClassesTitul.h"

bool BuildTitul(rl::TOstrekReport&, const TBuildContext&) { return true; }
bool BuildAdr(rl::TOstrekReport&, const TBuildContext&) { return true; }
