// One tax payment: the budget classification code it was paid to and its amount.
#pragma once

#include "platform/QtWindowing.h"

#include <QString>
#include <memory>

class Currency;
namespace Ui {
class TfmInputNalog;
}
namespace kept {
class TKeptAmount;
}

class TfmInputNalog : public TKeyPreviewDialog {
    Q_OBJECT
public:
    explicit TfmInputNalog(QWidget* owner = nullptr);
    ~TfmInputNalog() override;

    // Chooses the item equal to the code (none when no item is); an empty code changes nothing.
    void SetKBK(const QString& code);
    // The chosen code, empty when none is.
    QString GetKBK() const;
    void SetPaySum(Currency sum);
    // 0 when the edit is empty.
    Currency GetPaySum() const;

    // Closes with OK only once a code is chosen; otherwise the dialog stays, without a message.
    void bnOkClick();

    std::unique_ptr<Ui::TfmInputNalog> ui;

protected:
    void Confirm() override { bnOkClick(); }

private:
    std::unique_ptr<kept::TKeptAmount> sum_;
};
