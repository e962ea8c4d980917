// The date picker of the pages: a date edit with a drop-down calendar in which a click on the day,
// the month or the year selects that part, so that the digits typed next replace it.
//
// A date is typed as people type it: "20.04.2001", "5.3.1970" or "20042001", with ".", ",", "/"
// or "-" between the parts. The digits are kept as typed and become the picker's date only when the
// date is whole: when its year has been typed, or when the typing ends otherwise (Enter, leaving the
// field, a click elsewhere); the parts not typed keep the picker's. Only then is the day checked
// against the month: a date that does not exist, or lies outside the picker's range, is refused
// with a message, and the picker keeps its date and the focus.
#pragma once

#include <QDateEdit>

class TDateEdit : public QDateEdit {
    Q_OBJECT

public:
    explicit TDateEdit(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool TypingEvent(QObject* watched, QEvent* event); // true: the event was taken
    bool TypeKey(const QKeyEvent* key);                // true: the key was taken
    void Digit(QChar digit);
    void Separator();
    void NextPart();
    void MoveTo(int part);
    void ShowTyped();
    void ShowDate(int part);
    void StopTyping();
    QString EndTyping(); // the date taken, or the text of its refusal
    bool FinishTyping(); // false: the date was refused and the user told
    void Refuse(const QString& why);

    // The part a click selected before the picker had the focus (its window was behind another).
    Section clickedUnfocused_ = NoSection;

    // While a date is typed, the picker watches every event of the program, so that a click
    // elsewhere first ends the typing.
    bool typing_ = false;
    QString typed_[3];    // the digits typed into the day, the month and the year
    int part_ = 0;        // the part the next digit goes to
    int first_ = 0;       // the part the typing began in
    bool fresh_ = true;   // the next digit begins the part anew
    bool filled_ = false; // the last digit filled its part, which moved on by itself
};
