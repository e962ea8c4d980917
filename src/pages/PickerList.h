// The list of a reference picker: a code column and a name column.
#pragma once

class QTreeWidget;

// Sets the list up as every picker has it: "Код" 60 pixels wide, the name 570, a header that does
// not sort. A user picks the code by its name, so every name is shown whole: one longer than its
// column goes on in further lines of its row.
void SetUpCodeNameList(QTreeWidget* list);
