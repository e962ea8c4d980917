// Checks of the identification numbers of a declaration: taxpayer numbers (INN), registration-reason
// codes (KPP) and the four identifying fields of a source of income.
#pragma once

#include <QString>
#include <cstdint>
#include <string_view>

class QWidget;

// 0 valid; 1 empty; 2 length neither 10 nor 12 (kind 0); 3 length not 10 (kind 1); 4 length not 12
// (kind 2); 5 wrong check digit. Kind: 0 any taxpayer, 1 organisation, 2 person.
std::uint16_t CheckINN(std::string_view inn, std::uint8_t kind);
// 0 valid; 1 empty; 2 length not 9.
std::uint16_t CheckKPP(std::string_view kpp);

// The source checks: each failure is shown in the check dialog with the section title; the result
// is the field the user chose to fix: 0 none, 1 source name, 2 INN, 3 KPP, 4 OKATO.
std::uint16_t CheckPayer(QWidget* owner, const QString& section, const QString& name, const QString& okato,
                         const QString& kpp, const QString& inn);
std::uint16_t CheckPayerOrganisation(QWidget* owner, const QString& section, const QString& name, const QString& okato,
                                     const QString& kpp, const QString& inn);

// The last answer given in the check dialog of a payer check (0 at its start). The source dialogs
// that run checks of their own after a payer check continue from it.
extern std::int32_t LastCheckAnswer;
