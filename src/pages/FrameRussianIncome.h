// "Доходы, полученные в РФ": a bar of flat buttons choosing which sub-page fills the page, the
// incomes at 13 %, the dividends or the incomes at 35 %. Towards the main window it is one page
// that hands every protocol call to the sub-page shown.
#pragma once

#include "app/MyFrame.h"

#include <cstdint>
#include <memory>

class TFlashButton;

namespace Ui {
class TfrRussianIncome;
}

class TfrRussianIncome : public TThinkingFrame {
    Q_OBJECT
public:
    TfrRussianIncome(QWidget* owner, TDocumentRef documentRef);
    ~TfrRussianIncome() override;

    // A declaration of form 4-NDFL has no sub-page: these then do nothing and pass.
    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusItem(std::uint16_t item) override;

    void FlashButton1Click();
    void FlashButton2Click();
    void FlashButton3Click(); // also the click of FlashButton4
    // Kind 0 the 13 % sub-page, 1 the dividends, 2 the 35 % incomes, shown without saving or
    // checking the sub-page it replaces; any other kind switches nothing. Then the item is focused.
    void FocusPageItem(std::uint16_t kind, std::uint16_t item) override;

    std::unique_ptr<Ui::TfrRussianIncome> ui;
    TThinkingFrame* CurrentSubPage = nullptr;
    TFlashButton* CurrentButton = nullptr;

private:
    void ButtonClick(int kind);
    void Replace(int kind);
    bool Shows(int kind) const;
    void SelectFirstSource(int kind);
};
