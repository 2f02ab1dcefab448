// Size and date of a file, formatted by the default locale.
#include "platform/filecolumns.h"

#include <QFileSystemModel>
#include <QLocale>

namespace platform {
namespace {

// The columns of QFileSystemModel.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

} // namespace

QVariant FileColumns::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (role != Qt::DisplayRole || !files)
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    switch (index.column()) {
    case kSizeColumn:
        return files->isDir(source) ? QString() : QLocale().formattedDataSize(files->size(source));
    case kDateColumn:
        return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
    default:
        return QIdentityProxyModel::data(index, role);
    }
}

} // namespace platform
