// Every text of every page and dialog is shown whole: each label, column header, check box, radio
// button, flat button's caption, group title and list cell is measured in the font it is drawn in
// against the room its widget gives it (what the style takes for an indicator, a header's padding
// and sort arrow, a label's frame, margin and indent, a cell's margins), within what its parents
// leave visible, and no other control lies over it. A list cell cut may give its whole text as its
// tooltip. Labels on one line keep a visible gap between them, a label that goes on with a check
// box's text is its second line, and every group's frame is in sight at the window's default size.
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

#include <QAbstractProxyModel>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
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

// Where QLabel puts its text, in the label's coordinates, and the room it has there: inside the
// frame and margin, moved in by the indent on the sides it is aligned to (half an "x" when a framed
// label sets no indent).
struct TLabelText {
    QRect drawn, room;
};
TLabelText LabelText(const QLabel* label) {
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
    return {label->fontMetrics().boundingRect(room, flags, label->text()), room};
}

bool HasText(const QLabel* label) { return !label->text().trimmed().isEmpty() && label->pixmap().isNull(); }

void CheckLabel(const QLabel* label, TFaults& faults) {
    if (!HasText(label)) return;
    const TLabelText text = LabelText(label);
    CheckText(label, label->text(), text.drawn, text.room, faults);
}

// A check box's or radio button's text: beside the indicator and its spacing.
TLabelText ButtonText(const QAbstractButton* button, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect room = button->style()->subElementRect(contents, &option, button);
    return {button->fontMetrics().boundingRect(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, button->text()), room};
}

QStyle::SubElement ContentsOf(const QAbstractButton* button) {
    return qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents;
}

void CheckButton(const QAbstractButton* button, TFaults& faults) {
    if (button->text().isEmpty()) return;
    const TLabelText text = ButtonText(button, ContentsOf(button));
    CheckText(button, button->text(), text.drawn, text.room, faults);
}

// A label whose text begins in lower case goes on with the text of the check box or radio button
// made just before it, as the button's second line: right under the button's text, where it begins.
void CheckSecondLine(const QLabel* label, TFaults& faults) {
    const QString text = label->text();
    if (!HasText(label) || !text.front().isLower() || !label->parentWidget()) return;
    const QObjectList& siblings = label->parentWidget()->children();
    const QAbstractButton* button = nullptr;
    for (qsizetype i = siblings.indexOf(label) - 1; i >= 0 && !button; --i)
        if (siblings[i]->isWidgetType()) {
            button = qobject_cast<const QAbstractButton*>(siblings[i]);
            if (!qobject_cast<const QCheckBox*>(button) && !qobject_cast<const QRadioButton*>(button)) return;
        }
    if (!button || button->text().isEmpty() || !button->isVisibleTo(label->window())) return;
    const QRect first = ButtonText(button, ContentsOf(button)).drawn.translated(button->pos());
    const QRect second = LabelText(label).drawn.translated(label->pos());
    const int lineGap = second.top() - first.bottom() - 1;
    if (std::abs(second.left() - first.left()) > 2 || lineGap < 0 || lineGap > button->fontMetrics().height() / 2)
        faults.insert(Name(label) + " " + Quoted(text) + ": not the second line of " + Quoted(button->text()) + " (" +
                      std::to_string(second.left() - first.left()) + " px aside, " + std::to_string(lineGap) + " px below)");
}

// A label heads a column when a control of its parent begins right under it, within its width.
bool HeadsColumn(const QLabel* label) {
    const QRect title = label->geometry();
    for (const QObject* o : label->parentWidget()->children()) {
        const auto* w = qobject_cast<const QWidget*>(o);
        if (!w || w == label || w->isWindow() || !w->isVisibleTo(label->window())) continue;
        const QRect below = w->geometry();
        if (below.top() >= title.bottom() && below.top() <= title.bottom() + 8 && below.left() >= title.left() &&
            below.left() <= title.right())
            return true;
    }
    return false;
}

