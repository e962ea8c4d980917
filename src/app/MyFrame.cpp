#include "app/MyFrame.h"

TThinkingFrame::TThinkingFrame(QWidget* owner, TDocumentRef documentRef) : QFrame(owner), DocumentRef(documentRef) {}
