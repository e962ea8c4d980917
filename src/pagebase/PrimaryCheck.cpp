#include "pagebase/PrimaryCheck.h"

#include "pagebase/CheckError.h"

#include <array>
#include <string>

std::int32_t LastCheckAnswer = 0;

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) < 33) s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) < 33) s.remove_suffix(1);
    return s;
}

// The published check digit: the weighted sum modulo 11, then modulo 10.
int CheckDigit(std::string_view digits, const int* weights, int count) {
    int sum = 0;
    for (int i = 0; i < count; ++i) sum += (digits[i] - '0') * weights[i];
    return sum % 11 % 10;
}

bool AllDigits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

std::uint16_t OrganisationRule(std::string_view n) {
    static const int w[] = {2, 4, 10, 3, 5, 9, 4, 6, 8};
    return AllDigits(n) && CheckDigit(n, w, 9) == n[9] - '0' ? 0 : 5;
}

std::uint16_t PersonRule(std::string_view n) {
    static const int w11[] = {7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    static const int w12[] = {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    if (!AllDigits(n)) return 5;
    return CheckDigit(n, w11, 10) == n[10] - '0' && CheckDigit(n, w12, 11) == n[11] - '0' ? 0 : 5;
}

bool TrimmedEmpty(const QString& s) { return Trim(s.toStdString()).empty(); }

std::uint16_t RunPayerChecks(QWidget* owner, const QString& section, const QString& name, const QString& okato,
                             const QString& kpp, const QString& inn, bool organisation) {
    LastCheckAnswer = 0;
    TfmCheckError dialog(owner);
    bool stop = false;
    std::uint16_t result = 0;
    // Shows one failure; true when the sequence ends here.
    auto fail = [&](const QString& message, std::uint16_t field) {
        dialog.SetSection(section);
        dialog.SetMessage(message);
        LastCheckAnswer = dialog.exec();
        if (LastCheckAnswer == crFix) {
            result = field;
            stop = true;
        } else if (LastCheckAnswer == crSkipAll) {
            stop = true;
        }
    };

    if (TrimmedEmpty(name)) fail(QStringLiteral("Не заполненно поле \"Наименование источника выплаты\""), 1);
    if (!stop && Trim(okato.toStdString()).size() < 11)
        fail(organisation ? QStringLiteral("Не введен код ОКАТО (11 символов)")
                          : QStringLiteral("Не введен код ОКАТО (11 символов). (При продаже имущества физ.лицу - не нужен)"),
             4);
    if (!stop) {
        const std::uint16_t r = CheckINN(inn.toStdString(), organisation ? 1 : 0);
        if (!organisation && r == 2) fail(QStringLiteral("Длинна ИНН должна быть равна 10 или 12 цифрам"), 2);
        if (organisation && r == 3) fail(QStringLiteral("Длинна ИНН должна быть равна 10 цифрам"), 2);
        if (r == 5) fail(QStringLiteral("Номер ИНН введен неверно"), 2);
    }
    if (!stop) {
        if (inn.size() == 10) {
            const std::uint16_t r = CheckKPP(kpp.toStdString());
            if (r == 1) fail(QStringLiteral("Отсутствует КПП"), 3);
            if (r == 2) fail(QStringLiteral("Длинна КПП должна быть равна 9 цифрам"), 3);
        } else if (!kpp.isEmpty()) {
            fail(inn.isEmpty() ? QStringLiteral("Введите ИНН") : QStringLiteral("Длинна ИНН для юрлиц должна быть равна 10 цифрам"), 2);
        }
    }
    return result;
}

} // namespace

std::uint16_t CheckINN(std::string_view inn, std::uint8_t kind) {
    const std::string_view n = Trim(inn);
    if (n.empty()) return 1;
    switch (kind) {
    case 0:
        if (n.size() == 10) return OrganisationRule(n);
        if (n.size() == 12) return PersonRule(n);
        return 2;
    case 1: return n.size() != 10 ? 3 : OrganisationRule(n);
    case 2: return n.size() != 12 ? 4 : PersonRule(n);
    default: return 2;
    }
}

std::uint16_t CheckKPP(std::string_view kpp) {
    const std::string_view k = Trim(kpp);
    if (k.empty()) return 1;
    return k.size() != 9 ? 2 : 0;
}

std::uint16_t CheckPayer(QWidget* owner, const QString& section, const QString& name, const QString& okato,
                         const QString& kpp, const QString& inn) {
    return RunPayerChecks(owner, section, name, okato, kpp, inn, false);
}

std::uint16_t CheckPayerOrganisation(QWidget* owner, const QString& section, const QString& name, const QString& okato,
                                     const QString& kpp, const QString& inn) {
    return RunPayerChecks(owner, section, name, okato, kpp, inn, true);
}
