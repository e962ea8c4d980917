// The currency rates file and its picker. "CurrencyRates.xml" lists currencies (any element name,
// attributes "Code", "Name", "Quantity"), each with its rates by day (any element name, attributes
// "Date" as "dd.mm.yyyy" and "Rate", the price of Quantity units in roubles with ","). The program
// only reads it.
#pragma once

#include "platform/QtWindowing.h"

#include <QDate>
#include <QDomElement>
#include <QString>
#include <memory>

class QDomDocument;

namespace Ui {
class TfmInputCurrencyCode;
}

namespace currencyrates {

// The first currency, in file order, with this code; null for an empty code, no rates or no match.
QDomElement FindCurrency(const QDomDocument* rates, const QString& code);
// The currency's rate for the day: the rate of that day, else the one of the latest earlier day,
// whatever the order of the file; null when every rate is later. A rate whose day cannot be read
// is passed over.
QDomElement FindRate(const QDomElement& currency, const QDate& day);
// A rate's day: "dd.mm.yyyy", one-digit day and month read too; invalid for anything else.
QDate RateDay(const QString& text);

} // namespace currencyrates

// "Справочник валют": the currencies of the rates file, the current one preselected.
class TfmInputCurrencyCode : public TKeyPreviewDialog {
    Q_OBJECT
public:
    TfmInputCurrencyCode(QWidget* owner, const QDomElement& root, const QString& code);
    ~TfmInputCurrencyCode() override;

    // The chosen currency; the row selected last stays chosen when the selection is only cleared.
    QString SelectedCode;
    QString SelectedName;

    std::unique_ptr<Ui::TfmInputCurrencyCode> ui;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* listViewport_ = nullptr; // set once the list exists
};
