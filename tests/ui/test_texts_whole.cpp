// Every text of every page and dialog is shown whole: each label, column header, check box, radio
// button and group title is measured in the font it is drawn in against the room its widget gives
// it (what the style takes for an indicator, a header's padding and sort arrow, a label's frame,
// margin and indent), within what its parents leave visible, and no other control lies over it.
// The pages are walked as a user goes through declarations of each kind, every entry of a list
// page shown; the dialogs are opened as the program opens them.
//
// Set VELMAROD_SCREENSHOTS to a folder to have every window walked written there as a picture.
#include "UiTestUtil.h"
#include "WindowTest.h"
#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "app/About.h"
#include "app/Main.h"
#include "app/StartForm.h"
#include "controls/FlashButton.h"
#include "model/DeclClasses.h"
#include "pagebase/CheckError.h"
#include "pages/Dif.h"
#include "pages/FrameDeductData.h"
#include "pages/FramePersonData.h"
#include "pages/FrameRussianIncome.h"
#include "pages/ImputGrazhd.h"
#include "pages/IncomeDict.h"
#include "pages/Input13Income.h"
#include "pages/Input13SourseIncome.h"
#include "pages/Input30SourseIncome.h"
#include "pages/Input35SourseIncome.h"
#include "pages/InputBusinessIncome.h"
#include "pages/InputChildEduSum.h"
#include "pages/InputCurrencyCode.h"
#include "pages/InputCurrencySourseIncome.h"
#include "pages/InputIncomeCode.h"
#include "pages/InputInspectionNumber.h"
#include "pages/InputNalog.h"
#include "pages/InputReference.h"
#include "pages/Zayava.h"
#include "platform/QtWindowing.h"
#include "ui_FramePersonData.h"
#include "ui_Main.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>
#include <QStyleOption>
#include <QTreeView>
#include <gtest/gtest.h>
#include <filesystem>
#include <functional>
#include <set>

namespace {

// What was found cut or covered, each once however often it was seen.
using TFaults = std::set<std::string>;

std::string Name(const QWidget* w) {
    const QString own = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    return (w->window()->objectName() + QLatin1Char('/') + own).toStdString();
}

std::string Quoted(const QString& text) { return "\"" + text.toStdString() + "\""; }

// The part of `w` that its parents leave visible, in w's coordinates. Inside a scroll area the
// user scrolls to what its viewport hides, so its contents count whole.
QRect Unclipped(const QWidget* w) {
    const QWidget* window = w->window();
    const QPoint origin = w->mapTo(window, QPoint(0, 0));
    QRect visible(origin, w->size());
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
        if (p->parentWidget() && qobject_cast<const QAbstractScrollArea*>(p->parentWidget())) break;
        visible &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
    }
    visible &= window->rect();
    return visible.translated(-origin);
}

// A text drawn at `drawn` (in w's coordinates) must lie inside `room` and inside what the parents
// leave visible, and no other control that is shown may lie over it: a sibling of w, or one of
// `inside`'s children for a group title. A sibling beneath w that holds all of w is w's
// background (the splash window's version on its picture), not a control over the text.
void CheckText(const QWidget* w, const QString& text, const QRect& drawn, const QRect& room, TFaults& faults,
               const QWidget* inside = nullptr) {
    const QRect visible = room & Unclipped(w);
    if (!visible.contains(drawn)) {
        faults.insert(Name(w) + " " + Quoted(text) + ": needs " + std::to_string(drawn.width()) + "x" +
                      std::to_string(drawn.height()) + " px, has " + std::to_string(visible.width()) + "x" +
                      std::to_string(visible.height()));
    }
    const auto covers = [&](const QWidget* parent, const QRect& rect, const QWidget* self) {
        for (const QObject* o : parent->children()) {
            const auto* other = qobject_cast<const QWidget*>(o);
            if (!other || other == self || other->isWindow() || !other->isVisibleTo(w->window())) continue;
            const bool background = self && parent->children().indexOf(o) < parent->children().indexOf(self) &&
                                    other->geometry().contains(self->geometry());
            if (other->geometry().intersects(rect) && !background)
                faults.insert(Name(w) + " " + Quoted(text) + ": covered by " + Name(other));
        }
    };
    if (w->parentWidget()) covers(w->parentWidget(), drawn.translated(w->pos()), w);
    if (inside) covers(inside, drawn, nullptr);
}

