// The indicator blocks of the tax-office text file: one line per printed line of a section or sheet.
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"
#include "reportcore/ClassesReportText.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

// The lines of one section or sheet: "П", the section code, "00" and the three-digit line number,
// "00", ":", the value. Every block ends with "###".
class TBlockOut {
public:
    TBlockOut(std::vector<std::string>& lines, const char* sheetCode) : lines_(lines), sheet_(sheetCode) {}

    void Text(int line, const std::string& value) { lines_.push_back(Key(line) + value); }
    void Kopecks(int line, Currency amount) { Text(line, FormatTaxAmount(true, amount)); }
    void Roubles(int line, Currency amount) { Text(line, FormatTaxAmount(false, amount)); }
    void Number(int line, std::int64_t value) { Text(line, std::to_string(value)); }
    void End() { lines_.push_back("###"); }
    // The kind line of a sheet with several kinds, a block of its own.
    void Kind(const char* kind) {
        Text(1, kind);
        End();
    }

private:
    std::string Key(int line) const {
        const char digits[] = {static_cast<char>('0' + line / 100 % 10), static_cast<char>('0' + line / 10 % 10),
                               static_cast<char>('0' + line % 10), '\0'};
        return std::string("П") + sheet_ + "00" + digits + "00:";
    }

    std::vector<std::string>& lines_;
    const char* sheet_;
};

bool Present(const TPagePlan& plan, TSheetKind kind) { return plan.SheetPageCount[kind] > 0; }

// Consecutive lines first, first + 10, ... from the fields in that order; the first `withKopecks`
// of them with kopecks, the rest in whole roubles.
template <class S, std::size_t N>
void PutRun(TBlockOut& out, int first, const S& sums, const std::array<Currency S::*, N>& fields,
            std::size_t withKopecks) {
    for (std::size_t i = 0; i < N; ++i) {
        const int line = first + 10 * static_cast<int>(i);
        if (i < withKopecks)
            out.Kopecks(line, sums.*fields[i]);
        else
            out.Roubles(line, sums.*fields[i]);
    }
}

template <class S, std::size_t N>
void WriteSection(std::vector<std::string>& lines, const char* code, const S& sums,
                  const std::array<Currency S::*, N>& fields, std::size_t withKopecks) {
    TBlockOut out(lines, code);
    PutRun(out, 10, sums, fields, withKopecks);
    out.End();
}

// ---------------------------------------------------------------------------------------------
// Sections 1 to 6

void WriteRazdel1(const kTSvodSum& s, std::vector<std::string>& lines) {
    using L = kTSvodSumList1;
    WriteSection<L, 11>(lines, SheetKindInfo(skRazdel1).SectionCode, s.List1,
                        {&L::Line010, &L::Line020, &L::Line030, &L::Line040, &L::Line050, &L::Line060, &L::Line070,
                         &L::Line080, &L::Line090, &L::Line100, &L::Line110},
                        5);
}

void WriteRazdel2(const kTSvodSum& s, std::vector<std::string>& lines) {
    using L = kTSvodSumList2;
    WriteSection<L, 10>(lines, SheetKindInfo(skRazdel2).SectionCode, s.List2,
                        {&L::Line010, &L::Line020, &L::Line030, &L::Line040, &L::Line050, &L::Line060, &L::Line070,
                         &L::Line080, &L::Line090, &L::Line100},
                        5);
}

void WriteRazdel3(const kTSvodSum& s, std::vector<std::string>& lines) {
    using L = kTSvodSumList3;
    WriteSection<L, 9>(lines, SheetKindInfo(skRazdel3).SectionCode, s.List3,
                       {&L::Line010, &L::Line020, &L::Line030, &L::Line040, &L::Line050, &L::Line060, &L::Line070,
                        &L::Line080, &L::Line090},
                       3);
}

