// "Доходы в виде дивидентов": the organisations that paid dividends, each with the dividends, their
// taxable part, the tax computed at 9 % and the tax withheld. A sub-page of the Russian income page.
#pragma once

#include "pages/SourseListPage.h"

#include <memory>

namespace Ui {
class TfrThirtyPercent;
}

class TfrThirtyPercent : public TSourseListPage {
    Q_OBJECT
public:
    TfrThirtyPercent(QWidget* owner, TDocumentRef documentRef);
    ~TfrThirtyPercent() override;

    std::unique_ptr<Ui::TfrThirtyPercent> ui;

protected:
    int Count() const override;
    std::string Name(int index) const override;
    void ShowSourse(int index) override;
    void ClearPanels() override;
    void AddSourse() override;
    void EditSourse() override;
    void RemoveSourse(int index) override;
};
