// The check dialogs: a failed page or dialog check ("Исправить", "Пропустить", "Пропустить все")
// and a failed whole-declaration check ("Исправить", "Отмена").
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
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

// One run of a page's checks: each failure is shown in the check dialog, in order, until the user
// answers "Исправить" (the run's result is that failure's item) or "Пропустить все".
class TCheckRun {
public:
    TCheckRun(QWidget* owner, const QString& section);
    ~TCheckRun();
    // Shows the failure, unless the run has ended.
    void Fail(const QString& message, std::uint16_t item);
    bool Ended() const { return ended_; }
    // The item to fix, 0 when none.
    std::uint16_t Result() const { return result_; }

private:
    std::unique_ptr<TfmCheckError> dialog_;
    bool ended_ = false;
    std::uint16_t result_ = 0;
};
