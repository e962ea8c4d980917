// The edit of the identity document's series and number: it keeps the text in the shape of the
// chosen document type, inserting the separating blanks and capitals itself.
#pragma once

#include <QLineEdit>
#include <QString>
#include <cstdint>

class QKeyEvent;

enum TDocumentMaskEnum : std::uint8_t {
    edtR_BB = 0,  // Roman numeral, "-", two capitals, blank, six digits ("XIV-АБ 123456")
    edt99 = 1,    // two digits, blank, seven digits and blanks ("12 1234567")
    edt99_ = 2,   // two digits, blank, two digits, blank, seven digits and blanks ("45 04 123456")
    edtBB = 3,    // two capitals, blank, six digits ("АБ 123456")
    edtBB0 = 4,   // two capitals, blank, seven digits ("АБ 1234567")
    edtNone1 = 5, // any text of at most 20 characters
    edtNone2 = 6, // any text of at most 14 characters
};

// Roman numerals of the letters C, L, X, V and I.
int RomanToInt(const QString& text);
QString IntToRoman(int value);
bool IsCanonicalRoman(const QString& text);

class TMaskedDocEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int EditType READ EditTypeValue WRITE setEditType)

public:
    explicit TMaskedDocEdit(QWidget* parent = nullptr);

    TDocumentMaskEnum EditType() const { return editType_; }
    int EditTypeValue() const { return editType_; }
    // Changing the rule does not check the text again.
    void setEditType(int type) { editType_ = static_cast<TDocumentMaskEnum>(type); }

    void SetText(const QString& text) { QLineEdit::setText(text); }
    void setText(const QString& text) { SetText(text); }
    QString Text() const { return text(); }

    // The whole text fits the shape of the rule (every prefix of a shape fits).
    bool Fits(const QString& text) const;

signals:
    void OnChange();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QChar FilterChar(QChar ch);
    void InsertBlankAt(int at);
    void MoveCaret(int to);
    void TextChanged();
    QString Normalised(const QString& text) const;

    TDocumentMaskEnum editType_ = edtNone1;
    QString LastText;
    bool Changing = false;
    bool Normalising = false;
};
