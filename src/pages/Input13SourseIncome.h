// "Источник выплаты": one source of income taxed at 13 % (a tax agent or another payer in Russia),
// entered or corrected by the 13 % page, which copies the values into the source on OK.
#pragma once

#include "pages/ShownValues.h"
#include "platform/QtWindowing.h"

#include <memory>
#include <string>

namespace Ui {
class TfmInput13SourseIncome;
}

class TfmInput13SourseIncome : public TKeyPreviewDialog {
    Q_OBJECT
public:
    explicit TfmInput13SourseIncome(QWidget* owner = nullptr);
    ~TfmInput13SourseIncome() override;

    // A value set here comes back as set unless the user changed its edit, also when the edit's
    // rule could not show it.
    std::string GetSourseName() const { return name_.Value(); }
    void SetSourseName(const std::string& v) { name_.Show(v); }
    std::string GetINN() const { return inn_.Value(); }
    void SetINN(const std::string& v) { inn_.Show(v); }
    std::string GetKPP() const { return kpp_.Value(); }
    void SetKPP(const std::string& v) { kpp_.Show(v); }
    std::string GetOKATO() const { return okato_.Value(); }
    void SetOKATO(const std::string& v) { okato_.Show(v); }
    bool GetPrimaryWorkplase() const;
    void SetPrimaryWorkplase(bool v);

    std::unique_ptr<Ui::TfmInput13SourseIncome> ui;

protected:
    // The payer checks; OK when they pass or are skipped, else the field to fix gets the focus.
    void Confirm() override;

private:
    TKeptText name_, inn_, kpp_, okato_;
};
