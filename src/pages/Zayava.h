// The cumulative incomes of the year, month by month, for a recalculation of the standard
// deductions.
#pragma once

#include "platform/QtWindowing.h"

#include <array>
#include <memory>

class TMaskedEdit;
class Currency;
namespace Ui {
class TfmZayava;
}
namespace kept {
class TKeptAmount;
}

class TfmZayava : public TKeyPreviewDialog {
    Q_OBJECT
public:
    explicit TfmZayava(QWidget* owner = nullptr);
    ~TfmZayava() override;

    // Month 1 to 12; an empty edit reads as 0.
    void SetSum(int month, Currency sum);
    Currency GetSum(int month) const;
    TMaskedEdit* Edit(int month) const;

    std::unique_ptr<Ui::TfmZayava> ui;

private:
    std::array<std::unique_ptr<kept::TKeptAmount>, 12> sums_;
};
