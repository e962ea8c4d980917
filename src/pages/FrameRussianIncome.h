// "Доходы, полученные в РФ": a bar of flat buttons choosing which sub-page fills the page, the
// incomes at 13 %, the dividends or the incomes at 35 %. Towards the main window it is one page
// that hands every protocol call to the sub-page shown.
#pragma once

#include "pages/HolderPage.h"

#include <cstdint>
#include <memory>

class TFlashButton;

namespace Ui {
class TfrRussianIncome;
}

class TfrRussianIncome : public THolderPage {
    Q_OBJECT
public:
    TfrRussianIncome(QWidget* owner, TDocumentRef documentRef);
    ~TfrRussianIncome() override;

    // A declaration of form 4-NDFL has no sub-page: the protocol's calls then do nothing and pass.
    void FlashButton1Click();
    void FlashButton2Click();
    void FlashButton3Click(); // also the click of FlashButton4
    // FocusPageItem: kind 0 the 13 % sub-page, 1 the dividends, 2 the incomes at 35 %; any other
    // kind switches nothing.

    std::unique_ptr<Ui::TfrRussianIncome> ui;

protected:
    // A switch by a button gives the sources' list the focus with its first row selected.
    void Switched(int kind) override;
};