// Column titles side by side need a gap between their texts wider than the space between two
// words, or they read as one text ("Мат. расходы:Аморт-е от-я:").
void CheckLabelsApart(const std::vector<const QLabel*>& labels, TFaults& faults) {
    for (const QLabel* a : labels)
        for (const QLabel* b : labels) {
            if (a->parentWidget() != b->parentWidget() || !a->parentWidget() || !HeadsColumn(a) || !HeadsColumn(b)) continue;
            const QRect left = LabelText(a).drawn.translated(a->pos()), right = LabelText(b).drawn.translated(b->pos());
            if (left.left() >= right.left() || left.bottom() < right.top() || right.bottom() < left.top()) continue;
            const int gap = right.left() - left.right() - 1;
            const int wanted = 2 * std::max(a->fontMetrics().horizontalAdvance(QLatin1Char(' ')), b->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
            if (gap < wanted)
                faults.insert(Name(a) + " " + Quoted(a->text()) + " and " + Name(b) + " " + Quoted(b->text()) + ": " +
                              std::to_string(gap) + " px apart, need " + std::to_string(wanted));
        }
}

// A flat button's caption, beside or under its glyph, within the button: in the looks without a
// frame and, one pixel less on every side, in those with one (the page bar's button that is down).
void CheckFlashButton(const TFlashButton* button, TFaults& faults) {
    const QString caption = button->Caption();
    if (caption.isEmpty()) return;
    for (const QRect& client : {button->rect(), button->rect().adjusted(1, 1, -1, -1)}) {
        QPoint glyphAt;
        QRect placed;
        button->PlaceContent(client, glyphAt, placed);
        const QRect glyph(glyphAt, button->GlyphSize());
        const QRect drawn =
            button->fontMetrics().boundingRect(placed, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap, caption);
        CheckText(button, caption, drawn, client, faults);
        if (!glyph.isEmpty() && (!client.contains(glyph) || glyph.intersects(drawn)))
            faults.insert(Name(button) + " " + Quoted(caption) + ": its glyph is cut or lies over the caption");
    }
}

// A group's frame whole in what its parents leave visible: at the window's size the bottom of a
// group on a page that is too high is out of sight, with what it holds there.
void CheckGroupFrame(const QGroupBox* group, TFaults& faults) {
    const QRect visible = Unclipped(group);
    if (visible != group->rect())
        faults.insert(Name(group) + " " + Quoted(group->title()) + ": frame " + std::to_string(group->width()) + "x" +
                      std::to_string(group->height()) + " px, in sight " + std::to_string(visible.width()) + "x" +
                      std::to_string(visible.height()));
}

// Each cell's text whole in its column, in as many lines as the view wraps it to; where it is not,
// its tooltip gives it whole.
void CheckCells(const QAbstractItemView* view, TFaults& faults) {
    const QAbstractItemModel* model = view->model();
    if (!model || qobject_cast<const QHeaderView*>(view)) return;
    const auto* tree = qobject_cast<const QTreeView*>(view);
    const bool wrap = view->property("wordWrap").toBool();
    const QModelIndex root = view->rootIndex();
    QStyle* style = view->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1; // each side of the text
    for (int row = 0; row < model->rowCount(root); ++row)
        for (int column = 0; column < model->columnCount(root); ++column) {
            if (tree && tree->isColumnHidden(column)) continue;
            const QModelIndex index = model->index(row, column, root);
            const QString text = index.data(Qt::DisplayRole).toString();
            const QRect cell = view->visualRect(index);
            if (text.isEmpty() || cell.isEmpty()) continue;
            QStyleOptionViewItem option;
            option.initFrom(view);
            option.rect = cell;
            option.text = text;
            option.font = index.data(Qt::FontRole).isValid() ? index.data(Qt::FontRole).value<QFont>() : view->font();
            option.fontMetrics = QFontMetrics(option.font);
            option.features = QStyleOptionViewItem::HasDisplay;
            if (wrap) option.features |= QStyleOptionViewItem::WrapText;
            const QVariant align = index.data(Qt::TextAlignmentRole);
            option.displayAlignment = align.isValid() ? Qt::Alignment(align.toInt()) : Qt::AlignLeft | Qt::AlignVCenter;
            if (const QVariant icon = index.data(Qt::DecorationRole); icon.isValid()) {
                const int small = style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view);
                option.features |= QStyleOptionViewItem::HasDecoration;
                option.decorationSize = view->iconSize().isValid() ? view->iconSize() : QSize(small, small);
            }
            if (index.data(Qt::CheckStateRole).isValid()) option.features |= QStyleOptionViewItem::HasCheckIndicator;
            const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &option, view).adjusted(margin, 0, -margin, 0);
            const QRect drawn = option.fontMetrics.boundingRect(room, int(option.displayAlignment) | (wrap ? Qt::TextWordWrap : 0), text);
            if (room.contains(drawn) || index.data(Qt::ToolTipRole).toString().contains(text)) continue;
            faults.insert(Name(view) + " row " + std::to_string(row) + " column " + std::to_string(column) + " " + Quoted(text) +
                          ": needs " + std::to_string(drawn.width()) + "x" + std::to_string(drawn.height()) + " px, has " +
                          std::to_string(room.width()) + "x" + std::to_string(room.height()));
        }
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
    std::vector<const QLabel*> labels;
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (shown(label) && HasText(label)) labels.push_back(label);
    for (const QLabel* label : labels) {
        CheckLabel(label, faults);
        CheckSecondLine(label, faults);
    }
    CheckLabelsApart(labels, faults);
    for (const QCheckBox* box : window->findChildren<QCheckBox*>())
        if (shown(box)) CheckButton(box, faults);
    for (const QRadioButton* button : window->findChildren<QRadioButton*>())
        if (shown(button)) CheckButton(button, faults);
    for (const TFlashButton* button : window->findChildren<TFlashButton*>())
        if (shown(button)) CheckFlashButton(button, faults);
    for (const QGroupBox* group : window->findChildren<QGroupBox*>())
        if (shown(group)) {
            CheckGroupTitle(group, faults);
            CheckGroupFrame(group, faults);
        }
    for (const QHeaderView* header : window->findChildren<QHeaderView*>())
        if (shown(header)) CheckHeader(header, faults);
    for (const QAbstractItemView* view : window->findChildren<QAbstractItemView*>())
        if (shown(view)) CheckCells(view, faults);
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
<Root><I Code="7701">Инспекция ФНС России № 1 по г. Москве</I><I Code="7702">Инспекция ФНС России № 2 по г. Москве</I>
<I Code="5042">Межрайонная инспекция Федеральной налоговой службы России № 10 по Московской области (г. Сергиев Посад и Сергиево-Посадский район)</I></Root>)";

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
        QSettings(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод")).clear(); // the default place and size
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
        ASSERT_EQ(w.size(), QSize(800, 571)) << "the window's default size";
        // A window manager's frame takes its border and title bar from the default size: the
        // inside is then 792 x 543, as the window was drawn.
        w.setMinimumSize(0, 0);
        w.resize(792, 543);
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
        [&] { return std::make_unique<TfmInputIncomeCode>(&w, dict.Root(), QString(), QStringLiteral("2000")); },
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

    // A file dialog, as every one the program shows, over a folder of files of several types.
    InstallRussianLanguage();
    std::filesystem::create_directory(Path("files"));
    std::filesystem::create_directory(Path("files/архив"));
    for (const char* name : {"декларация.vrq", "скан.png", "заметки.txt", "выписка.pdf", "справка.odt"})
        testutil::WriteFile(Path(std::string("files/") + name), "x");
    {
        // Opened in an empty folder; the user types the path of the files' folder, which has the
        // dialog read the files (for its list of completions) before it enters the folder.
        QFileDialog files(&w, QStringLiteral("Велмарод"), QString::fromStdString(Path("files/архив")));
        files.setViewMode(QFileDialog::Detail);
        files.show();
        auto* view = files.findChild<QTreeView*>(QStringLiteral("treeView"));
        auto* name = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(view, nullptr);
        ASSERT_NE(name, nullptr);
        const QString folder = QString::fromStdString(Path("files"));
        const auto typesRead = [&](const QModelIndex& parent) { // read in a thread of the dialog's own
            const QAbstractItemModel* model = view->model();
            if (model->rowCount(parent) < 6) return false;
            for (int row = 0; row < model->rowCount(parent); ++row)
                if (model->index(row, 2, parent).data().toString().isEmpty()) return false;
            return true;
        };
        name->setFocus();
        uitest::Type(name, folder + QLatin1Char('/'));
        const auto* proxy = qobject_cast<const QAbstractProxyModel*>(view->model());
        const auto* system = proxy ? qobject_cast<const QFileSystemModel*>(proxy->sourceModel()) : nullptr;
        ASSERT_NE(system, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return typesRead(proxy->mapFromSource(system->index(folder))); }, uitest::kFailAfterMs));
        files.setDirectory(folder); // as Enter on a folder's path does
        ASSERT_EQ(files.directory().absolutePath(), folder);
        ASSERT_TRUE(QTest::qWaitFor([&] { return typesRead(view->rootIndex()); }, uitest::kFailAfterMs));
        CheckWindow(&files, faults);
    }

    std::string all;
    for (const std::string& f : faults) all += "\n  " + f;
    EXPECT_TRUE(faults.empty()) << "texts cut or covered:" << all;
}
