#include "report/FormPreview.h"

#include "platform/QtWindowing.h"
#include "platform/RemoveOnSignal.h"
#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesReportPlan.h"
#include "ui_FormPreview.h"

#include <QComboBox>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

std::function<bool(QPrinter& printer, int pageTotal, QWidget* parent)> AskPrintRange = [](QPrinter& printer, int total,
                                                                                          QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, total);
    dialog.setFromTo(1, total);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
};

// ---------------------------------------------------------------------------------------------

bool TReportSession::Present(int kind) const { return Ctx.Plan.SheetPageCount[kind] > 0; }

const std::vector<rl::TPage>& TReportSession::Pages(int kind) {
    auto& slot = pages_.at(static_cast<std::size_t>(kind));
    if (!slot) {
        rl::TOstrekReport report;
        BuildSheet(kind, report, Ctx);
        slot = report.Pages();
    }
    return *slot;
}

int TReportSession::PageTotal() const { return Ctx.Plan.PageTotal; }

std::vector<std::pair<int, int>> PrintSelection(const TReportSession& s, int from, int to) {
    std::vector<std::pair<int, int>> out;
    const TPagePlan& plan = s.Ctx.Plan;
    const auto inRange = [&](int page) { return page >= from && page <= to; };
    if (from == 1) out.emplace_back(skTitul, -1); // -1: every page of the kind
    if (s.Present(skAdr) && inRange(plan.SheetFirstPage[skAdr] + 1)) out.emplace_back(skAdr, -1);
    for (int k = skRazdel1; k <= skRazdel6; ++k)
        if (s.Present(k) && inRange(plan.SheetFirstPage[k] + 1)) out.emplace_back(k, -1);
    for (int k = skPrilA9; k <= skPrilZ; ++k) {
        if (!s.Present(k)) continue;
        for (int i = 1; i <= plan.SheetPageCount[k]; ++i)
            if (inRange(plan.SheetFirstPage[k] + i)) out.emplace_back(k, i - 1);
    }
    return out;
}

void PrintSheets(TReportSession& s, int from, int to, const std::function<void(const rl::TPage&)>& out) {
    for (auto [kind, index] : PrintSelection(s, from, to)) {
        const auto& pages = s.Pages(kind);
        if (index < 0) {
            for (const rl::TPage& p : pages) out(p);
        } else if (index < static_cast<int>(pages.size())) {
            out(pages[static_cast<std::size_t>(index)]);
        }
    }
}

bool PrintWithDialog(TReportSession& s, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    printer.setDocName(s.Ctx.DanLog.DeclDan->DeclarationKind == 2 ? QStringLiteral("Декларация 4-НДФЛ")
                                                      : QStringLiteral("Декларация 3-НДФЛ"));
    if (!AskPrintRange(printer, s.PageTotal(), parent)) return false;
    int from = printer.fromPage(), to = printer.toPage();
    if (from == 0 && to == 0) {
        from = 1;
        to = s.PageTotal();
    }
    // A printer's job is spooled by the print engine into a file of its own in the temporary
    // folder until the job is handed over; a signal that ends the program must not leave the pages
    // there. (A PDF file the user chose is the user's file.)
    std::optional<TRemoveOnSignal> spoolGuard;
    QPainter painter;
    bool first = true, failed = false;
    const double pxPerMm = printer.resolution() / 25.4;
    PrintSheets(s, from, to, [&](const rl::TPage& page) {
        if (failed) return;
        if (first) {
            // A printer that cannot be opened (a PDF file in a folder without write access, a
            // printer gone away) prints nothing; the user is told rather than left believing it printed.
            bool begun = false;
            const std::vector<std::string> spool = WritableFilesOpenedBy([&] { begun = painter.begin(&printer); });
            if (!begun) {
                failed = true;
                return;
            }
            if (printer.outputFileName().isEmpty() && !spool.empty()) spoolGuard.emplace(spool);
            first = false;
        } else if (!printer.newPage()) {
            failed = true;
            return;
        }
        rl::PaintPage(painter, page, pxPerMm);
    });
    if (painter.isActive() && !painter.end()) failed = true; // the engine hands the job over and removes its file
    spoolGuard.reset();
    if (failed) {
        MessageBox(parent, QStringLiteral("Не удалось напечатать декларацию."), TMsgIcon::Error);
        return false;
    }
    return true;
}

