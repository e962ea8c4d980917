#include "pagebase/MyFrame.h"

#include <QDomDocument>

TPageHost* PageHost = nullptr;

TPageHost::TPageHost() { PageHost = this; }

TPageHost::~TPageHost() {
    if (PageHost == this) PageHost = nullptr;
}

TThinkingFrame::TThinkingFrame(QWidget* owner, TDocumentRef documentRef) : QFrame(owner), DocumentRef(documentRef) {}
