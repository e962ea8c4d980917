// The pickers of a code and its name from a list read out of an XML data file: the tax
// inspections ("InspectionNumbers.xml") and, built on the same design, the countries ("Oksm.xml").
#pragma once

#include "platform/QtWindowing.h"

#include <QDomElement>
#include <QString>
#include <memory>

class QTreeWidget;
class QPushButton;

namespace Ui {
class TfmInputInspectionNumber;
}

class TCodePicker : public TKeyPreviewDialog {
    Q_OBJECT
public:
    using TKeyPreviewDialog::TKeyPreviewDialog;

    // Preselects the first row whose code equals Code exactly; SelectedCode := Code in any case.
    void SetCode(const QString& code);

    QString SelectedCode;
    QString SelectedName;

protected:
    // Fills the list from the children of root (attribute "Code", the child's text) in file order.
    void Init(QTreeWidget* list, QPushButton* yes, QPushButton* no, const QDomElement& root);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidget* list_ = nullptr;
};

class TfmInputInspectionNumber : public TCodePicker {
    Q_OBJECT
public:
    TfmInputInspectionNumber(QWidget* owner, const QDomElement& root);
    ~TfmInputInspectionNumber() override;

    std::unique_ptr<Ui::TfmInputInspectionNumber> ui;
};
