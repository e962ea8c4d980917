// The check dialogs: a failed page or dialog check ("Исправить", "Пропустить", "Пропустить все")
// and a failed whole-declaration check ("Исправить", "Отмена").
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class TfmCheckError;
class TfmCheckAllError;
} // namespace Ui

// Answers of the check dialogs (their modal results).
enum : int { crFix = 6, crSkip = 7, crSkipAll = 9, crClosed = 2 };

// Both dialogs: no default and no cancel button, so Enter presses the focused button and Esc does
// nothing; the close box ends the dialog with 2.
class TCheckDialogBase : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override { done(crClosed); }
    void SetUp(QWidget* icon);
};

class TfmCheckError : public TCheckDialogBase {
    Q_OBJECT
public:
    explicit TfmCheckError(QWidget* owner = nullptr);
    ~TfmCheckError() override;
    void SetSection(const QString& title);
    void SetMessage(const QString& text);
    QString Message() const;

    std::unique_ptr<Ui::TfmCheckError> ui;
};

class TfmCheckAllError : public TCheckDialogBase {
    Q_OBJECT
public:
    explicit TfmCheckAllError(QWidget* owner = nullptr);
    ~TfmCheckAllError() override;
    void SetSection(const QString& title);
    void SetMessage(const QString& text);
    QString Message() const;

    std::unique_ptr<Ui::TfmCheckAllError> ui;
};
