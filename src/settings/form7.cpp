// The options dialog: OK saves the option group, Cancel reloads it; both, and the close
// box, end the dialog, which its owner then destroys.
#include "settings/form7.h"

#include "app/form1.h"
#include "app/onelineedit.h"
#include "settings/module1.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Form7::Form7(Form1 &owner)
    : FixedDialog(&owner, QStringLiteral("オプション"), 4935, 2655), m_owner(owner)
{
    setObjectName(QStringLiteral("Form7"));
    Frame1 = new QGroupBox(QStringLiteral("ファイル保存関係"), this);
    Label1 = new QLabel(QStringLiteral("初期題名："), Frame1);
    Text1 = new OneLineEdit(Frame1);
    // Named after what it holds, not after its group box.
    Text1->setAccessibleName(QStringLiteral("初期題名"));
    Frame2 = new QGroupBox(QStringLiteral("Vellitの設定"), this);
    Check1 = new QCheckBox(QStringLiteral("起動時にウィンドウのサイズ・位置を復元する"), Frame2);
    Check2 = new QCheckBox(QStringLiteral("ファイル名をフルパスで表示"), Frame2);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command2 = new QPushButton(QStringLiteral("キャンセル"), this);

    place(Frame1, "Frame1", 120, 120, 4695, 735);
    place(Label1, "Label1", 240, 360, 855, 255);
    place(Text1, "Text1", 1080, 360, 3255, 270);
    place(Frame2, "Frame2", 120, 960, 4695, 1095);
    place(Check1, "Check1", 120, 360, 3735, 255);
    place(Check2, "Check2", 120, 720, 2535, 255);
    place(Command1, "Command1", 480, 2160, 1695, 375);
    place(Command2, "Command2", 2640, 2160, 1695, 375);

    setTabChain({Text1, Check1, Check2, Command1, Command2});

    connect(Command1, &QPushButton::clicked, this, &Form7::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form7::Command2_Click);
}

void Form7::Form_Load()
{
    Module1::LoadSettings(m_owner, Module1::OptionGroup);
}

QString Form7::initialTitle() const
{
    return Text1->text();
}

bool Form7::restoresWindow() const
{
    return Check1->isChecked();
}

bool Form7::showsFullPath() const
{
    return Check2->isChecked();
}

void Form7::Command1_Click()
{
    Module1::SaveSettings(m_owner, Module1::OptionGroup);
    done(Accepted);
}

void Form7::Command2_Click()
{
    Module1::LoadSettings(m_owner, Module1::OptionGroup);
    done(Rejected);
}
