// "Доходы, облагаемые по ставке 13%": the sources of income paid in Russia at 13 % and, for the
// source shown, its monthly income lines, its total income and the three amounts the user types
// for it (taxable income, tax computed, tax withheld). A sub-page of the Russian income page.
#pragma once

#include "pagebase/MyFrame.h"
#include "pages/ShownValues.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QTreeWidgetItem;
class mTThirteenPercent;
struct mTSourseIncome;

namespace Ui {
class TfrThirteenPercent;
}

class TfrThirteenPercent : public TThinkingFrame {
    Q_OBJECT
public:
    TfrThirteenPercent(QWidget* owner, TDocumentRef documentRef);
    ~TfrThirteenPercent() override;

    void SaveData() override;
    std::uint16_t CheckData() override;
    // Selects source number `item` (counted from 1), which shows it.
    void FocusItem(std::uint16_t item) override;
    void SelectFirstEntry() override;

    void fbAddSourseIncomeClick();
    void fbEditSourseIncomeClick();
    void fbDeleteSourseIncomeClick();
    void fbAddIncomeClick();
    void fbEditIncomeClick();
    void fbRemoveIncomeClick();

    std::unique_ptr<Ui::TfrThirteenPercent> ui;

    // The source shown (its row in lvSourseIncomeInfo), or none.
    int SourseIndex = 0;
    QTreeWidgetItem* SourseItem = nullptr;
    // The current line of the source shown (its row in lvIncome), or none.
    int IncomeIndex = 0;
    QTreeWidgetItem* IncomeItem = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SourseSelectItem(int row, bool selected);
    void IncomeSelectItem(int row, bool selected);
    void ShowSourse(int row);
    void ReleaseSourse();
    void EnableLowerPart(bool on);
    void LoadCounters();
    void ShowTotal();
    mTThirteenPercent& Sourse() const;
    bool SourseSelected() const;
    bool IncomeSelected() const;
    // The line's row as the line dialog writes it ("Нет" and "-" for zeros).
    void WriteIncomeRow(QTreeWidgetItem* item, const mTSourseIncome& line) const;

    bool Loading = false;
    bool DeletingSourse = false;
    bool RemovingIncome = false;
    bool destroying_ = false;

    TAmountEdit holdSum_, obl_, taxIsch_;

    // The counts of supporting documents: written back only when changed from what was loaded.
    struct TCounter {
        TMaskedEdit* edit;
        std::function<std::int32_t(const mTDeclaration&)> get;
        std::function<void(mTDeclaration&, std::int32_t)> set;
        bool loaded = false;
        QString shown;
    };
    std::vector<TCounter> counters_;
    QList<int> splitterSizes_;
};
