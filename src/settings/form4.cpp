// The registered-text dialog: OK saves the group and sets the menu captions; Cancel and
// the close box lose the edits.
#include "settings/form4.h"

#include "app/form1.h"
#include "app/onelineedit.h"
#include "platform/messagebox.h"
#include "settings/module1.h"
#include "settings/valueforms.h"

#include <QLineEdit>
#include <QPushButton>

Form4::Form4(Form1 &owner)
    : FixedDialog(&owner, QStringLiteral("登録文字変更"), 5295, 2430), m_owner(owner)
{
    setObjectName(QStringLiteral("Form4"));
    QLineEdit **boxes[] = {&Text1, &Text2, &Text3, &Text4, &Text5};
    for (int n = 1; n <= kRegisteredTexts; ++n) {
        QLineEdit *box = new OneLineEdit(this);
        place(box, QStringLiteral("Text%1").arg(n).toLatin1().constData(), 120, 120 + 480 * (n - 1),
              3255, 270);
        // A screen reader names each box by the registered text it holds.
        box->setAccessibleName(QStringLiteral("登録文字%1").arg(n));
        *boxes[n - 1] = box;
    }
    Command1 = new QPushButton(QStringLiteral("OK(変更)"), this);
    place(Command1, "Command1", 3600, 120, 1575, 375);
    Command2 = new QPushButton(QStringLiteral("キャンセル"), this);
    place(Command2, "Command2", 3600, 720, 1575, 375);
    setTabChain({Text1, Text2, Text3, Text4, Text5, Command1, Command2});

    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form4::reject);
}

void Form4::Form_Load()
{
    Module1::LoadSettings(m_owner, Module1::RegisteredGroup);
}

QLineEdit *Form4::textBox(int n) const
{
    const QLineEdit *const boxes[] = {Text1, Text2, Text3, Text4, Text5};
    return const_cast<QLineEdit *>(boxes[n - 1]);
}

void Form4::Command1_Click()
{
    // The settings file is Shift-JIS: a text that will come back otherwise is announced.
    for (int n = 1; n <= kRegisteredTexts; ++n) {
        const QString warning = valueforms::storedDifferently(n, textBox(n)->text());
        if (!warning.isEmpty())
            platform::MsgBox(this, warning, platform::Buttons::Ok, platform::Icon::Exclamation);
    }
    Module1::SaveSettings(m_owner, Module1::RegisteredGroup);
    done(Accepted);
}
