#include "pagebase/CheckError.h"

#include "ui_CheckAllError.h"
#include "ui_CheckError.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QStyle>

void TCheckDialogBase::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) { // Esc does nothing here
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TCheckDialogBase::closeEvent(QCloseEvent* event) {
    event->accept();
    done(crClosed);
}

void TCheckDialogBase::SetUp(QWidget* icon) {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    if (auto* label = qobject_cast<QLabel*>(icon))
        label->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
}

namespace {
template <class D, class U>
void Wire(D* dialog, U& ui) {
    ui.setupUi(dialog);
    QObject::connect(ui.Button1, &QPushButton::clicked, dialog, [dialog] { dialog->done(crFix); });
    QObject::connect(ui.Button2, &QPushButton::clicked, dialog, [dialog] { dialog->done(crSkip); });
    ui.Button1->setFocus();
}
} // namespace

TfmCheckError::TfmCheckError(QWidget* owner) : TCheckDialogBase(owner), ui(std::make_unique<Ui::TfmCheckError>()) {
    Wire(this, *ui);
    connect(ui->Button3, &QPushButton::clicked, this, [this] { done(crSkipAll); });
    SetUp(ui->Image1);
}

TfmCheckError::~TfmCheckError() = default;
void TfmCheckError::SetSection(const QString& title) { setWindowTitle(QStringLiteral("Проверка: ") + title); }
void TfmCheckError::SetMessage(const QString& text) { ui->lbMessage->setText(text); }
QString TfmCheckError::Message() const { return ui->lbMessage->text(); }

TfmCheckAllError::TfmCheckAllError(QWidget* owner) : TCheckDialogBase(owner), ui(std::make_unique<Ui::TfmCheckAllError>()) {
    Wire(this, *ui);
    SetUp(ui->Image1);
}

TfmCheckAllError::~TfmCheckAllError() = default;
void TfmCheckAllError::SetSection(const QString& title) { setWindowTitle(QStringLiteral("Проверка: ") + title); }
void TfmCheckAllError::SetMessage(const QString& text) { ui->lbMessage->setText(text); }
QString TfmCheckAllError::Message() const { return ui->lbMessage->text(); }

TCheckRun::TCheckRun(QWidget* owner, const QString& section) : dialog_(std::make_unique<TfmCheckError>(owner)) {
    dialog_->SetSection(section);
}

TCheckRun::~TCheckRun() = default;

void TCheckRun::Fail(const QString& message, std::uint16_t item) {
    if (ended_) return;
    dialog_->SetMessage(message);
    const int answer = dialog_->exec();
    if (answer == crFix) result_ = item;
    if (answer == crFix || answer == crSkipAll) ended_ = true;
}
