// The filer's own standard deduction chosen month by month (103, 104 or 105).
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>

class QComboBox;
namespace Ui {
class TfmDif;
}

class TfmDif : public QDialog {
    Q_OBJECT
public:
    explicit TfmDif(QWidget* owner = nullptr);
    ~TfmDif() override;

    // Month 1 to 12; the index of the chosen item: 0 = 103, 1 = 104, 2 = 105.
    void SetChoice(int month, std::int32_t index);
    std::int32_t GetChoice(int month) const;
    QComboBox* List(int month) const { return lists_.at(month - 1); }

    std::unique_ptr<Ui::TfmDif> ui;

private:
    std::array<QComboBox*, 12> lists_{};
    std::array<std::int32_t, 12> stored_{};
};
