// Font, colours and always-on-top: the font and colour dialogs of the common dialog,
// saved at once as the font group; the topmost band, never saved.
#include "app/form1.h"
#include "app/textarea.h"
#include "platform/displayserver.h"
#include "platform/messagebox.h"
#include "settings/module1.h"

#include <QAction>

namespace {

// No effects (underline, colour) are offered.
constexpr int kFontFlags = platform::kScreenFontsFlag | platform::kPrinterFontsFlag;
constexpr int kColorFlags = platform::kPresetColorFlag | platform::kNoCustomColorsFlag;

// 常に手前に表示 under a display server that does not allow it (Wayland).
QString topMostUnavailable()
{
    return QStringLiteral("Wayland の画面では、ウィンドウを常に手前に表示できません。\r\n"
                          "XWayland のある環境では、Vellit は X11 で動いてこの機能を使えます。");
}

} // namespace

void Form1::mnuFont_Click()
{
    CommonDialog1.CancelError = true;
    CommonDialog1.Flags = kFontFlags;
    CommonDialog1.FontName = Text1->fontName();
    CommonDialog1.FontSize = Text1->fontSize();
    CommonDialog1.FontBold = Text1->fontBold();
    CommonDialog1.FontItalic = Text1->fontItalic();
    try {
        CommonDialog1.ShowFont();
    } catch (const platform::CancelError &) {
        return;
    }
    Text1->setFontFace(CommonDialog1.FontName, CommonDialog1.FontSize, CommonDialog1.FontBold,
                       CommonDialog1.FontItalic);
    Module1::SaveSettings(*this, Module1::FontGroup);
}

void Form1::chooseColor(int (TextArea::*get)() const, void (TextArea::*set)(int))
{
    CommonDialog1.CancelError = true;
    CommonDialog1.Flags = kColorFlags;
    CommonDialog1.Color = (Text1->*get)();
    try {
        CommonDialog1.ShowColor();
    } catch (const platform::CancelError &) {
        return;
    }
    (Text1->*set)(CommonDialog1.Color);
    Module1::SaveSettings(*this, Module1::FontGroup);
}

void Form1::mnuFontcolor_Click()
{
    chooseColor(&TextArea::foreColor, &TextArea::setForeColor);
}

void Form1::mnuBackcolor_Click()
{
    chooseColor(&TextArea::backColor, &TextArea::setBackColor);
}

void Form1::mnuShowM_Click()
{
    // Wayland lets no window keep itself above the others: said, and the marks stay.
    if (!platform::canKeepOnTop()) {
        platform::MsgBox(this, topMostUnavailable(), platform::Buttons::Ok,
                         platform::Icon::Exclamation);
        return;
    }
    QAction *main = item(QStringLiteral("mnuShowM"));
    QAction *popup = item(QStringLiteral("mnupopShowM"));
    main->setChecked(!main->isChecked());
    popup->setChecked(!popup->isChecked());
    Module1::SetTopMost(*this, main->isChecked() ? 1 : 0);
}
