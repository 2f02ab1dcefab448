// The message of a search that finds nothing.
#pragma once

#include <QString>

inline QString notFoundMessage(const QString &searchText)
{
    return u'"' + searchText + QStringLiteral("\"が見つかりません");
}
