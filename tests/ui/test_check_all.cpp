#include "UiTestUtil.h"
#include "CompleteDecl.h"
#include "app/CheckAllError.h"
#include "model/DeclClasses.h"
#include "pagebase/CheckError.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>

using uitest::Click;
using uitest::CloseBox;
using uitest::ModalAnswerer;

namespace {

using Mutation = std::function<void(mTDeclaration&)>;

constexpr std::uint32_t Result(std::uint32_t section, std::uint32_t item) { return item << 16 | section; }
constexpr std::uint32_t kPassed = Result(3, 0);

using namespace checkfixture;

// Without business income, so that the standard deductions and the optional OKATO code are checked.
void NoBusiness(mTDeclaration& d) { d.SetIncomeKinds(ikRussian | ikForeign); }

// Form 4-NDFL filed with the given status.
Mutation Form4Status(std::uint8_t status) {
    return [status](mTDeclaration& d) {
        d.DeclarationKind = 2;
        d.FilerStatus = status;
    };
}

struct Shown {
    std::uint32_t result = 0;
    int dialogs = 0;
    QString title;
    QString message;
};

// Runs the check on a complete declaration changed by `mutate`, answering a failure with `answer`.
Shown RunOn(const Mutation& mutate, ModalAnswerer::Answer answer) {
    mTDeclaration d;
    MakeComplete(d);
    if (mutate) mutate(d);
    Shown shown;
    ModalAnswerer answerer({[&](QDialog* dlg) {
        ++shown.dialogs;
        auto* check = qobject_cast<TfmCheckAllError*>(dlg);
        EXPECT_NE(check, nullptr);
        if (check) {
            shown.title = check->windowTitle();
            shown.message = check->Message();
        }
        answer(dlg);
    }});
    shown.result = RunCheckAll(d, nullptr);
    return shown;
}

const char* const kOkatoOptional =
    "Не введен код ОКАТО(11 симв.) по месту жительства. Можно пропустить(отмена). Если в результате расчета возникнет "
    "обязанность по уплате налога в бюджет, то с целью заполнения раздела 1, укажите код ОКАТО муниципального "
    "образования по месту жительства.";
const char* const kOkatoRequired = "Не введен код ОКАТО(11 символов) муниципального образования по месту жительства.";
const char* const kForm4Status =
    "Для декларации по форме 4-НДФЛ укажите статус декларанта: индивидуальный предприниматель, частный нотариус или "
    "адвокат.";
const char* const kTooYoung = "Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет";

} // namespace

TEST(CheckAll, CompleteDeclarationPassesWithoutDialog) {
    const Shown shown = RunOn(nullptr, Click("Button2"));
    EXPECT_EQ(shown.dialogs, 0);
    EXPECT_EQ(shown.result, kPassed);
}

TEST(CheckAll, NewDeclarationStopsAtTheInspection) {
    struct Case {
        const char* what;
        ModalAnswerer::Answer answer;
        std::uint32_t result;
    } cases[] = {
        {"fix", Click("Button1"), Result(1, 1)},
        {"cancel", Click("Button2"), Result(1, 65535)},
        {"close box", CloseBox(), Result(1, 65535)},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        mTDeclaration d;
        QString title, message;
        ModalAnswerer answerer({[&](QDialog* dlg) {
            title = dlg->windowTitle();
            message = qobject_cast<TfmCheckAllError*>(dlg)->Message();
            c.answer(dlg);
        }});
        EXPECT_EQ(RunCheckAll(d, nullptr), c.result);
        EXPECT_EQ(answerer.Answered(), 1);
        EXPECT_EQ(title, QString::fromUtf8("Проверка: Задание условий"));
        EXPECT_EQ(message, QString::fromUtf8("Не введен номер инспекции"));
    }
}

