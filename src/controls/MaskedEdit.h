// The validating single-line edit in which nearly every typed value is entered.
#pragma once

#include <QLineEdit>
#include <QString>
#include <cstdint>
#include <functional>

class QKeyEvent;

enum TEditTypeControlEnum : std::uint8_t {
    edtCurrency = 0, // amount with a decimal part
    edtDigital = 1,  // digits only
    edtChar = 2,     // anything but digits
    edtNone = 3,     // any characters
};

class TMaskedEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int EditType READ EditTypeValue WRITE setEditType)
    Q_PROPERTY(int WholeLength READ WholeLength WRITE setWholeLength)
    Q_PROPERTY(int FractionalLength READ FractionalLength WRITE setFractionalLength)

public:
    explicit TMaskedEdit(QWidget* parent = nullptr);

    TEditTypeControlEnum EditType() const { return editType_; }
    int EditTypeValue() const { return editType_; }
    void setEditType(int type) { editType_ = static_cast<TEditTypeControlEnum>(type); }
    int WholeLength() const { return wholeLength_; }
    void setWholeLength(int n) { wholeLength_ = static_cast<std::uint16_t>(n); }
    int FractionalLength() const { return fractionalLength_; }
    void setFractionalLength(int n) { fractionalLength_ = static_cast<std::uint16_t>(n); }

    // The program's assignment of the text (the same rule as typing, but the permissive money
    // conversion: a sign or an exponent is taken).
    void SetText(const QString& text);
    void setText(const QString& text) { SetText(text); }
    QString Text() const { return text(); }
    // Whether SetText would take the text, without changing anything.
    bool Takes(const QString& text) const { return Accepts(text, false); }

signals:
    // An accepted change of the text; always after the main window has been told.
    void OnChange();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QChar FilterChar(QChar ch) const;
    void TextChanged();
    bool Accepts(const QString& text, bool typed) const;
    int CaretOffset() const;

    TEditTypeControlEnum editType_ = edtCurrency;
    std::uint16_t wholeLength_ = 0;
    std::uint16_t fractionalLength_ = 0;
    QString LastText;
    bool Changing = false;
    bool Assigning = false;
};

// Shared by the entry controls: the character a key press types (0 for none: navigation, Delete
// and the like go to the edit unfiltered), with the clipboard shortcuts and backspace as the
// control characters the platform sends for them.
QChar TypedChar(const QKeyEvent* event);
// A key press in an entry control: a character goes through the filter (0 drops it; Enter is never
// typed) and on to the plain edit, perhaps replaced; other keys go to the plain edit unfiltered.
void FilteredKeyPress(QLineEdit* edit, QKeyEvent* event, const std::function<QChar(QChar)>& filter,
                      void (*baseKeyPress)(QLineEdit*, QKeyEvent*));
// True when every character of the text has a place in Windows-1251.
bool IsStorableText(const QString& text);
