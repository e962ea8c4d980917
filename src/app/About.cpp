#include "app/About.h"

#include "platform/JpegImage.h"
#include "ui_About.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>

TfmAbout::TfmAbout(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TfmAbout>()) {
    ui->setupUi(this);
    resize(460, 232);
    setFixedSize(460, 232);
    ui->imgAbout->setFixedHeight(104);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base)); // window-coloured background
    setPalette(pal);
    ui->pnSupport->setPalette(pal);

    QFile picture(QStringLiteral(":/velmarod/about.jpg"));
    if (picture.open(QIODevice::ReadOnly)) ui->imgAbout->setPixmap(QPixmap::fromImage(DecodeJpeg(picture.readAll())));

    // One click handler for the window and everything on it; the picture and the sign have their
    // own mouse-down gestures as well.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    installEventFilter(this);
}

TfmAbout::~TfmAbout() = default;

bool TfmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto* m = static_cast<QMouseEvent*>(event);
        if (watched == ui->imgAbout) imgAboutMouseDown(m->button(), m->modifiers());
        if (watched == ui->lbHideCo) lbHideCoMouseDown(m->button(), m->modifiers());
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() != Qt::LeftButton) return false;
        if (watched == ui->imgAbout)
            imgAboutClick();
        else
            FormClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfmAbout::FormClick() { done(1); }
void TfmAbout::imgAboutClick() { done(1); }

void TfmAbout::imgAboutMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift) {
    if (button == Qt::RightButton && (shift & Qt::ShiftModifier)) ui->imgAbout->hide();
}

void TfmAbout::lbHideCoMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift) {
    if (button == Qt::RightButton && (shift & Qt::ShiftModifier) && (shift & Qt::ControlModifier))
        ui->pnSupport->setVisible(!ui->pnSupport->isVisible());
}

void TfmAbout::keyPressEvent(QKeyEvent* event) {
    event->accept(); // keys do not close the box by themselves (Esc acts when released)
}

void TfmAbout::keyReleaseEvent(QKeyEvent* event) { FormKeyUp(event->key()); }

void TfmAbout::FormKeyUp(int key) {
    if (key == Qt::Key_Escape) done(1);
}
