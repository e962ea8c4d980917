#include "pages/SourseListPage.h"

#include "controls/FlashButton.h"
#include "pages/ListGlyphs.h"
#include "pages/PageValues.h"
#include "pages/ScopedFlags.h"
#include "platform/QtWindowing.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>
#include <algorithm>

using namespace pagevalues;

TSourseListPage::~TSourseListPage() {
    destroying_ = true;
    // The list reports nothing while it is taken down with the page.
    if (list_) list_->selectionModel()->blockSignals(true);
}

void TSourseListPage::SelectFirstEntry() { SelectFirstRow(list_); }

void TSourseListPage::SetUp(QTreeWidget* list, TFlashButton* add, TFlashButton* remove, TFlashButton* edit) {
    list_ = list;
    listglyphs::Apply(add, remove, edit, 26);
    list->header()->setSectionsClickable(false);
    list->setColumnWidth(0, 540);
    const std::pair<TFlashButton*, void (TSourseListPage::*)()> commands[] = {
        {add, &TSourseListPage::fbAddSourseIncomeClick},
        {remove, &TSourseListPage::fbDeleteSourseIncomeClick},
        {edit, &TSourseListPage::fbEditSourseIncomeClick}};
    for (auto [button, handler] : commands)
        connect(button, &TFlashButton::OnClick, this, [this, h = handler] { GuardedCall(this, [this, h] { (this->*h)(); }); });
    ConnectSelectItem(list, [this](int row, bool selected) { lvSourseIncomeInfoSelectItem(row, selected); });
    list->installEventFilter(this);             // Enter
    list->viewport()->installEventFilter(this); // a double click

    TScopedFlag creating(Creating);
    ClearPanels();
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < Count(); ++i) rows.append(new QTreeWidgetItem(QStringList{Q(Name(i))}));
    list->addTopLevelItems(rows);
}

void TSourseListPage::lvSourseIncomeInfoSelectItem(int row, bool) {
    if (destroying_ || Creating || Deleting) return;
    QTreeWidgetItem* item = list_->topLevelItem(row);
    if (!item) return;
    // The row losing the selection is shown too, and the row gaining it right after.
    CurrentIndex = row;
    CurrentItem = item;
    ShowSourse(row);
}

bool TSourseListPage::CurrentSelected() const { return CurrentItem && CurrentItem->isSelected(); }

void TSourseListPage::SelectRow(int row) {
    if (QTreeWidgetItem* item = list_->topLevelItem(row))
        list_->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TSourseListPage::AppendRow(const std::string& name) {
    list_->addTopLevelItem(new QTreeWidgetItem(QStringList{Q(name)}));
    SelectRow(list_->topLevelItemCount() - 1);
}

void TSourseListPage::Refresh(const std::string& name) {
    CurrentItem->setText(0, Q(name));
    ShowSourse(CurrentIndex);
}

void TSourseListPage::fbAddSourseIncomeClick() { AddSourse(); }

void TSourseListPage::fbEditSourseIncomeClick() {
    if (CurrentSelected()) EditSourse();
}

void TSourseListPage::fbDeleteSourseIncomeClick() {
    if (!CurrentSelected()) return;
    const int deleted = CurrentIndex;
    {
        TScopedFlag deleting(Deleting);
        Changed();
        RemoveSourse(deleted);
        QTreeWidgetItem* row = CurrentItem;
        CurrentItem = nullptr;
        delete row;
        list_->clearSelection();
    }
    if (Count() == 0) {
        CurrentIndex = 0;
        ClearPanels();
    } else {
        SelectRow(std::max(deleted - 1, 0));
    }
}

bool TSourseListPage::eventFilter(QObject* watched, QEvent* event) {
    if (!list_ || (watched != list_ && watched != list_->viewport())) return TThinkingFrame::eventFilter(watched, event);
    bool edit = event->type() == QEvent::MouseButtonDblClick;
    if (event->type() == QEvent::KeyPress && watched == list_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        edit = key == Qt::Key_Return || key == Qt::Key_Enter;
    }
    if (!edit) return false;
    GuardedCall(this, [this] { fbEditSourseIncomeClick(); });
    return true;
}
