// The help manual against the program: every command the manual names with its access
// key stands in the menus under that caption, with the shortcut the manual gives.
#include "app/menutree.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

class TestManual : public QObject
{
    Q_OBJECT
private slots:
    void commandsAsTheMenusHaveThem()
    {
        QFile file(QStringLiteral(HELP_FILE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString manual = QString::fromUtf8(file.readAll());
        // "削除(D)　Del": a caption with its access key, then its first shortcut.
        const QRegularExpression entry(
            QStringLiteral("<dt>([^(<　]+)\\((.)\\)(?:　([^ /<〜]+)[^<]*)?</dt>"));
        int checked = 0;
        QStringList wrong;
        for (const QRegularExpressionMatch &m : entry.globalMatch(manual)) {
            const QString caption = m.captured(1) + QStringLiteral("(&") + m.captured(2) + u')';
            const auto row =
                std::find_if(menuBarTree().begin(), menuBarTree().end(), [&](const MenuRow &r) {
                    return QString::fromUtf8(r.caption) == caption;
                });
            if (row == menuBarTree().end()) {
                wrong.append(m.captured(0) + QStringLiteral(": no such menu item"));
                continue;
            }
            // A submenu's keys are its items': the manual names the first.
            const auto keyed = row->handler || row + 1 == menuBarTree().end() ? row : row + 1;
            if (!m.captured(3).isEmpty() && QString::fromUtf8(keyed->shortcut) != m.captured(3))
                wrong.append(m.captured(0) + QStringLiteral(": the menu's key is ") +
                             QString::fromUtf8(keyed->shortcut));
            ++checked;
        }
        QVERIFY(checked > 20);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }
};

QTEST_APPLESS_MAIN(TestManual)
#include "tst_manual.moc"
