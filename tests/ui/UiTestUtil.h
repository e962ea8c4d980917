// Helpers of the widget tests: typing text (any alphabet) into a widget, and answering modal
// dialogs as a user would.
#pragma once

#include "ModalAnswerer.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>
#include <gtest/gtest.h>

namespace uitest {

// How long a wait for a condition may last before the test fails. It only bounds a failure: many
// times what a busy two-core machine needs (a few seconds at worst), yet short enough that a
// failing wait ends the test well within its time limit under ctest.
constexpr int kFailAfterMs = 60 * 1000;

inline void Type(QWidget* w, const QString& text) {
    for (QChar c : text) {
        const Qt::Key key = c.unicode() < 128 ? static_cast<Qt::Key>(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, w, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, key, QString(c), Qt::NoModifier);
    }
}

inline void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(w, key, mods); }

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
