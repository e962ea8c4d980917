// What the 35 % page and the dividend page share: a list of sources of payment with the buttons to
// add, delete and change one, the figures of the selected source below it, and no edits of their
// own. They change the document only when a source dialog closes with OK or a source is deleted,
// so they have nothing to save or check when the user leaves them.
#pragma once

#include "pagebase/MyFrame.h"

#include <cstdint>

class QEvent;
class QTreeWidget;
class QTreeWidgetItem;
class TFlashButton;

class TSourseListPage : public TThinkingFrame {
    Q_OBJECT
public:
    using TThinkingFrame::TThinkingFrame;
    ~TSourseListPage() override;

    void SaveData() override {}
    std::uint16_t CheckData() override { return 0; }
    void FocusItem(std::uint16_t) override {}
    void SelectFirstEntry() override;

    void fbAddSourseIncomeClick();
    void fbEditSourseIncomeClick();
    void fbDeleteSourseIncomeClick();

    // The source last shown (its index in the document's list and its row), or none.
    int CurrentIndex = 0;
    QTreeWidgetItem* CurrentItem = nullptr;

protected:
    // Binds the list and the buttons and appends one row per source; called once the controls exist.
    void SetUp(QTreeWidget* list, TFlashButton* add, TFlashButton* remove, TFlashButton* edit);
    // Appends a row for a source just added to the document and selects it, which shows it.
    void AppendRow(const std::string& name);
    // The row of the current source after a change: its new caption, and its figures shown again.
    void Refresh(const std::string& name);

    virtual int Count() const = 0;
    virtual std::string Name(int index) const = 0;
    virtual void ShowSourse(int index) = 0;
    virtual void ClearPanels() = 0;
    // The source dialogs and the removal; each writes into the document itself.
    virtual void AddSourse() = 0;
    virtual void EditSourse() = 0;
    virtual void RemoveSourse(int index) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

    bool Creating = false;
    bool Deleting = false;

private:
    void lvSourseIncomeInfoSelectItem(int row, bool selected);
    bool CurrentSelected() const;
    void SelectRow(int row);

    QTreeWidget* list_ = nullptr;
    bool destroying_ = false;
};
