#include "pages/IncomeDict.h"

#include <QFile>
#include <stdexcept>

TIncomeDict::TIncomeDict() {
    QFile file(QStringLiteral(":/velmarod/IncomeDict.xml"));
    if (!file.open(QIODevice::ReadOnly) || !doc_.setContent(&file))
        throw std::runtime_error("Не удалось прочитать справочник видов доходов программы.");
}

QDomElement TIncomeDict::Income(const QString& code) const {
    for (QDomElement e = Root().firstChildElement(QStringLiteral("Income")); !e.isNull(); e = e.nextSiblingElement(QStringLiteral("Income")))
        if (e.attribute(QStringLiteral("Code")) == code) return e;
    return {};
}

QDomElement TIncomeDict::Deduction(const QDomElement& income, const QString& code) {
    for (QDomElement e = income.firstChildElement(QStringLiteral("Deduction")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("Deduction")))
        if (e.attribute(QStringLiteral("Code")) == code) return e;
    return {};
}

std::uint16_t TIncomeDict::Number(const QDomElement& e, const char* attribute) {
    const QString text = e.attribute(QLatin1String(attribute)).trimmed();
    return text.isEmpty() ? 0 : static_cast<std::uint16_t>(text.toUInt());
}

Currency TIncomeDict::MaxSum(const QDomElement& deduction) {
    Currency c;
    Currency::TryParse(deduction.attribute(QStringLiteral("MaxSum")).trimmed().toStdString(), ',', c);
    return c;
}

bool TIncomeDict::Flag(const QDomElement& e, const char* attribute) {
    return e.attribute(QLatin1String(attribute)) == QLatin1String("True");
}