void CheckLabel(const QLabel* label, TFaults& faults) {
    const QString text = label->text();
    if (text.trimmed().isEmpty() || !label->pixmap().isNull()) return;
    // Where QLabel puts its text: inside the frame and margin, moved in by the indent on the
    // sides it is aligned to (half an "x" when a framed label sets no indent).
    QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0) indent = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - label->margin();
    const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    if (indent > 0) {
        if (align & Qt::AlignLeft) room.setLeft(room.left() + indent);
        if (align & Qt::AlignRight) room.setRight(room.right() - indent);
        if (align & Qt::AlignTop) room.setTop(room.top() + indent);
        if (align & Qt::AlignBottom) room.setBottom(room.bottom() - indent);
    }
    int flags = int(align) | (label->buddy() ? Qt::TextShowMnemonic : 0);
    if (label->wordWrap()) flags |= Qt::TextWordWrap;
    const QRect drawn = label->fontMetrics().boundingRect(room, flags, text);
    CheckText(label, text, drawn, room, faults);
}

// A check box's or radio button's text: beside the indicator and its spacing.
void CheckButton(const QAbstractButton* button, QStyle::SubElement contents, TFaults& faults) {
    const QString text = button->text();
    if (text.isEmpty()) return;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text;
    const QRect room = button->style()->subElementRect(contents, &option, button);
    const QRect drawn =
        button->fontMetrics().boundingRect(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, text);
    CheckText(button, text, drawn, room, faults);
}

void CheckGroupTitle(const QGroupBox* group, TFaults& faults) {
    const QString text = group->title();
    if (text.isEmpty()) return;
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = text;
    option.lineWidth = 1;
    option.textAlignment = group->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (group->isCheckable()) option.subControls |= QStyle::SC_GroupBoxCheckBox;
    if (group->isFlat()) option.features |= QStyleOptionFrame::Flat;
    const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    const QRect drawn = group->fontMetrics().boundingRect(label, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, text);
    CheckText(group, text, drawn, group->rect(), faults, group);
}

// Each section's title within the section, less the header's padding and, where the user can sort
// by a column, the sort arrow.
void CheckHeader(const QHeaderView* header, TFaults& faults) {
    const QAbstractItemModel* model = header->model();
    if (!model || !header->isVisibleTo(header->window())) return;
    const bool horizontal = header->orientation() == Qt::Horizontal;
    for (int section = 0; section < header->count(); ++section) {
        if (header->isSectionHidden(section)) continue;
        const QString text = model->headerData(section, header->orientation()).toString();
        if (text.isEmpty()) continue;
        QStyleOptionHeader option;
        option.initFrom(header);
        option.orientation = header->orientation();
        if (horizontal) option.state |= QStyle::State_Horizontal;
        option.section = section;
        option.text = text;
        option.textAlignment = header->defaultAlignment();
        option.rect = horizontal ? QRect(0, 0, header->sectionSize(section), header->height())
                                 : QRect(0, 0, header->width(), header->sectionSize(section));
        if (header->isSortIndicatorShown()) option.sortIndicator = QStyleOptionHeader::SortDown;
        const QRect room = header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header);
        const QRect drawn = header->fontMetrics().boundingRect(room, int(option.textAlignment), text);
        if (!room.contains(drawn))
            faults.insert(Name(header->parentWidget()) + " column " + Quoted(text) + ": needs " +
                          std::to_string(drawn.width()) + "x" + std::to_string(drawn.height()) + " px, has " +
                          std::to_string(room.width()) + "x" + std::to_string(room.height()));
    }
}

// Every text of the window as it is now shown.
void CheckWindow(QWidget* window, TFaults& faults) {
    QCoreApplication::sendPostedEvents(); // pending layouts done
    const auto shown = [window](const QWidget* w) { return w->isVisibleTo(window) || w == window; };
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (shown(label)) CheckLabel(label, faults);
    for (const QCheckBox* box : window->findChildren<QCheckBox*>())
        if (shown(box)) CheckButton(box, QStyle::SE_CheckBoxContents, faults);
    for (const QRadioButton* button : window->findChildren<QRadioButton*>())
        if (shown(button)) CheckButton(button, QStyle::SE_RadioButtonContents, faults);
    for (const QGroupBox* group : window->findChildren<QGroupBox*>())
        if (shown(group)) CheckGroupTitle(group, faults);
    for (const QHeaderView* header : window->findChildren<QHeaderView*>())
        if (shown(header)) CheckHeader(header, faults);
    if (const QByteArray folder = qgetenv("VELMAROD_SCREENSHOTS"); !folder.isEmpty()) {
        static int n = 0;
        window->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/%1-%2.png").arg(++n, 3, 10, QLatin1Char('0')).arg(window->objectName()));
    }
}

