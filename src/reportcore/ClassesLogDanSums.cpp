// The calculation pipeline, sheets А, Б, В and calculation sections 1-6.
#include "reportcore/ClassesLogDanSums.h"

namespace {

Currency Max0(Currency x) { return x > Currency() ? x : Currency(); }

// One source of sheet А: its block, and its part of the totals but the income, which the caller adds.
template <class Source>
void AddSource(kTSvodSumPrilA& a, const Source& s, Currency income, Currency obl, Currency tax) {
    if (a.OKATO.empty()) a.OKATO = s.OKATO;
    a.Line090 += obl;
    a.Line100 += tax;
    a.Line110 += s.HoldSum;
    a.Sources.push_back({s.INN, s.KPP, s.OKATO, s.SourseName, income, obl, tax, s.HoldSum});
}

// Sheet А of 13 % sources (a resident's 13 % or a non-resident's 30 %): income from the lines.
void SumThirteenSources(const kTDanLog& log, kTSvodSumPrilA& a) {
    for (const kThirteenDoh& s : log.Dohody->ThirteenList.Items) {
        Currency income;
        for (const kTSpisVidDoh& l : s.Lines) {
            a.Line080 += l.IncomeSum;
            income += l.IncomeSum;
        }
        AddSource(a, s, income, s.Obl, s.TaxIsch);
    }
}

} // namespace

Currency PaidUnder(const kTDanLog& log, std::initializer_list<const char*> codes) {
    Currency sum;
    for (const mbTNalog& t : log.Nalog)
        for (const char* c : codes)
            if (t.KBK == c) sum += t.Sum;
    return sum;
}

// =============================================================================================
// The pipeline

void kTSvodSum::Clear() {
    List1.Clear();
    List2.Clear();
    List3.Clear();
    List4.Clear();
    List5.Clear();
    List6.Clear();
    PrilA6.Clear();
    PrilA13.Clear();
    PrilA30.Clear();
    PrilA35.Clear();
    PrilB13.Clear();
    PrilB9.Clear();
    PrilB35.Clear();
    PrilV.Clear();
    PrilG.Clear();
    PrilG_In.Clear();
    PrilD.Clear();
    PrilE.Clear();
    PrilH.Clear();
    PrilZ.Clear();
    PrilJ.Clear();
    PrilK.Clear();
}

bool kTSvodSum::Calculate(const kTDanLog& log) {
    Clear();
    bool ok = true;
    // The sheets in this order: each may read what an earlier one computed.
    ok = ok && PrilA6.Calculate(log, *this);
    ok = ok && PrilA13.Calculate(log, *this);
    ok = ok && PrilA30.Calculate(log, *this);
    ok = ok && PrilM.Calculate(log, *this);
    ok = ok && PrilA35.Calculate(log, *this);
    ok = ok && PrilV.Calculate(log, *this);
    ok = ok && PrilG.Calculate(log, *this);
    ok = ok && PrilG_In.Calculate(log, *this);
    ok = ok && PrilD.Calculate(log, *this);
    ok = ok && PrilH.Calculate(log, *this);
    ok = ok && PrilK.Calculate(log, *this);
    ok = ok && PrilJ.Calculate(log, *this);
    ok = ok && PrilB13.Calculate(log, *this, 13);
    ok = ok && PrilB9.Calculate(log, *this, 9);
    ok = ok && PrilB35.Calculate(log, *this, 35);
    ok = ok && PrilE.Calculate(log, *this);
    ok = ok && PrilZ.Calculate(log, *this);

    // Only one of sheets А at 13 and 30 % has sources, by the declaration kind.
    OKATO13 = PrilA13.OKATO.empty() ? PrilA30.OKATO : PrilA13.OKATO;
    OKATO9 = PrilA6.OKATO;
    OKATO35 = PrilA35.OKATO;
    for (std::string* okato : {&OKATO13, &OKATO9, &OKATO35})
        if (okato->empty()) *okato = log.PersonDan->OKATO;

    ok = ok && List1.Calculate(log, *this);
    ok = ok && List2.Calculate(log, *this);
    ok = ok && List3.Calculate(log, *this);
    ok = ok && List4.Calculate(log, *this);
    ok = ok && List5.Calculate(log, *this);
    ok = ok && List6.Calculate(log, *this);
    return ok;
}