void WriteRazdel4(const kTSvodSum& s, std::vector<std::string>& lines) {
    using L = kTSvodSumList4;
    WriteSection<L, 8>(lines, SheetKindInfo(skRazdel4).SectionCode, s.List4,
                       {&L::Line010, &L::Line020, &L::Line030, &L::Line040, &L::Line050, &L::Line060, &L::Line070,
                        &L::Line080},
                       2);
}

void WriteRazdel5(const kTSvodSum& s, std::vector<std::string>& lines) {
    using L = kTSvodSumList5;
    WriteSection<L, 4>(lines, SheetKindInfo(skRazdel5).SectionCode, s.List5, {&L::Line010, &L::Line020, &L::Line030, &L::Line040}, 0);
}

// One block per entry: to pay ("1"), to refund ("2"), or the entry of nothing due ("3"), whose
// indicator is left empty.
void WriteRazdel6(const kTSvodSum& s, std::vector<std::string>& lines) {
    TBlockOut out(lines, SheetKindInfo(skRazdel6).SectionCode);
    for (const bmTList1& e : s.List6.Entries) {
        const bool pay = e.Indicator == "1";
        out.Text(10, e.Indicator == "3" ? std::string() : e.Indicator);
        out.Text(20, e.KBK);
        out.Text(30, e.OKATO);
        if (pay) {
            out.Roubles(40, e.Amount);
            out.Text(50, "0");
        } else {
            out.Text(40, "0");
            out.Roubles(50, e.Amount);
        }
        out.End();
    }
}

// ---------------------------------------------------------------------------------------------
// Sheets А, Б, В

// One rate of sheet А: the kind line, one block per source with income, the totals.
void WritePrilARate(std::vector<std::string>& lines, const char* rate, const kTSvodSumPrilA& totals) {
    TBlockOut out(lines, SheetKindInfo(skPrilA9).SectionCode);
    out.Kind(rate);
    for (const RecA& src : totals.Sources) {
        if (src.Income.IsZero()) continue; // a source without income stays out of the file
        out.Text(10, src.INN);
        out.Text(20, src.KPP);
        out.Text(21, src.OKATO);
        out.Text(30, src.SourseName);
        out.Kopecks(40, src.Income);
        out.Kopecks(50, src.Obl);
        out.Roubles(60, src.TaxIsch);
        out.Roubles(70, src.HoldSum);
        out.End();
    }
    out.Kopecks(80, totals.Line080);
    out.Kopecks(90, totals.Line090);
    out.Roubles(100, totals.Line100);
    out.Roubles(110, totals.Line110);
    out.End();
}

void WritePrilA(const TPagePlan& plan, const kTSvodSum& s, std::vector<std::string>& lines) {
    if (Present(plan, skPrilA9)) WritePrilARate(lines, "9", s.PrilA6);
    if (Present(plan, skPrilA13)) WritePrilARate(lines, "13", s.PrilA13);
    if (Present(plan, skPrilA30)) WritePrilARate(lines, "30", s.PrilA30);
    if (Present(plan, skPrilA35)) WritePrilARate(lines, "35", s.PrilA35);
}

// An exchange rate per currency unit.
std::string RatePerUnit(Currency rate, std::int32_t units) {
    return FormatTaxFloat(rate.ToDouble() / (units > 0 ? units : 1));
}

void WritePrilBRate(std::vector<std::string>& lines, std::int32_t rate, const char* kind,
                    const std::vector<kTInoValutDoh>& incomes, const kTSvodSumPrilB& totals) {
    TBlockOut out(lines, SheetKindInfo(skPrilB9).SectionCode);
    out.Kind(kind);
    for (const kTInoValutDoh& i : incomes) {
        if (i.Stav != rate || i.IncomeRub.IsZero()) continue;
        out.Text(10, i.CountryCode);
        out.Text(20, i.SourseName);
        out.Text(30, i.CurrencyName);
        out.Text(40, i.CurrencyCode);
        out.Text(50, DateToStr(i.IncomeDate));
        out.Text(60, RatePerUnit(i.IncomeRate, i.IncomeUnits));
        out.Kopecks(70, i.IncomeCur);
        out.Kopecks(80, i.IncomeRub);
        out.Text(90, DateToStr(i.TaxDate));
        out.Text(100, RatePerUnit(i.TaxRate, i.TaxUnits));
        out.Kopecks(110, i.TaxCur);
        out.Kopecks(120, i.TaxRub);
        out.Roubles(130, i.TaxDue);
        out.Roubles(140, i.TaxCredit);
        out.End();
    }
    out.Kopecks(150, totals.Line150);
    out.Kopecks(160, totals.Line160);
    out.Roubles(170, totals.Line170);
    out.Roubles(180, totals.Line180);
    out.End();
}