// Shows a dialog as the program does (without waiting for an answer), checks it and closes it.
void CheckDialog(QDialog& dialog, TFaults& faults) {
    dialog.show();
    CheckWindow(&dialog, faults);
    dialog.hide();
}

const char* kRates = R"(<?xml version="1.0" encoding="UTF-8"?>
<CurrencyRates>
 <Currency Code="840" Name="Доллар США" Quantity="1"><Rate Date="11.01.2005" Rate="27,9"/></Currency>
 <Currency Code="978" Name="Евро" Quantity="1"><Rate Date="11.01.2005" Rate="37,1"/></Currency>
</CurrencyRates>)";

const char* kInspections = R"(<?xml version="1.0" encoding="UTF-8"?>
<Root><I Code="7701">Инспекция ФНС России № 1 по г. Москве</I><I Code="7702">Инспекция ФНС России № 2 по г. Москве</I></Root>)";

class TextsWhole : public testutil::TempDir {
protected:
    void SetUp() override {
        TempDir::SetUp();
        InstallFontSubstitutions(); // the program's fonts, as it installs them at start-up
        QSettings(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод")).clear();
        SetMessageBoxHook([](const QString&, TMsgIcon, TMsgButtons) { return int(mrOk); });
        // The program directory with every data file, so that the pickers are there as a user has them.
        std::filesystem::copy_file(VELMAROD_SOURCE_DIR "/data/Oksm.xml", Path("Oksm.xml"));
        testutil::WriteFile(Path("CurrencyRates.xml"), kRates);
        testutil::WriteFile(Path("InspectionNumbers.xml"), kInspections);
    }
    void TearDown() override {
        window.reset();
        SetMessageBoxHook({});
        TempDir::TearDown();
    }
    TFormMain& Open(const mTDeclaration& d) {
        window.reset();
        d.SaveToFile(Path("in.vrq"));
        window = uitest::OpenWindow(Path("in.vrq"), dir + "/");
        window->show();
        return *window;
    }
    // Presses a page button as a user does; failed checks are skipped.
    void Press(TFlashButton* button) {
        uitest::ModalAnswerer skip({uitest::Click("Button3"), uitest::Click("Button3")});
        button->SetDown(true);
        window->PageButtonClick(button);
    }
    // The main window as it is now, once for every entry of the list page shown.
    void CheckEveryEntry(TFaults& faults) {
        CheckWindow(window.get(), faults);
        auto* list = window->CurrentPage->findChild<QTreeView*>(QStringLiteral("lvSourseIncomeInfo"));
        if (!list || !list->isVisibleTo(window.get())) return;
        uitest::ModalAnswerer skip({uitest::Click("Button3"), uitest::Click("Button3")});
        for (int row = 1; row < list->model()->rowCount(); ++row) {
            list->setCurrentIndex(list->model()->index(row, 0));
            CheckWindow(window.get(), faults);
        }
    }
    std::unique_ptr<TFormMain> window;
};

} // namespace

