// What the command line names: the one rule for the file between double quotes.
#pragma once

#include <QString>
#include <optional>

namespace commandline {

/// A command line that starts with a double quote names the file between its quotes:
/// its first and last characters are dropped. Nothing for any other command line.
inline std::optional<QString> quotedPath(const QString &commandLine)
{
    if (!commandLine.startsWith(u'"'))
        return std::nullopt;
    return commandLine.chopped(1).mid(1);
}

} // namespace commandline
