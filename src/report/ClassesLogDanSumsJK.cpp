// Sums of sheets З and И (securities and futures).
#include "report/ClassesLogDanSums.h"

bool kTSvodSumPrilJ::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumPrilK::Calculate(kTDanLog&, kTSvodSum&) { return true; }