QImage RenderPage(const rl::TPage& page, int widthPx) {
    const double pxPerMm = widthPx / rl::kPageWidth;
    QImage img(widthPx, static_cast<int>(rl::kPageHeight * pxPerMm), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    rl::PaintPage(p, page, pxPerMm);
    return img;
}

// ---------------------------------------------------------------------------------------------

TMyFormPreview::TMyFormPreview(TReportSession& session, bool allowPrint, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TMyFormPreview>()), session_(session) {
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    QRPreview1 = new QScrollArea(ui->Panel2);
    QRPreview1->setObjectName(QStringLiteral("QRPreview1"));
    QRPreview1->setAlignment(Qt::AlignHCenter);
    QRPreview1->setBackgroundRole(QPalette::Dark);
    pageView_ = new QLabel;
    pageView_->setObjectName(QStringLiteral("PageView"));
    QRPreview1->setWidget(pageView_);
    ui->Panel2->layout()->addWidget(QRPreview1);
    QRPreview1->viewport()->installEventFilter(this);

    // The list: the title page always, then every present kind in page order.
    listKinds_.push_back(skTitul);
    ui->ComboBox1->addItem(QString::fromUtf8(SheetKindInfo(skTitul).PreviewText));
    for (int k = skAdr; k <= skPrilZ; ++k)
        if (session_.Present(k)) {
            listKinds_.push_back(k);
            ui->ComboBox1->addItem(QString::fromUtf8(SheetKindInfo(k).PreviewText));
        }
    ui->ComboBox1->setCurrentIndex(0);
    ui->Button5->setEnabled(allowPrint);

    connect(ui->ComboBox1, qOverload<int>(&QComboBox::activated), this, [this] { GuardedCall(this, [this] { onChangeCombo1(); }); });
    connect(ui->Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(ui->Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(ui->Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(ui->Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(ui->Button5, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { Button5Click(); }); });
    connect(ui->Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    for (QRadioButton* r : {ui->RadioButton1, ui->RadioButton2, ui->RadioButton3})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on) Zoom();
        });
    ui->KolVoStranic->setText(QString::number(session_.PageTotal()));
    ChangeReports(skTitul);
}

TMyFormPreview::~TMyFormPreview() { QRPreview1->viewport()->removeEventFilter(this); }

void TMyFormPreview::ChangeReports(int kind) {
    ui->NomStranicy->setText(QString::number(SheetStartPage));
    if (kind < skTitul || kind > skPrilZ) return;
    kind_ = kind;
    page_ = 1;
    ShowPage();
    ui->KolVoStranic->setText(QString::number(session_.PageTotal()));
    for (QPushButton* b : {ui->Button1, ui->Button2, ui->Button3, ui->Button4}) b->setEnabled(true);
}

void TMyFormPreview::onChangeCombo1() {
    ui->RadioButton2->setChecked(true);
    ui->ComboBox1->setEnabled(false);
    const int index = ui->ComboBox1->currentIndex();
    if (index < 0 || index >= static_cast<int>(listKinds_.size())) return;
    const int kind = listKinds_[static_cast<std::size_t>(index)];
    SheetStartPage = kind == skTitul ? 1 : (kind == skAdr ? 2 : session_.Ctx.Plan.SheetFirstPage[kind] + 1);
    ui->ComboBox1->setEnabled(true);
    ChangeReports(kind);
}

void TMyFormPreview::Button1Click() {
    ui->Button1->setEnabled(false);
    if (SheetStartPage == 1) return;
    SheetStartPage = 1;
    ui->NomStranicy->setText(QStringLiteral("1"));
    ui->ComboBox1->setCurrentIndex(0);
    ui->Button1->setEnabled(true);
    ChangeReports(skTitul);
}

void TMyFormPreview::Button2Click() {
    ui->Button2->setEnabled(false);
    if (page_ < 2) {
        if (ui->ComboBox1->currentIndex() > 0) {
            ui->ComboBox1->setCurrentIndex(ui->ComboBox1->currentIndex() - 1);
            onChangeCombo1();
        }
        return;
    }
    --page_;
    ShowPage();
    for (QPushButton* b : {ui->Button2, ui->Button3, ui->Button4}) b->setEnabled(true);
}

void TMyFormPreview::Button3Click() {
    ui->Button3->setEnabled(false);
    if (page_ < static_cast<int>(session_.Pages(kind_).size())) {
        ++page_;
        ShowPage();
        ui->Button3->setEnabled(true);
        ui->Button2->setEnabled(true);
        return;
    }
    if (ui->ComboBox1->currentIndex() < ui->ComboBox1->count() - 1) {
        ui->ComboBox1->setCurrentIndex(ui->ComboBox1->currentIndex() + 1);
        onChangeCombo1();
    }
}

void TMyFormPreview::Button4Click() {
    ui->Button4->setEnabled(false);
    if (ui->ComboBox1->currentIndex() != ui->ComboBox1->count() - 1) {
        ui->ComboBox1->setCurrentIndex(ui->ComboBox1->count() - 1);
        onChangeCombo1();
    }
}

void TMyFormPreview::Button5Click() { PrintWithDialog(session_, this); }

void TMyFormPreview::Button7Click() { close(); }

void TMyFormPreview::ShowPage() {
    ui->NomStranicy->setText(QString::number(page_ + SheetStartPage - 1));
    Zoom();
    // A new page is read from its top, not at the place the previous one was scrolled to.
    QRPreview1->verticalScrollBar()->setValue(QRPreview1->verticalScrollBar()->minimum());
}

bool TMyFormPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QRPreview1->viewport() && event->type() == QEvent::Resize && !ui->RadioButton3->isChecked()) Zoom();
    return QDialog::eventFilter(watched, event);
}

void TMyFormPreview::Zoom() {
    const auto& pages = session_.Pages(kind_);
    if (pages.empty() || page_ < 1 || page_ > static_cast<int>(pages.size())) {
        pageView_->clear();
        return;
    }
    const QSize area = QRPreview1->viewport()->size();
    int width = 800;
    if (ui->RadioButton2->isChecked())
        width = std::max(200, area.width() - 4);
    else if (ui->RadioButton1->isChecked())
        width = std::max(200, static_cast<int>((area.height() - 4) * rl::kPageWidth / rl::kPageHeight));
    else
        width = static_cast<int>(rl::kPageWidth / 25.4 * logicalDpiX() * 1.2);
    pageView_->setPixmap(QPixmap::fromImage(RenderPage(pages[static_cast<std::size_t>(page_ - 1)], width)));
    pageView_->resize(pageView_->pixmap().size());
}
