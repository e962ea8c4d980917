#include "pages/FrameBusinessIncome.h"

#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "model/FieldRules.h"
#include "pagebase/CheckError.h"
#include "pages/InputBusinessIncome.h"
#include "pages/ListGlyphs.h"
#include "pages/PageValues.h"
#include "pages/ScopedFlags.h"
#include "ui_FrameBusinessIncome.h"

#include <QItemSelectionModel>
#include <QKeyEvent>

using namespace pagevalues;

namespace {

// The columns of an expense row and the fields of the record they show.
constexpr Currency mTBusinessExpense::*kExpenseFields[4] = {&mTBusinessExpense::Mat, &mTBusinessExpense::Amortization,
                                                            &mTBusinessExpense::WorkPay, &mTBusinessExpense::Other};
const char* const kExpenseEdits[4] = {"meMatExpenses", "meAmortizationDeduct", "meWorkPayExpenses", "meOtherExpenses"};

std::uint16_t Bit(int N) { return static_cast<std::uint16_t>(1u << (N - 1)); }

// A text the edit's rule refuses leaves the edit empty, never with what it showed before.
void Put(TMaskedEdit* edit, const QString& text) { edit->SetText(edit->Takes(text) ? text : QString()); }

QString Flag(const QCheckBox* box) { return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0"); }

// The 20 % norm of an income, to the kopeck.
Currency Norm(Currency income) { return RoundToKopeck(income.ToDouble() * 20.0 / 100.0); }

// The total of expenses of what an activity holds. The sheet prints it beside the amounts it sums
// (or the income it is the norm of), so it is taken from them: a month grid with no month ticked
// goes in for the period, and the total it showed (of no month) is not that of what is stored.
Currency TotalOf(const mTBusinessIncome& a) {
    Currency s;
    if (!a.ConfirmedExpenses) {
        if (a.IncomeByMonth) {
            for (const Currency& m : a.MonthIncome) s += m;
        } else {
            s = a.PeriodIncome;
        }
        return Norm(s);
    }
    auto add = [&s](const mTBusinessExpense& e) {
        for (auto field : kExpenseFields) s += e.*field;
    };
    if (a.ExpenseByMonth) {
        for (const mTBusinessExpense& m : a.MonthExpense) add(m);
    } else {
        add(a.PeriodExpense);
    }
    return s;
}

template <class T>
T* Child(QWidget* page, const QString& name) {
    T* w = page->findChild<T*>(name);
    Q_ASSERT(w);
    return w;
}

} // namespace

TfrBusinessIncome::TfrBusinessIncome(QWidget* owner, TDocumentRef documentRef)
    : TThinkingFrame(owner, documentRef), ui(std::make_unique<Ui::TfrBusinessIncome>()) {
    ui->setupUi(this);
    listglyphs::Apply(ui->fbAddSourseIncome, ui->fbDeleteSourseIncome, ui->fbEditSourseIncome, 28);
    ui->lvSourseIncomeInfo->setColumnWidth(0, 540);
    ui->lvSourseIncomeInfo->installEventFilter(this);
    for (int N = 1; N <= 12; ++N) {
        TMonthRow& r = months_[N - 1];
        r.income = Child<QCheckBox>(this, QStringLiteral("chbIncomeSum%1").arg(N));
        r.incomeSum = Child<TMaskedEdit>(this, QStringLiteral("meIncomeSum%1").arg(N));
        r.expense = Child<QCheckBox>(this, QStringLiteral("chbExpenseInfo%1").arg(N));
        for (int c = 0; c < 4; ++c) r.expenses[c] = Child<TMaskedEdit>(this, QString::fromLatin1(kExpenseEdits[c]) + QString::number(N));
    }
    for (int c = 0; c < 4; ++c) periodExpenses_[c] = Child<TMaskedEdit>(this, QString::fromLatin1(kExpenseEdits[c]));

    auto guarded = [this](auto handler) { return [this, handler] { GuardedCall(this, handler); }; };
    connect(ui->fbAddSourseIncome, &TFlashButton::OnClick, this, guarded([this] { fbAddSourseIncomeClick(); }));
    connect(ui->fbEditSourseIncome, &TFlashButton::OnClick, this, guarded([this] { fbEditSourseIncomeClick(); }));
    connect(ui->fbDeleteSourseIncome, &TFlashButton::OnClick, this, guarded([this] { fbDeleteSourseIncomeClick(); }));
    connect(ui->lvSourseIncomeInfo, &QTreeWidget::itemDoubleClicked, this, guarded([this] { EditActivity(); }));
    ConnectSelectItem(ui->lvSourseIncomeInfo, [this](int row, bool selected) {
        GuardedCall(this, [&] { lvSourseIncomeInfoSelectItem(row, selected); });
    });
    for (int N = 1; N <= 12; ++N) {
        const TMonthRow& r = months_[N - 1];
        connect(r.income, &QCheckBox::toggled, this, guarded([this, N] { chbIncomeSumClick(N); }));
        connect(r.incomeSum, &TMaskedEdit::OnChange, this, guarded([this, N] { meIncomeSumMonthChange(N); }));
        connect(r.expense, &QCheckBox::toggled, this, guarded([this, N] { chbExpenseInfoClick(N); }));
        for (TMaskedEdit* e : r.expenses)
            connect(e, &TMaskedEdit::OnChange, this, guarded([this, N, e] { meExpenseMonthChange(N, e); }));
    }
    connect(ui->meIncomeSum, &TMaskedEdit::OnChange, this, guarded([this] { meIncomeSumChange(); }));
    for (TMaskedEdit* e : periodExpenses_) connect(e, &TMaskedEdit::OnChange, this, guarded([this] { mePeriodExpenseChange(); }));
    connect(ui->chbIncomeByMonth, &QCheckBox::toggled, this, guarded([this] { chbIncomeByMonthClick(); }));
    connect(ui->chbIsConfirmedExpensies, &QCheckBox::toggled, this, guarded([this] { chbIsConfirmedExpensiesClick(); }));
    connect(ui->chbChargeSumEveryMonth, &QCheckBox::toggled, this, guarded([this] { chbChargeSumEveryMonthClick(); }));

    using D = mTDeclaration;
    fields_ = {
        {ui->meOGRNIP, [](const D& d) { return Q(d.OGRNIP); }, [](D& d, const QString& t) { d.OGRNIP = S(t); }, {}},
        {ui->meActualPrepayment, [](const D& d) { return MoneyText(d.ActualPrepayment); },
         [](D& d, const QString& t) { d.ActualPrepayment = MoneyOf(t); }, {}},
        {ui->meNachPrepayment, [](const D& d) { return MoneyText(d.NachPrepayment); },
         [](D& d, const QString& t) { d.NachPrepayment = MoneyOf(t); }, {}},
        {ui->meAppV, [](const D& d) { return QString::number(d.AppV); }, [](D& d, const QString& t) { d.SetAppendixCountV(IntOf(t)); }, {}},
    };

    {
        TScopedFlag creating(Creating);
        TPageLoading loading;
        const mTDeclaration& d = Document();
        for (int i = 0; i < d.BusinessIncomeCount(); ++i)
            new QTreeWidgetItem(ui->lvSourseIncomeInfo, QStringList{Q(d.GetBusinessIncome(i).ActivityName)});
        EnableControls(d.BusinessIncomeCount() > 0);
        // Shown whatever the list holds, so that what the page shows is what it keeps.
        for (TKeptField& f : fields_) {
            Put(f.edit, f.show(d));
            f.shown = f.edit->Text();
        }
    }
    ShowAttachment();
}

TfrBusinessIncome::~TfrBusinessIncome() {
    // The list is destroyed after this object's fields: its last selection changes go nowhere.
    destroying_ = true;
    ui->lvSourseIncomeInfo->selectionModel()->blockSignals(true);
}

mTBusinessIncome& TfrBusinessIncome::Activity(int index) const { return Document().GetBusinessIncome(index); }

// ---------------------------------------------------------------------------------------------
// The page protocol

void TfrBusinessIncome::SaveData() {
    if (CurrentItem) {
        StoreActivity(CurrentIndex);
        TakeShownState(); // what is stored now is what a later change is measured against
    }
    mTDeclaration& d = Document();
    for (TKeptField& f : fields_) {
        if (f.edit->Text() == f.shown) continue;
        f.store(d, f.edit->Text());
        f.shown = f.edit->Text();
    }
}

std::uint16_t TfrBusinessIncome::CheckData() {
    const mTDeclaration& d = Document();
    for (int i = 1; i < d.BusinessIncomeCount(); ++i) {
        if (!MixesExpenseKinds(d.GetBusinessIncome(0), d.GetBusinessIncome(i))) continue;
        TCheckRun run(this, QStringLiteral("Доходы от предпринимательской деятельности"));
        run.Fail(QStringLiteral("Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%."),
                 static_cast<std::uint16_t>(i + 1));
        return run.Result();
    }
    return 0;
}

void TfrBusinessIncome::FocusItem(std::uint16_t item) {
    if (Document().BusinessIncomeCount() == 0) return;
    ui->lvSourseIncomeInfo->setFocus();
    SelectRow(item - 1);
}

void TfrBusinessIncome::SelectFirstEntry() { SelectFirstRow(ui->lvSourseIncomeInfo); }

// ---------------------------------------------------------------------------------------------
// The list of activities

bool TfrBusinessIncome::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->lvSourseIncomeInfo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GuardedCall(this, [this] { EditActivity(); });
            return true;
        }
    }
    return TThinkingFrame::eventFilter(watched, event);
}

