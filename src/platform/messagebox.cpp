// Message and input boxes on QMessageBox and QInputDialog.
#include "platform/messagebox.h"

#include <QInputDialog>
#include <QMessageBox>

namespace platform {
namespace {

class QtMessageBoxes final : public MessageBoxes
{
public:
    int message(QWidget *parent, const QString &text, Buttons buttons, Icon icon) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(kTitle);
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
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setEscapeButton(QMessageBox::Cancel);
            first = QMessageBox::Yes;
            break;
        }
        box.setDefaultButton(first);
        switch (box.exec()) {
        case QMessageBox::Yes:
            return IdYes;
        case QMessageBox::No:
            return IdNo;
        case QMessageBox::Cancel:
            return IdCancel;
        default:
            // Closing a Yes/No box without an answer counts as No, as it cannot cancel.
            return buttons == Buttons::Ok ? IdOk : buttons == Buttons::YesNo ? IdNo : IdCancel;
        }
    }

    QString input(QWidget *parent, const QString &prompt) override
    {
        bool ok = false;
        const QString text =
            QInputDialog::getText(parent, kTitle, prompt, QLineEdit::Normal, QString(), &ok);
        return ok ? text : QString();
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
