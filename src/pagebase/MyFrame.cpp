#include "pagebase/MyFrame.h"

#include <QAbstractItemView>
#include <QDomDocument>

TPageHost* PageHost = nullptr;

TPageHost::TPageHost() { PageHost = this; }

TPageHost::~TPageHost() {
    if (PageHost == this) PageHost = nullptr;
}

TThinkingFrame::TThinkingFrame(QWidget* owner, TDocumentRef documentRef) : QFrame(owner), DocumentRef(documentRef) {}

void TThinkingFrame::SelectFirstRow(QAbstractItemView* list) {
    list->setFocus();
    if (list->model() && list->model()->rowCount() > 0)
        list->selectionModel()->setCurrentIndex(list->model()->index(0, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
