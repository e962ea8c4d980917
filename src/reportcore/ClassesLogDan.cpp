#include "reportcore/ClassesLogDan.h"

#include "storage/StgClasses.h"
#include "storage/StreamDef.h"

#include <cmath>

// =============================================================================================
// Rounding and formatting

std::int64_t RoundHalfUp(double x) {
    if (!std::isfinite(x)) return 0;
    const double t = std::trunc(x);
    return static_cast<std::int64_t>(t) + (x - t >= 0.5 ? 1 : 0);
}

Currency RoundedTax(Currency amount, long double rate) {
    return Currency::FromInt(RoundHalfUp(static_cast<double>(amount.ToExtended() * rate)));
}

namespace {

// The first two decimals of an amount (kopecks cut, never rounded), of its absolute value.
std::string KopeckDigits(Currency amount) {
    std::int64_t frac = amount.Raw() % 10000;
    if (frac < 0) frac = -frac;
    const int kop = static_cast<int>(frac / 100);
    return std::string{static_cast<char>('0' + kop / 10), static_cast<char>('0' + kop % 10)};
}

std::string WholeRoubles(Currency amount) {
    std::int64_t r = amount.Raw() / 10000;
    if (r < 0) r = -r;
    return std::to_string(r);
}

} // namespace

std::string FormatSumCell(bool withKopecks, int width, Currency amount) {
    std::string s;
    if (!amount.IsZero()) {
        s = WholeRoubles(amount);
        if (withKopecks) s += KopeckDigits(amount);
    }
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}

std::string FormatTaxAmount(bool withKopecks, Currency amount) {
    if (!withKopecks) amount = Currency::FromInt(RoundHalfUpRoubles(amount));
    std::string s = (amount.Raw() < 0 ? "-" : "") + WholeRoubles(amount);
    if (withKopecks) s += "." + KopeckDigits(amount);
    if (s.size() > (withKopecks ? 15u : 12u)) return {};
    return s;
}

std::string FormatTaxFloat(double x) {
    std::string s = FloatToStr(x, '.');
    if (s.size() > 15) s.resize(15);
    return s;
}

std::string CommasToBlanks(std::string s) {
    std::size_t comma;
    while ((comma = s.find(',')) != std::string::npos) {
        s[comma] = ' ';
        std::size_t b = 0, e = s.size();
        while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
        while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
        s = s.substr(b, e - b);
    }
    return s;
}

// =============================================================================================
// Reading the model

namespace {

bool IsBlank(const std::string& s) {
    for (char c : s)
        if (c != ' ') return false;
    return true;
}

std::string OrDefault(std::string s, const char* blank) { return IsBlank(s) ? std::string(blank) : s; }

std::string Trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.substr(b, e - b);
}

// Runs a reader; a storage error leaving it carries the place code of the part being read.
template <class F>
auto Placed(std::uint16_t place, F&& read) {
    try {
        return read();
    } catch (mEPrivBase& e) {
        e.PlaceCode = place;
        throw;
    }
}

bool IsSecuritiesIncome(std::int32_t code) { return code >= 1530 && code <= 1539; }

// Rounds raw x mul / div to an integer, an exact half to the even value.
std::int64_t MulDivHalfEven(std::int64_t raw, std::int64_t mul, std::int64_t div) {
    const __int128 n = static_cast<__int128>(raw) * mul;
    __int128 q = n / div, r = n % div;
    if (r < 0) {
        r += div;
        --q;
    }
    if (2 * r > div || (2 * r == div && (q & 1))) ++q;
    return static_cast<std::int64_t>(q);
}

} // namespace

