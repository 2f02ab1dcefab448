// The real file dialogs behind the common dialog: "*.*" lists every file, the
// path-must-exist flag refuses a folder that does not exist, and the file list speaks
// Japanese under the C locale the test runs in.
#include "platform/commondialog.h"
#include "platform/qttexts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

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

    void fileListGivesSizesAndDatesTheJapaneseWay()
    {
        QVERIFY2(QLocale::system().language() != QLocale::Japanese, "run under a C locale");
        platform::installJapaneseQtTexts();
        QTemporaryDir dir;
        QFile file(dir.filePath("a.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(235, 'x'));
        file.flush();
        const QDateTime written(QDate(2026, 12, 8), QTime(19, 30));
        QVERIFY(file.setFileTime(written, QFileDevice::FileModificationTime));
        file.close();
        QWidget owner;
        owner.show();
        CommonDialog dialog(&owner);
        dialog.Filter = QStringLiteral("全てのファイル(*.*)|*.*");
        dialog.FileName = file.fileName();
        QString size, type, date;
        QTimer::singleShot(0, [&] {
            auto *fileDialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(fileDialog);
            auto *view = fileDialog->findChild<QTreeView *>(QStringLiteral("treeView"));
            QVERIFY(view);
            QModelIndex row;
            QTRY_VERIFY((row = rowNamed(*view, QStringLiteral("a.txt"))).isValid());
            size = row.siblingAtColumn(1).data().toString();
            type = row.siblingAtColumn(2).data().toString();
            date = row.siblingAtColumn(3).data().toString();
            fileDialog->reject();
        });
        dialog.ShowOpen();
        QCOMPARE(size, QStringLiteral("235 バイト"));
        QCOMPARE(type, QStringLiteral("平文テキストドキュメント"));
        QCOMPARE(date, QStringLiteral("2026/12/08 19:30"));
    }

private:
    static QModelIndex rowNamed(const QTreeView &view, const QString &name)
    {
        const QAbstractItemModel *model = view.model();
        for (int row = 0; row < model->rowCount(view.rootIndex()); ++row) {
            const QModelIndex index = model->index(row, 0, view.rootIndex());
            if (index.data().toString() == name)
                return index;
        }
        return {};
    }

    static QStringList filterPatterns(const QString &filter)
    {
        const qsizetype open = filter.lastIndexOf(u'(');
        return filter.mid(open + 1, filter.size() - open - 2).split(u' ');
    }
};

QTEST_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