// =============================================================================================
// Sheets А, Б, В

bool kTSvodSumPrilA13::Calculate(const kTDanLog& log, const kTSvodSum&) {
    Clear();
    if (log.DeclDan->DeclarationKind != 0) return true;
    SumThirteenSources(log, *this);
    return true;
}

bool kTSvodSumPrilA30::Calculate(const kTDanLog& log, const kTSvodSum&) {
    Clear();
    if (log.DeclDan->DeclarationKind != 1) return true;
    SumThirteenSources(log, *this);
    return true;
}

bool kTSvodSumPrilA6::Calculate(const kTDanLog& log, const kTSvodSum&) {
    Clear();
    for (const kTThirtyDoh& s : log.Dohody->ThirtyList.Items) {
        Line080 += s.ItogIncomeSum;
        AddSource(*this, s, s.ItogIncomeSum, s.Obl, s.TaxIsch);
    }
    return true;
}

bool kTSvodSumPrilA35::Calculate(const kTDanLog& log, const kTSvodSum& sums) {
    Clear();
    const auto& items = log.Dohody->ThirtyFiveList.Items;
    const std::vector<Figures35>& taxed = sums.PrilM.Sources35;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const kTThirtyFiveDoh& s = items[i];
        // As sheet Г left the source; one it has not seen keeps its own figures.
        const Figures35 f = i < taxed.size() ? taxed[i] : Figures35{s.DeductSum, s.Obl, s.TaxIsch};
        Line080 += s.ItogIncomeSum;
        AddSource(*this, s, s.ItogIncomeSum, f.Obl, f.TaxIsch);
    }
    return true;
}

bool kTSvodSumPrilB::Calculate(const kTDanLog& log, const kTSvodSum&, std::int32_t rate) {
    Clear();
    for (const kTInoValutDoh& d : log.Dohody->InoValutList.Items) {
        if (d.Stav != rate) continue;
        Line150 += d.IncomeRub;
        Line160 += d.TaxRub;
        Line170 += d.TaxDue;
        Line180 += d.TaxCredit;
    }
    Line170 = Currency::FromInt(RoundHalfUpRoubles(Line170));
    Line180 = Currency::FromInt(RoundHalfUpRoubles(Line180));
    return true;
}

Currency ExpenseTotal(const kTExpenseRecord& r) { return r.Mat + r.Amortization + r.WorkPay + r.Other; }

bool kTSvodSumPrilV::Calculate(const kTDanLog& log, const kTSvodSum&) {
    Line110 = Currency();
    Line120 = Currency();
    const auto& biz = log.Dohody->PredprinimDeyatList;
    for (const kTPredprinimDeyatDoh& a : biz.Items) {
        Line140 = biz.ActualPrepayment;
        Line130 = biz.NachPrepayment;
        Currency income;
        if (a.IncomeByMonth)
            for (const Currency& c : a.MonthIncome) income += c;
        else
            income = a.TotalIncome;
        Currency expense;
        if (a.ExpenseByMonth) {
            for (const kTExpenseRecord& r : a.MonthExpense) expense += ExpenseTotal(r);
        } else if (a.ConfirmedExpenses) {
            expense = ExpenseTotal(a.PeriodExpense);
        } else {
            expense = a.ResultExpense; // the 20 % norm as the program stored it
        }
        Line120 += expense;
        Line110 += income;
    }
    if (Line110 < Line120) Line120 = Line110;
    return true;
}

// =============================================================================================
// Sections

