// Checks of the identification numbers of a declaration: taxpayer numbers (INN), registration-reason
// codes (KPP) and the four identifying fields of a source of income.
#pragma once

// CheckINN and CheckKPP: the number rules themselves, which the whole-declaration check applies too.
#include "model/FieldRules.h"

#include <QString>
#include <cstdint>

class QWidget;

// The source checks: each failure is shown in the check dialog with the section title; the result
// is the field the user chose to fix: 0 none, 1 source name, 2 INN, 3 KPP, 4 OKATO.
std::uint16_t CheckPayer(QWidget* owner, const QString& section, const QString& name, const QString& okato,
                         const QString& kpp, const QString& inn);
std::uint16_t CheckPayerOrganisation(QWidget* owner, const QString& section, const QString& name, const QString& okato,
                                     const QString& kpp, const QString& inn);

// The last answer given in the check dialog of a payer check (0 at its start). The source dialogs
// that run checks of their own after a payer check continue from it.
extern std::int32_t LastCheckAnswer;
