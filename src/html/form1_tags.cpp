// The tag menu: each command replaces the selection with its fixed text, as one change.
#include "app/form1.h"
#include "app/textarea.h"
#include "html/tags.h"

void Form1::mnuHtmlT_Click()
{
    Text1->setSelText(html::kHtmlTag);
}

void Form1::mnuHeadT_Click()
{
    Text1->setSelText(html::kHeadTag);
}

void Form1::mnuTitleT_Click()
{
    Text1->setSelText(html::kTitleTag);
}

void Form1::mnuBodyT_Click()
{
    Text1->setSelText(html::kBodyTag);
}

void Form1::mnuAllT_Click()
{
    Text1->setSelText(html::kSkeleton);
}

void Form1::mnuBrT_Click()
{
    Text1->setSelText(html::kBrTag);
}

void Form1::mnuImageT_Click()
{
    Text1->setSelText(html::kImageTag);
}

void Form1::mnuRinkT_Click()
{
    Text1->setSelText(html::kLinkTag);
}

void Form1::mnuFontT_Click()
{
    Text1->setSelText(html::kFontTag);
}

void Form1::mnuHutoT_Click()
{
    Text1->setSelText(html::kBoldTag);
}

void Form1::mnuItaT_Click()
{
    Text1->setSelText(html::kItalicTag);
}

void Form1::mnuUnderT_Click()
{
    Text1->setSelText(html::kUnderlineTag);
}

void Form1::mnuSenT_Click()
{
    Text1->setSelText(html::kRuleTag);
}
