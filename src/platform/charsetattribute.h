// The encoding a file is stored in, recorded beside it as the freedesktop.org common
// extended attribute user.charset, where the file system allows.
#pragma once

#include <QString>

namespace platform {

/// The name recorded in the file's user.charset attribute; empty when there is none or
/// it cannot be read.
QString charsetAttribute(const QString &path);

/// Records name as the file's user.charset attribute. A file system without user
/// attributes (or a file the user does not own) is left as it is: the attribute only
/// saves a guess.
void setCharsetAttribute(const QString &path, const QString &name);

} // namespace platform
