// The person's name, taxpayer number, birth data and sex, identity document and, for a foreign
// filer, citizenship, address abroad and telephones: the first sub-page of the person data page.
#pragma once

#include "pagebase/MyFrame.h"
#include "pages/PageBindings.h"

#include <cstdint>
#include <memory>

namespace Ui {
class TfrPersonNaim;
}

class TfrPersonNaim : public TThinkingFrame {
    Q_OBJECT
public:
    TfrPersonNaim(QWidget* owner, TDocumentRef documentRef);
    ~TfrPersonNaim() override;

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusItem(std::uint16_t item) override;

    std::unique_ptr<Ui::TfrPersonNaim> ui;

    void bnDocType1Click();
    void bnGrazhdClick();
    void chbIsForeighnerClick();
    void DateChange(); // the six date-picker handlers: each only reports the change

    // The chosen identity-document type (0 = none).
    std::uint16_t DocTypeCode = 0;

private:
    // The series-and-number rule of the document type; a type without a rule of its own keeps the
    // rule in force.
    void ApplySerialRule(std::uint16_t code);

    TFieldBindings fields_;
    TFieldBindings serial_; // shown only for a chosen document type
    TFieldBindings foreignFields_;
    QString loadedSex_;
};
