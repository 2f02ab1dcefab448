// The help manual against the program, both ways: every command the manual's entries
// name stands in the menus under that caption, with the access key and the shortcut the
// manual gives (entries without an access key too); and every command of the menus is
// named by an entry of the manual.
#include "app/menutree.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

QString manualText()
{
    QFile file(QStringLiteral(HELP_FILE));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A caption without its access key: "新規作成(&N)" → "新規作成".
QString stem(const QString &caption)
{
    static const QRegularExpression key(QStringLiteral("\\((&.|.)\\)$"));
    return QString(caption).remove(key);
}

// What an entry names: each command with the access letter and the first shortcut the
// manual gives for it. "検索(F)・次を検索　F3": 検索 with F; 次を検索 with F3.
struct Named
{
    QString name;
    QString letter;
    QString key;
};

QList<Named> namedBy(const QString &entry)
{
    static const QRegularExpression part(QStringLiteral("^([^　]+)(?:　([^ /〜]+))?"));
    static const QRegularExpression letter(QStringLiteral("\\((.)\\)$"));
    QList<Named> named;
    for (const QString &piece : entry.split(u'／')) {
        const QRegularExpressionMatch m = part.match(piece.trimmed());
        const QStringList names = m.captured(1).split(u'・');
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QString name = names.at(i);
            named.append({stem(name), letter.match(name).captured(1),
                          i + 1 == names.size() ? m.captured(2) : QString()});
        }
    }
    return named;
}

} // namespace

class TestManual : public QObject
{
    Q_OBJECT
private slots:
    void entriesAsTheMenusHaveThem()
    {
        const QString manual = manualText();
        QVERIFY(!manual.isEmpty());
        static const QRegularExpression entry(QStringLiteral("<dt>([^<]+)</dt>"));
        int checked = 0;
        QStringList wrong;
        for (const QRegularExpressionMatch &m : entry.globalMatch(manual)) {
            for (const Named &named : namedBy(m.captured(1))) {
                const auto row =
                    std::find_if(menuBarTree().begin(), menuBarTree().end(), [&](const MenuRow &r) {
                        return r.level > 0 && stem(QString::fromUtf8(r.caption)) == named.name;
                    });
                if (row == menuBarTree().end()) {
                    if (!named.letter.isEmpty() || !named.key.isEmpty())
                        wrong.append(m.captured(1) + QStringLiteral(": no such menu item ") +
                                     named.name);
                    continue;
                }
                const QString caption = QString::fromUtf8(row->caption);
                if (!named.letter.isEmpty() &&
                    !caption.endsWith(QStringLiteral("(&") + named.letter + u')'))
                    wrong.append(m.captured(1) + QStringLiteral(": the menu's caption is ") +
                                 caption);
                // A submenu's keys are its items': the manual names the first.
                const auto keyed = row->handler || row + 1 == menuBarTree().end() ? row : row + 1;
                if (!named.key.isEmpty() && QString::fromUtf8(keyed->shortcut) != named.key)
                    wrong.append(m.captured(1) + QStringLiteral(": the menu's key is ") +
                                 QString::fromUtf8(keyed->shortcut));
                ++checked;
            }
        }
        QVERIFY(checked > 30);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }

    void everyMenuCommandIsInTheManual()
    {
        const QString manual = manualText();
        QStringList missing;
        for (const MenuRow &row : menuBarTree()) {
            const QString caption = stem(QString::fromUtf8(row.caption));
            if (row.level == 0 || caption.isEmpty() || caption == QStringLiteral("-"))
                continue;
            if (!manual.contains(caption))
                missing.append(caption);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
    }
};

QTEST_APPLESS_MAIN(TestManual)
#include "tst_manual.moc"