void TfrBusinessIncome::SelectRow(int row) {
    QTreeWidgetItem* item = ui->lvSourseIncomeInfo->topLevelItem(row);
    if (!item) return;
    ui->lvSourseIncomeInfo->clearSelection();
    ui->lvSourseIncomeInfo->setCurrentItem(item);
    item->setSelected(true);
}

void TfrBusinessIncome::lvSourseIncomeInfoSelectItem(int row, bool selected) {
    if (destroying_ || Creating || Deleting) return;
    {
        TScopedFlag selecting(Selecting);
        TPageLoading loading;
        // The row losing the selection is reported first: its activity is written before the
        // next one is loaded.
        if (CurrentItem) {
            StoreActivity(CurrentIndex);
            CurrentIndex = 0;
            CurrentItem = nullptr;
        }
        if (selected)
            if (QTreeWidgetItem* item = ui->lvSourseIncomeInfo->topLevelItem(row)) LoadActivity(item, row);
    }
    ShowAttachment();
}

void TfrBusinessIncome::ShowAttachment() {
    const bool on = CurrentItem != nullptr;
    ui->gbIncome->setEnabled(on);
    ui->gbExpenses->setEnabled(on);
}

void TfrBusinessIncome::fbAddSourseIncomeClick() {
    TfmInputBusinessIncome dialog;
    if (dialog.exec() != QDialog::Accepted) return;
    const std::string name = dialog.GetActivityType();
    if (Q(name).trimmed().isEmpty()) return;
    pagevalues::Changed();
    mTDeclaration& d = Document();
    if (d.BusinessIncomeCount() == 0) EnableControls(true);
    const int i = d.AddBusinessIncome();
    mTBusinessIncome& a = d.GetBusinessIncome(i);
    a.ActivityName = name;
    a.ActivityCode = dialog.GetActivityCode();
    a.SetIncomeByMonth(1);
    a.SetConfirmedExpenses(1);
    a.SetExpenseByMonth(1);
    a.IncomeMonths = 0;
    a.ExpenseMonths = 0;
    new QTreeWidgetItem(ui->lvSourseIncomeInfo, QStringList{Q(name)});
    SelectRow(i);
    // A new activity is written as its grids show it, even when nothing is typed into them.
    if (CurrentItem && CurrentIndex == i) {
        shownIncome_.clear();
        shownExpense_.clear();
    }
}

