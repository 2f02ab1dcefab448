// The file dialogs' size and date columns in the program's own (Japanese) formats.
#pragma once

#include <QIdentityProxyModel>

namespace platform {

/// Stands between a file dialog and its file system model. Qt formats the size and the
/// date of a file by the session's locale, which in a minimal install is C ("235 bytes",
/// "8 Dec 2026"); this gives them in the default locale the program sets, as the rest
/// of the dialog is ("235 バイト", "2026/12/08 19:30").
class FileColumns final : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override;
};

} // namespace platform
