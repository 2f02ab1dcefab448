// The menu tree as the user sees it, the start-up enabling, and which keys reach the
// menus rather than the text area.
#include "support/fixture.h"

#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// Level, name, caption and shortcut of every item, in order.
const char *const kExpectedMenuBar = R"(0 mnuFFile ファイル(&F)
1 mnuNew 新規作成(&N)
1 mnuOpen 開く(&O)
1 mnuOpen2 カーソル位置へ挿入(&K)
1 mnuSave 上書き保存(&S)
1 mnuAllsave 名前を付けて保存(&A)
1 mnux -
1 mnuPagestyle ページ設定(&T)
1 mnuPrint 印刷(&P)
1 mnux2 -
1 mnuHakiEnd 破棄して終了(&Z)
1 mnuHozonEnd 保存して終了(&Y)
1 mnuMEnd Vellitの終了(&X)
0 mnuHen 編集(&E)
1 mnuBack 元に戻す(&U) Ctrl+Z
1 mnux3 -
1 mnuKiru 切り取り(&T) Ctrl+X
1 mnuCopy コピー(&C) Ctrl+C
1 mnuKiru2 クリップボード追加切り取り(&K) Ctrl+S
1 mnuCopy2 クリップボード追加コピー(&P) Ctrl+D
1 mnuPaest 貼り付け(&P) Ctrl+V
1 mnuInPaste 引用符付き貼り付け(&R) Ctrl+F
1 mnuClip クリップボードの内容閲覧(&B) F8
1 mnuDel 削除(&L) Del
1 mnux4 -
1 mnuAll すべて選択(&A)
1 mnuDatet 日付と時刻(&D) F5
1 mnuSen 線を引く(&S) Ctrl+L
1 mnuHenkan 文字列の変換(&S)
2 mnuKomozi 小文字変換(&L)
2 mnuOmozi 大文字変換(&U)
2 mnuEnglish 文頭大文字変換(&E)
2 mnuHira ひらがな変換(&H)
2 mnuKata カタカナ変換(&K)
2 mnuHan 半角変換(&N)
2 mnuZen 全角変換(&V)
1 mnux5 -
1 mnuFont フォントの設定(&F)
0 mnuKen 検索(&S)
1 mnuKensaku 検索(&F)
1 mnuKensaku2 次を検索(&N) F3
1 mnux6 -
1 mnuOki 置換(&R) F4
0 mnuToku 特別(&T)
1 mnuTouMozi 登録文字挿入(&Y)
2 mnuTouMozi1  Ctrl+F1
2 mnuTouMozi2  Ctrl+F2
2 mnuTouMozi3  Ctrl+F3
2 mnuTouMozi4  Ctrl+F4
2 mnuTouMozi5  Ctrl+F5
1 mnuTouMoziConfing 登録文字変更(&S)
1 mnux7 -
1 mnuGoMouseTop カーソルを先頭へ(&T) Ctrl+T
1 mnuGoMouseLast カーソルを末尾へ(&L) Ctrl+E
1 mnux8 -
1 mnuMozi 現在の総文字数(&M) F7
1 mnuRandom 乱数の挿入(&R) F6
1 mnuIki 息抜き(&I)
1 mnuLocked 閲覧モード
1 mnux11 -
1 mnuOption オプション(&O)
0 mnuHtml HTML(&L)
1 mnuTag タグ挿入(&G)
2 mnuHtmlT HTMLタグ(&H)
2 mnuHeadT HEADタグ(&E)
2 mnuTitleT タイトルタグ(&T)
2 mnuBodyT BODYタグ(&B)
2 mnuAllT 基本タグ一括挿入(&A)
2 mnuBrT 改行タグ(&K)
2 mnuImageT イメージタグ(&I)
2 mnuRinkT リンクタグ(&R)
2 mnuFontT フォントタグ(&F)
2 mnuHutoT 太字タグ(&D)
2 mnuItaT 斜めタグ(&N)
2 mnuUnderT 下線タグ(&U)
2 mnuSenT 罫線タグ(&S)
1 mnuIE InternetExplorerの起動(&I) F9
0 mnuVisi 表示(&V)
1 mnuColor 色の設定(&C)
2 mnuFontcolor 文字(&F)
2 mnuBackcolor 背景(&B)
1 mnux9 -
1 mnuShowM 常に手前に表示(&S)
0 mnuHelp ヘルプ(&H)
1 mnuHelp2 ヘルプの表示(&H)
1 mnux10 -
1 mnuBazyon バージョン情報(&A)
)";