kTPersonDan::kTPersonDan(mTDocumentStorage& S) {
    Placed(371, [&] {
        S.OpenStream(streams::PersonName);
        SurName = OrDefault(S.ReadString(), " ");
        FirstName = OrDefault(S.ReadString(), " ");
        Patronymic = OrDefault(S.ReadString(), " ");
        INN = OrDefault(S.ReadString(), " ");
        StrSv = OrDefault(S.ReadString(), " ");
        Pol = S.ReadString();

        S.OpenStream(streams::PersonDocument);
        DocTypeCode = S.ReadWord();
        DocTypeName = OrDefault(S.ReadString(), " ");
        Serial = OrDefault(S.ReadString(), " ");
        RegDate = S.ReadDateTime();
        BirthDate = S.ReadDateTime();
        Kem = S.ReadString();
        Mesto = S.ReadString();
        IsForeigner = S.ReadByte() != 0;

        if (IsForeigner) {
            try {
                S.OpenStream(streams::Foreigner);
                Inostr.InnerDays = S.ReadString();
                Inostr.Citizenship = S.ReadString();
                Inostr.AddressAbroad = S.ReadString();
                Inostr.CountryCode = S.ReadString();
                S.OpenStream(streams::PhoneForeignerHome);
                Inostr.HomeCode = S.ReadString();
                Inostr.HomePhone = S.ReadString();
                S.OpenStream(streams::PhoneForeignerWork);
                Inostr.WorkCode = S.ReadString();
                Inostr.WorkPhone = S.ReadString();
            } catch (const mEOpenStream&) {
            }
        }

        S.OpenStream(streams::PersonAddress);
        AddressOfStay = S.ReadByte() != 0;
        PostIndex = OrDefault(S.ReadString(), "      ");
        RegionCode = S.ReadWord();
        RegionName = S.ReadString();
        for (std::string* t : {&District, &City, &Area, &Street, &House, &Building, &Flat, &OKATO}) *t = OrDefault(S.ReadString(), " ");

        S.OpenStream(streams::HomePhone);
        HomeCode = Trimmed(S.ReadString());
        HomePhone = Trimmed(S.ReadString());
        S.OpenStream(streams::WorkPhone);
        WorkCode = Trimmed(S.ReadString());
        WorkPhone = Trimmed(S.ReadString());
        return 0;
    });
}

kTDeclDan::kTDeclDan(mTDocumentStorage& S) {
    S.OpenStream(streams::DeclInfo);
    InspectionNumber = S.ReadString();
    InspectionName = S.ReadString();
    Primary = S.ReadByte() != 0;
    CorrectionNumber = S.ReadInteger();
    FilingDate = S.ReadDateTime();
    FilingMethod = static_cast<std::uint8_t>(S.ReadWord());
    FilerStatus = static_cast<std::uint8_t>(S.ReadWord());
    DeclarationKind = static_cast<std::uint8_t>(S.ReadWord());
    IncomeKinds = static_cast<std::uint8_t>(S.ReadWord());
    AutoCalculateApp = S.ReadByte() != 0;
    Appendixes = static_cast<std::uint16_t>(S.ReadInteger());
    // Stored in the order B, V, G, D, E, Z, K, L, M of the main program's counts.
    AppB = S.ReadInteger();
    AppV = S.ReadInteger();
    AppG = S.ReadInteger();
    AppD = S.ReadInteger();
    AppE = S.ReadInteger();
    AppZ = S.ReadInteger();
    AppK = S.ReadInteger();
    AppL = S.ReadInteger();
    AppM = S.ReadInteger();
    OGRNIP = S.ReadString();
    SupposeIncome = S.ReadCurrency();
}

kThirteenDoh::kThirteenDoh(mTDocumentStorage& S, std::int32_t index) {
    Placed(372, [&] {
        S.OpenStream(streams::Indexed(streams::ThirteenPercent, index));
        PrimaryWorkplase = S.ReadByte() != 0;
        INN = S.ReadString();
        KPP = S.ReadString();
        OKATO = S.ReadString();
        SourseName = S.ReadString();
        HoldSum = S.ReadCurrency();
        Obl = S.ReadCurrency();
        TaxIsch = S.ReadCurrency();
        for (int m = 0; m < 12; ++m) {
            const Currency v = S.ReadCurrency();
            MonthPresent[m] = v != Currency::FromInt(-1);
            MonthSum[m] = MonthPresent[m] ? v : Currency();
        }
        // The count is not trusted: a line exists once its own stream has been read.
        const std::int32_t count = S.ReadInteger();
        for (std::int32_t j = 0; j < count; ++j) {
            S.OpenStream(streams::Indexed(streams::SourseIncome, index, j));
            kTSpisVidDoh L;
            L.IncomeCode = S.ReadInteger();
            L.IncomeName = S.ReadString();
            L.IncomeSum = S.ReadCurrency();
            L.DeductCode = S.ReadInteger();
            L.DeductSum = S.ReadCurrency();
            L.DeductNorm = S.ReadInteger();
            L.Month = S.ReadWord();
            Lines.push_back(std::move(L));
        }
        LineCount = static_cast<std::int32_t>(Lines.size());
        return 0;
    });
}

