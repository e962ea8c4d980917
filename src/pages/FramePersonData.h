// "Сведения о декларанте": a strip of two flat buttons choosing which sub-page fills the page, the
// name and identity document or the address. Towards the main window it is one page that hands
// every protocol call to the sub-page shown.
#pragma once

#include "pages/HolderPage.h"

#include <cstdint>
#include <memory>

class TFlashButton;

namespace Ui {
class TfrPersonData;
}

class TfrPersonData : public THolderPage {
    Q_OBJECT
public:
    TfrPersonData(QWidget* owner, TDocumentRef documentRef);
    ~TfrPersonData() override;

    void FocusItem(std::uint16_t item) override;

    void fbPersonNaimClick();
    void fbPersonAddressClick();

    std::unique_ptr<Ui::TfrPersonData> ui;

protected:
    // FocusPageItem: SubPage 0 the name sub-page, any other the address sub-page.
    int KindOfSubPage(std::uint16_t subPage) const override { return subPage == 0 ? 0 : 1; }
};
