#include "platform/FileDialogDetails.h"

#include <QAbstractProxyModel>
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHash>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QPointer>
#include <QScreen>
#include <QTreeView>

namespace {

// Columns of Qt's file model (name, size, type, date modified).
enum TFileColumn { fcSize = 1, fcType = 2, fcModified = 3 };

QString SizeText(qint64 bytes) {
    // Kilobytes and megabytes have Russian names; the binary units ("KiB") have none.
    return QLocale().formattedDataSize(bytes, 2, QLocale::DataSizeTraditionalFormat);
}

QString DateText(const QDateTime& moment) { return QLocale().toString(moment, QLocale::ShortFormat); }

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
            return SizeText(files->size(file));
        case fcModified: return DateText(files->lastModified(file));
        default: break;
        }
        return QIdentityProxyModel::data(index, role);
    }
};

QTreeView* DetailsView(QFileDialog& dialog) { return dialog.findChild<QTreeView*>(QStringLiteral("treeView")); }

// The width a column needs for a text: the text and the margins the view keeps on both sides.
int ColumnWidthFor(const QTreeView& view, int textWidth) { return textWidth + 2 * view.fontMetrics().averageCharWidth() + 8; }

// A dialog opening at its own size would keep the last columns scrolled out of sight: it grows by
// what they lack, as far as the screen has room (and is then centred as a dialog is).
void GrowToShowEveryColumn(QFileDialog& dialog, const QTreeView& view) {
    const int lacking = view.header()->length() - view.viewport()->width();
    const QScreen* screen = dialog.screen();
    if (lacking <= 0 || !screen) return;
    const int grow = std::min(lacking, screen->availableGeometry().width() - dialog.frameGeometry().width());
    if (grow > 0) dialog.resize(dialog.width() + grow, dialog.height());
}

// Qt sizes the size and date columns for its own, shorter texts ("128.88 GB", "10/29/81 02:02PM"),
// so ours were cut in the middle ("11.12.2…6 02:26"). Each gets at least the width of the widest
// text we write into it; a wider column the user made is kept.
void WidenDetailColumns(QFileDialog& dialog) {
    auto* view = DetailsView(dialog);
    if (!view) return;
    const QFontMetrics metrics = view->fontMetrics();
    const auto widest = [&](const QStringList& texts) {
        int width = 0;
        for (const QString& text : texts) width = std::max(width, metrics.horizontalAdvance(text));
        return ColumnWidthFor(*view, width);
    };
    QStringList sizes;
    for (qint64 unit = 1; unit <= (qint64(1) << 40); unit <<= 10) sizes << SizeText(1023 * unit); // "1 023,00 МБ"...
    const struct {
        int column;
        int needed;
    } columns[] = {
        {fcSize, widest(sizes)},
        {fcModified, widest({DateText(QDateTime(QDate(2000, 12, 28), QTime(20, 58)))})},
    };
    QHeaderView* header = view->header();
    for (const auto& c : columns)
        if (header->sectionSize(c.column) < c.needed) header->resizeSection(c.column, c.needed);
    GrowToShowEveryColumn(dialog, *view);
}

// The type names are the system's, in Russian often long ("Изображение PNG", "Текстовый документ"),
// and Qt's fixed type column cut them in the middle ("Из…NG"). The names are known only as the
// dialog reads a folder's files (in a thread of its own, the names first and their details later,
// some read before the folder is entered), so the column grows to the widest each time the folder
// shown or its rows change. The names are few, each measured once.
class TTypeColumnWatch : public QObject {
public:
    explicit TTypeColumnWatch(QFileDialog& dialog) : QObject(&dialog), dialog_(dialog) {
        const QTreeView* view = DetailsView(dialog);
        if (!view || !view->model()) return;
        QAbstractItemModel* files = view->model();
        connect(files, &QAbstractItemModel::rowsInserted, this, &TTypeColumnWatch::Soon);
        connect(files, &QAbstractItemModel::dataChanged, this, &TTypeColumnWatch::Soon);
        connect(files, &QAbstractItemModel::layoutChanged, this, &TTypeColumnWatch::Soon);
        connect(files, &QAbstractItemModel::modelReset, this, &TTypeColumnWatch::Soon);
        if (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(files))
            if (auto* system = qobject_cast<QFileSystemModel*>(proxy->sourceModel()))
                connect(system, &QFileSystemModel::rootPathChanged, this, &TTypeColumnWatch::Soon);
        Soon();
    }

private:
    // Once the dialog has taken in the change: the view shows the folder entered by then.
    void Soon() {
        if (pending_) return;
        pending_ = true;
        QMetaObject::invokeMethod(this, [this] { Widen(); }, Qt::QueuedConnection);
    }
    void Widen() {
        pending_ = false;
        QTreeView* view = DetailsView(dialog_);
        if (!view || !view->model()) return;
        const QAbstractItemModel* files = view->model();
        const QModelIndex root = view->rootIndex();
        int widest = 0;
        for (int row = 0; row < files->rowCount(root); ++row) {
            const QString type = files->index(row, fcType, root).data().toString();
            if (!measured_.contains(type)) measured_.insert(type, view->fontMetrics().horizontalAdvance(type));
            widest = std::max(widest, measured_.value(type));
        }
        if (widest == 0) return;
        const int needed = ColumnWidthFor(*view, widest);
        if (view->header()->sectionSize(fcType) >= needed) return; // a wider column the user made is kept
        view->header()->resizeSection(fcType, needed);
        GrowToShowEveryColumn(dialog_, *view);
    }

    QFileDialog& dialog_;
    QHash<QString, int> measured_;
    bool pending_ = false;
};

// As the dialog is shown; shown again, it is left as it is.
void ShowFileDetailsInLocale(QFileDialog& dialog) {
    if (dynamic_cast<const TLocaleFileDetails*>(dialog.proxyModel())) return;
    dialog.setProxyModel(new TLocaleFileDetails(&dialog));
    WidenDetailColumns(dialog);
    new TTypeColumnWatch(dialog);
}

// Catches each file dialog of the application as it is shown.
class TFileDialogWatcher : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* dialog = qobject_cast<QFileDialog*>(watched)) ShowFileDetailsInLocale(*dialog);
        return false;
    }
};

} // namespace

void ShowFileDetailsInLocaleEverywhere() {
    static QPointer<TFileDialogWatcher> watcher; // owned by the application object
    QCoreApplication* app = QCoreApplication::instance();
    if (watcher || !app) return;
    // Where the desktop offers Qt a file dialog of its own, Qt would show that one, whose columns
    // are out of our reach; every file dialog is Qt's, as the program's own have always been.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    watcher = new TFileDialogWatcher(app);
    app->installEventFilter(watcher);
}