TEST_F(TextsWhole, EveryTextOnEveryPageAndDialogIsShownWhole) {
    TFaults faults;

    // The pages, for a resident, a non-resident and form 4-NDFL.
    mTDeclaration resident, nonResident, form4;
    sample::Fill(resident);
    sample::Fill(nonResident);
    nonResident.DeclarationKind = 1;
    nonResident.SetIncomeKinds(ikRussian);
    form4.InspectionNumber = "7701";
    form4.DeclarationKind = 2;
    form4.SetIncomeKinds(0);
    form4.SupposeIncome = sample::Rub(150000);
    for (const mTDeclaration* d : {&resident, &nonResident, &form4}) {
        TFormMain& w = Open(*d);
        CheckWindow(&w, faults);
        for (TFlashButton* b : {w.ui->fbPrsonInfo, w.ui->fbRussianIncome, w.ui->fbForeignIncome, w.ui->fbBusinessIncome,
                                w.ui->fbDeduction, w.ui->fbNalog}) {
            if (!b->isEnabled()) continue;
            Press(b);
            CheckEveryEntry(faults);
            uitest::ModalAnswerer skip({uitest::Click("Button3"), uitest::Click("Button3"), uitest::Click("Button3")});
            if (auto* person = qobject_cast<TfrPersonData*>(w.CurrentPage)) {
                person->ui->fbPersonAddress->SetDown(true);
                person->fbPersonAddressClick();
                CheckWindow(&w, faults);
            }
            if (auto* income = qobject_cast<TfrRussianIncome*>(w.CurrentPage)) {
                for (int kind : {1, 2}) {
                    income->FocusPageItem(static_cast<std::uint16_t>(kind), 0);
                    CheckEveryEntry(faults);
                }
            }
            if (auto* deductions = qobject_cast<TfrFrameDeductData*>(w.CurrentPage)) {
                deductions->FocusPageItem(1, 0);
                CheckWindow(&w, faults);
            }
        }
    }

    // The dialogs, over the resident's main window.
    TFormMain& w = Open(resident);
    {
        TfmAbout about(&w);
        CheckDialog(about, faults);
        TfmStart splash;
        splash.show();
        CheckWindow(&splash, faults);
    }
    {
        // The check dialogs with the longest message each of them is given.
        TfmCheckError page(&w);
        page.SetSection(QStringLiteral("Задание условий"));
        page.SetMessage(QStringLiteral("Для декларации по форме 4-НДФЛ укажите статус декларанта: индивидуальный "
                                       "предприниматель, частный нотариус или адвокат."));
        CheckDialog(page, faults);
        TfmCheckAllError all(&w);
        all.SetSection(QStringLiteral("Сведения о декларанте"));
        all.SetMessage(QStringLiteral("Не введен код ОКАТО(11 симв.) по месту жительства. Можно пропустить(отмена). Если в "
                                      "результате расчета возникнет обязанность по уплате налога в бюджет, то с целью "
                                      "заполнения раздела 1, укажите код ОКАТО муниципального образования по месту "
                                      "жительства."));
        CheckDialog(all, faults);
    }
    const TIncomeDict dict;
    QDomDocument rates;
    ASSERT_TRUE(rates.setContent(QByteArray(kRates)));
    const std::vector<std::function<std::unique_ptr<QDialog>()>> dialogs = {
        [&] { return std::make_unique<TfmInput13SourseIncome>(&w); },
        [&] { return std::make_unique<TfmInput13Income>(&w); },
        [&] {
            mTSourseIncome line; // an income line with a deduction, opened for editing
            line.IncomeCode = 2001;
            line.IncomeSum = sample::Rub(10001.25);
            line.DeductCode = 601;
            line.DeductSum = sample::Rub(4000);
            line.Month = 2;
            return std::make_unique<TfmInput13Income>(&w, line, true);
        },
        [&] { return std::make_unique<TfmInput30SourseIncome>(&w); },
        [&] { return std::make_unique<TfmInput35SourseIncome>(&w); },
        [&] { return std::make_unique<TfmInput35SourseIncome>(&w, 2740, sample::Rub(20000), 501, sample::Rub(2000)); },
        [&] { return std::make_unique<TfmInputCurrencySourseIncome>(&w); },
        [&] { return std::make_unique<TfmInputBusinessIncome>(&w); },
        [&] { return std::make_unique<TfmChildEduSum>(&w); },
        [&] { return std::make_unique<TfmInputNalog>(&w); },
        [&] { return std::make_unique<TfmDif>(&w); },
        [&] { return std::make_unique<TfmZayava>(&w); },
        [&] { return std::make_unique<TfmDocType>(&w, 21); },
        [&] { return std::make_unique<TfmRegionName>(&w, 77); },
        [&] { return std::make_unique<TfmInputIncomeCode>(&w, dict.Root(), QStringLiteral("13"), QStringLiteral("2000")); },
        [&] { return std::make_unique<TfmInputDeductCode>(&w, dict.Root(), QStringLiteral("2000"), QString()); },
        [&] { return std::make_unique<TfmInputCurrencyCode>(&w, rates.documentElement(), QStringLiteral("840")); },
    };
    for (const auto& make : dialogs) {
        std::unique_ptr<QDialog> dialog = make();
        CheckDialog(*dialog, faults);
    }
    ASSERT_NE(w.InspectionNumberDialog, nullptr);
    ASSERT_NE(w.CountryDialog, nullptr);
    CheckDialog(*w.InspectionNumberDialog, faults);
    CheckDialog(*w.CountryDialog, faults);

    std::string all;
    for (const std::string& f : faults) all += "\n  " + f;
    EXPECT_TRUE(faults.empty()) << "texts cut or covered:" << all;
}
