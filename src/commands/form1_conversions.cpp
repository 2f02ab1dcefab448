// The conversions of the edit menu: the selection, or the whole text when nothing is
// selected, in one change.
#include "app/form1.h"
#include "app/textarea.h"
#include "commands/conversions.h"

void Form1::convertSelection(QString (*conversion)(const QString &))
{
    if (Text1->selLength() > 0)
        Text1->setSelText(conversion(Text1->selText()));
    else
        Text1->setText(conversion(Text1->text()));
}

void Form1::mnuKomozi_Click()
{
    convertSelection(conversions::lower);
}

void Form1::mnuOmozi_Click()
{
    convertSelection(conversions::upper);
}

void Form1::mnuEnglish_Click()
{
    convertSelection(conversions::properCase);
}

void Form1::mnuHira_Click()
{
    convertSelection(conversions::toHiragana);
}

void Form1::mnuKata_Click()
{
    convertSelection(conversions::toKatakana);
}

void Form1::mnuHan_Click()
{
    convertSelection(conversions::toNarrow);
}

void Form1::mnuZen_Click()
{
    convertSelection(conversions::toWide);
}
