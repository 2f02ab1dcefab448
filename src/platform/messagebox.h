// The one place through which every message box and input box of the program is shown,
// titled "Vellit". Tests install a scripted double with setMessageBoxes().
#pragma once

#include <QString>

class QWidget;

namespace platform {

/// YesNoDefaultNo: Yes and No, No being the default button (for a question whose Yes
/// changes a file).
enum class Buttons { Ok, YesNo, YesNoCancel, YesNoDefaultNo };
enum class Icon { None, Information, Exclamation, Question, Critical };

/// Answer codes: OK 1, Cancel 2, Yes 6, No 7.
enum Answer { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7 };

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    /// Shows text, as plain text, with the icon and buttons; the first button is the
    /// default one, except for YesNoDefaultNo. A box closed without an answer (Escape, the close
    /// box) gives OK for an OK box and Cancel otherwise, never No.
    virtual int message(QWidget *parent, const QString &text, Buttons buttons, Icon icon) = 0;
    /// Asks for a line of text with an empty default; "" on Cancel.
    virtual QString input(QWidget *parent, const QString &prompt) = 0;
};

int MsgBox(QWidget *parent, const QString &text, Buttons buttons, Icon icon);
QString InputBox(QWidget *parent, const QString &prompt);

/// Replaces the implementation; nullptr restores the real boxes.
void setMessageBoxes(MessageBoxes *boxes);

inline const QString kTitle = QStringLiteral("Vellit");

} // namespace platform
