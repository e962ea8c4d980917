#include "app/Main.h"

#include "app/About.h"
#include "app/CheckAllError.h"
#include "app/DocumentDialogs.h"
#include "app/StartForm.h"
#include "controls/FlashButton.h"
#include "model/DeclClasses.h"
#include "pages/FrameInitialData.h"
#include "pages/FrameBusinessIncome.h"
#include "pages/FrameCurrency.h"
#include "pages/FrameDeductData.h"
#include "pages/FrameNalog.h"
#include "pages/FramePersonData.h"
#include "pages/FrameRussianIncome.h"
#include "pages/ImputGrazhd.h"
#include "pages/InputInspectionNumber.h"
#include "platform/HelpViewer.h"
#include "platform/QtWindowing.h"
#include "storage/StreamDef.h"
#include "ui_Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <algorithm>

TFormMain* FormMain = nullptr;

namespace {

// The smallest frame of the window, also the one it gets on a first start or when the stored one
// does not fit the screen.
const QSize kMinimumFrame(800, 571);

QSettings Settings() { return QSettings(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод")); }

void LetterGlyph(QPainter& p, const QColor& c, int size, const QString& letter) {
    p.setPen(QPen(c, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(3, 3, size - 7, size - 7));
    QFont f(QStringLiteral("PT Sans"));
    f.setPixelSize(size / 2);
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    p.drawText(QRect(0, 0, size - 1, size - 1), Qt::AlignCenter, letter);
}

} // namespace

TFormMain::TFormMain(const QStringList& arguments, const QString& programDir, QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TFormMain>()) {
    FormMain = this;
    ui->setupUi(this);
    setMinimumSize(kMinimumFrame); // the window cannot be made smaller

    ui->fbInitialData->SetDown(true);
    ui->fbForeignIncome->setEnabled(false);
    ui->fbBusinessIncome->setEnabled(false);
    MakeGlyphs();
    ReadToolbarOptions();

    struct Command {
        QAction* action;
        void (TFormMain::*handler)();
    } commands[] = {{ui->CreateDoc, &TFormMain::CreateDocExecute}, {ui->OpenDoc, &TFormMain::OpenDocExecute},
                    {ui->SaveDoc, &TFormMain::SaveDocExecute},     {ui->SaveAsDoc, &TFormMain::SaveAsDocExecute},
                    {ui->Quit, &TFormMain::QuitExecute},           {ui->About, &TFormMain::AboutExecute},
                    {ui->Help, &TFormMain::HelpExecute},           {ui->N16, &TFormMain::N16Click},
                    {ui->N17, &TFormMain::N17Click},             {ui->PreviewDoc, &TFormMain::PreviewDocExecute},
                    {ui->PrintDoc, &TFormMain::PrintDocExecute}, {ui->ExportDoc, &TFormMain::ExportDocExecute},
                    {ui->CheckDoc, &TFormMain::CheckDocExecute}};
    for (const Command& c : commands)
        connect(c.action, &QAction::triggered, this, [this, h = c.handler] { GuardedCall(this, [&] { (this->*h)(); }); });
    ui->Help->setShortcut(QKeySequence(Qt::Key_F1));
    ui->Help->setShortcutContext(Qt::ApplicationShortcut);
    addAction(ui->Help);
    // The tool-bar buttons run their actions and follow their enabled state.
    const std::pair<TFlashButton*, QAction*> tools[] = {{ui->fbCreate, ui->CreateDoc}, {ui->fbOpen, ui->OpenDoc},
                                                        {ui->fbSave, ui->SaveDoc},     {ui->fbView, ui->PreviewDoc},
                                                        {ui->fbPrint, ui->PrintDoc},   {ui->fbExsport, ui->ExportDoc},
                                                        {ui->fbCheck, ui->CheckDoc}};
    for (auto [button, action] : tools) {
        connect(button, &TFlashButton::OnClick, action, &QAction::trigger);
        connect(action, &QAction::changed, button, [button = button, action = action] { button->setEnabled(action->isEnabled()); });
        button->setToolTip(action->text());
    }
    ReportLibrary = RealReportLibrary();

    for (TFlashButton* b : {ui->fbInitialData, ui->fbPrsonInfo, ui->fbRussianIncome, ui->fbForeignIncome,
                            ui->fbBusinessIncome, ui->fbDeduction, ui->fbNalog}) {
        pages_[b] = PageEntry{};
        connect(b, &TFlashButton::OnClick, this, [this, b] { GuardedCall(this, [&] { PageButtonClick(b); }); });
        SetPageButtonEnabled(b, b->isEnabled());
    }
    SetPageFactory(ui->fbInitialData, QStringLiteral("TfrInitialData"),
                   [](QWidget* owner, TDocumentRef ref) { return new TfrInitialData(owner, ref); });
    SetPageFactory(ui->fbPrsonInfo, QStringLiteral("TfrPersonData"),
                   [](QWidget* owner, TDocumentRef ref) { return new TfrPersonData(owner, ref); });
    // The holder shows the 13 % sub-page first.
    SetPageFactory(
        ui->fbRussianIncome, QStringLiteral("TfrRussianIncome"),
        [](QWidget* owner, TDocumentRef ref) { return new TfrRussianIncome(owner, ref); },
        [](const mTDeclaration& d) { return d.DeclarationKind <= 1 ? d.ThirteenPercentCount() : 0; });
    SetPageFactory(
        ui->fbForeignIncome, QStringLiteral("TfrCurrency"), [](QWidget* owner, TDocumentRef ref) { return new TfrCurrency(owner, ref); },
        [](const mTDeclaration& d) { return d.CurrencyIncomeCount(); });
    SetPageFactory(
        ui->fbBusinessIncome, QStringLiteral("TfrBusinessIncome"),
        [](QWidget* owner, TDocumentRef ref) { return new TfrBusinessIncome(owner, ref); },
        [](const mTDeclaration& d) { return d.BusinessIncomeCount(); });
    SetPageFactory(ui->fbDeduction, QStringLiteral("TfrFrameDeductData"),
                   [](QWidget* owner, TDocumentRef ref) { return new TfrFrameDeductData(owner, ref); });
    SetPageFactory(
        ui->fbNalog, QStringLiteral("TfrNalog"), [](QWidget* owner, TDocumentRef ref) { return new TfrNalog(owner, ref); },
        [](const mTDeclaration& d) { return d.NalogCount(); });

    docnotify::SetMainWindowHandler([this] { WMDocumentChanged(); });
    qApp->installEventFilter(this);
    AskOpenFileName = [this] { return AskOpenDocumentName(this, FileName); };
    AskSaveFileName = [this] { return AskSaveDocumentName(this, FileName); };

    ProgramDir = (programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir) + QLatin1Char('/');
    if (ProgramDir.endsWith(QLatin1String("//"))) ProgramDir.chop(1);
    LoadDataFiles();

    Document = std::make_unique<mTDeclaration>();
    if (arguments.size() == 1 || arguments.size() == 2) {
        QString path = arguments[0];
        if (arguments[0].toLower() == QLatin1String("-p")) path = arguments.size() == 2 ? arguments[1] : QString();
        LoadFromFileOrEmpty(path);
    } else {
        NewDocumentReset(*Document);
        FileName.clear();
    }
    UpdateCaption();
    ShowFirstPage();
}

TFormMain::~TFormMain() {
    qApp->removeEventFilter(this);
    FreeCurrentPage();
    WritePlacement();
    docnotify::SetMainWindowHandler({});
    if (FormMain == this) FormMain = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Documents

void TFormMain::NewDocumentReset(mTDeclaration& d) const {
    d.InspectionNumber.clear();
    d.FilingDate = Today();
    d.FilingMethod = 0;
    d.SetIncomeKinds(ikRussian);
    d.AutoCalculateApp = 1;
}

void TFormMain::LoadFromFileOrEmpty(const QString& path) {
    auto document = std::make_unique<mTDeclaration>();
    QString error;
    try {
        const std::string root = document->LoadFromFile(path.toStdString());
        if (root == streams::RootVelmarod) {
            FileName = QFileInfo(path).absoluteFilePath();
        } else {
            // An earlier year's file gives the person's data to a new, unnamed declaration.
            NewDocumentReset(*document);
            FileName.clear();
        }
    } catch (const EConvertError&) {
        error = QString::fromUtf8(stgmsg::BadFormat);
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    if (!error.isEmpty()) {
        MessageBox(MessageOwner(), error, TMsgIcon::Error);
        document = std::make_unique<mTDeclaration>();
        NewDocumentReset(*document);
        FileName.clear();
    }
    Document = std::move(document);
}

// Before the window is shown, at start-up, its messages appear over the splash the user sees.
QWidget* TFormMain::MessageOwner() {
    if (!isVisible() && fmStart && fmStart->isVisible()) return fmStart;
    return this;
}

bool TFormMain::AskToSave() {
    if (Saved) return true;
    const int answer = MessageBox(this, QStringLiteral("Вы хотите сохранить декларацию?"), TMsgIcon::Question, TMsgButtons::YesNoCancel);
    if (answer == mrCancel) return false;
    if (answer == mrYes) return SaveNamed(false); // a cancelled save dialog stops the command
    return true;
}

bool TFormMain::SaveNamed(bool askForName) {
    if (askForName || FileName.isEmpty()) {
        const QString chosen = AskSaveFileName ? AskSaveFileName() : QString();
        if (chosen.isEmpty()) return false;
        FileName = QFileInfo(chosen).absoluteFilePath();
    }
    if (CurrentPage) CurrentPage->SaveData();
    Document->SaveToFile(FileName.toStdString());
    UpdateCaption();
    Saved = true;
    return true;
}

void TFormMain::UpdateCaption() {
    setWindowTitle((FileName.isEmpty() ? QStringLiteral("Без имени") : QFileInfo(FileName).fileName()) +
                   QStringLiteral(" - Велмарод"));
}

void TFormMain::FreeCurrentPage() {
    if (!CurrentPage) return;
    TThinkingFrame* page = CurrentPage;
    CurrentPage = nullptr;
    delete page;
}

void TFormMain::ShowFirstPage() {
    PageLoading = true;
    ui->fbInitialData->SetDown(true);
    CurrentPage = new TfrInitialData(ui->PnlFormContainer, &Document);
    ui->PnlFormContainer->layout()->addWidget(CurrentPage);
    CurrentPage->show();
    ActiveButton = ui->fbInitialData;
    PageLoading = false;
    Saved = true;
}

void TFormMain::CreateDocExecute() {
    if (!AskToSave()) return;
    NoDate = false;
    FreeCurrentPage(); // the page goes before the document it shows
    Document = std::make_unique<mTDeclaration>();
    NewDocumentReset(*Document);
    FileName.clear();
    UpdateCaption();
    ShowFirstPage();
}

void TFormMain::OpenDocExecute() {
    if (!AskToSave()) return;
    const QString path = AskOpenFileName ? AskOpenFileName() : QString();
    if (path.isEmpty()) return; // a cancelled dialog changes nothing
    FreeCurrentPage();
    NoDate = false;
    LoadFromFileOrEmpty(path);
    UpdateCaption();
    ShowFirstPage();
}

void TFormMain::SaveDocExecute() { SaveNamed(false); }
void TFormMain::SaveAsDocExecute() { SaveNamed(true); }
void TFormMain::QuitExecute() { close(); }

void TFormMain::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    bool go = false;
    GuardedCall(this, [&] { go = AskToSave(); });
    if (!go) {
        event->ignore();
        return;
    }
    KeepNormalFrame(); // while the window is still on screen
    FreeCurrentPage();
    Document.reset();
    closed_ = true;
    event->accept();
}

void TFormMain::AboutExecute() {
    TfmAbout about(this);
    about.exec();
}

void TFormMain::HelpExecute() {
    const QString topic = ProgramDir + QStringLiteral("help/runprogramm.htm");
    if (!QFileInfo::exists(topic)) {
        MessageBox(this, QStringLiteral("Не найден файл справки ") + topic, TMsgIcon::Error);
        return;
    }
    ShowHelp(this, topic);
}

std::uint32_t TFormMain::CheckAll() { return RunCheckAll(*Document, this); }

// ---------------------------------------------------------------------------------------------
// Output

namespace {
// A section of the whole-declaration check: the page of its entries and, for a holder page, the
// sub-page (-1: the page itself).
struct TCheckSection {
    std::uint16_t section;
    TFlashButton* Ui::TFormMain::*button;
    int subPage;
};
const TCheckSection kCheckSections[] = {
    {1, &Ui::TFormMain::fbInitialData, -1},    {2, &Ui::TFormMain::fbPrsonInfo, 0},     {3, &Ui::TFormMain::fbPrsonInfo, 1},
    {4, &Ui::TFormMain::fbRussianIncome, 0},   {7, &Ui::TFormMain::fbForeignIncome, -1}, {8, &Ui::TFormMain::fbBusinessIncome, -1},
    {9, &Ui::TFormMain::fbDeduction, 0},       {10, &Ui::TFormMain::fbDeduction, 1},
};
} // namespace

std::uint16_t TFormMain::CheckDocument() {
    if (CurrentPage) CurrentPage->SaveData();
    const std::uint32_t r = CheckAll();
    const std::uint16_t section = static_cast<std::uint16_t>(r & 0xFFFF), item = static_cast<std::uint16_t>(r >> 16);
    if (item == 0xFFFF) return 2;
    if (item == 0) return 0;
    for (const TCheckSection& s : kCheckSections) {
        if (s.section != section) continue;
        TFlashButton* button = ui.get()->*s.button;
        const PageEntry& entry = pages_.at(button);
        if (!CurrentPage || CurrentPage->metaObject()->className() != entry.pageClass) {
            // The failing entry's page replaces the one shown, without its save or check.
            PageLoading = true;
            ReplacePage(entry);
            PageLoading = false;
            ActiveButton = button;
            button->SetDown(true);
        }
        if (s.subPage < 0) CurrentPage->FocusItem(item);
        else CurrentPage->FocusPageItem(static_cast<std::uint16_t>(s.subPage), item);
        break;
    }
    return 1;
}

void TFormMain::RunOutput(THandOverMode mode) {
    // The window's contents, not the window: the library's windows and message boxes may be its
    // children and must stay usable.
    struct Disabled {
        QWidget* parts[2];
        QPointer<QWidget> focus; // disabling takes the focus away; it comes back afterwards
        ~Disabled() {
            for (QWidget* w : parts) w->setEnabled(true);
            if (focus) focus->setFocus();
        }
    } disabled{{ui->centralwidget, ui->CoolBarMenu}, QApplication::focusWidget()};
    for (QWidget* w : disabled.parts) w->setEnabled(false);
    HandOver(*Document, mode, ReportLibrary, ProgramDir, NoDate, this);
}

void TFormMain::PreviewDocExecute() {
    const std::uint16_t c = CheckDocument();
    if (c == 1) return;
    RunOutput(c == 0 ? THandOverMode::PreviewPrintable : THandOverMode::Preview);
}

void TFormMain::PrintDocExecute() {
    if (CheckDocument() != 0) return;
    RunOutput(THandOverMode::Print);
}

void TFormMain::ExportDocExecute() {
    if (CheckDocument() != 0) return;
    RunOutput(THandOverMode::Export);
}

void TFormMain::CheckDocExecute() {
    if (CheckDocument() == 0) MessageBox(this, QStringLiteral("Проверка декларации завершена успешно"), TMsgIcon::Information);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    // The window system's news of the window: shown, or moved or resized (the window's own events,
    // which come only from the window system; the widget's follow every request at once).
    if (fit_ && watched == windowHandle()) {
        const bool moved = (event->type() == QEvent::Move || event->type() == QEvent::Resize) && event->spontaneous();
        if (moved || event->type() == QEvent::Expose) {
            FitFrameToPlacement(moved);
            KeepNormalFrame();
        }
    }
    // A window restored from maximised is fitted as it comes back to its normal frame.
    if (fit_ && watched == this && event->type() == QEvent::WindowStateChange) FitFrameToPlacement(false);
    if (event->type() != QEvent::KeyPress || !isActiveWindow() || !ui->centralwidget->isEnabled()) return false;
    // A key goes to the focused control, or to the window itself when no control has the focus (after a
    // page switch freed the control that had it); it is looked at once, not again on its way up.
    auto* widget = qobject_cast<QWidget*>(watched);
    QWidget* receiver = QApplication::focusWidget() ? QApplication::focusWidget() : this;
    if (!widget || widget->window() != this || widget != receiver) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!(key->modifiers() & Qt::ControlModifier) || key->isAutoRepeat()) return false;
    // The keys pass on to the control as well, as the window's key preview did.
    switch (key->key()) {
    case Qt::Key_F2: QTimer::singleShot(0, this, [this] { GuardedCall(this, [this] { PreviewDocExecute(); }); }); break;
    case Qt::Key_F1:
    case Qt::Key_P: QTimer::singleShot(0, this, [this] { GuardedCall(this, [this] { PrintDocExecute(); }); }); break;
    default: break;
    }
    return false;
}

void TFormMain::WMDocumentChanged() {
    if (!PageLoading) Saved = false;
}

// ---------------------------------------------------------------------------------------------
// Pages

void TFormMain::SetPageFactory(TFlashButton* button, const QString& pageClass, PageFactory factory, ListEntries listEntries) {
    PageEntry& e = pages_[button];
    e.pageClass = pageClass;
    e.factory = std::move(factory);
    e.listEntries = std::move(listEntries);
    SetPageButtonEnabled(button, e.wanted);
}

void TFormMain::SetPageButtonEnabled(TFlashButton* button, bool enabled) {
    auto it = pages_.find(button);
    if (it == pages_.end()) return;
    it->second.wanted = enabled;
    button->setEnabled(enabled);
}

void TFormMain::SetPageButtonEnabled(TPageButton button, bool enabled) {
    switch (button) {
    case TPageButton::RussianIncome: return SetPageButtonEnabled(ui->fbRussianIncome, enabled);
    case TPageButton::ForeignIncome: return SetPageButtonEnabled(ui->fbForeignIncome, enabled);
    case TPageButton::BusinessIncome: return SetPageButtonEnabled(ui->fbBusinessIncome, enabled);
    case TPageButton::Deduction: return SetPageButtonEnabled(ui->fbDeduction, enabled);
    }
}

TThinkingFrame* TFormMain::ReplacePage(const PageEntry& entry) {
    TThinkingFrame* page = entry.factory(ui->PnlFormContainer, &Document);
    ui->PnlFormContainer->layout()->addWidget(page);
    FreeCurrentPage(); // only once the new page stands in the container
    CurrentPage = page;
    page->show();
    return page;
}

void TFormMain::PageButtonClick(TFlashButton* button) {
    const PageEntry& entry = pages_.at(button);
    if (!entry.factory) return;
    if (CurrentPage && CurrentPage->metaObject()->className() == entry.pageClass) return;
    if (CurrentPage) {
        CurrentPage->SaveData();
        const std::uint16_t item = CurrentPage->CheckData();
        if (item != 0) {
            // The switch is refused: the page's button goes down again and the entry is focused.
            if (ActiveButton) ActiveButton->SetDown(true);
            CurrentPage->FocusItem(item);
            return;
        }
    }
    PageLoading = true;
    TThinkingFrame* page = ReplacePage(entry);
    if (entry.listEntries && entry.listEntries(*Document) > 0) page->SelectFirstEntry();
    PageLoading = false;
    ActiveButton = button;
}

// ---------------------------------------------------------------------------------------------
// Data files

void TFormMain::LoadDataFiles() {
    // Reads an optional data file; a damaged one is reported once and left aside.
    auto load = [this](const QString& name, QDomDocument& doc) {
        QFile file(ProgramDir + name);
        if (!file.exists()) return false;
        if (!file.open(QIODevice::ReadOnly)) {
            MessageBox(MessageOwner(), QStringLiteral("Не удается прочитать файл ") + file.fileName(), TMsgIcon::Warning);
            return false;
        }
        QString error;
        int line = 0, column = 0;
        if (!doc.setContent(&file, &error, &line, &column)) {
            MessageBox(MessageOwner(),
                       QStringLiteral("Файл ") + file.fileName() + QStringLiteral(" поврежден и не используется: ") + error +
                           QStringLiteral(" (строка ") + QString::number(line) + QStringLiteral(")."),
                       TMsgIcon::Warning);
            return false;
        }
        return true;
    };
    QDomDocument inspections;
    if (load(QStringLiteral("InspectionNumbers.xml"), inspections)) {
        InspectionNumberDialog = new TfmInputInspectionNumber(this, inspections.documentElement());
        InspectionNumberDialogLoaded = true;
    }
    QDomDocument countries;
    if (load(QStringLiteral("Oksm.xml"), countries)) {
        CountryDialog = new TfmGrazhd(this, countries.documentElement());
        CountryDialogLoaded = true;
    }
    auto rates = std::make_unique<QDomDocument>();
    if (load(QStringLiteral("CurrencyRates.xml"), *rates)) CurrencyRates = std::move(rates);
}

// ---------------------------------------------------------------------------------------------
// Settings and placement

void TFormMain::ReadToolbarOptions() {
    QSettings s = Settings();
    ui->N16->setChecked(s.value(QStringLiteral("ShowStdToolbar"), 1).toInt() != 0);
    ui->N17->setChecked(s.value(QStringLiteral("TextLabels"), 1).toInt() != 0);
    ui->CoolBarButtons->setVisible(ui->N16->isChecked());
    ApplyToolbarLayout();
}

void TFormMain::ApplyToolbarLayout() {
    const bool labels = ui->N17->isChecked();
    const int w = labels ? 80 : 35, h = labels ? 47 : 35;
    struct Tool {
        TFlashButton* button;
        QAction* action;
    } tools[] = {{ui->fbCreate, ui->CreateDoc}, {ui->fbOpen, ui->OpenDoc},      {ui->fbSave, ui->SaveDoc},
                 {ui->fbView, ui->PreviewDoc},  {ui->fbPrint, ui->PrintDoc},    {ui->fbExsport, ui->ExportDoc},
                 {ui->fbCheck, ui->CheckDoc}};
    int x = 2;
    for (const Tool& t : tools) {
        t.button->SetCaption(labels ? t.action->text() : QString());
        t.button->SetLayout(blGlyphTop);
        t.button->setGeometry(x, 1, w, h);
        x += w;
        if (t.button == ui->fbSave || t.button == ui->fbPrint) {
            QFrame* sep = t.button == ui->fbSave ? ui->ToolSeparator1 : ui->ToolSeparator2;
            sep->setGeometry(x, 4, 8, h - 8);
            x += 8;
        }
    }
    ui->CoolBarButtons->setMinimumHeight(labels ? 50 : 38);
    ui->CoolBarButtons->setMaximumHeight(labels ? 50 : 38);
}

void TFormMain::N16Click() {
    QSettings s = Settings();
    if (s.status() != QSettings::NoError) return;
    const bool shown = ui->N16->isChecked();
    s.setValue(QStringLiteral("ShowStdToolbar"), shown ? 1 : 0);
    ui->CoolBarButtons->setVisible(shown);
    if (shown) ApplyToolbarLayout();
}

void TFormMain::N17Click() {
    QSettings s = Settings();
    if (s.status() != QSettings::NoError) return;
    s.setValue(QStringLiteral("TextLabels"), ui->N17->isChecked() ? 1 : 0);
    ApplyToolbarLayout();
}

void TFormMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TFormMain::FormShow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    const int workHeight = screen ? screen->availableGeometry().height() : 768;
    QSettings s = Settings();
    const bool fullScreen = s.value(QStringLiteral("FullScreen"), 0).toInt() != 0;
    int L = 0, T = 0, W = 0, H = 0;
    if (!fullScreen) {
        L = s.value(QStringLiteral("wLeft"), 0).toInt();
        T = s.value(QStringLiteral("wTop"), 0).toInt();
        W = s.value(QStringLiteral("wWidth"), 0).toInt();
        H = s.value(QStringLiteral("wHeight"), 0).toInt();
    }
    if (L + W == 0) {
        W = kMinimumFrame.width();
        L = (screenWidth - kMinimumFrame.width()) / 2;
    }
    if (T + H == 0) {
        H = kMinimumFrame.height();
        T = (workHeight - kMinimumFrame.height()) / 2;
    }
    if (L < 0) L = 0;
    if (T < 0) T = 0;
    // The window is never smaller than its minimum, also when a smaller one was stored.
    W = std::max(W, kMinimumFrame.width());
    H = std::max(H, kMinimumFrame.height());
    if (screenWidth - L < W) {
        W = kMinimumFrame.width();
        L = screenWidth - kMinimumFrame.width();
    }
    if (workHeight - T < H) {
        H = kMinimumFrame.height();
        T = workHeight - kMinimumFrame.height();
    }
    if (L < 0) L = 0;
    if (T < 0) T = 0;
    // Left, Top, Width and Height are the frame's. The frame's position is placed as it is; the
    // inside is first made as large as the frame and fitted once the window manager has framed it.
    fit_.emplace(QRect(L, T, W, H));
    move(L, T);
    resize(W, H);
    normalFrame_ = fit_->Frame();
    if (fullScreen) setWindowState(windowState() | Qt::WindowMaximized);
}

// The frame's margins as the window manager draws them now (none without one).
QMargins TFormMain::FrameMargins() const { return windowHandle() ? windowHandle()->frameMargins() : QMargins(); }

bool TFormMain::NormalOnScreen() const {
    return isVisible() && !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
}

// Runs while the window is on screen in its normal state: a window opened maximised is fitted when
// the user first restores it.
void TFormMain::FitFrameToPlacement(bool reported) {
    if (!fit_ || !windowHandle() || !windowHandle()->isExposed() || !NormalOnScreen()) return;
    const QMargins margins = FrameMargins();
    // The smallest window is 800 x 571 with its frame, like its placement.
    if (!margins.isNull() && minimumSize() != kMinimumFrame.shrunkBy(margins)) setMinimumSize(kMinimumFrame.shrunkBy(margins));
    if (const std::optional<QRect> inside = fit_->Report(windowHandle()->geometry(), margins, reported)) setGeometry(*inside);
}

// The frame of the normal state, which a maximised or closed window keeps for its next start.
void TFormMain::KeepNormalFrame() {
    if (fit_ && NormalOnScreen()) normalFrame_ = fit_->FrameToKeep(geometry(), FrameMargins());
}

void TFormMain::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    KeepNormalFrame();
}

void TFormMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    KeepNormalFrame();
}

