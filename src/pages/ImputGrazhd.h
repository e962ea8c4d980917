// The country picker: the countries of "Oksm.xml" with their codes.
#pragma once

#include "pages/InputInspectionNumber.h"

namespace Ui {
class TfmGrazhd;
}

class TfmGrazhd : public TCodePicker {
    Q_OBJECT
public:
    TfmGrazhd(QWidget* owner, const QDomElement& root);
    ~TfmGrazhd() override;

    std::unique_ptr<Ui::TfmGrazhd> ui;
};
