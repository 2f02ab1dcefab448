// Qt's Japanese catalogue, the texts it lacks, and Japanese as Qt's default locale.
#include "platform/qttexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {
namespace {

struct Gap
{
    const char *context;
    const char *source;
    const char *japanese;
};

// Texts of Qt 6's dialogs that its Japanese catalogue does not cover: the file dialog's
// type column, the print dialog's page-range and double-sided choices, the printer
// properties' tab of printer options.
constexpr Gap kGaps[] = {
    {"QAbstractFileIconProvider", "Folder", "フォルダ"},
    {"QPrintSettingsOutput", "Pages", "ページ指定"},
    {"QPrintSettingsOutput", "Double Sided Printing", "両面印刷"},
    {"QPrintSettingsOutput", "Off", "しない"},
    {"QPrintSettingsOutput", "Long side binding", "長辺綴じ"},
    {"QPrintSettingsOutput", "Short side binding", "短辺綴じ"},
    {"QPrintPropertiesWidget", "Advanced", "詳細設定"},
};

class GapTranslator final : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        for (const Gap &gap : kGaps) {
            if (qstrcmp(context, gap.context) == 0 && qstrcmp(source, gap.source) == 0)
                return QString::fromUtf8(gap.japanese);
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

void installJapaneseQtTexts()
{
    // Sizes, dates and file types in Qt's dialogs follow the default locale, whatever
    // the session's (C.UTF-8 in minimal installs and containers).
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    static QTranslator qtCatalogue;
    static GapTranslator gaps;
    if (qtCatalogue.load(QStringLiteral("qt_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtCatalogue);
    QCoreApplication::installTranslator(&gaps);
}

} // namespace platform
