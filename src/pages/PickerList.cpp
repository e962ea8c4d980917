#include "pages/PickerList.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace {

// Qt's tree view asks a row's height without the width of its column, so a name set to wrap
// stays one line high and is cut; the row is asked again with the column's width.
class TWrappedNames : public QStyledItemDelegate {
public:
    explicit TWrappedNames(QTreeView* list) : QStyledItemDelegate(list), list_(list) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem inColumn(option);
        inColumn.rect = QRect(0, 0, list_->columnWidth(index.column()), 1);
        return QStyledItemDelegate::sizeHint(inColumn, index);
    }

private:
    QTreeView* list_;
};

} // namespace

void SetUpCodeNameList(QTreeWidget* list) {
    list->header()->setSectionsClickable(false);
    list->setColumnWidth(0, 60);
    list->setColumnWidth(1, 570);
    list->setWordWrap(true);
    list->setItemDelegate(new TWrappedNames(list));
    // A column the user makes narrower or wider takes its rows' names to more or fewer lines.
    QObject::connect(list->header(), &QHeaderView::sectionResized, list, [list] { list->doItemsLayout(); });
}