const char *const kExpectedPopup = R"(1 mnupopBack 元に戻す
1 mnupopx1 -
1 mnupopTouMozi 登録文字挿入
2 mnupopTouMozi1 
2 mnupopTouMozi2 
2 mnupopTouMozi3 
2 mnupopTouMozi4 
2 mnupopTouMozi5 
1 mnupopx2 -
1 mnupopKiru 切り取り
1 mnupopCopy コピー
1 mnupopKiru2 追加切り取り
1 mnupopCopy2 追加コピー
1 mnupopPaest 貼り付け
1 mnupopInPaset 引用符付き貼り付け
1 mnupopClip クリップボードの内容閲覧
1 mnupopDel 削除
1 mnupopx3 -
1 mnupopMozi 現在の総文字数
1 mnupopShowM 常に手前に表示
)";

void describe(const QList<QAction *> &actions, int level, QString &out)
{
    for (QAction *a : actions) {
        out += QString::number(level) + u' ' + a->objectName() + u' ' +
               (a->isSeparator() ? QStringLiteral("-") : a->text());
        if (!a->shortcut().isEmpty())
            out += u' ' + a->shortcut().toString();
        out += u'\n';
        if (a->menu())
            describe(a->menu()->actions(), level + 1, out);
    }
}

} // namespace

class TestMenus : public QObject
{
    Q_OBJECT
private slots:
    void menuBarReadsAsSpecified()
    {
        Form1 window;
        QString actual;
        describe(window.menuBar()->actions(), 0, actual);
        QCOMPARE(actual, QString::fromUtf8(kExpectedMenuBar));
    }

    void hiddenMenuExistsOutsideTheMenuBar()
    {
        Form1 window;
        QCOMPARE(window.mnupopMenu->objectName(), QStringLiteral("mnupopMenu"));
        QCOMPARE(window.mnupopMenu->title(), QStringLiteral("隠しメニュー"));
        QVERIFY(!window.menuBar()->actions().contains(window.mnupopMenu->menuAction()));
        QString actual;
        describe(window.mnupopMenu->actions(), 1, actual);
        QCOMPARE(actual, QString::fromUtf8(kExpectedPopup));
    }

    void startUpEnablingAndMarks()
    {
        Fixture f;
        Form1 &w = f.start();
        for (const QString &name : Form1::kUndoItems + Form1::kTextItems)
            QVERIFY2(!w.item(name)->isEnabled(), qPrintable(name));
        QVERIFY(!w.item("mnuIE")->isEnabled());
        for (const char *name : {"mnuShowM", "mnupopShowM", "mnuLocked"})
            QVERIFY2(!w.item(name)->isChecked(), name);
        QVERIFY(w.item("mnuPaest")->isEnabled());
        QVERIFY(w.item("mnupopMozi")->isEnabled());
        QCOMPARE(w.windowTitle(), QStringLiteral("無題 - Vellit"));
    }

