// Helpers of the report library's tests: a declaration built through the main program's model,
// handed over as the block the program writes, read into the report-side model and calculated.
#pragma once

#include "model/DeclClasses.h"
#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace reporttest {

inline std::vector<std::uint8_t> Block(const mTDeclaration& d) {
    const std::uint32_t size = d.GetDocumentSize();
    auto loader = mTFileLoader::CreateInMemory(size);
    d.SaveDocument(*loader);
    return std::vector<std::uint8_t>(loader->View, loader->View + size);
}

inline std::unique_ptr<kTDanLog> Read(const mTDeclaration& d, bool noDate = false) {
    const auto block = Block(d);
    return ReadDanLog(block.data(), noDate);
}

struct Computed {
    std::unique_ptr<kTDanLog> log;
    std::unique_ptr<kTSvodSum> sums;
    TPagePlan plan; // made by the tests that plan the pages
};

// Reads the declaration and runs the whole calculation pipeline.
inline Computed Compute(const mTDeclaration& d) {
    Computed c;
    c.log = Read(d);
    c.sums = std::make_unique<kTSvodSum>();
    c.sums->Calculate(*c.log);
    return c;
}

// The 22 figures of sheet Ж in line order; the sum object keeps line 040 before line 030.
inline constexpr Currency kTSvodSumPrilH::*kSheetHLines[] = {
        &kTSvodSumPrilH::Line010, &kTSvodSumPrilH::Line020, &kTSvodSumPrilH::Line030, &kTSvodSumPrilH::Line040,
        &kTSvodSumPrilH::Line050, &kTSvodSumPrilH::Line060, &kTSvodSumPrilH::Line070, &kTSvodSumPrilH::Line080,
        &kTSvodSumPrilH::Line090, &kTSvodSumPrilH::Line100, &kTSvodSumPrilH::Line110, &kTSvodSumPrilH::Line120,
        &kTSvodSumPrilH::Line130, &kTSvodSumPrilH::Line140, &kTSvodSumPrilH::Line150, &kTSvodSumPrilH::Line160,
        &kTSvodSumPrilH::Line170, &kTSvodSumPrilH::Line180, &kTSvodSumPrilH::Line190, &kTSvodSumPrilH::Line200,
        &kTSvodSumPrilH::Line210, &kTSvodSumPrilH::Line220};

inline Currency Rub(double v) { return Currency::FromRaw(static_cast<std::int64_t>(v * 10000 + (v < 0 ? -0.5 : 0.5))); }

// A 13 % income line.
inline std::unique_ptr<mTSourseIncome> Line(std::int32_t incomeCode, double sum, std::int32_t deductCode = 0,
                                            double deduct = 0, std::uint16_t month = 1) {
    auto l = std::make_unique<mTSourseIncome>();
    l->IncomeCode = incomeCode;
    l->IncomeSum = Rub(sum);
    l->DeductCode = deductCode;
    l->DeductSum = Rub(deduct);
    l->Month = month;
    return l;
}

// A resident with one 13 % source in each of three territories: section 6 gets three refund entries.
inline void ThreeTerritories(mTDeclaration& d) {
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    for (const char* okato : {"11111111111", "22222222222", "33333333333"}) {
        auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
        s.OKATO = okato;
        s.HoldSum = Rub(5000);
        s.AddSourseIncome(Line(2000, 10000));
    }
}

// A non-resident with refunds in sections 2 and 4, the filer in territory "45000000000": each 13 %
// source (income at 30 %) withholds 3500 of the 3000 due on its 10000, each dividend source 150 of
// the 90 due on its 1000; the sources' territory codes are given in list order.
inline void RefundsOfSectionsTwoAndFour(mTDeclaration& d, const std::vector<std::string>& thirteen,
                                        const std::vector<std::string>& dividends) {
    d.DeclarationKind = 1;
    d.SetIncomeKinds(ikRussian);
    d.Person.Address.OKATO = "45000000000";
    for (const std::string& okato : thirteen) {
        auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
        s.OKATO = okato;
        s.HoldSum = Rub(3500);
        s.AddSourseIncome(Line(2000, 10000));
    }
    for (const std::string& okato : dividends) {
        auto& s = d.GetThirtyPercent(d.AddThirtyPercent());
        s.OKATO = okato;
        s.ItogIncomeSum = Rub(1000);
        s.Obl = Rub(1000);
        s.TaxIsch = Rub(90);
        s.HoldSum = Rub(150);
    }
}

} // namespace reporttest