void TfrBusinessIncome::fbEditSourseIncomeClick() { EditActivity(); }

void TfrBusinessIncome::EditActivity() {
    if (!CurrentItem || !CurrentItem->isSelected()) return;
    mTBusinessIncome& a = Activity(CurrentIndex);
    TfmInputBusinessIncome dialog;
    dialog.SetActivityType(a.ActivityName);
    dialog.SetActivityCode(a.ActivityCode);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::string name = dialog.GetActivityType();
    if (Q(name).trimmed().isEmpty()) return;
    a.ActivityName = name;
    a.ActivityCode = dialog.GetActivityCode();
    CurrentItem->setText(0, Q(name));
}

void TfrBusinessIncome::fbDeleteSourseIncomeClick() {
    if (!CurrentItem || !CurrentItem->isSelected()) return;
    mTDeclaration& d = Document();
    {
        TScopedFlag deleting(Deleting);
        pagevalues::Changed();
        d.SetBusinessIncome(CurrentIndex, nullptr);
        CurrentItem = nullptr;
        delete ui->lvSourseIncomeInfo->takeTopLevelItem(CurrentIndex);
        ui->lvSourseIncomeInfo->clearSelection();
    }
    if (d.BusinessIncomeCount() == 0) {
        CurrentIndex = 0;
        EnableControls(false);
        ShowAttachment();
    } else {
        SelectRow(CurrentIndex > 0 ? CurrentIndex - 1 : 0);
    }
}

