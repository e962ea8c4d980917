#include "app/DocumentDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// Qt's own dialog rather than the desktop's: the same on every desktop, in Russian with Qt's
// translations, and reachable by the program's tests. It starts in the open document's folder.
void Prepare(QFileDialog& dialog, const QString& name, const QString& current) {
    dialog.setObjectName(name);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(QStringLiteral("Велмарод"));
    const QFileInfo info(current);
    dialog.setDirectory(!current.isEmpty() && info.absoluteDir().exists() ? info.absolutePath() : QDir::homePath());
}

QString Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : QFileInfo(chosen.front()).absoluteFilePath();
}

} // namespace

QString AskOpenDocumentName(QWidget* owner, const QString& current) {
    QFileDialog dialog(owner);
    Prepare(dialog, kOpenDialogName, current);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Велмарод (*.vrq)"), QStringLiteral("Велмаро* (*.vrk)")});
    dialog.selectNameFilter(dialog.nameFilters().front());
    dialog.setDefaultSuffix(QStringLiteral("vrk"));
    return Chosen(dialog);
}

QString AskSaveDocumentName(QWidget* owner, const QString& current) {
    QFileDialog dialog(owner);
    Prepare(dialog, kSaveDialogName, current);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("Велмарод (*.vrq)")});
    dialog.setDefaultSuffix(QStringLiteral("vrq"));
    if (!current.isEmpty()) dialog.selectFile(QFileInfo(current).fileName());
    return Chosen(dialog);
}
