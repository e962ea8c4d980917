#include "platform/HelpViewer.h"

#include <algorithm>

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

void ShowHelp(QWidget* owner, const QString& topicPath) {
    static QPointer<QWidget> window;
    static QPointer<QTextBrowser> browser;
    const bool made = !window;
    if (made) {
        window = new QWidget(owner, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QStringLiteral("Справка - Велмарод"));
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        browser = new QTextBrowser(window);
        browser->setObjectName(QStringLiteral("HelpBrowser"));
        browser->setOpenLinks(true);
        layout->addWidget(browser);
    }
    browser->setSearchPaths({QFileInfo(topicPath).absolutePath()});
    browser->setSource(QUrl::fromLocalFile(QFileInfo(topicPath).absoluteFilePath()));
    if (made) {
        // Where no window manager maximises the window it keeps this size: most of the screen,
        // over the program's window.
        const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        const QSize size(std::max(640, area.width() * 4 / 5), std::max(480, area.height() * 4 / 5));
        QRect frame(QPoint(0, 0), size.boundedTo(area.size()));
        frame.moveCenter(owner ? owner->frameGeometry().center() : area.center());
        frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width() + 1)));
        frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height() + 1)));
        window->setGeometry(frame);
    }
    window->showMaximized();
    window->raise();
    window->activateWindow();
}
