#include "app/CheckAllError.h"

#include "model/DeclClasses.h"
#include "model/FieldRules.h"
#include "pagebase/CheckError.h"
#include "platform/Codec.h"

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Section titles as the check dialog shows them.
constexpr const char* kConditions = "Задание условий";
constexpr const char* kDeclarant = "Сведения о декларанте";
constexpr const char* kThirteen = "Доходы, облагаемые ставкой 13%";
constexpr const char* kCurrency = "Доходы в валюте";
constexpr const char* kBusiness = "Доходы от предпринимательской деятельности";
constexpr const char* kSocial = "Социальные вычеты";
constexpr const char* kStandart = "Стандартные вычеты";
constexpr const char* kProperty = "Имущественный налоговый вычет";

constexpr std::uint16_t kCancelled = 65535;

// A failed check: what the dialog shows and the item the user is sent to.
struct Failure {
    const char* title;
    const char* message;
    std::uint16_t item;
    bool skippable = false; // "Отмена" lets the declaration pass instead of cancelling
};
using Outcome = std::optional<Failure>;

// The position (from 1) of a list entry, as the list pages number their entries.
std::uint16_t Position(int index) { return static_cast<std::uint16_t>(index + 1); }

// Section 1: the initial data.
Outcome CheckConditions(const mTDeclaration& d) {
    if (d.InspectionNumber.empty()) return Failure{kConditions, "Не введен номер инспекции", 1};
    if (!d.FilerStatusFitsForm())
        return Failure{kConditions,
                       "Для декларации по форме 4-НДФЛ укажите статус декларанта: индивидуальный предприниматель, "
                       "частный нотариус или адвокат.",
                       3};
    return std::nullopt;
}

// Section 2: the person's name, taxpayer number and identity document.
Outcome CheckPersonName(const mTDeclaration& d) {
    const mTPersonInformation& p = d.Person;
    if (p.Name.SurName.empty()) return Failure{kDeclarant, "Не введена фамилия", 1};
    if (p.Name.FirstName.empty()) return Failure{kDeclarant, "Не введено имя", 2};
    if (p.Name.Patronymic.empty()) return Failure{kDeclarant, "Не введено отчество", 3};

    const std::uint16_t inn = CheckINN(p.Name.INN, 2);
    if (inn == 4) return Failure{kDeclarant, "Длинна ИНН должна быть равна 12 цифрам", 4};
    if (inn == 5) return Failure{kDeclarant, "Номер ИНН введен неверно", 4};
    const bool business = (d.IncomeKinds & ikBusiness) != 0 || d.FilerStatus == 1;
    if (business && inn == 1)
        return Failure{kDeclarant, "Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН", 4};

    if (p.Doc.DocTypeCode == 0) return Failure{kDeclarant, "Не указан документ, удостоверяющий личность", 5};
    if (p.Doc.SeriesNumber.empty())
        return Failure{kDeclarant, "Не указаны серия и номер документа, удостоверяющего личность", 6};
    if (p.Doc.IssueDate < p.Doc.BirthDate)
        return Failure{kDeclarant, "Дата выдачи документа не может быть меньше даты рождения", 7};
    if (!IssuedAtAnyAge(p.Doc.DocTypeCode) && !IssuedAfterFourteenthBirthday(p.Doc.IssueDate, p.Doc.BirthDate))
        return Failure{kDeclarant, "Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет", 7};

    if (LacksCitizenship(p)) return Failure{kDeclarant, "Не указано гражданство", 10};
    return std::nullopt;
}

// Section 3, first visit: the address.
Outcome CheckAddress(const mTDeclaration& d) {
    const mTPersonAddress& a = d.Person.Address;
    if (a.RegionCode == 0) return Failure{kDeclarant, "Не указан регион постоянного местожительства", 2};
    if (LacksSettlementAndStreet(a))
        return Failure{kDeclarant, "Не указан населенный пункт (село, поселок) или улица (проспект, переулок)", 5};
    return std::nullopt;
}

// Section 4: the 13 % sources. Each check goes through the whole list before the next one.
Outcome CheckThirteenPercent(const mTDeclaration& d) {
    if (!(d.IncomeKinds & ikRussian)) return std::nullopt;
    const int count = d.ThirteenPercentCount();
    for (int i = 0; i < count; ++i) {
        if (WithholdsMoreThanIncome(d.GetThirteenPercent(i)))
            return Failure{kThirteen, "По данному источнику выплаты общая сумма дохода меньше удержанной суммы",
                           Position(i)};
    }
    for (int i = 0; i < count; ++i)
        if (d.GetThirteenPercent(i).Lines.empty())
            return Failure{kThirteen, "По данному источнику не указаны доходы", Position(i)};
    return std::nullopt;
}

// Section 7: the incomes in foreign currency, one check at a time over the whole list.
Outcome CheckCurrencyIncomes(const mTDeclaration& d) {
    if (!(d.IncomeKinds & ikForeign)) return std::nullopt;
    const int count = d.CurrencyIncomeCount();
    for (const TCurrencyIncomeRule& rule : kCurrencyIncomeRules)
        for (int i = 0; i < count; ++i)
            if (rule.fails(d.GetCurrencyIncome(i))) return Failure{kCurrency, rule.message, Position(i)};
    return std::nullopt;
}

