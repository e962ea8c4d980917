// "Вычеты": a strip of two flat buttons choosing which sub-page fills the page, the standard and
// social deductions or the property deduction. Towards the main window it is one page that hands
// every protocol call to the sub-page shown.
#pragma once

#include "pages/HolderPage.h"

#include <cstdint>
#include <memory>

class TFlashButton;

namespace Ui {
class TfrFrameDeductData;
}

class TfrFrameDeductData : public THolderPage {
    Q_OBJECT
public:
    TfrFrameDeductData(QWidget* owner, TDocumentRef documentRef);
    ~TfrFrameDeductData() override;

    void fbStandartDeductClick();
    void fbConstructionDeductClick();
    std::unique_ptr<Ui::TfrFrameDeductData> ui;

protected:
    // FocusPageItem: SubPage 0 the standard and social sub-page, any other the property sub-page.
    int KindOfSubPage(std::uint16_t subPage) const override { return subPage == 0 ? 0 : 1; }
};
