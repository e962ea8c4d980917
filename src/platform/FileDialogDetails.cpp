#include "platform/FileDialogDetails.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

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

void ShowFileDetailsInLocale(QFileDialog& dialog) { dialog.setProxyModel(new TLocaleFileDetails(&dialog)); }
