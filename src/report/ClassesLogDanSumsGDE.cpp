// Sums of sheets Г (exempt incomes), Д, Д($) (author's fees) and Е (civil-law contracts).
#include "report/ClassesLogDanSums.h"

void kTSvodSumPrilM::Clear() {}
bool kTSvodSumPrilM::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumPrilG::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumPrilG_In::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumPrilD::Calculate(kTDanLog&, kTSvodSum&) { return true; }
