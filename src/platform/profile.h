// The private-profile functions over an INI file on disk, in the ANSI code page.
#pragma once

#include <QString>

namespace platform {

// Section and key names are C strings, as where these functions come from: a name ends
// at its first NUL, and blanks around it do not count.
int GetPrivateProfileInt(const QString &section, const QString &key, int defaultValue,
                         const QString &path);
QString GetPrivateProfileString(const QString &section, const QString &key,
                                const QString &defaultValue, int size, const QString &path);
bool WritePrivateProfileString(const QString &section, const QString &key, const QString &value,
                               const QString &path);

} // namespace platform
