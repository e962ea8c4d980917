// The person's address in the Russian Federation and telephones: the second sub-page of the person
// data page. Its check also asks for a foreign filer's citizenship.
#pragma once

#include "pagebase/MyFrame.h"
#include "pages/PageBindings.h"

#include <cstdint>
#include <memory>

namespace Ui {
class TfrPersonAddress;
}

class TfrPersonAddress : public TThinkingFrame {
    Q_OBJECT
public:
    TfrPersonAddress(QWidget* owner, TDocumentRef documentRef);
    ~TfrPersonAddress() override;

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusItem(std::uint16_t item) override;

    std::unique_ptr<Ui::TfrPersonAddress> ui;

    void bnRegionClick();

    // The chosen region (0 = none).
    std::uint16_t RegionCode = 0;

private:
    TFieldBindings fields_;
    std::uint8_t loadedKind_ = 0;
};
