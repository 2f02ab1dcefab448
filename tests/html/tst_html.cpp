// The tag menu and the browser preview, with a browser double and with the real
// launcher against stand-in sensible-browser programs, with no browser named by the
// desktop.
#include "support/fixture.h"

#include "platform/browser.h"

#include <QAction>
#include <QTest>

namespace {

struct ScriptedBrowser : platform::Browser
{
    ScriptedBrowser() { platform::setBrowser(this); }
    ~ScriptedBrowser() override { platform::setBrowser(nullptr); }
    void open(const QString &address, std::function<void()> failed) override
    {
        addresses.append(address);
        if (fails)
            failed();
    }
    QStringList addresses;
    bool fails = false;
};

// A stand-in sensible-browser first in PATH that exits with code.
struct FakeSensibleBrowser
{
    explicit FakeSensibleBrowser(int code) : oldPath(qgetenv("PATH"))
    {
        QFile script(dir.filePath("sensible-browser"));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\nexit " + QByteArray::number(code) + "\n");
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                              QFileDevice::ExeOwner);
        script.close();
        qputenv("PATH", QFile::encodeName(dir.path()) + ':' + oldPath);
    }
    ~FakeSensibleBrowser() { qputenv("PATH", oldPath); }
    QTemporaryDir dir;
    QByteArray oldPath;
};

} // namespace

class TestHtml : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // A desktop that names no web browser: the launcher falls back on sensible-browser.
        for (const char *variable :
             {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            qputenv(variable, QFile::encodeName(noDesktop.path()));
    }

    void tagsReplaceTheSelection_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("text");
        QTest::newRow("HTML") << "mnuHtmlT"
                              << "<HTML></HTML>";
        QTest::newRow("HEAD") << "mnuHeadT"
                              << "<HEAD></HEAD>";
        QTest::newRow("TITLE") << "mnuTitleT"
                               << "<TITLE></TITLE>";
        QTest::newRow("BODY") << "mnuBodyT"
                              << "<BODY></BODY>";
        QTest::newRow("BR") << "mnuBrT"
                            << "<BR>";
        QTest::newRow("IMG, 12 characters") << "mnuImageT"
                                            << "<IMG SRC=\"\">";
        QTest::newRow("A, 15 characters") << "mnuRinkT"
                                          << "<A HREF=\"\"></A>";
        QTest::newRow("FONT") << "mnuFontT"
                              << "<FONT></FONT>";
        QTest::newRow("B") << "mnuHutoT"
                           << "<B></B>";
        QTest::newRow("I") << "mnuItaT"
                           << "<I></I>";
        QTest::newRow("U") << "mnuUnderT"
                           << "<U></U>";
        QTest::newRow("HR") << "mnuSenT"
                            << "<HR>";
    }

    void tagsReplaceTheSelection()
    {
        QFETCH(QString, item);
        QFETCH(QString, text);
        Fixture f;
        Form1 &w = f.start();
        w.Text1->setText(QStringLiteral("say hello now"));
        w.Text1->setSelStart(4);
        w.Text1->setSelLength(5);
        // The viewing mode blocks typing only.
        w.mnuLocked_Click();
        QAction *action = w.item(item);
        QVERIFY(action->isEnabled());
        QVERIFY(action->shortcut().isEmpty());
        action->trigger();
        QCOMPARE(w.Text1->text(), QStringLiteral("say ") + text + QStringLiteral(" now"));
        QCOMPARE(w.Text1->selStart(), 4 + text.size());
        QCOMPARE(w.Text1->selLength(), 0);
        QVERIFY(w.state.isModified);
        QCOMPARE(f.read("backup.txt"), ("say " + text + " now\r\n").toLatin1());
    }

    void skeletonAndTagsSideBySide()
    {
        Fixture f;
        Form1 &w = f.start();
        w.item("mnuAllT")->trigger();
        QCOMPARE(w.Text1->text().size(), 66);
        QCOMPARE(w.Text1->lineCount(), 7);
        QVERIFY(!w.Text1->text().endsWith(QStringLiteral("\r\n")));
        QCOMPARE(w.Text1->selStart(), 66);
        w.Text1->setText(QString());
        w.item("mnuHutoT")->trigger();
        w.item("mnuItaT")->trigger();
        QCOMPARE(w.Text1->text(), QStringLiteral("<B></B><I></I>"));
    }

    void previewOpensTheSavedFileAndNothingElse()
    {
        Fixture f;
        ScriptedBrowser browser;
        QDir(f.dir.path()).mkdir("my pages");
        const QString page = f.path("my pages/日本.html");
        f.write("my pages/日本.html", "<HTML>old</HTML>\r\n");
        Form1 &w = f.start(page);
        QVERIFY(w.item("mnuIE")->isEnabled());
        w.Text1->setText(QStringLiteral("<HTML>new</HTML>"));
        w.mnuIE_Click();
        w.mnuIE_Click();
        const QString url = "file://" +
                            QString::fromLatin1(QUrl::toPercentEncoding(f.dir.path(), "/")) +
                            "/my%20pages/%E6%97%A5%E6%9C%AC.html";
        QCOMPARE(browser.addresses, QStringList({url, url}));
        // Not saved first, and nothing reported.
        QCOMPARE(f.read("my pages/日本.html"), QByteArray("<HTML>old</HTML>\r\n"));
        QVERIFY(w.state.isModified);
        QVERIFY(f.boxes.shown.isEmpty());
        // After New the title is asked for as an address.
        f.boxes.answers.enqueue(platform::IdNo);
        w.mnuNew_Click();
        QVERIFY(w.item("mnuIE")->isEnabled());
        w.mnuIE_Click();
        QCOMPARE(browser.addresses.last(), QStringLiteral("無題"));
    }

    void failureIsReportedOncePerUse()
    {
        Fixture f;
        ScriptedBrowser browser;
        browser.fails = true;
        Form1 &w = f.start();
        w.mnuIE_Click();
        w.mnuIE_Click();
        QCOMPARE(f.boxes.shown.size(), 2);
        QCOMPARE(f.boxes.shown.at(0).text,
                 QStringLiteral("ブラウザを起動できませんでした。\r\n無題"));
        QCOMPARE(f.boxes.shown.at(0).icon, platform::Icon::Exclamation);
    }

    void desktopHandlerFailureComesBackOnce_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("failures");
        QTest::newRow("started") << 0 << 0;
        QTest::newRow("no handler for the type") << 3 << 1;
        QTest::newRow("action failed") << 4 << 1;
    }

    void desktopHandlerFailureComesBackOnce()
    {
        QFETCH(int, exitCode);
        QFETCH(int, failures);
        FakeSensibleBrowser fake(exitCode);
        int failed = 0;
        platform::openInBrowser(QStringLiteral("file:///x.html"), [&] { ++failed; });
        QTest::qWait(300);
        QCOMPARE(failed, failures);
    }

    void missingSensibleBrowserIsAFailure()
    {
        const QByteArray oldPath = qgetenv("PATH");
        QTemporaryDir empty;
        qputenv("PATH", QFile::encodeName(empty.path()));
        int failed = 0;
        platform::openInBrowser(QStringLiteral("file:///x.html"), [&] { ++failed; });
        QTRY_COMPARE(failed, 1);
        qputenv("PATH", oldPath);
    }

private:
    QTemporaryDir noDesktop;
};

QTEST_MAIN(TestHtml)
#include "tst_html.moc"
