// Sums of sheets Ж (property sales) and Л (housing deduction).
#include "report/ClassesLogDanSums.h"

void kTSvodSumPrilH::Clear() {}
bool kTSvodSumPrilH::Calculate(kTDanLog&, kTSvodSum&) { return true; }
void kTSvodSumPrilZ::Clear() {}
bool kTSvodSumPrilZ::Calculate(kTDanLog&, kTSvodSum&) { return true; }
