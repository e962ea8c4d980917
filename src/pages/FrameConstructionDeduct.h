// "Имущественный налоговый вычет": the second sub-page of the deduction page. The object bought or
// built, its address, the dates, the filer's share and the purchase and credit amounts.
#pragma once

#include "pagebase/MyFrame.h"
#include "platform/NumText.h"

#include <QDate>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QDateEdit;
namespace Ui {
class TfrConstructionDeduct;
}
namespace kept {
class TKeptAmount;
class TKeptCount;
class TKeptText;
} // namespace kept

class TfrConstructionDeduct : public TThinkingFrame {
    Q_OBJECT
public:
    TfrConstructionDeduct(QWidget* owner, TDocumentRef documentRef);
    ~TfrConstructionDeduct() override;

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusItem(std::uint16_t item) override;

    void chbGrantingDeductClick();
    void mePartChange();
    void bnRegionClick();

    std::unique_ptr<Ui::TfrConstructionDeduct> ui;

    // The region name of the object's address, chosen with the region picker; not shown.
    std::string RegionName;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TKeptDate {
        QDateEdit* edit;
        TDateTime stored = 0;
        QDate shown;
    };

    std::vector<std::unique_ptr<kept::TKeptText>> texts_;
    std::vector<std::unique_ptr<kept::TKeptAmount>> amounts_;
    std::vector<TKeptDate> dates_;
    std::unique_ptr<kept::TKeptCount> appZ_;
    TDateTime storedStart_ = 0;
    QString shownYear_;
    bool yearKept_ = false;
    bool loading_ = false;
};
