// "Доход": the foreign payer of a foreign-currency income and the payer's country code, asked by
// the foreign-currency page when it adds an income or edits its payer.
#pragma once

#include "pages/ShownValues.h"
#include "platform/QtWindowing.h"

#include <memory>
#include <string>

namespace Ui {
class TfmInputCurrencySourseIncome;
}

class TfmInputCurrencySourseIncome : public TKeyPreviewDialog {
    Q_OBJECT
public:
    explicit TfmInputCurrencySourseIncome(QWidget* owner = nullptr);
    ~TfmInputCurrencySourseIncome() override;

    // A value set here comes back as set unless the user changed its edit, also one that the
    // edit's rule could not show.
    void SetSourseName(const std::string& v) { name_.Show(v); }
    std::string GetSourseName() const { return name_.Value(); }
    void SetGos(const std::string& v) { gos_.Show(v); }
    std::string GetGos() const { return gos_.Value(); }

    // The country picker built from the country file.
    void Button1Click();

    std::unique_ptr<Ui::TfmInputCurrencySourseIncome> ui;

private:
    TKeptText name_, gos_;
};
