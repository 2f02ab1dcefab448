// The replace dialog: find next, replace, and replace all.
#include "search/form3.h"

#include "app/form1.h"
#include "app/onelineedit.h"
#include "app/textarea.h"
#include "search/matching.h"
#include "search/nextoccurrence.h"
#include "search/replaceall.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Form3::Form3(Form1 &owner) : FixedDialog(&owner, QStringLiteral("置換"), 5895, 1665), m_owner(owner)
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(owner.windowIcon());
    Label1 = new QLabel(QStringLiteral("検索する文字列(&N):"), this);
    Text1 = new OneLineEdit(this);
    Label2 = new QLabel(QStringLiteral("置換る文字列(&I):"), this);
    Text2 = new OneLineEdit(this);
    Check1 =
        new QCheckBox(QStringLiteral("大文字/小文字、全角/半角、平仮名/片仮名を区別する"), this);
    Command1 = new QPushButton(QStringLiteral("次を検索(&F)"), this);
    Command2 = new QPushButton(QStringLiteral("置換(&R)"), this);
    Command3 = new QPushButton(QStringLiteral("全て置換(&A)"), this);
    Command4 = new QPushButton(QStringLiteral("キャンセル"), this);
    Label1->setBuddy(Text1);
    Label2->setBuddy(Text2);
    place(Label1, "Label1", 120, 120, 1695, 255);
    place(Text1, "Text1", 1800, 120, 3975, 270);
    place(Label2, "Label2", 120, 480, 1575, 375);
    place(Text2, "Text2", 1800, 480, 3975, 270);
    place(Check1, "Check1", 120, 840, 4935, 255);
    place(Command1, "Command1", 120, 1200, 1335, 375);
    place(Command2, "Command2", 1560, 1200, 1335, 375);
    place(Command3, "Command3", 3000, 1200, 1335, 375);
    place(Command4, "Command4", 4440, 1200, 1335, 375);
    setTabChain({Text1, Text2, Check1, Command1, Command2, Command3, Command4});

    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form3::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form3::close);
}

bool Form3::exact() const
{
    return Check1->isChecked();
}

void Form3::Command1_Click()
{
    const TextArea &text = *m_owner.Text1;
    selectNextOccurrence(m_owner, Text1->text(), text.selStart() + text.selLength(), exact());
}

void Form3::Command2_Click()
{
    TextArea &text = *m_owner.Text1;
    const QString search = Text1->text();
    if (!search.isEmpty() && matching::equal(text.selText(), search, exact()))
        text.setSelText(Text2->text());
    selectNextOccurrence(m_owner, search, text.selStart(), exact());
}

void Form3::Command3_Click()
{
    // The same end as pressing Replace until nothing more is found: the text, the
    // selection, the last two undo snapshots and the backup all come out alike, with one
    // message; only the steps in between are not shown.
    TextArea &text = *m_owner.Text1;
    const replaceall::Outcome outcome = replaceall::plan(
        text.text(), text.selStart(), text.selLength(), Text1->text(), Text2->text(), exact());
    // The last of the step-by-step run's changes, made again so that the undo snapshots
    // end as that run leaves them: the text before the last change, then after it.
    const std::array<QString, 3> lastChanges{outcome.finalText, outcome.beforeLast,
                                             outcome.finalText};
    const int replayed = EditorState::changesLeavingSameSnapshots(outcome.changes);
    for (auto it = lastChanges.end() - replayed; it != lastChanges.end(); ++it)
        text.setText(*it);
    text.setSelStart(outcome.selStart);
    text.setSelLength(outcome.selLength);
    // Nothing is left after the last replacement: this is the run's one message.
    selectNextOccurrence(m_owner, Text1->text(), outcome.selStart, exact());
}
