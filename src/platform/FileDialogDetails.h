// The size and date columns of Qt's file dialogs as the program's locale writes them.
#pragma once

class QFileDialog;

// Qt writes a file's size and date with the system's locale, which is the C locale unless the
// user's environment names another ("4.88 KiB", "11 Dec 2026 10:30:00"); the dialog shows them as
// the program's locale does ("4,88 кБ", "11.12.2026 10:30"). Before the dialog is shown.
void ShowFileDetailsInLocale(QFileDialog& dialog);
