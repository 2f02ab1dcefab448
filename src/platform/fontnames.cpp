// The font list's faces, on fontconfig's family names.
#include "platform/fontnames.h"

#include <QFontDatabase>
#include <QRegularExpression>
#include <QSet>

#include <fontconfig/fontconfig.h>

namespace platform {

QList<ListedFace> listedFaces(const QStringList &families, const QStringList &japaneseFamilies,
                              const QHash<QString, QString> &japaneseNames)
{
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    static const QRegularExpression otherCjk(QStringLiteral("\\bCJK (SC|TC|HK|KR)\\b"));
    QSet<QString> japanese;
    for (const QString &family : japaneseFamilies)
        japanese.insert(QString(family).remove(foundry));
    QList<ListedFace> first, middle, last;
    QSet<QString> seen;
    for (const QString &listed : families) {
        const QString family = QString(listed).remove(foundry);
        if (seen.contains(family))
            continue;
        seen.insert(family);
        const ListedFace face{japaneseNames.value(family, family), family};
        if (family.contains(otherCjk))
            last.append(face);
        else if (japanese.contains(family))
            first.append(face);
        else
            middle.append(face);
    }
    return first + middle + last;
}

QHash<QString, QString> japaneseFamilyNames()
{
    QHash<QString, QString> names;
    FcPattern *pattern = FcPatternCreate();
    FcObjectSet *objects = FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, nullptr);
    FcFontSet *fonts = FcFontList(nullptr, pattern, objects);
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        // The first family name is the one Qt lists; another one in Japanese is its
        // Japanese name.
        FcChar8 *family = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch)
            continue;
        FcChar8 *name = nullptr;
        FcChar8 *lang = nullptr;
        for (int n = 1; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &name) == FcResultMatch;
             ++n) {
            if (FcPatternGetString(fonts->fonts[i], FC_FAMILYLANG, n, &lang) == FcResultMatch &&
                qstrcmp(reinterpret_cast<const char *>(lang), "ja") == 0)
                names.insert(QString::fromUtf8(reinterpret_cast<const char *>(family)),
                             QString::fromUtf8(reinterpret_cast<const char *>(name)));
        }
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return names;
}

QString japaneseFixedFamily()
{
    // A Latin fixed face would leave kana and kanji to whatever fallback fontconfig
    // picks, often a proportional one: the columns no longer line up, and a second and
    // third font file are read before the first frame.
    FcPattern *pattern = FcNameParse(reinterpret_cast<const FcChar8 *>("monospace:lang=ja"));
    QString family;
    if (pattern) {
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        if (FcPattern *match = FcFontMatch(nullptr, pattern, &result)) {
            FcChar8 *name = nullptr;
            if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
                family = QString::fromUtf8(reinterpret_cast<const char *>(name));
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    return family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont).family() : family;
}

} // namespace platform
