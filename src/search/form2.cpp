// The find dialog and its search, sagasu.
#include "search/form2.h"

#include "app/form1.h"
#include "app/onelineedit.h"
#include "app/textarea.h"
#include "search/nextoccurrence.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Form2::Form2(Form1 &owner, QString &searchText)
    : FixedDialog(&owner, QStringLiteral("検索"), 6855, 1260), m_owner(owner),
      m_searchText(searchText)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(owner.windowIcon());
    Label1 = new QLabel(QStringLiteral("検索する文字列(&N):"), this);
    Text1 = new OneLineEdit(this);
    Command1 = new QPushButton(QStringLiteral("次を検索(&F)"), this);
    Command2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Check1 =
        new QCheckBox(QStringLiteral("大文字/小文字、全角/半角、平仮名/片仮名を区別する"), this);
    Label1->setBuddy(Text1);
    place(Label1, "Label1", 120, 240, 1935, 255);
    place(Text1, "Text1", 1920, 240, 3255, 270);
    place(Command1, "Command1", 5400, 120, 1335, 375);
    place(Command2, "Command2", 5400, 600, 1335, 375);
    place(Check1, "Check1", 120, 720, 4935, 255);
    setTabChain({Text1, Command1, Command2, Check1});

    connect(Text1, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_searchText = text; });
    connect(Command1, &QPushButton::clicked, this, &Form2::sagasu);
    connect(Command2, &QPushButton::clicked, this, &Form2::close);
}

void Form2::sagasu()
{
    if (m_searchText.isEmpty()) {
        m_owner.mnuKensaku_Click();
        return;
    }
    const TextArea &text = *m_owner.Text1;
    selectNextOccurrence(m_owner, m_searchText, text.selStart() + text.selLength(),
                         Check1->isChecked());
}
