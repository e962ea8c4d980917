// Fails the running test at once on a modal window that opens while no ModalAnswerer lives to
// answer it, naming the window's title and texts, and closes it so that the test runs on to its
// end. Without it such a window (a check the test did not expect to fail, a message box) waits for
// a user who never comes, and the test blocks until the run is stopped from outside, saying
// nothing. The test programs keep one for their whole run.
#pragma once

#include "ModalAnswerer.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

namespace uitest {

class StrayDialogGuard : public QObject {
public:
    StrayDialogGuard() { qApp->installEventFilter(this); }
    ~StrayDialogGuard() override { qApp->removeEventFilter(this); }
    StrayDialogGuard(const StrayDialogGuard&) = delete;
    StrayDialogGuard& operator=(const StrayDialogGuard&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
        auto* window = static_cast<QWidget*>(watched);
        // Looked at once the window's own event loop turns, not while it is being shown: closing
        // it before its loop has started would leave that loop waiting for good. What a test set to
        // run first in that loop (an answer of its own making) has had its turn by then.
        if (window->isWindow() && window->isModal())
            QMetaObject::invokeMethod(this, [window = QPointer<QWidget>(window)] { Refuse(window); }, Qt::QueuedConnection);
        return false;
    }

private:
    static void Refuse(QWidget* window) {
        if (!window || !window->isVisible() || !window->isModal() || ModalAnswerer::AnyLives()) return;
        ADD_FAILURE() << "unexpected dialog: " << DescribeDialog(window) << " (no dialog was expected)";
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->done(QDialog::Rejected);
        else
            window->close();
    }
};

} // namespace uitest
