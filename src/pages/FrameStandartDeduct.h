// "Стандартные и социальные налоговые вычеты": the first sub-page of the deduction page. The upper
// half holds the standard deductions (the filer's code, children and disabled children, constant
// or month by month), the lower half the social deductions with the list of amounts paid for the
// education of children.
#pragma once

#include "pagebase/MyFrame.h"

#include <array>
#include <cstdint>
#include <memory>

class QRadioButton;
class TMaskedEdit;
class QScrollBar;
class QCheckBox;
class QTreeWidgetItem;
namespace Ui {
class TfrFrameStandartDeduct;
}
namespace kept {
class TKeptAmount;
class TKeptCount;
} // namespace kept

class TfrFrameStandartDeduct : public TThinkingFrame {
    Q_OBJECT
public:
    TfrFrameStandartDeduct(QWidget* owner, TDocumentRef documentRef);
    ~TfrFrameStandartDeduct() override;

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusItem(std::uint16_t item) override;

    void chbGrantingStanDeductClick();
    void chbGrantingSocDeductClick();
    void chbZayavaClick();
    void rbQClick();
    void rbQDblClick();
    void fbAddSumClick();
    void fbDeleteSumClick();
    void EditSum();

    std::unique_ptr<Ui::TfrFrameStandartDeduct> ui;

    // The current education amount: its row in lvSumList and its index in the list; -1 for none.
    int CurrentSum = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One of the two groups of children: the constant count and the twelve months.
    struct TChildGroup {
        QCheckBox* constBox = nullptr;
        TMaskedEdit* constEdit = nullptr;
        QScrollBar* spin = nullptr;
        std::unique_ptr<kept::TKeptCount> count;
        std::array<std::unique_ptr<kept::TKeptCount>, 12> months;
    };

    void ConstChildrensClick(TChildGroup& g);
    void ConstChildrensChange(TChildGroup& g);
    void SyncSpin(TChildGroup& g);
    // Enables each entry by the two granting boxes and the constant-count boxes; changes no value.
    void EnableEntries();
    void LoadGroup(TChildGroup& g, bool constant, std::int32_t count, const std::array<std::int32_t, 12>& months);
    void CodeChosen(QRadioButton* button);
    // The per-month code dialog; a cancel goes back to `back`.
    void PerMonthCodes(QRadioButton* back);
    void SumListSelectItem(int row);
    void SelectSum(int row);
    // The current education amount's row when it is selected; null otherwise.
    QTreeWidgetItem* CurrentSumItem() const;
    bool HasSocialData() const;

    std::array<TChildGroup, 2> groups_;
    std::array<std::unique_ptr<kept::TKeptAmount>, 4> amounts_;
    std::unique_ptr<kept::TKeptCount> appE_;
    bool loading_ = false;
    bool listUpdate_ = false;
    bool reverting_ = false;
    bool syncing_ = false;
    // The code button checked before the latest choice, to go back to when the per-month dialog is
    // cancelled; and what was loaded, so that a code no button shows is written back unchanged.
    QRadioButton* codeButton_ = nullptr;
    QRadioButton* previousCodeButton_ = nullptr;
    QRadioButton* loadedCodeButton_ = nullptr;
    QRadioButton* loadedKindButton_ = nullptr;
    std::int32_t loadedCode_ = 103;
    std::int32_t loadedKind_ = 101;
};