bool kTSvodSumList1::Calculate(const kTDanLog& log, const kTSvodSum& s) {
    Line010 = s.PrilA13.Line080 + s.PrilV.Line110 + s.PrilB13.Line150;
    Line020 = s.PrilM.Line130;
    Line030 = Line010 - Line020;
    Line040 = s.PrilE.Line220 + s.PrilE.Line280 + s.PrilH.Line170 + s.PrilH.Line220 + s.PrilZ.Line210 + s.PrilZ.Line220 +
              s.PrilZ.Line190 + s.PrilZ.Line180 + s.PrilJ.ExpenseTotal + s.PrilK.ExpenseTotal + s.PrilV.Line120 +
              s.PrilG.Line110 + s.PrilG_In.Line110 + s.PrilD.Line070;
    Line050 = Max0(Line030 - Line040);
    Line060 = RoundedTax(Line050, 0.13L);
    Line070 = s.PrilA13.Line110 + s.PrilV.Line140;
    Line080 = PaidUnder(log, {kbk::Tax13Notice, kbk::Tax13Business, kbk::Tax13});
    Line090 = s.PrilB13.Line180;
    // The foreign tax credit lowers the payment but never makes a refund.
    Line100 = Line060 < Line070 + Line080 ? Line070 + Line080 - Line060 : Currency();
    Line110 = Line060 > Line070 + Line080 + Line090 ? Line060 - Line070 - Line080 - Line090 : Currency();
    return true;
}

bool kTSvodSumList2::Calculate(const kTDanLog& log, const kTSvodSum& s) {
    Line010 = s.PrilA30.Line080;
    Line020 = s.PrilM.Line130 + s.PrilM.Line170;
    Line030 = Line010 - Line020;
    Line040 = s.PrilJ.ExpenseTotal + s.PrilK.ExpenseTotal;
    Line050 = Max0(Line030 - Line040);
    Line060 = RoundedTax(Line050, 0.3L);
    Line070 = s.PrilA30.Line110;
    Line080 = PaidUnder(log, {kbk::Tax30});
    Line090 = Line060 < Line070 + Line080 ? Line070 + Line080 - Line060 : Currency();
    Line100 = Line060 > Line070 + Line080 ? Line060 - Line070 - Line080 : Currency();
    return true;
}

bool kTSvodSumList3::Calculate(const kTDanLog& log, const kTSvodSum& s) {
    Line010 = s.PrilA35.Line080 + s.PrilB35.Line150;
    Line020 = s.PrilM.Line170;
    Line030 = Max0(Line010 - Line020);
    Line040 = RoundedTax(Line030, 0.35L);
    Line050 = s.PrilA35.Line110;
    Line060 = PaidUnder(log, {kbk::Tax35});
    Line070 = s.PrilB35.Line180;
    Line080 = Line040 < Line050 + Line060 ? Line050 + Line060 - Line040 : Currency();
    Line090 = Line040 > Line050 + Line060 + Line070 ? Line040 - Line050 - Line060 - Line070 : Currency();
    return true;
}

bool kTSvodSumList4::Calculate(const kTDanLog& log, const kTSvodSum& s) {
    Line010 = s.PrilA6.Line080 + s.PrilB9.Line150;
    Line020 = s.PrilA6.Line090 + s.PrilB9.Line150;
    Line030 = s.PrilA6.Line100 + s.PrilB9.Line170;
    Line040 = s.PrilA6.Line110;
    Line050 = PaidUnder(log, {kbk::Tax9});
    Line060 = s.PrilB9.Line180;
    Line070 = Line030 < Line040 + Line050 ? Line040 + Line050 - Line030 : Currency();
    Line080 = Line030 > Line040 + Line050 + Line060 ? Line030 - Line040 - Line050 - Line060 : Currency();
    return true;
}

bool kTSvodSumList5::Calculate(const kTDanLog&, const kTSvodSum& s) {
    Line010 = s.List1.Line100 + s.List2.Line090 + s.List3.Line080 + s.List4.Line070;
    Line020 = s.List1.Line110 + s.List2.Line100 + s.List3.Line090 + s.List4.Line080;
    if (Line010 > Line020) {
        Line030 = Line010 - Line020;
        Line040 = Currency();
    } else {
        Line030 = Currency();
        Line040 = Line020 - Line010;
    }
    return true;
}

