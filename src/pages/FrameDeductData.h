// "Вычеты": a strip of two flat buttons choosing which sub-page fills the page, the standard and
// social deductions or the property deduction. Towards the main window it is one page that hands
// every protocol call to the sub-page shown.
#pragma once

#include "app/MyFrame.h"

#include <cstdint>
#include <memory>

class TFlashButton;

namespace Ui {
class TfrFrameDeductData;
}

class TfrFrameDeductData : public TThinkingFrame {
    Q_OBJECT
public:
    TfrFrameDeductData(QWidget* owner, TDocumentRef documentRef);
    ~TfrFrameDeductData() override;

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusItem(std::uint16_t item) override;

    void fbStandartDeductClick();
    void fbConstructionDeductClick();
    // Shows the standard and social sub-page (SubPage 0) or the property sub-page (any other)
    // without saving or checking the one shown, and focuses its item.
    void FocusPageItem(std::uint16_t SubPage, std::uint16_t Item) override;

    std::unique_ptr<Ui::TfrFrameDeductData> ui;
    TThinkingFrame* CurrentSubPage = nullptr;
    TFlashButton* CurrentButton = nullptr;

private:
    void ButtonClick(TFlashButton* button);
    // Builds the button's sub-page in the container, then frees the old one.
    void Replace(TFlashButton* button);
    bool Shows(TFlashButton* button) const;
};
