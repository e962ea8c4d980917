// The pickers of the built-in reference tables: identity-document types and regions. A page makes
// one for each press of its "..." button, shows it once and frees it.
#pragma once

#include "platform/QtWindowing.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class QTreeWidget;
class QPushButton;
struct TCodeName;

namespace Ui {
class TfmDocType;
class TfmRegionName;
} // namespace Ui

class TReferencePicker : public TKeyPreviewDialog {
    Q_OBJECT
public:
    using TKeyPreviewDialog::TKeyPreviewDialog;

    // The chosen row; -1 while none is.
    int ChosenRow = -1;

    // The chosen row's code as a number ("03" gives 3) and its name; 0 and "" with no chosen row.
    std::uint16_t ChosenCode() const;
    QString ChosenName() const;

protected:
    // Lists the table and preselects the row of `code` written with at least two digits ("01" for 0).
    template <std::size_t N>
    void Init(QTreeWidget* list, QPushButton* yes, QPushButton* no, const std::array<TCodeName, N>& table, std::uint16_t code) {
        Init(list, yes, no, table.data(), N, code);
    }
    void Init(QTreeWidget* list, QPushButton* yes, QPushButton* no, const TCodeName* rows, std::size_t count, std::uint16_t code);
    // OK needs a chosen row: without one there is nothing to take, and OK acts as Cancel.
    void Confirm() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidget* list_ = nullptr;
};

class TfmDocType : public TReferencePicker {
    Q_OBJECT
public:
    TfmDocType(QWidget* owner, std::uint16_t code);
    ~TfmDocType() override;

    std::uint16_t GetDocTypeCode() const { return ChosenCode(); }
    QString GetDocTypeName() const { return ChosenName(); }

    std::unique_ptr<Ui::TfmDocType> ui;
};

class TfmRegionName : public TReferencePicker {
    Q_OBJECT
public:
    TfmRegionName(QWidget* owner, std::uint16_t code);
    ~TfmRegionName() override;

    std::uint16_t GetRegionCode() const { return ChosenCode(); }
    QString GetRegionName() const { return ChosenName(); }

    std::unique_ptr<Ui::TfmRegionName> ui;
};
