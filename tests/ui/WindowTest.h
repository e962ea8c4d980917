// The fixture of the tests that open the main window: a private folder, the program's settings
// emptied, and every message box answered from `answers` (then "OK") with its text kept.
#pragma once

#include "../TestUtil.h"
#include "app/Main.h"
#include "platform/QtWindowing.h"

#include <QSettings>
#include <QStringList>
#include <deque>
#include <memory>

namespace uitest {

class WindowTest : public testutil::TempDir {
protected:
    void SetUp() override {
        TempDir::SetUp();
        QSettings(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод")).clear();
        SetMessageBoxHook([this](const QString& text, TMsgIcon, TMsgButtons) {
            messages << text;
            if (answers.empty()) return int(mrOk);
            const int a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    void TearDown() override {
        window.reset();
        SetMessageBoxHook({});
        TempDir::TearDown();
    }
    std::unique_ptr<TFormMain> window;
    QStringList messages;
    std::deque<int> answers;
};

} // namespace uitest
