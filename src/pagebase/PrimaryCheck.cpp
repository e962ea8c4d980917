#include "pagebase/PrimaryCheck.h"

#include "pagebase/CheckError.h"

#include <string>

std::int32_t LastCheckAnswer = 0;

namespace {

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

    if (IsBlank(name.toStdString())) fail(QStringLiteral("Не заполненно поле \"Наименование источника выплаты\""), 1);
    if (!stop && Trimmed(okato.toStdString()).size() < 11)
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

std::uint16_t CheckPayer(QWidget* owner, const QString& section, const QString& name, const QString& okato,
                         const QString& kpp, const QString& inn) {
    return RunPayerChecks(owner, section, name, okato, kpp, inn, false);
}

std::uint16_t CheckPayerOrganisation(QWidget* owner, const QString& section, const QString& name, const QString& okato,
                                     const QString& kpp, const QString& inn) {
    return RunPayerChecks(owner, section, name, okato, kpp, inn, true);
}
