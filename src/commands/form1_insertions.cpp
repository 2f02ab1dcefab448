// Insertion and caret commands: date and time, a drawn line, a random number, and the
// caret to either end.
#include "app/form1.h"
#include "app/textarea.h"
#include "commands/textcommands.h"
#include "platform/messagebox.h"

void Form1::mnuDatet_Click()
{
    Text1->setSelText(textcommands::timeAndDate(QDateTime::currentDateTime()));
}

void Form1::mnuSen_Click()
{
    const QString text = platform::InputBox(
        this, QStringLiteral("線として引く文字を書いてください(省略した場合は*になります)"));
    const QString count = platform::InputBox(
        this, QStringLiteral("繰り返す回数を書いてください(省略した場合は72になります)"));
    Text1->setSelText(textcommands::drawnLine(text, textcommands::lineRepeatCount(count)));
}

void Form1::mnuRandom_Click()
{
    Text1->setSelText(textcommands::randomNumber(m_random.generateDouble()));
}

void Form1::mnuGoMouseTop_Click()
{
    Text1->setSelStart(0);
}

void Form1::mnuGoMouseLast_Click()
{
    Text1->setSelStart(Text1->text().size());
}
