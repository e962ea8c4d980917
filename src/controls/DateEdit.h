// The date picker of the pages: a date edit with a drop-down calendar in which a click on the day,
// the month or the year selects that part, so that the digits typed next replace it.
#pragma once

#include <QDateEdit>

class TDateEdit : public QDateEdit {
    Q_OBJECT

public:
    explicit TDateEdit(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // The part a click selected before the picker had the focus (its window was behind another).
    Section clickedUnfocused_ = NoSection;
};
