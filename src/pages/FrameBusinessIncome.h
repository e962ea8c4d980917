// "Предприниматели": business activities and private practice. One list row per activity; for the
// activity shown, its income by months or for the period and its expenses, documented (by months or
// for the period) or at the 20 % norm, with their total; below, the advance payments and the
// entrepreneur's registration number, which belong to the declaration.
#pragma once

#include "pagebase/MyFrame.h"
#ifndef Q_MOC_RUN // moc cannot read the standard library's concepts that the money type brings in
#include "platform/Currency.h"
#endif

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QTreeWidgetItem;
class TMaskedEdit;
class mTBusinessIncome;

namespace Ui {
class TfrBusinessIncome;
}

class TfrBusinessIncome : public TThinkingFrame {
    Q_OBJECT
public:
    TfrBusinessIncome(QWidget* owner, TDocumentRef documentRef);
    ~TfrBusinessIncome() override;

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusItem(std::uint16_t item) override;
    void SelectFirstEntry() override;

    void fbAddSourseIncomeClick();
    void fbEditSourseIncomeClick();
    void fbDeleteSourseIncomeClick();
    void lvSourseIncomeInfoSelectItem(int row, bool selected);

    // The grids; N is the month, 1 to 12.
    void chbIncomeSumClick(int N);
    void meIncomeSumMonthChange(int N);
    void meIncomeSumChange();
    void chbExpenseInfoClick(int N);
    void meExpenseMonthChange(int N, const TMaskedEdit* edit);
    void mePeriodExpenseChange();
    void chbIncomeByMonthClick();
    void chbIsConfirmedExpensiesClick();
    void chbChargeSumEveryMonthClick();

    // The 20 % norm of the income shown, and the documented expenses shown.
    Currency ExpenseNorm() const;
    Currency DocumentedExpense() const;
    void LoadActivity(QTreeWidgetItem* row, int index);
    void StoreActivity(int index);

    std::unique_ptr<Ui::TfrBusinessIncome> ui;

    bool Creating = false;
    bool Deleting = false;
    bool Selecting = false;
    int CurrentIndex = 0;
    // The row of the activity in the grids; none: the grids belong to no activity.
    QTreeWidgetItem* CurrentItem = nullptr;
    // Bit m-1 for month m: the ticked months of each grid.
    std::uint16_t IncomeMonthMask = 0;
    std::uint16_t ExpenseMonthMask = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TMonthRow {
        QCheckBox* income;
        TMaskedEdit* incomeSum;
        QCheckBox* expense;
        std::array<TMaskedEdit*, 4> expenses; // material, amortisation, labour, other
    };
    // A declaration field shown in a bottom edit and written back only when its text changed.
    struct TKeptField {
        TMaskedEdit* edit;
        std::function<QString(const mTDeclaration&)> show;
        std::function<void(mTDeclaration&, const QString&)> store;
        QString shown;
    };

    void EnableControls(bool enable);
    // The grids take input only while they show an activity.
    void ShowAttachment();
    void EditActivity();
    void SelectRow(int row);
    void SetTotal(Currency total);
    // The expense panels and the total for the expense kind and mode ticked.
    void ShowExpenseGrid();
    QStringList IncomeState() const;
    QStringList ExpenseState() const;
    void TakeShownState();
    mTBusinessIncome& Activity(int index) const;

    std::array<TMonthRow, 12> months_{};
    std::array<TMaskedEdit*, 4> periodExpenses_{};
    std::vector<TKeptField> fields_;
    QStringList shownIncome_, shownExpense_;
    QString shownTotal_;
    bool destroying_ = false;
};