void kTSvodSumList6::Add(const std::string& k, const std::string& o, const char* i, Currency a) {
    Entries.push_back({k, o, i, a});
    ++Count;
}

bool kTSvodSumList6::Calculate(const kTDanLog& log, const kTSvodSum& s) {
    const std::string& okatoP = log.PersonDan->OKATO;
    const auto& biz = log.Dohody->PredprinimDeyatList;
    const std::size_t before = Entries.size();

    // Refund of section 1: first against the business advance payments, then source by source up
    // to what each 13 % source withheld (merged per territory code), the rest under the filer's.
    if (!s.List1.Line100.IsZero()) {
        Currency e = s.List1.Line100;
        if (!biz.Items.empty() && biz.ActualPrepayment > Currency()) {
            if (e > biz.ActualPrepayment) {
                Add(kbk::Tax13Business, okatoP, "2", biz.ActualPrepayment);
                e -= biz.ActualPrepayment;
            } else {
                Add(kbk::Tax13Business, okatoP, "2", e);
                e = Currency();
            }
        }
        for (const kThirteenDoh& src : log.Dohody->ThirteenList.Items) {
            if (!(e > Currency())) break;
            const Currency w = src.HoldSum;
            if (!(w > Currency())) continue;
            const Currency part = e > w ? w : e;
            bmTList1* entry = nullptr;
            for (bmTList1& en : Entries)
                if (en.KBK == kbk::Tax13 && en.OKATO == src.OKATO) {
                    entry = &en;
                    break;
                }
            if (entry)
                entry->Amount += part;
            else
                Add(kbk::Tax13, src.OKATO, "2", part);
            e -= part;
        }
        if (e > Currency()) Add(kbk::Tax13, okatoP, "2", e);
    }

    // Payment of section 1: the business part under its own code first.
    if (!s.List1.Line110.IsZero()) {
        Currency p = s.List1.Line110;
        if (!biz.Items.empty()) {
            const Currency t = RoundedTax(s.PrilV.Line110 - s.PrilV.Line120, 0.13L) - s.PrilV.Line140;
            if (t > Currency()) {
                if (p > t) {
                    Add(kbk::Tax13Business, okatoP, "1", t);
                    p -= t;
                } else {
                    Add(kbk::Tax13Business, okatoP, "1", p);
                    p = Currency();
                }
            }
        }
        if (p > Currency()) Add(kbk::Tax13, okatoP, "1", p);
    }

    if (!s.List3.Line080.IsZero()) Add(kbk::Tax35, s.OKATO35, "2", s.List3.Line080);
    if (!s.List3.Line090.IsZero()) Add(kbk::Tax35, okatoP, "1", s.List3.Line090);
    if (!s.List2.Line090.IsZero()) Add(kbk::Tax30, s.OKATO13, "2", s.List2.Line090);
    if (!s.List2.Line100.IsZero()) Add(kbk::Tax30, okatoP, "1", s.List2.Line100);
    if (!s.List4.Line070.IsZero()) Add(kbk::Tax9, s.OKATO9, "2", s.List4.Line070);
    if (!s.List4.Line080.IsZero()) Add(kbk::Tax9, okatoP, "1", s.List4.Line080);

    if (Entries.size() == before) {
        const auto status = log.DeclDan->FilerStatus;
        const char* code = kbk::Tax13;
        if (status == 1 || status == 2 || status == 3)
            code = kbk::Tax13Business;
        else if (!log.Dohody->ThirteenList.Items.empty())
            code = kbk::Tax13;
        else if (!log.Dohody->ThirtyList.Items.empty())
            code = kbk::Tax9;
        else if (!log.Dohody->ThirtyFiveList.Items.empty())
            code = kbk::Tax35;
        Add(code, okatoP, "3", Currency());
    }
    return true;
}