void WritePrilB(const kTDanLog& log, const kTSvodSum& s, const TPagePlan& plan, std::vector<std::string>& lines) {
    const auto& incomes = log.Dohody->InoValutList.Items;
    if (Present(plan, skPrilB9)) WritePrilBRate(lines, 9, "9", incomes, s.PrilB9);
    if (Present(plan, skPrilB13)) WritePrilBRate(lines, 13, "13", incomes, s.PrilB13);
    if (Present(plan, skPrilB35)) WritePrilBRate(lines, 35, "35", incomes, s.PrilB35);
}

// Twelve places, January first: "1" for a month of business activity; no month at all counts as
// the whole year.
std::string MonthText(std::uint16_t monthSet) {
    std::string s(12, '0');
    for (int m = 0; m < 12; ++m)
        if (monthSet & (1u << m)) s[m] = '1';
    return monthSet & 0x0FFF ? s : std::string(12, '1');
}

void WritePrilV(const kTDanLog& log, const kTSvodSum& s, std::vector<std::string>& lines) {
    const kTPredprinimDeyatList& list = log.Dohody->PredprinimDeyatList;
    const std::string months = MonthText(list.MonthSet);
    TBlockOut out(lines, SheetKindInfo(skPrilV).SectionCode);
    for (const kTPredprinimDeyatDoh& a : list.Items) {
        out.Text(10, a.Name);
        out.Text(20, "111322");
        out.Text(30, months);
        out.Kopecks(40, a.TotalIncome);
        if (a.ConfirmedExpenses)
            out.Kopecks(50, a.ResultExpense);
        else
            out.Text(50, "0");
        out.Kopecks(60, a.ExpenseTotals.Mat);
        out.Kopecks(70, a.ExpenseTotals.Amortization);
        out.Kopecks(80, a.ExpenseTotals.WorkPay);
        out.Kopecks(90, a.ExpenseTotals.Other);
        if (a.ConfirmedExpenses)
            out.Text(100, "0.00");
        else
            out.Kopecks(100, a.ResultExpense); // the norm deduction
        out.End();
    }
    out.Kopecks(110, s.PrilV.Line110);
    out.Kopecks(120, s.PrilV.Line120);
    out.Kopecks(130, s.PrilV.Line130);
    out.Kopecks(140, s.PrilV.Line140);
    out.End();
}

// ---------------------------------------------------------------------------------------------
// Sheets Г, Д, Е, Ж

void WritePrilM(const kTSvodSum& s, std::vector<std::string>& lines) {
    using M = kTSvodSumPrilM;
    const M& m = s.PrilM;
    TBlockOut out(lines, SheetKindInfo(skPrilM).SectionCode);
    PutRun<M, 13>(out, 10, m,
                  {&M::Line010, &M::Line020, &M::Line030, &M::Line040, &M::Line050, &M::Line060, &M::Line070,
                   &M::Line080, &M::Line090, &M::Line100, &M::Line110, &M::Line120, &M::Line130},
                  13);
    out.End();
    for (const Rec35& p : m.Prizes) {
        if (p.IncomeSum <= Currency()) continue; // also the entry that pads the list to an even count
        out.Text(140, p.SourseName);
        out.Text(145, p.INN);
        out.Text(146, p.KPP);
        out.Kopecks(150, p.IncomeSum);
        out.Kopecks(160, p.ExemptSum);
        out.End();
    }
    out.Kopecks(170, m.Line170);
    out.End();
}

