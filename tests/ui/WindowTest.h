// The fixture of the tests that open the main window: a private folder, the program's settings
// emptied, and every message box answered from `answers` (then "OK") with its text kept.
#pragma once

#include "../TestUtil.h"
#include "app/Main.h"
#include "model/DeclClasses.h"
#include "platform/QtWindowing.h"

#include <QSettings>
#include <QStringList>
#include <deque>
#include <memory>
#include <stdexcept>
#include <string>

namespace uitest {

// The main window as the program starts with `path` named on its command line. A document that does
// not load ends the test here, in the loader's words: the window would go on with the new empty
// declaration it puts in the document's place, and the test would act on pages and entries that
// are not there.
inline std::unique_ptr<TFormMain> OpenWindow(const std::string& path, const std::string& programDir) {
    auto window = std::make_unique<TFormMain>(QStringList{QString::fromStdString(path)}, QString::fromStdString(programDir));
    if (!window->FileName.isEmpty()) return window;
    mTDeclaration again;
    again.LoadFromFile(path); // throws what the window reported
    throw std::runtime_error("the window did not open " + path);
}

// The page of this class that the window shows after a test switched to it. A switch the page
// before refused ends the test here instead of leaving it with no page to work on.
template <class Page>
Page& ShownPage(const TFormMain& window) {
    auto* page = qobject_cast<Page*>(window.CurrentPage);
    if (!page) throw std::runtime_error(std::string("the window does not show ") + Page::staticMetaObject.className());
    return *page;
}

// The same for the sub-page a holder page shows.
template <class Sub, class Holder>
Sub& ShownSubPage(const Holder& holder) {
    auto* sub = qobject_cast<Sub*>(holder.CurrentSubPage);
    if (!sub) throw std::runtime_error(std::string("the page does not show ") + Sub::staticMetaObject.className());
    return *sub;
}

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
