// The main window: owner of the open declaration, its document commands, the page buttons and the
// container that shows one data-entry page at a time.
#pragma once

#include "app/FrameFit.h"
#include "app/HandOver.h"
#include "pagebase/MyFrame.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QDomDocument;
class TFlashButton;
class TfmInputInspectionNumber;
class TfmGrazhd;
class mTDeclaration;

namespace Ui {
class TFormMain;
}

class TFormMain : public QMainWindow, public TPageHost {
    Q_OBJECT
public:
    // `arguments`: the command line without the program's name. `programDir`: where the data files
    // and help are (the executable's directory when empty).
    explicit TFormMain(const QStringList& arguments, const QString& programDir = {}, QWidget* parent = nullptr);
    ~TFormMain() override;

    std::unique_ptr<Ui::TFormMain> ui;

    TThinkingFrame* CurrentPage = nullptr;
    TFlashButton* ActiveButton = nullptr;
    std::unique_ptr<mTDeclaration> Document;
    bool Saved = true;
    QString FileName;
    QString ProgramDir;
    // PageLoading, NoDate, the pickers and the currency rates: TPageHost.

    // The open and save dialogs (the program's own from the constructor on; tests may answer in
    // their place). An empty name: the dialog was cancelled.
    std::function<QString()> AskOpenFileName;
    std::function<QString()> AskSaveFileName;

    // The report library the output commands hand the declaration to.
    TReportLibrary ReportLibrary;

    void CreateDocExecute();
    void OpenDocExecute();
    void SaveDocExecute();
    void SaveAsDocExecute();
    void QuitExecute();
    void AboutExecute();
    void HelpExecute();
    void N16Click();
    void N17Click();
    void FormShow();
    void WMDocumentChanged();
    // The whole-declaration check (the check dialog is owned by this window).
    std::uint32_t CheckAll();
    // Saves the page, runs the whole-declaration check and, when the user chose to fix an entry,
    // shows its page with the entry focused. 0 passed, 1 the user is at the entry, 2 cancelled.
    std::uint16_t CheckDocument();
    void PreviewDocExecute();
    void PrintDocExecute();
    void ExportDocExecute();
    void CheckDocExecute();

    // A page button and the page it shows.
    using PageFactory = std::function<TThinkingFrame*(QWidget* owner, TDocumentRef documentRef)>;
    // `listEntries`: for a list page, how many entries of its list the document holds; when there
    // are any, the page built by a page button selects its first entry (SelectFirstEntry).
    using ListEntries = std::function<int(const mTDeclaration&)>;
    void SetPageFactory(TFlashButton* button, const QString& pageClass, PageFactory factory, ListEntries listEntries = {});
    void SetPageButtonEnabled(TFlashButton* button, bool enabled);
    void SetPageButtonEnabled(TPageButton button, bool enabled) override;
    // Switching pages with a page button (its handler; the button is already down).
    void PageButtonClick(TFlashButton* button);

protected:
    void closeEvent(QCloseEvent* event) override;
    // The window sees every key first: Ctrl+F2 previews, Ctrl+F1 and Ctrl+P print.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct PageEntry {
        QString pageClass;
        PageFactory factory;
        ListEntries listEntries;
        bool wanted = true; // enabled as the pages' rules want it
    };

    // The window the messages of this window are shown over.
    QWidget* MessageOwner();
    // The question before unsaved changes are lost; false when the command must stop.
    bool AskToSave();
    // Saves under FileName, asking for a name first when there is none; false when no name was given.
    bool SaveNamed(bool askForName);
    void NewDocumentReset(mTDeclaration& document) const;
    void ReplaceDocument(std::unique_ptr<mTDeclaration> document);
    void ShowFirstPage();
    void FreeCurrentPage();
    void UpdateCaption();
    void LoadFromFileOrEmpty(const QString& path);
    void LoadDataFiles();
    void ReadToolbarOptions();
    void ApplyToolbarLayout();
    void MakeGlyphs();
    void WritePlacement();
    QMargins FrameMargins() const;
    // `reported`: for a move or resize the window system reported, not merely the window shown.
    void FitFrameToPlacement(bool reported);
    void KeepNormalFrame();
    // Shown, and neither maximised, minimised nor full screen.
    bool NormalOnScreen() const;
    // Runs the hand-over with the window's contents disabled (its own dialogs and the library's
    // windows stay usable); enabled again on every way out.
    void RunOutput(THandOverMode mode);

    // Builds the entry's page in the container and frees the page shown.
    TThinkingFrame* ReplacePage(const PageEntry& entry);

    std::map<TFlashButton*, PageEntry> pages_;
    bool shownOnce_ = false;
    std::optional<TFrameFit> fit_; // the frame placed on showing
    QRect normalFrame_;            // the frame of the normal state, kept while the window is maximised or hidden
    bool closed_ = false;
};

// The main window, reachable from every page and dialog.
extern TFormMain* FormMain;