// Sheet Д: kind "1" for sources in Russia, "2" for sources abroad; fees without expenses stay out.
void WritePrilGKind(std::vector<std::string>& lines, const char* kind, const std::vector<DohodAvtVozn>& records,
                    Currency line100, Currency line110) {
    TBlockOut out(lines, SheetKindInfo(skPrilG).SectionCode);
    out.Kind(kind);
    for (const DohodAvtVozn& r : records) {
        if (r.DeductSum <= Currency()) continue;
        out.Text(10, r.INN);
        out.Text(20, r.KPP);
        out.Text(30, r.SourseName);
        out.Text(40, r.IncomeCodeText);
        out.Text(50, r.IncomeName);
        out.Kopecks(60, r.IncomeSum);
        out.Text(70, r.DeductCodeText);
        out.Text(80, r.DeductNormText);
        out.Kopecks(90, r.DeductSum);
        out.End();
    }
    out.Kopecks(100, line100);
    out.Kopecks(110, line110);
    out.End();
}

void WritePrilD(const kTSvodSum& s, std::vector<std::string>& lines) {
    TBlockOut out(lines, SheetKindInfo(skPrilD).SectionCode);
    out.Kind("1");
    for (const DohodGragdPravHar& r : s.PrilD.Records) {
        if (r.DeductSum <= Currency()) continue;
        out.Text(10, r.INN);
        out.Text(20, r.KPP);
        out.Text(30, r.SourseName);
        out.Kopecks(40, r.IncomeSum);
        out.Kopecks(50, r.DeductSum);
        out.End();
    }
    out.Kopecks(60, s.PrilD.Line060);
    out.Kopecks(70, s.PrilD.Line070);
    out.End();
}

void WritePrilH(const kTSvodSum& s, std::vector<std::string>& lines) {
    using H = kTSvodSumPrilH;
    const H& h = s.PrilH;
    TBlockOut out(lines, SheetKindInfo(skPrilH).SectionCode);
    if (h.Line170 > Currency()) {
        PutRun<H, 17>(out, 10, h,
                      {&H::Line010, &H::Line020, &H::Line030, &H::Line040, &H::Line050, &H::Line060, &H::Line070,
                       &H::Line080, &H::Line090, &H::Line100, &H::Line110, &H::Line120, &H::Line130, &H::Line140,
                       &H::Line150, &H::Line160, &H::Line170},
                      17);
        out.End();
    }
    if (h.Line220 > Currency()) {
        PutRun<H, 5>(out, 180, h, {&H::Line180, &H::Line190, &H::Line200, &H::Line210, &H::Line220}, 5);
        out.End();
    }
}

// ---------------------------------------------------------------------------------------------
// Sheets З and И

// One kind of securities operations: a block per source, then the kind's figures after the last
// block; a kind without blocks writes nothing.
void WriteSecuritiesKind(TBlockOut& out, const std::vector<CBDoh>& sources, int first, bool withLoss,
                         std::initializer_list<std::pair<int, Currency>> figures) {
    if (sources.empty()) return;
    for (const CBDoh& c : sources) {
        out.Text(first, c.INN);
        out.Text(first + 10, c.KPP);
        out.Text(first + 20, c.SourceName);
        out.Kopecks(first + 30, c.SaleSum);
        out.Kopecks(first + 40, c.ExpenseSum);
        if (withLoss) out.Kopecks(first + 50, c.LossSum);
        out.End();
    }
    for (const auto& [line, value] : figures) out.Kopecks(line, value);
    out.End();
}

void WriteSecuritiesTotals(TBlockOut& out, int first, const kTSvodSumPrilJK& s) {
    out.Kopecks(first, s.IncomeTotal);
    out.Kopecks(first + 10, s.TaxableTotal);
    out.Kopecks(first + 20, s.ExpenseTotal);
    out.End();
}

