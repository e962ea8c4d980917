// The main window's open and save dialogs for declaration files.
#pragma once

#include <QString>

class QWidget;

// Object names of the two dialogs while they are shown.
inline const QString kOpenDialogName = QStringLiteral("odOpenDocument");
inline const QString kSaveDialogName = QStringLiteral("sdSaveDocument");

// Asks for a declaration to open: this year's "*.vrq" first, earlier years' "*.vrk" second; a name
// typed without an extension gets ".vrk". `current` (the open document's file, may be empty) gives
// the starting folder. Returns the chosen file's full path, or an empty text when cancelled.
QString AskOpenDocumentName(QWidget* owner, const QString& current);

// Asks for the file to save the declaration in; a name typed without an extension gets ".vrq", and
// an existing file is replaced only after a question. Returns the full path or an empty text.
QString AskSaveDocumentName(QWidget* owner, const QString& current);
