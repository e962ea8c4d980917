// The base of every data-entry page and the protocol by which the main window and the holder
// pages create, save, check and focus them.
#pragma once

#include <QFrame>
#include <cstdint>
#include <memory>

class QAbstractItemView;
class QDomDocument;
class TfmGrazhd;
class TfmInputInspectionNumber;
class mTDeclaration;

// The address of the main window's document field: a page reaches the document only through it,
// so it sees the current object even when the main window has replaced it.
using TDocumentRef = std::unique_ptr<mTDeclaration>*;

// WM_DOCUMENT_CHANGED (WM_USER + 110): sent synchronously to the main window after a change of the
// document that a user made (platform/QtWindowing.h, docnotify::SendDocumentChanged).
inline constexpr int WM_DOCUMENT_CHANGED = 0x0400 + 110;

// The page buttons whose state the pages decide.
enum class TPageButton { RussianIncome, ForeignIncome, BusinessIncome, Deduction };

// What the pages use of the main window, which implements it; pages reach it through PageHost and
// never see the window itself.
class TPageHost {
public:
    // True while a page is being built or fills its controls: changes then mark nothing modified.
    bool PageLoading = false;
    // "Не выводить дату на печать": kept by the window for the session, not in the document.
    bool NoDate = false;
    // The pickers built from the optional data files; null (flag false) when a file is absent.
    bool InspectionNumberDialogLoaded = false;
    bool CountryDialogLoaded = false;
    TfmInputInspectionNumber* InspectionNumberDialog = nullptr;
    TfmGrazhd* CountryDialog = nullptr;
    // "CurrencyRates.xml" as loaded at start-up; null when absent.
    std::unique_ptr<QDomDocument> CurrencyRates;

    virtual void SetPageButtonEnabled(TPageButton button, bool enabled) = 0;

protected:
    TPageHost();
    virtual ~TPageHost();
};

// The main window while it exists.
extern TPageHost* PageHost;

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
    // Holder pages first show their sub-page `subPage` (without saving or checking the one shown);
    // a page without sub-pages just focuses the item.
    virtual void FocusPageItem(std::uint16_t subPage, std::uint16_t item) {
        (void)subPage;
        FocusItem(item);
    }
    // A list page gives its list the focus and selects the first row, which shows that entry as a
    // click on it would; the main window calls it, with PageLoading set, when it opens the page on a
    // document that has entries, so the showing marks nothing modified. Other pages do nothing.
    virtual void SelectFirstEntry() {}

    TDocumentRef DocumentRef;

protected:
    mTDeclaration& Document() const { return **DocumentRef; }
    // SelectFirstEntry of a page with one list.
    static void SelectFirstRow(QAbstractItemView* list);
};
