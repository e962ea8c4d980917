// The first data-entry page: the declaration's general data, the declaration kind and the kinds
// of income, which decide the page buttons of the main window.
#pragma once

#include "pagebase/MyFrame.h"
#include "pages/PageBindings.h"

#include <array>
#include <memory>

class QRadioButton;

namespace Ui {
class TfrInitialData;
}

class TfrInitialData : public TThinkingFrame {
    Q_OBJECT
public:
    // CreatePage: builds the page and shows the document's general data.
    TfrInitialData(QWidget* owner, TDocumentRef documentRef);
    ~TfrInitialData() override;

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusItem(std::uint16_t item) override;

    std::unique_ptr<Ui::TfrInitialData> ui;

    void bnInspectionClick();
    void rbFirstClick();
    void rbLastClick();
    void cbPrintDataClick();
    void dtGetDateChange();
    void rbSimpleClick();
    void rbNeRezClick();
    void rb4ndflClick();
    void chbIncomeInquiryClick();
    void chbIncomeCurrencyClick();
    void chbIncomeBusinessClick();
    void chbAutoCalculateAppClick();

private:
    void Load();
    bool AnyIncomeChecked() const;
    void SetDeductionButton(bool enabled);
    void ShowForm4Fields(bool show);
    void GiveBackForm4Controls();
    // The page buttons as the income kinds and the declaration kind on the page want them.
    void ApplyPageButtons();
    // The filer statuses in the order of their numbers in the document.
    std::array<QRadioButton*, 6> StatusButtons() const;

    // The filing date: a date outside the picker's range is kept until the user picks another.
    TFieldBindings fields_;
};
