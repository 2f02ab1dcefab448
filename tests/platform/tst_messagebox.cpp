// The real message and input boxes: answers, a box closed without an answer, and user
// text shown as plain text.
#include "platform/messagebox.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace platform;

namespace {

// Acts on the box once it is shown.
void whenShown(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        act(QApplication::activeModalWidget());
    });
}

void pressButton(QWidget *box, QMessageBox::StandardButton which)
{
    static_cast<QMessageBox *>(box)->button(which)->click();
}

} // namespace

class TestMessageBox : public QObject
{
    Q_OBJECT
private slots:
    void answersAndClosingWithoutAnAnswer_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");
        const int yesNo = int(Buttons::YesNo);
        const int yesNoCancel = int(Buttons::YesNoCancel);
        QTest::newRow("Yes/No: Yes") << yesNo << "yes" << int(IdYes);
        QTest::newRow("Yes/No: No") << yesNo << "no" << int(IdNo);
        // No may discard the user's text; a box merely closed must never mean it.
        QTest::newRow("Yes/No: Escape") << yesNo << "escape" << int(IdCancel);
        QTest::newRow("Yes/No: close box") << yesNo << "close" << int(IdCancel);
        QTest::newRow("Yes/No/Cancel: Escape") << yesNoCancel << "escape" << int(IdCancel);
        QTest::newRow("Yes/No/Cancel: close box") << yesNoCancel << "close" << int(IdCancel);
        QTest::newRow("Yes/No/Cancel: No") << yesNoCancel << "no" << int(IdNo);
        QTest::newRow("OK: Escape") << int(Buttons::Ok) << "escape" << int(IdOk);
        // Enter takes the default button: for a question whose Yes changes a file, No.
        const int defaultNo = int(Buttons::YesNoDefaultNo);
        QTest::newRow("Yes/No, default No: Enter") << defaultNo << "enter" << int(IdNo);
        QTest::newRow("Yes/No, default No: Yes") << defaultNo << "yes" << int(IdYes);
        QTest::newRow("Yes/No: Enter") << yesNo << "enter" << int(IdYes);
    }

    void answersAndClosingWithoutAnAnswer()
    {
        QFETCH(int, buttons);
        QFETCH(QString, action);
        QFETCH(int, answer);
        QWidget parent;
        parent.show();
        whenShown([action](QWidget *box) {
            if (action == "yes")
                pressButton(box, QMessageBox::Yes);
            else if (action == "no")
                pressButton(box, QMessageBox::No);
            else if (action == "escape")
                QTest::keyClick(box, Qt::Key_Escape);
            else if (action == "enter")
                QTest::keyClick(box, Qt::Key_Return);
            else
                box->close();
        });
        QCOMPARE(MsgBox(&parent, "question", Buttons(buttons), Icon::Question), answer);
    }

    void userTextIsShownAsTyped()
    {
        QWidget parent;
        parent.show();
        QString shownText;
        Qt::TextFormat format = Qt::AutoText;
        whenShown([&](QWidget *box) {
            auto *mb = static_cast<QMessageBox *>(box);
            shownText = mb->text();
            format = mb->textFormat();
            pressButton(box, QMessageBox::Ok);
        });
        MsgBox(&parent, "<b>x</b><br>", Buttons::Ok, Icon::None);
        QCOMPARE(shownText, QStringLiteral("<b>x</b><br>"));
        QCOMPARE(format, Qt::PlainText);

        QList<Qt::TextFormat> labelFormats;
        whenShown([&](QWidget *box) {
            for (QLabel *label : box->findChildren<QLabel *>())
                labelFormats.append(label->textFormat());
            static_cast<QInputDialog *>(box)->setTextValue("typed");
            static_cast<QInputDialog *>(box)->accept();
        });
        QCOMPARE(InputBox(&parent, "<i>prompt</i>"), QStringLiteral("typed"));
        QVERIFY(!labelFormats.isEmpty());
        QVERIFY(!labelFormats.contains(Qt::AutoText) && !labelFormats.contains(Qt::RichText));
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
