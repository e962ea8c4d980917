#include "app/StartForm.h"

#include "app/Main.h"
#include "platform/JpegImage.h"
#include "platform/QtWindowing.h"
#include "ui_StartForm.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFont>
#include <QScreen>

TfmStart* fmStart = nullptr;

TfmStart::TfmStart(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TfmStart>()) {
    ui->setupUi(this);
    setFixedSize(400, 300);
    QFont f = ui->Label1->font();
    f.setPixelSize(19);
    ui->Label1->setFont(f);
    QFile picture(QStringLiteral(":/velmarod/start.jpg"));
    if (picture.open(QIODevice::ReadOnly)) ui->imgStart->setPixmap(QPixmap::fromImage(DecodeJpeg(picture.readAll())));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
    // Three seconds at least: a coarse timer may tick up to 5 % early.
    tmStartTimer.setTimerType(Qt::PreciseTimer);
    tmStartTimer.setInterval(3000);
    connect(&tmStartTimer, &QTimer::timeout, this, [this] { tmStartTimerTimer(); });
    tmStartTimer.start();
}

TfmStart::~TfmStart() = default;

int RunVelmarod(int argc, char** argv) {
    QApplication app(argc, argv);
    return StartVelmarod(QApplication::arguments().mid(1));
}

int StartVelmarod(const QStringList& arguments) {
    QApplication::setApplicationName(kAppTitle);
    InstallFontSubstitutions();
    InstallRussianLanguage();

    auto* splash = new TfmStart();
    fmStart = splash;
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    TFormMain* main = nullptr;
    try {
        main = new TFormMain(arguments);
    } catch (const std::exception& e) {
        MessageBox(splash, QString::fromUtf8(e.what()), TMsgIcon::Error);
        fmStart = nullptr;
        delete splash;
        return 1;
    }
    // The splash stays until its timer has ticked once: three seconds from its start, or at once
    // when building the main window took longer. The wait sleeps in the event loop.
    if (splash->tmStartTimer.isActive()) {
        QEventLoop wait;
        QObject::connect(&splash->tmStartTimer, &QTimer::timeout, &wait, &QEventLoop::quit);
        if (splash->tmStartTimer.isActive()) wait.exec();
    }
    splash->hide();
    fmStart = nullptr;
    delete splash;

    main->show();
    const int code = QApplication::exec();
    delete main;
    return code;
}
