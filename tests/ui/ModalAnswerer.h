// Answers the modal dialogs a test opens, each with the next answer in turn, as a user answers
// them; and runs steps in the main window between them, each once its window is there.
//
// A dialog is new when it is the active modal widget, is visible, has come up as the active window
// (as a user waits for a dialog to appear before typing into it) and no answer is at work on it.
// An answer is at work from the moment it is chosen until it returns: also while a dialog it
// opened is being answered, and after that dialog closed, while it goes on in its own dialog. A
// dialog that an answer left open when it returned (a refused value kept it) is new again and
// takes the next answer. Nothing waits for time: the answerer looks again each time the event loop
// turns, and every decision follows from what is on screen and which answers are at work.
//
// Answerers may live side by side and inside answers. A new dialog goes to the answerers made
// inside the innermost answer that made any (else to those made outside every answer): to the
// oldest of them with an answer left. A dialog no answer is left for fails the test and is closed,
// so a stray dialog never hangs the run (while no answerer lives, StrayDialogGuard does the same).
#pragma once

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace uitest {

// A dialog as a failing test names it: its class, its title and every text it shows.
inline std::string DescribeDialog(const QWidget* d) {
    QString texts;
    for (const QLabel* l : d->findChildren<QLabel*>())
        if (l->isVisible() && !l->text().isEmpty()) texts += QStringLiteral(" | ") + l->text();
    return std::string(d->metaObject()->className()) + " \"" + d->windowTitle().toStdString() + "\"" + texts.toStdString();
}

class ModalAnswerer {
public:
    using Answer = std::function<void(QDialog*)>;

    explicit ModalAnswerer(std::vector<Answer> answers) {
        for (Answer& a : answers) Expect(std::move(a));
        members_.push_back({this, static_cast<int>(atWork_.size())});
        if (!poll_) {
            poll_ = new QTimer;
            poll_->setInterval(0);
            QObject::connect(poll_, &QTimer::timeout, &Poll);
            poll_->start();
        }
    }
    ~ModalAnswerer() {
        std::erase_if(members_, [this](const Member& m) { return m.answerer == this; });
        std::erase_if(atWork_, [this](const Work& w) { return w.answerer == this; });
        if (members_.empty()) {
            delete poll_;
            poll_ = nullptr;
        }
    }
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    // The next new dialog after those already expected gets `answer`.
    void Expect(Answer answer, std::string what = "a dialog") { items_.push_back({std::move(what), {}, std::move(answer), {}}); }
    // After the answers and steps before it: `act` runs once no dialog is open, no answer or step
    // is at work and `ready` holds.
    void Then(std::string what, std::function<bool()> ready, std::function<void()> act) {
        items_.push_back({std::move(what), std::move(ready), {}, std::move(act)});
    }

    // Answers and steps begun.
    int Answered() const { return begun_; }
    // Every answer and step has run to its end.
    bool AllAnswered() const {
        return items_.empty() && std::none_of(atWork_.begin(), atWork_.end(), [this](const Work& w) { return w.answerer == this; });
    }
    std::string Waiting() const { return items_.empty() ? std::string("nothing") : items_.front().what; }
    // Whether an answerer lives to answer (or refuse) the dialogs that open now.
    static bool AnyLives() { return !members_.empty(); }

private:
    struct Item {
        std::string what;
        std::function<bool()> ready; // a step's
        Answer answer;               // a dialog's
        std::function<void()> act;   // a step's
    };
    struct Member {
        ModalAnswerer* answerer;
        int depth; // how many answers were at work when it was made
    };
    struct Work {
        int id;
        const ModalAnswerer* answerer;
        QPointer<QDialog> dialog; // none for a step
    };

    static bool AtWork(const QDialog* d) {
        return std::any_of(atWork_.begin(), atWork_.end(), [d](const Work& w) { return w.dialog == d; });
    }

    // Whose turn it is: among the answerers made deepest, the oldest with something left.
    static ModalAnswerer* Current() {
        int depth = -1;
        for (const Member& m : members_) depth = std::max(depth, m.depth);
        for (const Member& m : members_)
            if (m.depth == depth && !m.answerer->items_.empty()) return m.answerer;
        return nullptr;
    }

    static void Poll() {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const bool open = d && d->isVisible();
        if (open && AtWork(d)) return;
        if (!open && !atWork_.empty()) return;
        // The window system makes a shown dialog active in its own time; should another window
        // have taken that from it, the dialog is asked for once, as a user clicks into it.
        if (open && QApplication::activeWindow() != d) {
            if (activating_ != d) d->activateWindow();
            activating_ = d;
            return;
        }
        activating_ = nullptr;
        ModalAnswerer* next = Current();
        if (open) {
            if (next && next->items_.front().answer)
                next->Begin(d);
            else
                Refuse(d, next);
        } else if (next && !next->items_.front().answer && next->items_.front().ready()) {
            next->Begin(nullptr);
        }
    }

    static void Refuse(QDialog* d, const ModalAnswerer* next) {
        ADD_FAILURE() << "unexpected dialog: " << DescribeDialog(d) << " (waiting for "
                      << (next ? next->Waiting() : std::string("nothing")) << ")";
        d->done(QDialog::Rejected);
    }

    // The answer runs from a call of its own, so that the answerer goes on looking in the event
    // loops of the dialogs it opens.
    void Begin(QDialog* d) {
        Item item = std::move(items_.front());
        items_.pop_front();
        ++begun_;
        const int id = ++lastId_;
        atWork_.push_back({id, this, d});
        QTimer::singleShot(0, &context_, [id, item = std::move(item), dialog = QPointer<QDialog>(d)] {
            if (!item.answer)
                item.act();
            else if (dialog && dialog->isVisible())
                item.answer(dialog);
            else
                ADD_FAILURE() << "the dialog for " << item.what << " closed before its answer";
            std::erase_if(atWork_, [id](const Work& w) { return w.id == id; });
        });
    }

    std::deque<Item> items_;
    int begun_ = 0;
    QObject context_; // pending answers go with their answerer

    static inline std::vector<Member> members_;
    static inline std::vector<Work> atWork_;
    static inline QTimer* poll_ = nullptr;
    static inline QPointer<QDialog> activating_;
    static inline int lastId_ = 0;
};

} // namespace uitest
