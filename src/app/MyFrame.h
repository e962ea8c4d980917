// The base of every data-entry page and the protocol by which the main window and the holder
// pages create, save, check and focus them.
#pragma once

#include <QFrame>
#include <cstdint>
#include <memory>

class mTDeclaration;

// The address of the main window's document field: a page reaches the document only through it,
// so it sees the current object even when the main window has replaced it.
using TDocumentRef = std::unique_ptr<mTDeclaration>*;

// WM_DOCUMENT_CHANGED (WM_USER + 110): sent synchronously to the main window after a change of the
// document that a user made (platform/QtWindowing.h, docnotify::SendDocumentChanged).
inline constexpr int WM_DOCUMENT_CHANGED = 0x0400 + 110;

class TThinkingFrame : public QFrame {
    Q_OBJECT
public:
    // CreatePage: the page is built on the document; every page's constructor fills its controls.
    TThinkingFrame(QWidget* owner, TDocumentRef documentRef);

    // Writes the page's pending edits into the document; shows nothing and cannot refuse.
    virtual void SaveData() = 0;
    // Checks the page: 0 = the page may be left, otherwise the number of the item to fix.
    virtual std::uint16_t CheckData() = 0;
    // Puts the focus on the control of the item (a picker button is also clicked).
    virtual void FocusItem(std::uint16_t item) = 0;

    TDocumentRef DocumentRef;

protected:
    mTDeclaration& Document() const { return **DocumentRef; }
};
