#include "platform/FileDialogDetails.h"

#include <QFileDialog>
#include <QDateTime>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

namespace {

// Columns of Qt's file model (name, size, type, date modified).
enum TFileColumn { fcSize = 1, fcModified = 3 };

class TLocaleFileDetails : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files) return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        switch (index.column()) {
        case fcSize:
            if (files->isDir(file)) break; // no size for a folder
            // Kilobytes and megabytes have Russian names; the binary units ("KiB") have none.
            return QLocale().formattedDataSize(files->size(file), 2, QLocale::DataSizeTraditionalFormat);
        case fcModified: return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
        default: break;
        }
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

void ShowFileDetailsInLocale(QFileDialog& dialog) {
    dialog.setProxyModel(new TLocaleFileDetails(&dialog));
    // Qt sizes the date column for its own, shorter date text, so ours was cut in the middle
    // ("11.12.2…6 02:26"). The column gets at least the width of a date as we write it; a wider
    // column the user made is kept.
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view) return;
    const QString widest = QLocale().toString(QDateTime(QDate(2000, 12, 28), QTime(20, 58)), QLocale::ShortFormat);
    const int needed = view->fontMetrics().horizontalAdvance(widest) + 2 * view->fontMetrics().averageCharWidth() + 8;
    QHeaderView* header = view->header();
    if (header->sectionSize(fcModified) < needed) header->resizeSection(fcModified, needed);
}
