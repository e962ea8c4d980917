// Sums of sheet К: income by month, standard and social deductions.
#include "report/ClassesLogDanSums.h"

bool kTSvodSumPrilE::Calculate(kTDanLog&, kTSvodSum&) { return true; }
