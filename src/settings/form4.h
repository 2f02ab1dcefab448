// The registered-text dialog "登録文字変更": five text boxes that hold the registered
// texts while it exists.
#pragma once

#include "app/fixeddialog.h"

/// How many registered texts there are (特別 → 登録文字挿入, Ctrl+F1 to Ctrl+F5).
inline constexpr int kRegisteredTexts = 5;

class QLineEdit;
class QPushButton;
class Form1;

class Form4 : public FixedDialog
{
    Q_OBJECT
public:
    explicit Form4(Form1 &owner);

    /// The creation handler: loads the registered-text group.
    void Form_Load();

    /// Text box of number n, 1 to 5.
    QLineEdit *textBox(int n) const;

    QLineEdit *Text1;
    QLineEdit *Text2;
    QLineEdit *Text3;
    QLineEdit *Text4;
    QLineEdit *Text5;
    QPushButton *Command1;
    QPushButton *Command2;

private:
    void Command1_Click();

    Form1 &m_owner;
};
