// The private-profile (INI) rules over a file's bytes, without touching the disk.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform::ini {

/// The value of key in section as the profile functions return it (blanks around it
/// dropped, one pair of enclosing quotes removed); nullopt when the key is missing.
/// Names are matched ignoring case; the first of duplicate sections and keys wins.
std::optional<QString> readValue(const QByteArray &file, const QString &section,
                                 const QString &key);

/// The file with key set to value: an existing key line rewritten in place, a new key
/// after the last key line of its section, a new section at the end. Other lines are
/// kept byte for byte.
QByteArray writeValue(const QByteArray &file, const QString &section, const QString &key,
                      const QString &value);

/// The leading signed decimal integer of a value, wrapping modulo 2^32; 0 when the
/// value has no leading digit.
int leadingInteger(const QString &value);

} // namespace platform::ini