kTThirtyFiveDoh::kTThirtyFiveDoh(mTDocumentStorage& S, std::int32_t index) {
    Placed(374, [&] {
        S.OpenStream(streams::Indexed(streams::ThirtyFivePercent, index));
        IncomeCode = static_cast<std::uint16_t>(S.ReadInteger());
        INN = S.ReadString();
        KPP = S.ReadString();
        OKATO = S.ReadString();
        SourseName = S.ReadString();
        ItogIncomeSum = S.ReadCurrency();
        DeductCode = static_cast<std::uint16_t>(S.ReadInteger());
        DeductSum = S.ReadCurrency();
        HoldSum = S.ReadCurrency();
        return 0;
    });
    Obl = ItogIncomeSum - DeductSum;
    TaxIsch = Currency::FromInt(RoundHalfUp(static_cast<double>(Obl.ToExtended() * 35 / 100)));
}

kTThirtyDoh::kTThirtyDoh(mTDocumentStorage& S, std::int32_t index) {
    Placed(376, [&] {
        S.OpenStream(streams::Indexed(streams::ThirtyPercent, index));
        S.ReadInteger(); // the income code, not kept
        INN = S.ReadString();
        KPP = S.ReadString();
        OKATO = S.ReadString();
        SourseName = S.ReadString();
        ItogIncomeSum = S.ReadCurrency();
        TaxIsch = S.ReadCurrency();
        Obl = S.ReadCurrency();
        HoldSum = S.ReadCurrency();
        return 0;
    });
}

kTInoValutDoh::kTInoValutDoh(mTDocumentStorage& S, std::int32_t index) {
    Placed(378, [&] {
        S.OpenStream(streams::Indexed(streams::CurrencyIncome, index));
        Stav = S.ReadInteger();
        IncomeCode = S.ReadInteger();
        IncomeName = S.ReadString();
        SourseName = S.ReadString();
        CountryCode = S.ReadString();
        IncomeDate = S.ReadDateTime();
        TaxDate = S.ReadDateTime();
        AutoExchange = S.ReadByte() != 0;
        CurrencyCode = S.ReadString();
        IncomeRate = S.ReadCurrency();
        IncomeUnits = S.ReadInteger();
        if (IncomeUnits == 0) IncomeUnits = 1;
        TaxRate = S.ReadCurrency();
        TaxUnits = S.ReadInteger();
        if (TaxUnits == 0) TaxUnits = 1;
        CurrencyName = S.ReadString();
        IncomeCur = S.ReadCurrency();
        IncomeRub = S.ReadCurrency();
        TaxCur = S.ReadCurrency();
        TaxRub = S.ReadCurrency();
        DeductCode = S.ReadInteger();
        DeductSum = S.ReadCurrency();
        if (!IsSecuritiesIncome(IncomeCode) && DeductSum > IncomeRub) DeductSum = IncomeRub;
        AppliedDeduct = DeductSum;
        TaxDue = Currency::FromRaw(MulDivHalfEven((IncomeRub - AppliedDeduct).Raw(), Stav, 100));
        TaxCredit = TaxDue < TaxRub ? TaxDue : TaxRub;
        DeductNorm = S.ReadInteger();
        return 0;
    });
}

