// The options dialog "オプション": the initial title and two check boxes. Its controls
// hold the options during a run.
#pragma once

#include "app/fixeddialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Form1;

class Form7 : public FixedDialog
{
    Q_OBJECT
public:
    explicit Form7(Form1 &owner);

    /// The creation handler: loads the option group.
    void Form_Load();

    /// The options as the controls hold them.
    QString initialTitle() const;
    bool restoresWindow() const;
    bool showsFullPath() const;

    QGroupBox *Frame1;
    QLabel *Label1;
    QLineEdit *Text1;
    QGroupBox *Frame2;
    QCheckBox *Check1;
    QCheckBox *Check2;
    QPushButton *Command1;
    QPushButton *Command2;

private:
    void Command1_Click();
    void Command2_Click();

    Form1 &m_owner;
};
