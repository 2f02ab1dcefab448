// The About dialog: product line, rights, contact block and notice, and a button that
// copies the two contact addresses.
#pragma once

#include "app/fixeddialog.h"

class QLabel;
class QPushButton;

class Form5 : public FixedDialog
{
    Q_OBJECT
public:
    explicit Form5(QWidget *parent);

    QLabel *Picture1;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label6;
    QPushButton *Command1;
    QPushButton *Command2;

    void Command1_Click();

private:
    void Form_Load();
};