// Section 8: all business activities use either documented expenses or the 20 % norm.
Outcome CheckBusiness(const mTDeclaration& d) {
    if (!(d.IncomeKinds & ikBusiness)) return std::nullopt;
    const int count = d.BusinessIncomeCount();
    if (count == 0) return std::nullopt;
    for (int i = 1; i < count; ++i)
        if (MixesExpenseKinds(d.GetBusinessIncome(0), d.GetBusinessIncome(i)))
            return Failure{kBusiness, "Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%.",
                           Position(i)};
    return std::nullopt;
}

// Section 9: the social and standard deductions.
Outcome CheckDeductions(const mTDeclaration& d) {
    if (d.IncomeKinds == 0) return std::nullopt;
    if (SocialDeductWithoutData(d.SocialDeduct))
        return Failure{kSocial, "Не введены данные по социальным налоговым вычетам", 1};

    const mTStandartDeduct& standart = d.StandartDeduct;
    if (standart.Granting && !standart.Zayava && !(d.IncomeKinds & ikBusiness) && (d.IncomeKinds & ikRussian)) {
        // Without a recalculation the standard deductions may come from one employer a month.
        std::uint16_t seen = 0;
        const int count = d.ThirteenPercentCount();
        for (int i = 0; i < count; ++i) {
            const std::uint16_t months = d.GetThirteenPercent(i).MonthSet & 0x0FFF;
            if (seen & months)
                return Failure{kStandart,
                               "Вы не могли получать стандартные вычеты работая в нескольких местах ОДНОВРЕМЕННО. "
                               "Напишите заявление на перерасчет.",
                               2};
            seen |= months;
        }
    }
    return std::nullopt;
}

// Section 10: the property deduction.
Outcome CheckProperty(const mTDeclaration& d) {
    const mTConstructionDeduct& c = d.ConstructionDeduct;
    if (d.IncomeKinds == 0 || !c.Granting) return std::nullopt;
    if (IsBlank(c.ObjectName)) return Failure{kProperty, "Не введено наименование объекта", 1};
    if (IsBlank(c.PostIndex)) return Failure{kProperty, "Не введен почтовый индекс", 2};
    if (RegisteredBeforePurchase(c))
        return Failure{kProperty,
                       "Дата регистрации прав собственности меньше даты приобретения (даты начала строительства)", 4};

    if (PurchasedAfterFirstYear(c))
        return Failure{kProperty, "Год начала пользования льготой меньше даты приобретения (даты начала строительства)",
                       5};

    // The deduction is limited to 1,000,000 roubles (times the owner's share); amounts compared exactly.
    constexpr std::int64_t limit = 1'000'000;
    if (c.ChargeEarlierYears > Currency::FromInt(limit))
        return Failure{kProperty, "В предыдущие отчетные годы не могли зачесть более 1000000 рублей", 8};
    const __int128 charged = static_cast<__int128>(c.ChargeEarlierYears.Raw()) + c.ChargeCarriedOver.Raw();
    const __int128 shareLimit = static_cast<__int128>(limit) * c.Share.Raw(); // 1,000,000 x Share, in 1/10000
    if (charged > shareLimit)
        return Failure{kProperty,
                       "Перейти с прошлого года может не более 1000000 рублей * долю собственности (за вычетом уже "
                       "зачтеных сумм)",
                       6};
    return std::nullopt;
}

// Section 3, second visit: the OKATO code of the residence, required with business income and
// optional (the user may skip it) for a 3-NDFL declaration without.
Outcome CheckOkato(const mTDeclaration& d) {
    const bool complete = codec::CharCount(Trimmed(d.Person.Address.OKATO)) >= 11;
    if (d.IncomeKinds & ikBusiness) {
        if (!complete)
            return Failure{kDeclarant,
                           "Не введен код ОКАТО(11 символов) муниципального образования по месту жительства.", 4};
    } else if (d.DeclarationKind != 2 && !complete) {
        return Failure{kDeclarant,
                       "Не введен код ОКАТО(11 симв.) по месту жительства. Можно пропустить(отмена). Если в результате "
                       "расчета возникнет обязанность по уплате налога в бюджет, то с целью заполнения раздела 1, "
                       "укажите код ОКАТО муниципального образования по месту жительства.",
                       4, true};
    }
    return std::nullopt;
}

struct Section {
    std::uint16_t number;
    Outcome (*check)(const mTDeclaration&);
};

// The sections in the order they are checked; section 3 is visited twice.
constexpr Section kSections[] = {
    {1, CheckConditions},      {2, CheckPersonName}, {3, CheckAddress},    {4, CheckThirteenPercent},
    {7, CheckCurrencyIncomes}, {8, CheckBusiness},   {9, CheckDeductions}, {10, CheckProperty},
    {3, CheckOkato},
};

} // namespace

std::uint32_t RunCheckAll(const mTDeclaration& document, QWidget* owner) {
    TfmCheckAllError dialog(owner);
    std::uint16_t section = 0;
    std::uint16_t item = 0;
    for (const Section& s : kSections) {
        section = s.number;
        const Outcome failure = s.check(document);
        if (!failure) continue;
        dialog.SetSection(QString::fromUtf8(failure->title));
        dialog.SetMessage(QString::fromUtf8(failure->message));
        if (dialog.exec() == crFix)
            item = failure->item;
        else if (!failure->skippable)
            item = kCancelled;
        break; // the first failure ends the check, whatever the answer
    }
    return static_cast<std::uint32_t>(item) << 16 | section;
}