kTPredprinimDeyatDoh::kTPredprinimDeyatDoh(mTDocumentStorage& S, std::int32_t index) {
    Placed(380, [&] {
        S.OpenStream(streams::Indexed(streams::BusinessIncome, index));
        Name = S.ReadString();
        Code = S.ReadString();
        IncomeByMonth = S.ReadByte() != 0;
        if (IncomeByMonth) {
            IncomeMonths = S.ReadWord();
            for (Currency& c : MonthIncome) {
                c = S.ReadCurrency();
                TotalIncome += c;
            }
        } else {
            TotalIncome = S.ReadCurrency();
        }
        ConfirmedExpenses = S.ReadByte() != 0;
        auto readRecord = [&S](kTExpenseRecord& r) {
            r.Mat = S.ReadCurrency();
            r.Amortization = S.ReadCurrency();
            r.WorkPay = S.ReadCurrency();
            r.Other = S.ReadCurrency();
        };
        if (ConfirmedExpenses) {
            ExpenseByMonth = S.ReadByte() != 0;
            if (ExpenseByMonth) {
                ExpenseMonths = S.ReadWord();
                for (int m = 0; m < 12; ++m) {
                    S.OpenStream(streams::Indexed(streams::BusinessExpense, index, m));
                    readRecord(MonthExpense[m]);
                    ExpenseTotals.Mat += MonthExpense[m].Mat;
                    ExpenseTotals.Amortization += MonthExpense[m].Amortization;
                    ExpenseTotals.WorkPay += MonthExpense[m].WorkPay;
                    ExpenseTotals.Other += MonthExpense[m].Other;
                }
            } else {
                S.OpenStream(streams::Indexed(streams::BusinessExpense, index));
                readRecord(PeriodExpense);
                ExpenseTotals = PeriodExpense;
            }
        }
        ResultExpense = S.ReadCurrency();
        PeriodExpense.Total = ResultExpense;
        return 0;
    });
}

namespace {

template <class List, class Item>
void ReadList(mTDocumentStorage& S, List& list) {
    list.Count = S.ReadWord();
    for (std::int32_t i = 0; i < list.Count; ++i) list.Items.emplace_back(S, i);
}

} // namespace

kTDohody::kTDohody(mTDocumentStorage& S, std::uint8_t kinds) {
    if (kinds & 1) {
        S.OpenStream(streams::DeclInquiry);
        ReadList<kTThirteenList, kThirteenDoh>(S, ThirteenList);
        ReadList<kTThirtyFiveList, kTThirtyFiveDoh>(S, ThirtyFiveList);
        ReadList<kTThirtyList, kTThirtyDoh>(S, ThirtyList);
    }
    if (kinds & 2) {
        S.OpenStream(streams::DeclForeign);
        ReadList<kTInoValutList, kTInoValutDoh>(S, InoValutList);
        for (const kTInoValutDoh& d : InoValutList.Items) {
            if (d.Stav == 13) ++InoValutList.Count13;
            if (d.Stav == 9) ++InoValutList.Count9;
            if (d.Stav == 35) ++InoValutList.Count35;
        }
    }
    if (kinds & 4) {
        S.OpenStream(streams::DeclBusiness);
        auto& biz = PredprinimDeyatList;
        ReadList<kTPredprinimDeyatList, kTPredprinimDeyatDoh>(S, biz);
        for (const kTPredprinimDeyatDoh& a : biz.Items) biz.MonthSet |= a.IncomeMonths | a.ExpenseMonths;
        biz.ActualPrepayment = S.ReadCurrency();
        biz.SupposeIncome = S.ReadCurrency();
        biz.SupVich = S.ReadCurrency();
        biz.NachPrepayment = S.ReadCurrency();
        biz.OGRNIP = S.ReadString();
    }
}

kTStandartVych::kTStandartVych(mTDocumentStorage& S) {
    Placed(382, [&] {
        S.OpenStream(streams::StandartDeduct);
        Granting = S.ReadByte() != 0;
        if (!Granting) return 0;
        Code = S.ReadInteger();
        ChildKind = S.ReadInteger();
        ChildConst = S.ReadByte() != 0;
        if (ChildConst)
            ChildCount = S.ReadInteger();
        else
            for (std::int32_t& n : ChildMonth) n = S.ReadInteger();
        InvalidConst = S.ReadByte() != 0;
        if (InvalidConst)
            InvalidCount = S.ReadInteger();
        else
            for (std::int32_t& n : InvalidMonth) n = S.ReadInteger();
        // Earlier documents end the stream here; a flag that cannot be read is off.
        auto guarded = [&S]() {
            const std::uint32_t at = S.Cursor;
            try {
                return S.ReadByte() != 0;
            } catch (...) {
                S.Cursor = at;
                return false;
            }
        };
        Zayava = guarded();
        if (Zayava)
            for (Currency& c : ZayavaSum) c = S.ReadCurrency();
        Combination = guarded();
        if (Combination)
            for (std::int32_t& c : MonthCombination) c = S.ReadInteger();
        if (Code == 110 && !Combination) Code = 103;
        return 0;
    });
}

