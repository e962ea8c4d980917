// "Доход": the kind of a business activity and its code of three groups of up to two digits
// ("52.71.1"), asked by the business income page when it adds an activity or edits one.
#pragma once

#include "pages/ShownValues.h"
#include "platform/QtWindowing.h"

#include <QString>
#include <array>
#include <memory>
#include <string>

namespace Ui {
class TfmInputBusinessIncome;
}

class TfmInputBusinessIncome : public TKeyPreviewDialog {
    Q_OBJECT
public:
    explicit TfmInputBusinessIncome(QWidget* owner = nullptr);
    ~TfmInputBusinessIncome() override;

    // What is set here comes back as set unless the user changed an edit, also a text that the
    // edits could not show.
    void SetActivityType(const std::string& v) { name_.Show(v); }
    std::string GetActivityType() const { return name_.Value(); }
    // The code is split at its first two dots, a group per edit.
    void SetActivityCode(const std::string& code);
    // The three groups joined by dots, as they stand.
    std::string GetActivityCode() const;

    std::unique_ptr<Ui::TfmInputBusinessIncome> ui;

private:
    std::array<TMaskedEdit*, 3> Groups() const;
    TKeptText name_;
    std::string storedCode_;
    std::array<QString, 3> shownGroups_;
};
