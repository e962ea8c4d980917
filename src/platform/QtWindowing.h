// The parts of the Windows class library that our windows rely on, kept explicitly on Qt:
// the synchronous document-changed notice, message boxes titled "Велмарод", the default handling of
// an exception that reaches a command, dialogs that see keys before their controls, and list views
// that report the row losing the selection before the row gaining it.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QAbstractItemView;
class QKeyEvent;
class QWidget;

// The program's title, used as the caption of every message box.
inline const QString kAppTitle = QStringLiteral("Велмарод");

// ---------------------------------------------------------------------------------------------
// WM_DOCUMENT_CHANGED: a synchronous call into the main window, which registers its handler.
namespace docnotify {
using Handler = std::function<void()>;
void SetMainWindowHandler(Handler handler); // an empty handler: no main window
bool HasMainWindow();
void SendDocumentChanged();
} // namespace docnotify

// ---------------------------------------------------------------------------------------------
// Message boxes. Results as the platform's: 1 OK, 2 Cancel, 6 Yes, 7 No.
enum class TMsgIcon { Error, Warning, Question, Information, None };
enum class TMsgButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

int MessageBox(QWidget* parent, const QString& text, TMsgIcon icon, TMsgButtons buttons = TMsgButtons::Ok);

// Tests answer message boxes through this hook instead of showing them; it also sees every text.
using MessageBoxHook = std::function<int(const QString& text, TMsgIcon icon, TMsgButtons buttons)>;
void SetMessageBoxHook(MessageBoxHook hook);

// Runs a command handler. An exception that leaves it is shown in a box titled "Велмарод" with the
// error icon, and the command stops there; nothing crosses the event loop.
void GuardedCall(QWidget* parent, const std::function<void()>& body);

// ---------------------------------------------------------------------------------------------
// A dialog that sees every key typed in it before the control with the focus does. By default
// Enter runs the dialog's confirmation and Esc closes it with Cancel; a dialog overrides
// FormKeyPress for other rules.
class TKeyPreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit TKeyPreviewDialog(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TKeyPreviewDialog() override;

protected:
    // True when the key was handled and goes no further.
    virtual bool FormKeyPress(QKeyEvent* event);
    // What Enter does: the dialog's checks, or OK in a picker.
    virtual void Confirm() { done(QDialog::Accepted); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QEvent* lastUnfocused_ = nullptr;
};

// The fonts of the original Windows program, mapped to the free fonts we ship with.
void InstallFontSubstitutions();

// Qt's own dialogs (files, folders, printing, message-box buttons, calendars) in Russian: Qt's
// Russian translations when the distribution's package is installed, the Russian locale for
// month and day names, and every file dialog's sizes and dates written as that locale writes them.
// Without the translations the program runs with Qt's English texts. Returns whether the
// translations were found.
bool InstallRussianLanguage();

// Turns an entry control on (enabled, in the window colour) or off (disabled, in the button-face
// colour).
void TurnEntry(QWidget* control, bool on);

// ---------------------------------------------------------------------------------------------
// A list view reports a change of its selected row as two calls: the row that loses the selection
// first, then the row that gains it (row, selected).
using SelectItemHandler = std::function<void(int row, bool selected)>;
void ConnectSelectItem(QAbstractItemView* view, SelectItemHandler handler);