kTSocialVych::kTSocialVych(mTDocumentStorage& S) {
    Placed(384, [&] {
        S.OpenStream(streams::SocialDeduct);
        Granting = S.ReadByte() != 0;
        if (!Granting) return 0;
        Charity = S.ReadCurrency();
        SelfEducation = S.ReadCurrency();
        ChildEduCount = S.ReadInteger();
        for (std::int32_t i = 0; i < ChildEduCount; ++i) ChildEduSums.push_back(S.ReadCurrency());
        Medical = S.ReadCurrency();
        ExpensiveMedical = S.ReadCurrency();
        return 0;
    });
}

kTStroitVych::kTStroitVych() {
    for (std::string* t : {&District, &City, &Area, &Street, &House, &Building, &Flat}) *t = " ";
}

kTStroitVych::kTStroitVych(mTDocumentStorage& S) {
    Placed(386, [&] {
        S.OpenStream(streams::ConstructionDeduct);
        Granting = S.ReadByte() != 0;
        if (!Granting) return 0;
        for (std::string* t : {&ObjectName, &PostIndex, &RegionCode, &RegionName, &District, &City, &Area, &Street, &House,
                               &Building, &Flat})
            *t = S.ReadString();
        RegDate = S.ReadDateTime();
        BuyDate = S.ReadDateTime();
        StartYear = S.ReadDateTime();
        TransferringChargeSum = S.ReadCurrency();
        TransferringCreditSum = S.ReadCurrency();
        PostYears = S.ReadCurrency();
        PostYearsIp = S.ReadCurrency();
        const Currency share = S.ReadCurrency();
        PostYearsNA = S.ReadCurrency();
        PostYearsIpNA = S.ReadCurrency();
        ObschSum = S.ReadCurrency();
        ObschIpSum = S.ReadCurrency();
        VychNA = S.ReadCurrency();
        VychIpNA = S.ReadCurrency();
        // A third or two thirds entered to four places stand for the exact fraction.
        const std::int64_t r = share.Raw();
        if (r == 3333 || r == 3334)
            Share = 0.33333333L;
        else if (r == 6666 || r == 6667)
            Share = 0.66666667L;
        else
            Share = share.ToExtended();
        return 0;
    });
}

kTVychety::kTVychety(mTDocumentStorage& S, std::uint8_t kinds) {
    if (kinds == 0) return;
    StandartVych = kTStandartVych(S);
    SocialVych = kTSocialVych(S);
    StroitVych = kTStroitVych(S);
}

kTDanLog::kTDanLog(mTDocumentStorage& S, bool noDate) : PrintDate(!noDate) {
    // "@DeclInfo" is written before the person's streams and is read in that order.
    DeclDan = std::make_unique<kTDeclDan>(S);
    PersonDan = std::make_unique<kTPersonDan>(S);
    Dohody = std::make_unique<kTDohody>(S, DeclDan->IncomeKinds);
    Vychety = std::make_unique<kTVychety>(S, DeclDan->IncomeKinds);
    S.OpenStream(streams::Nalog);
    const int n = S.ReadWord();
    for (int i = 0; i < n; ++i) {
        S.OpenStream(streams::Indexed(streams::NalogSub, i));
        mbTNalog t;
        t.Note = S.ReadString();
        t.KBK = S.ReadString();
        t.Sum = S.ReadCurrency();
        Nalog.push_back(std::move(t));
    }
}

std::unique_ptr<kTDanLog> ReadDanLog(const std::uint8_t* block, bool noDate) {
    mTDocumentStorage storage;
    storage.OpenBlock(block);
    return std::make_unique<kTDanLog>(storage, noDate);
}

bool kTDanLog::operator==(const kTDanLog& o) const {
    return PrintDate == o.PrintDate && *DeclDan == *o.DeclDan && *PersonDan == *o.PersonDan && *Dohody == *o.Dohody &&
           *Vychety == *o.Vychety && Nalog == o.Nalog;
}

TCitizenship CitizenshipOf(const kTPersonDan& person) {
    const kTInostr& f = person.Inostr;
    return {f.Citizenship.empty() ? "Россия" : f.Citizenship, f.CountryCode.empty() ? "643" : f.CountryCode};
}