    void typingEnablesEditingItems()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Text1->setFocus();
        QTest::keyClick(w.Text1, Qt::Key_A);
        for (const QString &name : Form1::kUndoItems + Form1::kTextItems)
            QVERIFY2(w.item(name)->isEnabled(), qPrintable(name));
        QVERIFY(!w.item("mnuIE")->isEnabled());
        QTest::keyClick(w.Text1, Qt::Key_Backspace);
        for (const QString &name : Form1::kTextItems)
            QVERIFY2(!w.item(name)->isEnabled(), qPrintable(name));
        QVERIFY(w.item("mnuBack")->isEnabled());
    }

    void textAreaFillsTheClientArea()
    {
        Form1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.Text1->geometry(), window.centralWidget()->geometry());
        QCOMPARE(window.Text1->size(), QSize(755, 489));
        window.resize(300, 200);
        QTRY_COMPARE(window.Text1->width(), 300);
        window.resize(10, 10);
        QTRY_VERIFY(window.Text1->width() >= 0 && window.Text1->height() >= 0);
    }

    void menuKeysWinOverTheTextArea()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Text1->setFocus();
        QTest::keyClicks(w.Text1, QStringLiteral("abc"));
        w.Text1->setSelStart(0);
        w.Text1->setSelLength(3);
        for (const char *name :
             {"mnuBack", "mnuKiru", "mnuCopy", "mnuPaest", "mnuDel", "mnuKiru2"}) {
            QSignalSpy spy(w.item(name), &QAction::triggered);
            QTest::keySequence(&w, w.item(name)->shortcut());
            QVERIFY2(spy.count() == 1, name);
        }
        QSignalSpy find(w.item("mnuInPaste"), &QAction::triggered);
        QTest::keyClick(w.Text1, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(find.count(), 1);
    }

    void disabledMenuKeysDoNothing()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Text1->setFocus();
        QTest::keyClicks(w.Text1, QStringLiteral("abc"));
        w.setItemsEnabled(Form1::kUndoItems + Form1::kTextItems, false);
        w.Text1->setSelStart(0);
        w.Text1->setSelLength(2);
        for (const char *key : {"Ctrl+Z", "Ctrl+X", "Del", "Shift+Del"})
            QTest::keySequence(&w, QKeySequence(QLatin1StringView(key)));
        QCOMPARE(w.Text1->text(), QStringLiteral("abc"));
    }

    void rightPressOpensTheProgramsMenuOnly()
    {
        Fixture f;
        Form1 &w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Text1->setText(QStringLiteral("abcdef"));
        w.Text1->setSelStart(1);
        w.Text1->setSelLength(2);
        const QPoint inText(60, 30);
        QWidget *shown = nullptr;
        bool cutEnabled = false;
        auto closeNextPopup = [&] {
            QTimer::singleShot(50, [&] {
                shown = QApplication::activePopupWidget();
                cutEnabled = w.item("mnupopKiru")->isEnabled();
                if (shown)
                    shown->close();
            });
        };
        // The menu opens while the button is down, and the selection stays.
        closeNextPopup();
        QTest::mousePress(w.Text1->viewport(), Qt::RightButton, {}, inText);
        QCOMPARE(shown, static_cast<QWidget *>(w.mnupopMenu));
        QVERIFY(cutEnabled);
        QTest::mouseRelease(w.Text1->viewport(), Qt::RightButton, {}, inText);
        QCOMPARE(w.Text1->selStart(), 1);
        QCOMPARE(w.Text1->selLength(), 2);
        QTest::qWait(50);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        // Left and middle presses show nothing.
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton}) {
            shown = nullptr;
            closeNextPopup();
            QTest::mouseClick(w.Text1->viewport(), button, {}, inText);
            QTest::qWait(100);
            QCOMPARE(shown, nullptr);
        }
        // Shift+F10 opens it from the keyboard; with an empty text cut is disabled.
        w.Text1->setText(QString());
        closeNextPopup();
        QTest::keyClick(w.Text1, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(shown, static_cast<QWidget *>(w.mnupopMenu));
        QVERIFY(!cutEnabled);
        QVERIFY(w.item("mnupopPaest")->isEnabled());
    }

    void popupItemsRunTheirTwins()
    {
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("abc"));
        w.mnuAll_Click();
        w.item("mnupopCopy")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
        w.item("mnupopShowM")->trigger();
        QVERIFY(w.item("mnuShowM")->isChecked());
        QVERIFY(w.item("mnupopShowM")->isChecked());
        w.item("mnuShowM")->trigger();
        QVERIFY(!w.item("mnuShowM")->isChecked());
        QVERIFY(!w.item("mnupopShowM")->isChecked());
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
