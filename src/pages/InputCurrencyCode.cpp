#include "pages/InputCurrencyCode.h"

#include "pages/PickerList.h"
#include "ui_InputCurrencyCode.h"

#include <QDomDocument>
#include <QGuiApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTreeWidget>

namespace currencyrates {

QDomElement FindCurrency(const QDomDocument* rates, const QString& code) {
    if (!rates || code.isEmpty()) return {};
    for (QDomElement e = rates->documentElement().firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        if (e.attribute(QStringLiteral("Code")) == code) return e;
    return {};
}

QDate RateDay(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) return {};
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

QDomElement FindRate(const QDomElement& currency, const QDate& day) {
    QDomElement best;
    QDate bestDay;
    for (QDomElement e = currency.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QDate d = RateDay(e.attribute(QStringLiteral("Date")));
        if (!d.isValid() || d > day) continue;
        // The first of equal days wins, as a reader of the file would take it.
        if (best.isNull() || d > bestDay) {
            best = e;
            bestDay = d;
        }
    }
    return best;
}

} // namespace currencyrates

TfmInputCurrencyCode::TfmInputCurrencyCode(QWidget* owner, const QDomElement& root, const QString& code)
    : TKeyPreviewDialog(owner), ui(std::make_unique<Ui::TfmInputCurrencyCode>()) {
    ui->setupUi(this);
    setFixedSize(size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
    QTreeWidget* list = ui->lvCurrencys;
    SetUpCodeNameList(list);
    ConnectSelectItem(list, [this](int row, bool) {
        const QTreeWidgetItem* item = ui->lvCurrencys->topLevelItem(row);
        if (!item) return;
        SelectedCode = item->text(0);
        SelectedName = item->text(1);
    });
    connect(ui->bnYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->bnCansel, &QPushButton::clicked, this, &QDialog::reject);
    listViewport_ = list->viewport();
    listViewport_->installEventFilter(this);

    SelectedCode = code.isEmpty() ? QStringLiteral("0") : code;
    int preselected = 0;
    QList<QTreeWidgetItem*> rows;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString c = e.attribute(QStringLiteral("Code"));
        if (c == SelectedCode) preselected = rows.size(); // the last of equal codes
        rows << new QTreeWidgetItem(QStringList{c, e.attribute(QStringLiteral("Name"))});
    }
    list->addTopLevelItems(rows);
    if (QTreeWidgetItem* item = list->topLevelItem(preselected)) {
        list->setCurrentItem(item);
        item->setSelected(true);
        list->scrollToItem(item);
    }
}

TfmInputCurrencyCode::~TfmInputCurrencyCode() = default;

bool TfmInputCurrencyCode::eventFilter(QObject* watched, QEvent* event) {
    if (listViewport_ && watched == listViewport_ && event->type() == QEvent::MouseButtonDblClick) {
        accept();
        return true;
    }
    return TKeyPreviewDialog::eventFilter(watched, event);
}