void TfrBusinessIncome::EnableControls(bool enable) {
    std::vector<QWidget*> plain = {ui->chbIncomeByMonth, ui->lbIncomeByMonth, ui->lbIncomeSum, ui->chbIsConfirmedExpensies,
                                   ui->chbChargeSumEveryMonth, ui->lbMatExpenses1, ui->lbAmortizationDeduct1,
                                   ui->lbWorkPayExpenses1, ui->lbOtherExpenses1, ui->lbResultExpense, ui->lbMatExpenses2,
                                   ui->lbAmortizationDeduct2, ui->lbWorkPayExpenses2, ui->lbOtherExpenses2};
    std::vector<TMaskedEdit*> edits = {ui->meIncomeSum, ui->meAppV, ui->meActualPrepayment, ui->meNachPrepayment};
    for (TMaskedEdit* e : periodExpenses_) edits.push_back(e);
    for (const TMonthRow& r : months_) {
        plain.push_back(r.income);
        plain.push_back(r.expense);
        edits.push_back(r.incomeSum);
        for (TMaskedEdit* e : r.expenses) edits.push_back(e);
    }
    for (QWidget* w : plain) w->setEnabled(enable);
    for (TMaskedEdit* e : edits) TurnEntry(e, enable);
    if (enable) return;
    // Back to the initial state, each change running its handler as the user's would.
    ui->chbIncomeByMonth->setChecked(true);
    ui->meIncomeSum->SetText(QString());
    for (const TMonthRow& r : months_) r.income->setChecked(false);
    ui->chbIsConfirmedExpensies->setChecked(true);
    ui->chbChargeSumEveryMonth->setChecked(true);
    for (TMaskedEdit* e : periodExpenses_) e->SetText(QString());
    ui->pnlResultExpense->clear();
    for (const TMonthRow& r : months_) r.expense->setChecked(false);
    ui->meAppV->SetText(QString());
    ui->meActualPrepayment->SetText(QString());
    ui->meNachPrepayment->SetText(QString());
}

// ---------------------------------------------------------------------------------------------
// The grids

void TfrBusinessIncome::SetTotal(Currency total) { ui->pnlResultExpense->setText(MoneyText(total)); }

void TfrBusinessIncome::chbIncomeSumClick(int N) {
    const TMonthRow& r = months_[N - 1];
    if (r.income->isChecked()) {
        if (!Selecting) r.incomeSum->setFocus();
        IncomeMonthMask |= Bit(N);
    } else {
        r.incomeSum->SetText(QString());
        IncomeMonthMask &= static_cast<std::uint16_t>(~Bit(N));
    }
}

void TfrBusinessIncome::chbExpenseInfoClick(int N) {
    const TMonthRow& r = months_[N - 1];
    if (r.expense->isChecked()) {
        if (!Selecting) r.expenses[0]->setFocus();
        ExpenseMonthMask |= Bit(N);
    } else {
        for (TMaskedEdit* e : r.expenses) e->SetText(QString());
        ExpenseMonthMask &= static_cast<std::uint16_t>(~Bit(N));
    }
}

void TfrBusinessIncome::meIncomeSumMonthChange(int N) {
    const TMonthRow& r = months_[N - 1];
    if (!r.incomeSum->Text().isEmpty()) r.income->setChecked(true);
    if (!ui->chbIsConfirmedExpensies->isChecked()) SetTotal(ExpenseNorm());
}

void TfrBusinessIncome::meExpenseMonthChange(int N, const TMaskedEdit* edit) {
    if (!edit->Text().isEmpty()) {
        // Typing in any column of a row keeps the focus where it is.
        TScopedFlag selecting(Selecting);
        months_[N - 1].expense->setChecked(true);
    }
    SetTotal(DocumentedExpense());
}

void TfrBusinessIncome::meIncomeSumChange() {
    if (!ui->chbIsConfirmedExpensies->isChecked()) SetTotal(ExpenseNorm());
}

void TfrBusinessIncome::mePeriodExpenseChange() { SetTotal(DocumentedExpense()); }

