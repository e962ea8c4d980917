// The splash window shown while the main window is being built, for at least three seconds.
#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace Ui {
class TfmStart;
}

class TfmStart : public QWidget {
    Q_OBJECT
public:
    explicit TfmStart(QWidget* owner = nullptr);
    ~TfmStart() override;

    void tmStartTimerTimer() { tmStartTimer.stop(); }

    std::unique_ptr<Ui::TfmStart> ui;
    QTimer tmStartTimer; // 3000 ms, running from the moment the window is made
};

// The splash window while it is up; null before and after.
extern TfmStart* fmStart;

// The program's start: the application object, then StartVelmarod. Returns the exit code.
int RunVelmarod(int argc, char** argv);
// With the application object made: language, fonts, splash, main window (given the command line
// without the program's name), message loop until the main window closes.
int StartVelmarod(const QStringList& arguments);
