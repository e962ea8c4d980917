// One amount paid for the education of a child, asked for by the standard and social deductions
// page.
#pragma once

#include "platform/QtWindowing.h"

#include <memory>

class Currency;
namespace Ui {
class TfmChildEduSum;
}
namespace kept {
class TKeptAmount;
}

class TfmChildEduSum : public TKeyPreviewDialog {
    Q_OBJECT
public:
    explicit TfmChildEduSum(QWidget* owner = nullptr);
    ~TfmChildEduSum() override;

    // The amount, 0 when the edit is empty.
    Currency GetChildEduSum() const;
    void SetChildEduSum(Currency sum);

    std::unique_ptr<Ui::TfmChildEduSum> ui;

private:
    std::unique_ptr<kept::TKeptAmount> sum_;
};