// Kinds in the order of the form's parts: 1, 2, 3, then 5 (fund units), then 4 (futures).
void WritePrilJ(const kTSvodSum& s, std::vector<std::string>& lines) {
    const kTSvodSumPrilJ& j = s.PrilJ;
    const kTSvodSumPrilK& k = s.PrilK;
    TBlockOut out(lines, SheetKindInfo(skPrilJ).SectionCode);
    out.Kind("1");
    WriteSecuritiesKind(out, j.Sources[0], 10, true, {{70, k.Carry1}, {80, j.Taxable[0]}, {90, j.Loss1}});
    WriteSecuritiesKind(out, j.Sources[1], 100, true, {{160, j.LossRest[0]}, {170, j.Taxable[1]}});
    WriteSecuritiesKind(out, j.Sources[2], 180, true, {{240, k.Carry3}, {250, j.Taxable[2]}});
    WriteSecuritiesKind(out, j.Sources[4], 260, true, {{320, k.Carry5}, {330, j.Taxable[4]}});
    WriteSecuritiesKind(out, j.Sources[3], 340, false, {{390, k.Carry4}, {400, j.Taxable[3]}});
    WriteSecuritiesTotals(out, 410, j);
}

void WritePrilK(const kTSvodSum& s, std::vector<std::string>& lines) {
    const kTSvodSumPrilK& k = s.PrilK;
    TBlockOut out(lines, SheetKindInfo(skPrilK).SectionCode);
    out.Kind("1");
    WriteSecuritiesKind(out, k.Sources[0], 10, true, {{70, k.Taxable[0]}, {80, k.Carry1}});
    WriteSecuritiesKind(out, k.Sources[1], 90, true, {{150, k.Accepted2}, {160, k.Taxable[1]}});
    WriteSecuritiesKind(out, k.Sources[2], 170, true, {{230, k.Taxable[2]}, {240, k.Carry3}});
    WriteSecuritiesKind(out, k.Sources[4], 250, true, {{310, k.Taxable[4]}, {320, k.Carry5}});
    WriteSecuritiesKind(out, k.Sources[3], 330, false, {{380, k.Taxable[3]}, {390, k.Carry4}});
    WriteSecuritiesTotals(out, 400, k);
}

// ---------------------------------------------------------------------------------------------
// Sheets К and Л

void WritePrilE(const kTDanLog& log, const kTSvodSum& s, std::vector<std::string>& lines) {
    using E = kTSvodSumPrilE;
    const E& e = s.PrilE;
    TBlockOut out(lines, SheetKindInfo(skPrilE).SectionCode);
    if (log.Vychety->StandartVych.Granting) {
        for (int m = 0; m < 12; ++m) out.Kopecks(10 * (m + 1), e.CumIncome[m]);
        out.Number(130, e.Months130);
        out.Number(140, e.Months140);
        PutRun<E, 7>(out, 150, e,
                     {&E::Line150, &E::Line160, &E::Line170, &E::Line180, &E::Line190, &E::Line200, &E::Line210}, 0);
        out.Kopecks(220, e.Line220);
        out.End();
    }
    if (log.Vychety->SocialVych.Granting) {
        PutRun<E, 6>(out, 230, e, {&E::Line230, &E::Line240, &E::Line250, &E::Line260, &E::Line270, &E::Line280}, 6);
        out.End();
    }
}

// The share to four decimals (the nearest, an exact half to the even digit), shortest form.
std::string ShareText(long double share) {
    const long double scaled = share * 10000.0L;
    long double n = std::floor(scaled);
    const long double rest = scaled - n;
    if (rest > 0.5L || (rest == 0.5L && std::fmod(n, 2.0L) != 0)) n += 1;
    const std::int64_t units = static_cast<std::int64_t>(n);
    const std::int64_t magnitude = units < 0 ? -units : units;
    std::string s = (units < 0 ? "-" : "") + std::to_string(magnitude / 10000);
    std::int64_t frac = magnitude % 10000;
    if (frac != 0) {
        std::string digits = std::to_string(frac);
        digits.insert(digits.begin(), 4 - digits.size(), '0');
        while (digits.back() == '0') digits.pop_back();
        s += "." + digits;
    }
    return s;
}

