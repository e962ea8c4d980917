// The built-in dictionary of income codes: for every income code its tax rate and the deduction
// codes that may be claimed against it, each with the rule by which its amount is formed. It is
// the program's own data; each window that uses it holds its own parsed copy.
#pragma once

#include "platform/Currency.h"

#include <QDomDocument>
#include <QDomElement>
#include <QString>
#include <cstdint>

class TIncomeDict {
public:
    // Parses the program's built-in document (root element "IncomeDict", its "Income" children in
    // ascending code, each with its "Deduction" children).
    TIncomeDict();

    QDomElement Root() const { return doc_.documentElement(); }
    // The first "Income" element with this code; a null element when there is none.
    QDomElement Income(const QString& code) const;
    // The first "Deduction" child of the income with this code; a null element when there is none.
    static QDomElement Deduction(const QDomElement& income, const QString& code);

    // An attribute read as a whole number: trimmed text, empty (or absent) gives 0 ("Stav").
    static std::uint16_t Number(const QDomElement& e, const char* attribute);
    // "MaxSum" as a money amount; "0" is no limit.
    static Currency MaxSum(const QDomElement& deduction);
    // A Boolean attribute: true exactly when its text is "True".
    static bool Flag(const QDomElement& e, const char* attribute);

private:
    QDomDocument doc_;
};
