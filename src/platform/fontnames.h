// The faces of the font list: how installed families are named and ordered for a
// Japanese user.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

struct ListedFace
{
    QString shown;  // what the list shows: the Japanese name where the face has one
    QString family; // what selects the face and is stored
};

/// One entry per family (Qt tells a family installed by two foundries apart as
/// "Family [foundry]"), the faces that write Japanese first, under their Japanese names
/// where they have one, then the others, and last the Chinese and Korean variants of the
/// CJK families.
QList<ListedFace> listedFaces(const QStringList &families, const QStringList &japaneseFamilies,
                              const QHash<QString, QString> &japaneseNames);

/// The Japanese names of the installed families, by family name, as fontconfig knows
/// them (IPAGothic → IPAゴシック).
QHash<QString, QString> japaneseFamilyNames();

/// The fixed-pitch face the desktop chooses for Japanese (fontconfig's match for
/// monospace in Japanese), in which a kana is as wide as two Latin letters; the desktop's
/// fixed face where fontconfig finds none.
QString japaneseFixedFamily();

} // namespace platform
