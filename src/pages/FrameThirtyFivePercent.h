// "Доходы, облагаемые по ставке 35%": the sources that paid incomes taxed at 35 %, each with its one
// income, its deduction and the tax it withheld. A sub-page of the Russian income page.
#pragma once

#include "pages/SourseListPage.h"

#include <memory>

namespace Ui {
class TfrThirtyFivePercent;
}

class TfrThirtyFivePercent : public TSourseListPage {
    Q_OBJECT
public:
    TfrThirtyFivePercent(QWidget* owner, TDocumentRef documentRef);
    ~TfrThirtyFivePercent() override;

    std::unique_ptr<Ui::TfrThirtyFivePercent> ui;

protected:
    int Count() const override;
    std::string Name(int index) const override;
    void ShowSourse(int index) override;
    void ClearPanels() override;
    void AddSourse() override;
    void EditSourse() override;
    void RemoveSourse(int index) override;
};
