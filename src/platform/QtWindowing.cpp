#include "platform/QtWindowing.h"

#include "platform/FileDialogDetails.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QFont>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTranslator>
#include <algorithm>
#include <exception>
#include <set>

namespace {
docnotify::Handler g_mainWindow;
MessageBoxHook g_messageHook;

// Contexts under which Qt 6 asks for texts that Qt's Russian catalogue of Qt 6.4 still holds under
// the context Qt 5 asked with: the file types of the file dialogs ("Folder", "Drive" ...), which
// stayed English.
const struct {
    const char* asked;
    const char* held;
} kMovedContexts[] = {{"QAbstractFileIconProvider", "QFileDialog"}};

// Answers a moved text from the catalogue's old context. Installed before the catalogue, so that a
// catalogue that knows the new context answers first.
class TMovedQtTexts : public QTranslator {
public:
    TMovedQtTexts(const QTranslator* catalogue, QObject* parent) : QTranslator(parent), catalogue_(catalogue) {}
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override {
        for (const auto& moved : kMovedContexts)
            if (qstrcmp(context, moved.asked) == 0) return catalogue_->translate(moved.held, source, disambiguation, n);
        return {};
    }
    bool isEmpty() const override { return false; }

private:
    const QTranslator* catalogue_;
};

// A message box in the middle of the window it belongs to. Qt places a box by the frames of the
// windows on screen and, when none has one (the splash has none), guesses a title bar of 40 pixels,
// which puts the box well above the middle. Placed once its size is known, before it appears.
class TCentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        if (!owner || !owner->isVisible() || event->spontaneous()) return;
        QRect place(QPoint(), size());
        place.moveCenter(owner->geometry().center());
        if (const QScreen* screen = owner->screen()) { // whole on the screen
            const QRect work = screen->availableGeometry();
            place.moveLeft(std::max(work.left(), std::min(place.left(), work.right() + 1 - place.width())));
            place.moveTop(std::max(work.top(), std::min(place.top(), work.bottom() + 1 - place.height())));
        }
        setGeometry(place);
    }
};
} // namespace

namespace docnotify {
void SetMainWindowHandler(Handler handler) { g_mainWindow = std::move(handler); }
bool HasMainWindow() { return static_cast<bool>(g_mainWindow); }
void SendDocumentChanged() {
    if (g_mainWindow) g_mainWindow();
}
} // namespace docnotify

void SetMessageBoxHook(MessageBoxHook hook) { g_messageHook = std::move(hook); }

int MessageBox(QWidget* parent, const QString& text, TMsgIcon icon, TMsgButtons buttons) {
    if (g_messageHook) return g_messageHook(text, icon, buttons);
    TCentredMessageBox box(parent);
    box.setWindowTitle(kAppTitle);
    box.setText(text);
    switch (icon) {
    case TMsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case TMsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case TMsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case TMsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case TMsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct B {
        const char* text;
        int result;
        QMessageBox::ButtonRole role;
    };
    std::vector<B> list;
    switch (buttons) {
    case TMsgButtons::Ok: list = {{"OK", mrOk, QMessageBox::AcceptRole}}; break;
    case TMsgButtons::OkCancel: list = {{"OK", mrOk, QMessageBox::AcceptRole}, {"Отмена", mrCancel, QMessageBox::RejectRole}}; break;
    case TMsgButtons::YesNo: list = {{"Да", mrYes, QMessageBox::YesRole}, {"Нет", mrNo, QMessageBox::NoRole}}; break;
    case TMsgButtons::YesNoCancel:
        list = {{"Да", mrYes, QMessageBox::YesRole}, {"Нет", mrNo, QMessageBox::NoRole}, {"Отмена", mrCancel, QMessageBox::RejectRole}};
        break;
    }
    std::vector<std::pair<QAbstractButton*, int>> made;
    for (const B& b : list) made.emplace_back(box.addButton(QString::fromUtf8(b.text), b.role), b.result);
    box.setDefaultButton(static_cast<QPushButton*>(made.front().first));
    box.exec();
    for (auto& [button, result] : made)
        if (box.clickedButton() == button) return result;
    // Closed without a button (Esc or the close box): Cancel where there is one, else the only answer.
    return buttons == TMsgButtons::Ok ? mrOk : (buttons == TMsgButtons::YesNo ? mrNo : mrCancel);
}

void GuardedCall(QWidget* parent, const std::function<void()>& body) {
    try {
        body();
    } catch (const std::exception& e) {
        MessageBox(parent, QString::fromUtf8(e.what()), TMsgIcon::Error);
    } catch (...) {
        MessageBox(parent, QStringLiteral("Непредвиденная ошибка."), TMsgIcon::Error);
    }
}

// ---------------------------------------------------------------------------------------------

TKeyPreviewDialog::TKeyPreviewDialog(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {
    qApp->installEventFilter(this);
}

TKeyPreviewDialog::~TKeyPreviewDialog() { qApp->removeEventFilter(this); }

bool TKeyPreviewDialog::FormKeyPress(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        GuardedCall(this, [this] { Confirm(); });
        return true;
    case Qt::Key_Escape:
        done(QDialog::Rejected);
        return true;
    default:
        return false;
    }
}

bool TKeyPreviewDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !isVisible()) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) return false;
    // A key event travels from the focus widget up to its parents: look at it once, first.
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == this) {
        if (widget != focus) return false;
    } else {
        if (event == lastUnfocused_) return false;
        lastUnfocused_ = event;
    }
    return FormKeyPress(static_cast<QKeyEvent*>(event));
}

// ---------------------------------------------------------------------------------------------

void ConnectSelectItem(QAbstractItemView* view, SelectItemHandler handler) {
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, view,
                     [handler](const QItemSelection& selected, const QItemSelection& deselected) {
                         std::set<int> lost, gained;
                         for (const QModelIndex& i : deselected.indexes()) lost.insert(i.row());
                         for (const QModelIndex& i : selected.indexes()) gained.insert(i.row());
                         for (int row : lost) handler(row, false);
                         for (int row : gained) handler(row, true);
                     });
}

void TurnEntry(QWidget* control, bool on) {
    control->setEnabled(on);
    QPalette pal = control->palette();
    const QColor colour = QApplication::palette().color(on ? QPalette::Base : QPalette::Button);
    pal.setColor(QPalette::Active, QPalette::Base, colour);
    pal.setColor(QPalette::Inactive, QPalette::Base, colour);
    pal.setColor(QPalette::Disabled, QPalette::Base, colour);
    control->setPalette(pal);
}

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("Unreal"), QStringLiteral("PT Sans"));
    QFont::insertSubstitution(QStringLiteral("AGLettericaCondensedLight"), QStringLiteral("PT Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

bool InstallRussianLanguage() {
    // Month and day names of the calendars; our own number and date texts never go through the
    // locale, so this changes nothing in documents or files.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    ShowFileDetailsInLocaleEverywhere();
    static QPointer<QTranslator> qtbase; // owned by the application object
    if (qtbase) return true;
    auto* translator = new QTranslator(qApp);
    if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(new TMovedQtTexts(translator, translator));
    QCoreApplication::installTranslator(translator);
    qtbase = translator;
    return true;
}