void TfrBusinessIncome::chbIncomeByMonthClick() {
    pagevalues::Changed();
    const bool byMonth = ui->chbIncomeByMonth->isChecked();
    ui->pnlIncomePeriod->setVisible(!byMonth);
    ui->pnlIncomeMonth->setVisible(byMonth);
    // Documented expenses are entered the way the income is, also when they are ticked again after
    // the norm: so the expense mode follows the income mode whatever the expense kind, and the grid
    // that was typed into comes back with the income mode it was typed with.
    ui->chbChargeSumEveryMonth->setChecked(byMonth);
    if (!ui->chbIsConfirmedExpensies->isChecked()) SetTotal(ExpenseNorm());
}

void TfrBusinessIncome::chbChargeSumEveryMonthClick() {
    pagevalues::Changed();
    ShowExpenseGrid();
}

void TfrBusinessIncome::chbIsConfirmedExpensiesClick() {
    pagevalues::Changed();
    ui->chbChargeSumEveryMonth->setEnabled(ui->chbIsConfirmedExpensies->isChecked());
    ShowExpenseGrid();
}

void TfrBusinessIncome::ShowExpenseGrid() {
    const bool documented = ui->chbIsConfirmedExpensies->isChecked();
    const bool byMonth = ui->chbChargeSumEveryMonth->isChecked();
    // The norm hides both grids; they keep their texts for documented expenses ticked again.
    ui->pnlExpensesMonth->setVisible(documented && byMonth);
    ui->pnlExpensePeriod->setVisible(documented && !byMonth);
    ui->pnlExpenseRes->setVisible(!documented || !byMonth);
    SetTotal(documented ? DocumentedExpense() : ExpenseNorm());
}

Currency TfrBusinessIncome::ExpenseNorm() const {
    Currency s;
    if (ui->chbIncomeByMonth->isChecked()) {
        for (const TMonthRow& r : months_)
            if (!r.incomeSum->Text().isEmpty()) s += MoneyOf(r.incomeSum->Text());
    } else if (!ui->meIncomeSum->Text().isEmpty()) {
        s = MoneyOf(ui->meIncomeSum->Text());
    }
    return Norm(s);
}

Currency TfrBusinessIncome::DocumentedExpense() const {
    Currency s;
    auto add = [&s](const TMaskedEdit* e) {
        if (!e->Text().isEmpty()) s += MoneyOf(e->Text());
    };
    if (ui->chbChargeSumEveryMonth->isChecked()) {
        for (const TMonthRow& r : months_)
            for (const TMaskedEdit* e : r.expenses) add(e);
    } else {
        for (const TMaskedEdit* e : periodExpenses_) add(e);
    }
    return s;
}

QStringList TfrBusinessIncome::IncomeState() const {
    QStringList s{Flag(ui->chbIncomeByMonth), ui->meIncomeSum->Text()};
    for (const TMonthRow& r : months_) s << Flag(r.income) << r.incomeSum->Text();
    return s;
}

QStringList TfrBusinessIncome::ExpenseState() const {
    QStringList s{Flag(ui->chbIsConfirmedExpensies), Flag(ui->chbChargeSumEveryMonth)};
    for (const TMaskedEdit* e : periodExpenses_) s << e->Text();
    for (const TMonthRow& r : months_) {
        s << Flag(r.expense);
        for (const TMaskedEdit* e : r.expenses) s << e->Text();
    }
    return s;
}

void TfrBusinessIncome::TakeShownState() {
    shownIncome_ = IncomeState();
    shownExpense_ = ExpenseState();
    shownTotal_ = ui->pnlResultExpense->text();
}

