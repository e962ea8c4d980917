// The preview window of a report run and the print run over the sheet kinds.
#pragma once

#include "reportlayer/ReportLayer.h"
#include "sheets/SheetBuilders.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QPrinter;
class QScrollArea;
class QLabel;

namespace Ui {
class TMyFormPreview;
}

// The sheet reports of one run, one per kind, each built the first time its pages are needed.
class TReportSession {
public:
    explicit TReportSession(TBuildContext ctx) : Ctx(ctx) {}
    // The plan gives the kind pages.
    bool Present(int kind) const;
    const std::vector<rl::TPage>& Pages(int kind);
    int PageTotal() const;
    TBuildContext Ctx;

private:
    std::array<std::optional<std::vector<rl::TPage>>, 26> pages_; // by sheet kind, 1..25
};

// The pages a print run prints for the range From..To, as (kind, page index) in print order: the
// title page when the range starts at 1, page 2 and each section whole when their first page lies
// in the range, and of each sheet exactly its pages in the range.
std::vector<std::pair<int, int>> PrintSelection(const TReportSession& session, int from, int to);
// Prints the selection, page by page, to `out`.
void PrintSheets(TReportSession& session, int from, int to, const std::function<void(const rl::TPage&)>& out);
// The print dialog (pages 1 to the total, all preset) and the print run on the chosen printer or PDF
// file; false when the user cancelled or the printer could not be used (the user has been told).
bool PrintWithDialog(TReportSession& session, QWidget* parent);
// The dialog itself; tests answer it: fill the printer's range (0, 0 for all) and return true to print.
extern std::function<bool(QPrinter& printer, int pageTotal, QWidget* parent)> AskPrintRange;

// Paints a page into an image of the given width in pixels (A4 proportions).
QImage RenderPage(const rl::TPage& page, int widthPx);

class TMyFormPreview : public QDialog {
    Q_OBJECT
public:
    TMyFormPreview(TReportSession& session, bool allowPrint, QWidget* parent = nullptr);
    ~TMyFormPreview() override;

    void ChangeReports(int kind);
    void onChangeCombo1();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button7Click();
    void Zoom();

    // The kind shown, its page on screen (from 1) and the declaration page number of its first page.
    int ShownKind() const { return kind_; }
    int ShownPage() const { return page_; }
    int SheetStartPage = 1;

    std::unique_ptr<Ui::TMyFormPreview> ui;

protected:
    // The fitted zooms follow the size of the page area.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowPage();
    std::vector<int> listKinds_; // the kinds of the list's entries
    TReportSession& session_;
    QScrollArea* QRPreview1 = nullptr;
    QLabel* pageView_ = nullptr;
    int kind_ = 0;
    int page_ = 1;
};
