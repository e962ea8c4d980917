// "Сведения о декларанте": a strip of two flat buttons choosing which sub-page fills the page, the
// name and identity document or the address. Towards the main window it is one page that hands
// every protocol call to the sub-page shown.
#pragma once

#include "app/MyFrame.h"

#include <cstdint>
#include <memory>

class TFlashButton;

namespace Ui {
class TfrPersonData;
}

class TfrPersonData : public TThinkingFrame {
    Q_OBJECT
public:
    TfrPersonData(QWidget* owner, TDocumentRef documentRef);
    ~TfrPersonData() override;

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusItem(std::uint16_t item) override;

    void fbPersonNaimClick();
    void fbPersonAddressClick();
    // Shows the name sub-page (SubPage 0) or the address sub-page (any other) without saving or
    // checking the one shown, and focuses its item.
    void FocusPageItem(std::uint16_t SubPage, std::uint16_t Item) override;

    std::unique_ptr<Ui::TfrPersonData> ui;
    TThinkingFrame* CurrentSubPage = nullptr;
    TFlashButton* CurrentButton = nullptr;

private:
    void ButtonClick(TFlashButton* button);
    // Builds the button's sub-page in the container, then frees the old one.
    void Replace(TFlashButton* button);
    bool Shows(TFlashButton* button) const;
};
