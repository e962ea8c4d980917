// Helpers of the widget tests: typing text (any alphabet) into a widget, and answering modal
// dialogs as a user would.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace uitest {

inline void Type(QWidget* w, const QString& text) {
    for (QChar c : text) {
        const Qt::Key key = c.unicode() < 128 ? static_cast<Qt::Key>(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, w, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, key, QString(c), Qt::NoModifier);
    }
}

inline void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(w, key, mods); }

// Answers each modal dialog that opens, in turn, with the given function (which clicks or closes
// it); records the dialogs it saw.
class ModalAnswerer {
public:
    using Answer = std::function<void(QDialog*)>;
    explicit ModalAnswerer(std::vector<Answer> answers) : answers_(std::move(answers)) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    std::vector<QDialog*> seen;
    int Answered() const { return next_; }

private:
    void Poll() {
        // A dialog that has been answered is hidden at once, so each showing is answered once.
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible() || next_ >= static_cast<int>(answers_.size())) return;
        seen.push_back(d);
        answers_[next_++](d);
    }
    std::vector<Answer> answers_;
    int next_ = 0;
    QTimer timer_;
};

inline ModalAnswerer::Answer Click(const char* buttonName) {
    return [buttonName](QDialog* d) {
        auto* b = d->findChild<QPushButton*>(buttonName);
        if (b) b->click();
    };
}

// Answers a code picker: the row whose first column is `code` becomes the current and selected
// one, then "Да".
inline ModalAnswerer::Answer Pick(const QString& code) {
    return [code](QDialog* d) {
        auto* list = d->findChild<QTreeWidget*>();
        QTreeWidgetItem* row = nullptr;
        for (int i = 0; list && i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(0) == code) row = list->topLevelItem(i);
        if (!row) ADD_FAILURE() << "no row " << code.toStdString() << " in " << d->metaObject()->className();
        if (row) list->setCurrentItem(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        if (auto* yes = d->findChild<QPushButton*>(QStringLiteral("bnYes"))) yes->click();
    };
}

inline ModalAnswerer::Answer CloseBox() {
    return [](QDialog* d) { d->close(); };
}

} // namespace uitest
