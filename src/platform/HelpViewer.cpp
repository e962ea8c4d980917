#include "platform/HelpViewer.h"

#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

void ShowHelp(QWidget* owner, const QString& topicPath) {
    static QPointer<QWidget> window;
    static QPointer<QTextBrowser> browser;
    if (!window) {
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
    window->showMaximized();
    window->raise();
    window->activateWindow();
}
