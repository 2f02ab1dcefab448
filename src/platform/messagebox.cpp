// Message and input boxes on QMessageBox and QInputDialog.
#include "platform/messagebox.h"

#include <QCloseEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>

namespace platform {
namespace {

// A message box that tells an answer from a box closed without one (Escape, the close
// box): a Yes/No box has no Cancel button, and Qt would count such a close as No.
class AnswerBox final : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;
    bool dismissed() const { return m_dismissed; }

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        if (e->matches(QKeySequence::Cancel)) {
            m_dismissed = true;
            reject();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent *e) override
    {
        m_dismissed = true;
        QMessageBox::closeEvent(e);
    }

private:
    bool m_dismissed = false;
};

class QtMessageBoxes final : public MessageBoxes
{
public:
    int message(QWidget *parent, const QString &text, Buttons buttons, Icon icon) override
    {
        AnswerBox box(parent);
        box.setWindowTitle(kTitle);
        // User text (clipboard, search text, file names) is shown as typed, never as markup.
        box.setTextFormat(Qt::PlainText);
        box.setText(text);
        box.setIcon(qtIcon(icon));
        QMessageBox::StandardButton first = QMessageBox::Ok;
        switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            first = QMessageBox::Yes;
            break;
        case Buttons::YesNoDefaultNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            first = QMessageBox::No;
            break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setEscapeButton(QMessageBox::Cancel);
            first = QMessageBox::Yes;
            break;
        }
        box.setDefaultButton(first);
        const int result = box.exec();
        // A box closed without an answer is never No: No may discard the user's text.
        if (box.dismissed())
            return buttons == Buttons::Ok ? IdOk : IdCancel;
        switch (result) {
        case QMessageBox::Yes:
            return IdYes;
        case QMessageBox::No:
            return IdNo;
        case QMessageBox::Cancel:
            return IdCancel;
        default:
            return buttons == Buttons::Ok ? IdOk : IdCancel;
        }
    }

    QString input(QWidget *parent, const QString &prompt) override
    {
        QInputDialog dialog(parent);
        dialog.setWindowTitle(kTitle);
        dialog.setInputMode(QInputDialog::TextInput);
        dialog.setLabelText(prompt);
        for (QLabel *label : dialog.findChildren<QLabel *>())
            label->setTextFormat(Qt::PlainText);
        return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
    }

private:
    static QMessageBox::Icon qtIcon(Icon icon)
    {
        switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Exclamation:
            return QMessageBox::Warning;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::None:
            break;
        }
        return QMessageBox::NoIcon;
    }
};

QtMessageBoxes realBoxes;
MessageBoxes *current = &realBoxes;

} // namespace

int MsgBox(QWidget *parent, const QString &text, Buttons buttons, Icon icon)
{
    return current->message(parent, text, buttons, icon);
}

QString InputBox(QWidget *parent, const QString &prompt)
{
    return current->input(parent, prompt);
}

void setMessageBoxes(MessageBoxes *boxes)
{
    current = boxes ? boxes : &realBoxes;
}

} // namespace platform