// Each row breaks one thing in the complete declaration; the first failing check is reported,
// "Исправить" sends the user to its section and item, "Отмена" cancels (or passes, for the optional
// OKATO code).
TEST(CheckAll, FirstFailureIsReported) {
    struct Case {
        const char* what;
        Mutation mutate;
        const char* title;
        const char* message;
        std::uint32_t section;
        std::uint32_t item;
        bool skippable = false;
    } cases[] = {
        {"1 inspection", [](mTDeclaration& d) { d.InspectionNumber.clear(); }, "Задание условий",
         "Не введен номер инспекции", 1, 1},
        {"1 4-NDFL of an individual with income from tax agents", Form4Status(0), "Задание условий", kForm4Status, 1, 3},
        {"1 4-NDFL of a foreign individual", Form4Status(4), "Задание условий", kForm4Status, 1, 3},
        {"1 4-NDFL of another individual", Form4Status(5), "Задание условий", kForm4Status, 1, 3},
        {"1 4-NDFL of a status no page offers", Form4Status(6), "Задание условий", kForm4Status, 1, 3},
        {"2 surname", [](mTDeclaration& d) { d.Person.Name.SurName.clear(); }, "Сведения о декларанте",
         "Не введена фамилия", 2, 1},
        {"3 first name", [](mTDeclaration& d) { d.Person.Name.FirstName.clear(); }, "Сведения о декларанте",
         "Не введено имя", 2, 2},
        {"4 patronymic", [](mTDeclaration& d) { d.Person.Name.Patronymic.clear(); }, "Сведения о декларанте",
         "Не введено отчество", 2, 3},
        {"5 INN length", [](mTDeclaration& d) { d.Person.Name.INN = "7707083893"; }, "Сведения о декларанте",
         "Длинна ИНН должна быть равна 12 цифрам", 2, 4},
        {"5 INN check digit", [](mTDeclaration& d) { d.Person.Name.INN = "500100732258"; }, "Сведения о декларанте",
         "Номер ИНН введен неверно", 2, 4},
        {"6 no INN with business income", [](mTDeclaration& d) { d.Person.Name.INN.clear(); }, "Сведения о декларанте",
         "Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН", 2, 4},
        {"6 no INN for an entrepreneur",
         [](mTDeclaration& d) {
             NoBusiness(d);
             d.FilerStatus = 1;
             d.Person.Name.INN.clear();
         },
         "Сведения о декларанте", "Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН", 2, 4},
        {"7 no document", [](mTDeclaration& d) { d.Person.Doc.DocTypeCode = 0; }, "Сведения о декларанте",
         "Не указан документ, удостоверяющий личность", 2, 5},
        {"8 no series and number", [](mTDeclaration& d) { d.Person.Doc.SeriesNumber.clear(); }, "Сведения о декларанте",
         "Не указаны серия и номер документа, удостоверяющего личность", 2, 6},
        {"9 issued before birth, birth certificate too",
         [](mTDeclaration& d) {
             d.Person.Doc.DocTypeCode = 3;
             d.Person.Doc.IssueDate = d.Person.Doc.BirthDate - 1;
         },
         "Сведения о декларанте", "Дата выдачи документа не может быть меньше даты рождения", 2, 7},
        {"10 issued on the fourteenth birthday", [](mTDeclaration& d) { d.Person.Doc.IssueDate = Date(15, 5, 1984); },
         "Сведения о декларанте", kTooYoung, 2, 7},
        {"10 born on 29 February",
         [](mTDeclaration& d) {
             d.Person.Doc.BirthDate = Date(29, 2, 1988);
             d.Person.Doc.IssueDate = Date(28, 2, 2002);
         },
         "Сведения о декларанте", kTooYoung, 2, 7},
        {"11 citizenship",
         [](mTDeclaration& d) {
             d.Person.IsForeigner = 1;
             d.Person.Foreigner.Citizenship.clear();
         },
         "Сведения о декларанте", "Не указано гражданство", 2, 10},
        {"12 region", [](mTDeclaration& d) { d.Person.Address.RegionCode = 0; }, "Сведения о декларанте",
         "Не указан регион постоянного местожительства", 3, 2},
        {"13 settlement and street",
         [](mTDeclaration& d) {
             d.Person.Address.Settlement.clear();
             d.Person.Address.Street.clear();
         },
         "Сведения о декларанте", "Не указан населенный пункт (село, поселок) или улица (проспект, переулок)", 3, 5},
        {"14 before 15: second source withholds more, first has no lines",
         [](mTDeclaration& d) {
             d.GetThirteenPercent(0).Lines.clear();
             mTThirteenPercent& s = d.GetThirteenPercent(1);
             s.HoldSum = s.ItogIncomeSum + Money(0, 1);
         },
         "Доходы, облагаемые ставкой 13%", "По данному источнику выплаты общая сумма дохода меньше удержанной суммы", 4, 2},
        {"15 no income lines", [](mTDeclaration& d) { d.GetThirteenPercent(1).Lines.clear(); },
         "Доходы, облагаемые ставкой 13%", "По данному источнику не указаны доходы", 4, 2},
        {"16 before 17: third has no currency code, first no rate",
         [](mTDeclaration& d) {
             AddCurrencyIncome(d);
             AddCurrencyIncome(d).CurrencyCode.clear();
             d.GetCurrencyIncome(0).Rate1 = Currency();
         },
         "Доходы в валюте", "По данному источнику выплаты не указан код валюты", 7, 3},
        {"17 no units",
         [](mTDeclaration& d) {
             AddCurrencyIncome(d).Units1 = 0;
         },
         "Доходы в валюте", "По данному источнику выплаты не указан курс валюты", 7, 2},
        {"17 no rate", [](mTDeclaration& d) { d.GetCurrencyIncome(0).Rate1 = Currency(); }, "Доходы в валюте",
         "По данному источнику выплаты не указан курс валюты", 7, 1},
        {"18 no income code", [](mTDeclaration& d) { d.GetCurrencyIncome(0).IncomeCode = 0; }, "Доходы в валюте",
         "По данному источнику выплаты не указан код дохода", 7, 1},
        {"19 no income", [](mTDeclaration& d) { d.GetCurrencyIncome(0).IncomeCurrencySum = Currency(); },
         "Доходы в валюте", "По данному источнику выплаты не указана сумма дохода", 7, 1},
        {"20 deduction code without sum", [](mTDeclaration& d) { d.GetCurrencyIncome(0).DeductCode = 403; },
         "Доходы в валюте", "По данному источнику выплаты не указана сумма вычета", 7, 1},
        {"21 mixed expenses", [](mTDeclaration& d) { AddActivity(d, 0); },
         "Доходы от предпринимательской деятельности",
         "Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%.", 8, 3},
        {"22 social deduction without data",
         [](mTDeclaration& d) { d.SocialDeduct.Medical = Currency(); }, "Социальные вычеты",
         "Не введены данные по социальным налоговым вычетам", 9, 1},
        {"23 two employers in June",
         [](mTDeclaration& d) {
             NoBusiness(d);
             d.GetThirteenPercent(1).SetMonthSum(5, Money(100));
         },
         "Стандартные вычеты",
         "Вы не могли получать стандартные вычеты работая в нескольких местах ОДНОВРЕМЕННО. Напишите заявление на "
         "перерасчет.",
         9, 2},
        {"24 object name of blanks", [](mTDeclaration& d) { d.ConstructionDeduct.ObjectName = " \t\r\n "; },
         "Имущественный налоговый вычет", "Не введено наименование объекта", 10, 1},
        {"25 post index of blanks", [](mTDeclaration& d) { d.ConstructionDeduct.PostIndex = "  "; },
         "Имущественный налоговый вычет", "Не введен почтовый индекс", 10, 2},
        {"26 registered before purchase",
         [](mTDeclaration& d) { d.ConstructionDeduct.RegistrationDate = Date(31, 1, 2004); },
         "Имущественный налоговый вычет",
         "Дата регистрации прав собственности меньше даты приобретения (даты начала строительства)", 10, 4},
        {"27 purchased after the first year",
         [](mTDeclaration& d) {
             d.ConstructionDeduct.PurchaseDate = Date(1, 1, 2005);
             d.ConstructionDeduct.RegistrationDate = Date(1, 2, 2005);
         },
         "Имущественный налоговый вычет",
         "Год начала пользования льготой меньше даты приобретения (даты начала строительства)", 10, 5},
        {"28 earlier years above the limit",
         [](mTDeclaration& d) {
             d.ConstructionDeduct.ChargeEarlierYears = Money(1000000, 1);
             d.ConstructionDeduct.ChargeCarriedOver = Currency();
         },
         "Имущественный налоговый вычет", "В предыдущие отчетные годы не могли зачесть более 1000000 рублей", 10, 8},
        {"29 half share exceeded by a kopeck",
         [](mTDeclaration& d) {
             d.ConstructionDeduct.Share = Currency::FromRaw(5000);
             d.ConstructionDeduct.ChargeEarlierYears = Money(300000);
             d.ConstructionDeduct.ChargeCarriedOver = Money(200000, 1);
         },
         "Имущественный налоговый вычет",
         "Перейти с прошлого года может не более 1000000 рублей * долю собственности (за вычетом уже зачтеных сумм)",
         10, 6},
        {"29 share of four decimals exceeded by a kopeck",
         [](mTDeclaration& d) {
             d.ConstructionDeduct.Share = Currency::FromRaw(2507);
             d.ConstructionDeduct.ChargeEarlierYears = Currency();
             d.ConstructionDeduct.ChargeCarriedOver = Money(250700, 1);
         },
         "Имущественный налоговый вычет",
         "Перейти с прошлого года может не более 1000000 рублей * долю собственности (за вычетом уже зачтеных сумм)",
         10, 6},
        {"30 OKATO of ten digits and a blank", [](mTDeclaration& d) { d.Person.Address.OKATO = "4528655500 "; },
         "Сведения о декларанте", kOkatoRequired, 3, 4},
        {"30 also for 4-NDFL",
         [](mTDeclaration& d) {
             d.DeclarationKind = 2;
             d.FilerStatus = 1;
             d.Person.Address.OKATO.clear();
         },
         "Сведения о декларанте", kOkatoRequired, 3, 4},
        {"31 optional OKATO",
         [](mTDeclaration& d) {
             NoBusiness(d);
             d.Person.Address.OKATO = "4528655500";
         },
         "Сведения о декларанте", kOkatoOptional, 3, 4, true},
        {"31 for a non-resident",
         [](mTDeclaration& d) {
             NoBusiness(d);
             d.DeclarationKind = 1;
             d.Person.Address.OKATO.clear();
         },
         "Сведения о декларанте", kOkatoOptional, 3, 4, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Shown fix = RunOn(c.mutate, Click("Button1"));
        EXPECT_EQ(fix.dialogs, 1);
        EXPECT_EQ(fix.title, QString::fromUtf8("Проверка: ") + QString::fromUtf8(c.title));
        EXPECT_EQ(fix.message, QString::fromUtf8(c.message));
        EXPECT_EQ(fix.result, Result(c.section, c.item));

        const Shown cancel = RunOn(c.mutate, Click("Button2"));
        EXPECT_EQ(cancel.dialogs, 1);
        EXPECT_EQ(cancel.result, c.skippable ? kPassed : Result(c.section, 65535));
    }
}

TEST(CheckAll, CloseBoxCancelsExceptForTheOptionalOkato) {
    const Shown required = RunOn([](mTDeclaration& d) { d.Person.Address.OKATO.clear(); }, CloseBox());
    EXPECT_EQ(required.message, QString::fromUtf8(kOkatoRequired));
    EXPECT_EQ(required.result, Result(3, 65535));

    const Shown optional = RunOn(
        [](mTDeclaration& d) {
            NoBusiness(d);
            d.Person.Address.OKATO.clear();
        },
        CloseBox());
    EXPECT_EQ(optional.message, QString::fromUtf8(kOkatoOptional));
    EXPECT_EQ(optional.result, kPassed);
}

// Changes that look like failures but are not: the run goes through without a dialog.
TEST(CheckAll, BoundariesAndExemptionsPass) {
    struct Case {
        const char* what;
        Mutation mutate;
    } cases[] = {
        {"4-NDFL of an entrepreneur", Form4Status(1)},
        {"4-NDFL of a private notary", Form4Status(2)},
        {"4-NDFL of a lawyer", Form4Status(3)},
        {"3-NDFL of a non-resident with income from tax agents", [](mTDeclaration& d) { d.DeclarationKind = 1; }},
        {"a surname of blanks is not empty", [](mTDeclaration& d) { d.Person.Name.SurName = " "; }},
        {"no INN without business income",
         [](mTDeclaration& d) {
             NoBusiness(d);
             d.Person.Name.INN.clear();
         }},
        {"birth certificate issued a day after birth",
         [](mTDeclaration& d) {
             d.Person.Doc.DocTypeCode = 3;
             d.Person.Doc.IssueDate = d.Person.Doc.BirthDate + 1;
         }},
        {"code 91 issued on the day of birth", [](mTDeclaration& d) {
             d.Person.Doc.DocTypeCode = 91;
             d.Person.Doc.IssueDate = d.Person.Doc.BirthDate;
         }},
        {"born on 29 February, issued on 1 March fourteen years later",
         [](mTDeclaration& d) {
             d.Person.Doc.BirthDate = Date(29, 2, 1988);
             d.Person.Doc.IssueDate = Date(1, 3, 2002);
         }},
        {"issued the day after the fourteenth birthday", [](mTDeclaration& d) { d.Person.Doc.IssueDate = Date(16, 5, 1984); }},
        {"no citizenship for a Russian citizen", [](mTDeclaration& d) { d.Person.Foreigner.Citizenship.clear(); }},
        {"a settlement without a street",
         [](mTDeclaration& d) {
             d.Person.Address.Street.clear();
             d.Person.Address.Settlement = "пос. Луговой";
         }},
        {"withheld as much as earned",
         [](mTDeclaration& d) { d.GetThirteenPercent(0).HoldSum = d.GetThirteenPercent(0).ItogIncomeSum; }},
        {"all activities on the 20 % norm",
         [](mTDeclaration& d) {
             d.GetBusinessIncome(0).SetConfirmedExpenses(0);
             d.GetBusinessIncome(1).SetConfirmedExpenses(0);
         }},
        {"social deduction for a child's education only",
         [](mTDeclaration& d) {
             d.SocialDeduct.Medical = Currency();
             d.SocialDeduct.AddChildEduSum(Money(12000));
         }},
        {"two employers at once with business income",
         [](mTDeclaration& d) { d.GetThirteenPercent(1).SetMonthSum(0, Money(100)); }},
        {"two employers at once with a recalculation",
         [](mTDeclaration& d) {
             NoBusiness(d);
             AddSource(d, 0, 11);
             d.StandartDeduct.Zayava = 1;
         }},
        {"two employers at once without standard deductions",
         [](mTDeclaration& d) {
             NoBusiness(d);
             AddSource(d, 0, 11);
             d.StandartDeduct.Granting = 0;
         }},
        {"one employer after another, OKATO given", NoBusiness},
        {"purchased within the first year of the deduction",
         [](mTDeclaration& d) {
             d.ConstructionDeduct.PurchaseDate = Date(1, 6, 2004);
             d.ConstructionDeduct.RegistrationDate = Date(1, 6, 2004);
         }},
        {"earlier years exactly 1,000,000.00",
         [](mTDeclaration& d) {
             d.ConstructionDeduct.ChargeEarlierYears = Money(1000000);
             d.ConstructionDeduct.ChargeCarriedOver = Currency();
         }},
        {"half share used up exactly",
         [](mTDeclaration& d) {
             d.ConstructionDeduct.Share = Currency::FromRaw(5000);
             d.ConstructionDeduct.ChargeEarlierYears = Money(300000);
             d.ConstructionDeduct.ChargeCarriedOver = Money(200000);
         }},
        {"share of four decimals used up exactly",
         [](mTDeclaration& d) {
             d.ConstructionDeduct.Share = Currency::FromRaw(2507);
             d.ConstructionDeduct.ChargeEarlierYears = Currency();
             d.ConstructionDeduct.ChargeCarriedOver = Money(250700);
         }},
        {"OKATO with blanks around it", [](mTDeclaration& d) { d.Person.Address.OKATO = "  45286555000\t"; }},
        {"no OKATO on a 4-NDFL declaration without business income",
         [](mTDeclaration& d) {
             NoBusiness(d);
             d.DeclarationKind = 2;
             d.FilerStatus = 3;
             d.Person.Address.OKATO.clear();
         }},
        {"no income kinds: the deductions are not checked",
         [](mTDeclaration& d) {
             d.SetIncomeKinds(0);
             d.SocialDeduct.Medical = Currency();
             d.ConstructionDeduct.ObjectName.clear();
             d.ConstructionDeduct.PostIndex.clear();
             d.ConstructionDeduct.RegistrationDate = Date(1, 1, 2000);
             d.ConstructionDeduct.ChargeEarlierYears = Money(2000000);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Shown shown = RunOn(c.mutate, Click("Button2"));
        EXPECT_EQ(shown.dialogs, 0) << shown.message.toStdString();
        EXPECT_EQ(shown.result, kPassed);
    }
}

TEST(CheckAll, DialogBelongsToTheOwnerAndIsFreed) {
    QWidget owner;
    mTDeclaration d;
    QWidget* parent = nullptr;
    ModalAnswerer answerer({[&](QDialog* dlg) {
        parent = dlg->parentWidget();
        Click("Button1")(dlg);
    }});
    EXPECT_EQ(RunCheckAll(d, &owner), Result(1, 1));
    EXPECT_EQ(parent, &owner);
    EXPECT_TRUE(owner.findChildren<TfmCheckAllError*>().isEmpty());
}
