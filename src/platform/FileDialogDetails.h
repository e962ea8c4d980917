// The size and date columns of Qt's file dialogs as the program's locale writes them.
#pragma once

// Qt writes a file's size and date with the system's locale, which is the C locale unless the
// user's environment names another ("4.88 KiB", "11 Dec 2026 10:30:00"), and sizes the columns for
// those texts. From this call on, every file dialog of the application shows them as the program's
// locale does ("4,88 кБ", "11.12.2026 10:30"), in columns wide enough for them: the program's own
// dialogs and those that Qt's dialogs open themselves (the print dialog's "..." beside the file
// name of printing to a file). Once per application object; later calls change nothing.
void ShowFileDetailsInLocaleEverywhere();
