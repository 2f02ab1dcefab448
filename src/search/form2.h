// The find dialog "検索": modeless, in front of the main window. Its search text
// outlives the window; its check box does not.
#pragma once

#include "app/fixeddialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Form1;

class Form2 : public FixedDialog
{
    Q_OBJECT
public:
    /// searchText is the dialog object's own field, kept by the main window for the run.
    Form2(Form1 &owner, QString &searchText);

    /// Finds the next occurrence of the search text after the selection.
    void sagasu();

    QLabel *Label1;
    QLineEdit *Text1;
    QPushButton *Command1;
    QPushButton *Command2;
    QCheckBox *Check1;

private:
    Form1 &m_owner;
    QString &m_searchText;
};
