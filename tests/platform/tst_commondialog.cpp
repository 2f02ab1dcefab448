// The real file dialogs behind the common dialog: "*.*" lists every file, and the
// path-must-exist flag refuses a folder that does not exist.
#include "platform/commondialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace platform;

class TestCommonDialog : public QObject
{
    Q_OBJECT
private slots:
    void allFilesPatternListsFilesWithoutExtension()
    {
        const QString qt = qtFilterFrom(QStringLiteral("全て(*.*)|*.*|テキスト|*.txt;*.ini"));
        QCOMPARE(qt, QStringLiteral("全て(*.*) (*);;テキスト (*.txt *.ini)"));
        QTemporaryDir dir;
        for (const char *name : {"README", "Makefile", "a.txt"})
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        const QStringList patterns = filterPatterns(qt.split(QStringLiteral(";;")).at(0));
        QCOMPARE(QDir(dir.path()).entryList(patterns, QDir::Files, QDir::Name),
                 QStringList({"Makefile", "README", "a.txt"}));
    }

    void saveRefusesAFolderThatDoesNotExist()
    {
        QTemporaryDir dir;
        QWidget owner;
        owner.show();
        CommonDialog dialog(&owner);
        dialog.CancelError = true;
        dialog.Filter = QStringLiteral("全てのファイル(*.*)|*.*");
        dialog.Flags = 2054;
        dialog.FileName = dir.filePath("no such folder/new.txt");
        int refusals = 0;
        QTimer::singleShot(0, [&] {
            auto *fileDialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(fileDialog);
            // The refusal is a message box of its own; the file dialog stays open.
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                QVERIFY(box->text().contains(QStringLiteral("パスが存在しません。")));
                ++refusals;
                box->accept();
                QTimer::singleShot(0, [&, fileDialog] {
                    QVERIFY(fileDialog->isVisible());
                    fileDialog->selectFile(dir.filePath("new.txt"));
                    QMetaObject::invokeMethod(fileDialog, "accept");
                });
            });
            QMetaObject::invokeMethod(fileDialog, "accept");
        });
        dialog.ShowSave();
        QCOMPARE(refusals, 1);
        QCOMPARE(dialog.FileName, dir.filePath("new.txt"));
    }

private:
    static QStringList filterPatterns(const QString &filter)
    {
        const qsizetype open = filter.lastIndexOf(u'(');
        return filter.mid(open + 1, filter.size() - open - 2).split(u' ');
    }
};

QTEST_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
