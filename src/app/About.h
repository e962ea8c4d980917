// The about box: a picture, the support panel, the credits and a footer line. Any click or Esc
// closes it; two hidden gestures hide the picture or toggle the support panel.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfmAbout;
}

class TfmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfmAbout(QWidget* owner = nullptr);
    ~TfmAbout() override;

    std::unique_ptr<Ui::TfmAbout> ui;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormClick();
    void imgAboutClick();
    void imgAboutMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift);
    void lbHideCoMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift);
    void FormKeyUp(int key);
};
