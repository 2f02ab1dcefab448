// Registered texts: the captions of the ten menu items are the texts themselves.
#include "app/form1.h"
#include "app/textarea.h"

#include <QAction>

void Form1::setRegisteredCaption(int n, const QString &text)
{
    item(QStringLiteral("mnuTouMozi%1").arg(n))->setText(text);
    item(QStringLiteral("mnupopTouMozi%1").arg(n))->setText(text);
}

void Form1::insertRegistered(int n)
{
    // The caption as set, "&" included.
    Text1->setSelText(item(QStringLiteral("mnuTouMozi%1").arg(n))->text());
}

void Form1::mnuTouMozi1_Click()
{
    insertRegistered(1);
}

void Form1::mnuTouMozi2_Click()
{
    insertRegistered(2);
}

void Form1::mnuTouMozi3_Click()
{
    insertRegistered(3);
}

void Form1::mnuTouMozi4_Click()
{
    insertRegistered(4);
}

void Form1::mnuTouMozi5_Click()
{
    insertRegistered(5);
}
