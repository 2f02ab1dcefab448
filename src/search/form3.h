// The replace dialog "置換": modeless, in front of the main window; reads its boxes at
// every press.
#pragma once

#include "app/fixeddialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Form1;

class Form3 : public FixedDialog
{
    Q_OBJECT
public:
    explicit Form3(Form1 &owner);

    QLabel *Label1;
    QLineEdit *Text1;
    QLabel *Label2;
    QLineEdit *Text2;
    QCheckBox *Check1;
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3;
    QPushButton *Command4;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    bool exact() const;

    Form1 &m_owner;
};