std::string YearText(TDateTime date) {
    int y, m, d;
    DecodeDate(date, y, m, d);
    std::string s = std::to_string(y);
    while (s.size() < 4) s.insert(s.begin(), '0');
    return s;
}

void WritePrilZ(const kTDanLog& log, const kTSvodSum& s, std::vector<std::string>& lines) {
    const kTStroitVych& v = log.Vychety->StroitVych;
    if (!v.Granting) return;
    using Z = kTSvodSumPrilZ;
    TBlockOut out(lines, SheetKindInfo(skPrilZ).SectionCode);
    out.Text(10, v.ObjectName);
    // Written like the person's address; the region name is not written.
    out.Text(20, AddressFields({v.PostIndex, v.RegionCode, v.District, v.City, v.Area, v.Street, v.House, v.Building, v.Flat}));
    out.Text(30, DateToStr(v.BuyDate));
    out.Text(40, DateToStr(v.RegDate));
    out.Text(50, ShareText(v.Share));
    out.Text(60, YearText(v.StartYear));
    out.Text(70, "2005");
    PutRun<Z, 17>(out, 80, s.PrilZ,
                  {&Z::Line080, &Z::Line090, &Z::Line100, &Z::Line110, &Z::Line120, &Z::Line130, &Z::Line140,
                   &Z::Line150, &Z::Line160, &Z::Line170, &Z::Line180, &Z::Line190, &Z::Line200, &Z::Line210,
                   &Z::Line220, &Z::Line230, &Z::Line240},
                  17);
    out.End();
}

} // namespace

void WriteIndicatorBlocks(const kTDanLog& log, const kTSvodSum& sums, const TPagePlan& plan,
                          std::vector<std::string>& lines) {
    if (log.DeclDan->DeclarationKind == 2) {
        // Form 4-NDFL: the estimated income only.
        TBlockOut out(lines, SheetKindInfo(skRazdel1).SectionCode);
        out.Roubles(10, log.DeclDan->SupposeIncome);
        out.End();
        return;
    }
    if (Present(plan, skRazdel1)) WriteRazdel1(sums, lines);
    if (Present(plan, skRazdel2)) WriteRazdel2(sums, lines);
    if (Present(plan, skRazdel3)) WriteRazdel3(sums, lines);
    if (Present(plan, skRazdel4)) WriteRazdel4(sums, lines);
    if (Present(plan, skRazdel5)) WriteRazdel5(sums, lines);
    if (Present(plan, skRazdel6)) WriteRazdel6(sums, lines);
    if (Present(plan, skPrilA9) || Present(plan, skPrilA13) || Present(plan, skPrilA30) || Present(plan, skPrilA35))
        WritePrilA(plan, sums, lines);
    if (!log.Dohody->InoValutList.Items.empty()) WritePrilB(log, sums, plan, lines);
    if (Present(plan, skPrilV)) WritePrilV(log, sums, lines);
    if (Present(plan, skPrilM)) WritePrilM(sums, lines);
    if (Present(plan, skPrilG)) WritePrilGKind(lines, "1", sums.PrilG.Records, sums.PrilG.Line100, sums.PrilG.Line110);
    if (Present(plan, skPrilG_In))
        WritePrilGKind(lines, "2", sums.PrilG_In.Records, sums.PrilG_In.Line100, sums.PrilG_In.Line110);
    if (Present(plan, skPrilD)) WritePrilD(sums, lines);
    if (Present(plan, skPrilH)) WritePrilH(sums, lines);
    if (Present(plan, skPrilJ)) WritePrilJ(sums, lines);
    if (Present(plan, skPrilK)) WritePrilK(sums, lines);
    if (Present(plan, skPrilE)) WritePrilE(log, sums, lines);
    if (Present(plan, skPrilZ)) WritePrilZ(log, sums, lines);
}