void TfrBusinessIncome::LoadActivity(QTreeWidgetItem* row, int index) {
    CurrentIndex = index;
    CurrentItem = row;
    mTBusinessIncome& a = Activity(index);
    ui->chbIncomeByMonth->setChecked(a.IncomeByMonth != 0);
    if (a.IncomeByMonth) {
        IncomeMonthMask = a.IncomeMonths & 0x0FFF;
        for (int N = 1; N <= 12; ++N) {
            const TMonthRow& r = months_[N - 1];
            if (a.IncomeMonths & Bit(N)) {
                Put(r.incomeSum, MoneyText(a.GetMonthIncome(N - 1)));
                r.income->setChecked(true);
            } else {
                r.income->setChecked(false);
                r.incomeSum->SetText(QString());
            }
        }
        ui->meIncomeSum->SetText(QString());
    } else {
        for (const TMonthRow& r : months_) {
            r.income->setChecked(false);
            r.incomeSum->SetText(QString());
        }
        IncomeMonthMask = 0;
        Put(ui->meIncomeSum, MoneyText(a.PeriodIncome));
    }
    const bool documented = a.ConfirmedExpenses != 0;
    ui->chbIsConfirmedExpensies->setChecked(documented);
    // An activity at the norm has no expenses of its own: the grids are emptied, so that ticking
    // documented expenses never shows (and stores) those of the activity shown before, and they
    // come in the mode of its income.
    const bool byMonth = documented && a.ExpenseByMonth;
    const bool forPeriod = documented && !a.ExpenseByMonth;
    ui->chbChargeSumEveryMonth->setChecked(documented ? a.ExpenseByMonth != 0 : ui->chbIncomeByMonth->isChecked());
    ExpenseMonthMask = byMonth ? a.ExpenseMonths & 0x0FFF : 0;
    for (int N = 1; N <= 12; ++N) {
        const TMonthRow& r = months_[N - 1];
        const bool on = byMonth && (a.ExpenseMonths & Bit(N)) != 0;
        r.expense->setChecked(on);
        for (int c = 0; c < 4; ++c) Put(r.expenses[c], on ? MoneyText(a.GetMonthExpense(N - 1).*kExpenseFields[c]) : QString());
    }
    for (int c = 0; c < 4; ++c) Put(periodExpenses_[c], forPeriod ? MoneyText(a.GetPeriodExpense().*kExpenseFields[c]) : QString());
    SetTotal(a.ResultExpense);
    TakeShownState();
}

void TfrBusinessIncome::StoreActivity(int index) {
    mTBusinessIncome& a = Activity(index);
    // Only a grid the user changed is written: an activity merely looked at goes back as stored.
    const bool incomeChanged = IncomeState() != shownIncome_;
    const bool expenseChanged = ExpenseState() != shownExpense_;
    if (incomeChanged) {
        if (!ui->chbIncomeByMonth->isChecked() || IncomeMonthMask == 0) {
            a.SetIncomeByMonth(0);
            a.SetPeriodIncome(MoneyOf(ui->meIncomeSum->Text()));
        } else {
            std::uint16_t M = IncomeMonthMask;
            for (int N = 1; N <= 12; ++N) {
                const TMaskedEdit* e = months_[N - 1].incomeSum;
                if ((M & Bit(N)) && !e->Text().isEmpty()) {
                    a.SetMonthIncome(N - 1, MoneyOf(e->Text()));
                } else {
                    a.SetMonthIncome(N - 1, Currency());
                    M &= static_cast<std::uint16_t>(~Bit(N));
                }
            }
            if (M != 0) {
                a.IncomeMonths = M;
                a.SetIncomeByMonth(1);
            } else {
                a.SetIncomeByMonth(0);
                a.IncomeMonths = 0;
            }
        }
    }
    if (expenseChanged) {
        if (ui->chbIsConfirmedExpensies->isChecked()) {
            a.SetConfirmedExpenses(1);
            if (!ui->chbChargeSumEveryMonth->isChecked() || ExpenseMonthMask == 0) {
                a.SetExpenseByMonth(0);
                mTBusinessExpense p;
                for (int c = 0; c < 4; ++c) p.*kExpenseFields[c] = MoneyOf(periodExpenses_[c]->Text());
                a.SetPeriodExpense(&p);
            } else {
                std::uint16_t E = ExpenseMonthMask;
                for (int N = 1; N <= 12; ++N) {
                    const TMonthRow& r = months_[N - 1];
                    bool any = false;
                    mTBusinessExpense m;
                    for (int c = 0; c < 4; ++c) {
                        any = any || !r.expenses[c]->Text().isEmpty();
                        m.*kExpenseFields[c] = MoneyOf(r.expenses[c]->Text());
                    }
                    if ((E & Bit(N)) && any) {
                        a.SetMonthExpense(N - 1, &m);
                    } else {
                        a.SetMonthExpense(N - 1, nullptr);
                        E &= static_cast<std::uint16_t>(~Bit(N));
                    }
                }
                if (E != 0) {
                    a.SetExpenseByMonth(1);
                    a.ExpenseMonths = E;
                } else {
                    a.SetExpenseByMonth(0);
                    a.ExpenseMonths = 0;
                }
            }
        } else {
            a.SetConfirmedExpenses(0);
        }
    }
    if (incomeChanged || expenseChanged || ui->pnlResultExpense->text() != shownTotal_) a.ResultExpense = TotalOf(a);
}
