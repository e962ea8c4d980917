// "Уплата по уведомлениям": the amounts of tax paid on tax notices or by the filer himself, each
// with its budget classification code. Every change goes into the document at once, so the page
// has nothing to save or check.
#pragma once

#include "pagebase/MyFrame.h"

#include <cstdint>
#include <memory>

class QTreeWidgetItem;
namespace Ui {
class TfrNalog;
}

class TfrNalog : public TThinkingFrame {
    Q_OBJECT
public:
    TfrNalog(QWidget* owner, TDocumentRef documentRef);
    ~TfrNalog() override;

    void SaveData() override {}
    std::uint16_t CheckData() override { return 0; }
    void FocusItem(std::uint16_t) override {}
    void SelectFirstEntry() override;

    void fbAddSourseIncomeClick();
    void fbDeleteSourseIncomeClick();
    void EditPayment();

    std::unique_ptr<Ui::TfrNalog> ui;

    // The current payment: its row and its index in the tax-paid list; -1 for none.
    int CurrentPayment = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SelectPayment(int row);
    // The current payment's row when it is selected; null otherwise.
    QTreeWidgetItem* CurrentItem() const;

    bool loading_ = false;
    bool listUpdate_ = false;
};
