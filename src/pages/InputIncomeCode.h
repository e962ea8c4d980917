// The pickers of an income code and of a deduction code from the built-in dictionary. The window
// that opens one hands it the root of its own copy of the dictionary; each picker is made for one
// choice, shown modally, read by its caller on OK and freed.
#pragma once

#include "platform/QtWindowing.h"
#ifndef Q_MOC_RUN // moc cannot read the standard library's concepts that the money type brings in
#include "platform/Currency.h"
#endif

#include <QDomElement>
#include <QString>
#include <cstdint>
#include <memory>

class QTreeWidget;

namespace Ui {
class TfmInputIncomeCode;
class TfmInputDeductCode;
} // namespace Ui

// "Справочник видов доходов": every income, or those whose rate ("Stav") equals the filter.
class TfmInputIncomeCode : public TKeyPreviewDialog {
    Q_OBJECT
public:
    TfmInputIncomeCode(QWidget* owner, const QDomElement& root, const QString& filter, const QString& currentCode);
    ~TfmInputIncomeCode() override;

    // The chosen row's code and name; empty with no chosen row.
    QString GetCode() const;
    QString GetName() const;
    // The chosen income's rate in percent.
    std::uint16_t GetStav() const;
    // The chosen income has deduction codes.
    bool HasDeductions = false;

    std::unique_ptr<Ui::TfmInputIncomeCode> ui;

private:
    void Choose(int row, bool selected);
    QDomElement Dict;
    QString Filter;
    QString SelStav;
    int SelItem = -1;
};

// "Справочник видов вычетов": the deductions allowed under one income code.
class TfmInputDeductCode : public TKeyPreviewDialog {
    Q_OBJECT
public:
    TfmInputDeductCode(QWidget* owner, const QDomElement& root, const QString& incomeCode, const QString& currentCode);
    ~TfmInputDeductCode() override;

    // The chosen deduction (empty, 0 and false before any choice; kept when the choice is lost).
    QString DeductCode;
    QString DeductName;
    Currency DeductMaxSum;
    bool DeductEnabled = false;
    bool DeductEquivalent = false;
    bool DeductVisible = false;
    std::uint16_t DeductStav = 0;

    std::unique_ptr<Ui::TfmInputDeductCode> ui;

private:
    void Choose(int row, bool selected);
    QDomElement IncomeNode;
    int SelItem = -1;
};