void TFormMain::WritePlacement() {
    QSettings s = Settings();
    if (s.status() != QSettings::NoError) return;
    const bool maximised = isMaximized();
    s.setValue(QStringLiteral("FullScreen"), maximised ? 1 : 0);
    // The normal frame as the window was last seen on screen; a window never shown has the one it was given.
    const QRect normal = normalFrame_.isValid() ? normalFrame_ : !maximised ? frameGeometry() : normalGeometry();
    // A frame larger than the work area would not come back as it is (the next start makes it
    // 800 x 571 in the corner): the placement kept before stays.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && (normal.width() > screen->availableGeometry().width() || normal.height() > screen->availableGeometry().height()))
        return;
    s.setValue(QStringLiteral("wLeft"), normal.x());
    s.setValue(QStringLiteral("wTop"), normal.y());
    s.setValue(QStringLiteral("wWidth"), normal.width());
    s.setValue(QStringLiteral("wHeight"), normal.height());
}

// ---------------------------------------------------------------------------------------------
// Glyphs of the tool bar and the page buttons

void TFormMain::MakeGlyphs() {
    auto line = [](QPainter& p, const QColor& c) {
        p.setPen(QPen(c, 2));
        p.setBrush(Qt::NoBrush);
    };
    ui->fbCreate->SetGlyph(PaintGlyphStrip(24, [&](QPainter& p, const QColor& c, int) {
        line(p, c);
        p.drawPolygon(QPolygon({QPoint(6, 3), QPoint(14, 3), QPoint(19, 8), QPoint(19, 21), QPoint(6, 21)}));
        p.drawLine(14, 3, 14, 8);
        p.drawLine(14, 8, 19, 8);
    }));
    ui->fbOpen->SetGlyph(PaintGlyphStrip(24, [&](QPainter& p, const QColor& c, int) {
        line(p, c);
        p.drawPolygon(QPolygon({QPoint(3, 6), QPoint(9, 6), QPoint(11, 8), QPoint(20, 8), QPoint(20, 19), QPoint(3, 19)}));
        p.drawLine(3, 11, 20, 11);
    }));
    ui->fbSave->SetGlyph(PaintGlyphStrip(24, [&](QPainter& p, const QColor& c, int) {
        line(p, c);
        p.drawRect(4, 4, 16, 16);
        p.drawRect(8, 4, 8, 5);
        p.drawRect(7, 13, 10, 7);
    }));
    ui->fbView->SetGlyph(PaintGlyphStrip(24, [&](QPainter& p, const QColor& c, int) {
        line(p, c);
        p.drawEllipse(4, 4, 11, 11);
        p.drawLine(14, 14, 20, 20);
    }));
    ui->fbPrint->SetGlyph(PaintGlyphStrip(24, [&](QPainter& p, const QColor& c, int) {
        line(p, c);
        p.drawRect(7, 3, 10, 6);
        p.drawRect(3, 9, 18, 8);
        p.drawRect(7, 14, 10, 7);
    }));
    ui->fbExsport->SetGlyph(PaintGlyphStrip(24, [&](QPainter& p, const QColor& c, int) {
        line(p, c);
        p.drawRect(4, 9, 12, 12);
        p.drawLine(11, 14, 20, 5);
        p.drawLine(14, 4, 20, 4);
        p.drawLine(20, 4, 20, 10);
    }));
    ui->fbCheck->SetGlyph(PaintGlyphStrip(24, [&](QPainter& p, const QColor& c, int) {
        p.setPen(QPen(c, 3));
        p.drawLine(4, 12, 10, 18);
        p.drawLine(10, 18, 20, 6);
    }));
    const struct {
        TFlashButton* button;
        const char* letter;
    } pages[] = {{ui->fbInitialData, "У"},  {ui->fbPrsonInfo, "Д"}, {ui->fbRussianIncome, "Р"}, {ui->fbForeignIncome, "В"},
                 {ui->fbBusinessIncome, "П"}, {ui->fbDeduction, "%"}, {ui->fbNalog, "Н"}};
    // One glyph size for the whole bar; the last button, half as high as the others, has no room
    // for its caption under the glyph and shows it beside it.
    for (const auto& pg : pages) {
        const QString letter = QString::fromUtf8(pg.letter);
        pg.button->SetGlyph(PaintGlyphStrip(32, [&](QPainter& p, const QColor& c, int s) { LetterGlyph(p, c, s, letter); }));
    }
}
