// The calculation pipeline, sheets А, Б, В and calculation sections 1-6.
#include "report/ClassesLogDanSums.h"

Currency PaidUnder(const kTDanLog& log, std::initializer_list<const char*> codes) {
    Currency sum;
    for (const mbTNalog& t : log.Nalog)
        for (const char* c : codes)
            if (t.KBK == c) sum += t.Sum;
    return sum;
}

bool kTSvodSum::Calculate(kTDanLog&) { return true; }
void kTSvodSum::Clear() {}
bool kTSvodSumPrilA6::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumPrilA13::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumPrilA30::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumPrilA35::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumPrilB::Calculate(kTDanLog&, kTSvodSum&, std::int32_t) { return true; }
bool kTSvodSumPrilV::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumList1::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumList2::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumList3::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumList4::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumList5::Calculate(kTDanLog&, kTSvodSum&) { return true; }
bool kTSvodSumList6::Calculate(kTDanLog&, kTSvodSum&) { return true; }
void kTSvodSumList6::Add(const std::string& k, const std::string& o, const char* i, Currency a) {
    Entries.push_back({k, o, i, a});
    ++Count;
}
