// Each value goes straight into the control that holds it during a run, and is read
// back from that control when saved; every key is its own profile call.
#include "settings/module1.h"

#include "app/caption.h"
#include "app/form1.h"
#include "app/textarea.h"
#include "app/twips.h"
#include "platform/colors.h"
#include "platform/fontnames.h"
#include "platform/fontsizes.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/topmost.h"
#include "settings/form4.h"
#include "settings/form7.h"
#include "settings/valueforms.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

using platform::GetPrivateProfileInt;
using platform::GetPrivateProfileString;
using platform::WritePrivateProfileString;

namespace Module1 {
namespace {

// One 256-byte buffer per load: a value arrives cut to its first 255 bytes.
constexpr int kTextBufferSize = 256;
const QString kFont = QStringLiteral("Font");
const QString kText = QStringLiteral("Text");
const QString kOption = QStringLiteral("Option");

QString readText(const QString &section, const QString &key, const QString &fallback)
{
    return GetPrivateProfileString(section, key, fallback, kTextBufferSize, confPath());
}

void loadFont(Form1 &form)
{
    TextArea &text = *form.Text1;
    const QString path = confPath();
    const double size = valueforms::toFontSize(readText(kFont, QStringLiteral("Fsize"), QString()),
                                               fontsizes::kDefaultSize);
    const bool bold = valueforms::toBool(readText(kFont, QStringLiteral("Fbold"), QString()));
    const bool italic = valueforms::toBool(readText(kFont, QStringLiteral("Fitalic"), QString()));
    // fontconfig is asked for the Japanese fixed face only when none is stored. A line
    // break cannot stand in a stored value, so it tells an absent key from any other.
    const QString absent = QStringLiteral("\n");
    QString name = readText(kFont, QStringLiteral("FName"), absent);
    if (name == absent)
        name = platform::japaneseFixedFamily();
    text.setFontFace(name, size, bold, italic);
    text.setBackColor(GetPrivateProfileInt(kFont, QStringLiteral("bgcolor"),
                                           platform::kSystemWindowBackground, path));
    text.setForeColor(GetPrivateProfileInt(kFont, QStringLiteral("textcolor"),
                                           platform::kSystemWindowText, path));
}

void saveFont(Form1 &form)
{
    const TextArea &text = *form.Text1;
    const QString path = confPath();
    WritePrivateProfileString(kFont, QStringLiteral("Fsize"),
                              valueforms::fromNumber(text.fontSize()), path);
    WritePrivateProfileString(kFont, QStringLiteral("Fbold"), valueforms::fromBool(text.fontBold()),
                              path);
    WritePrivateProfileString(kFont, QStringLiteral("Fitalic"),
                              valueforms::fromBool(text.fontItalic()), path);
    WritePrivateProfileString(kFont, QStringLiteral("FName"), text.fontName(), path);
    WritePrivateProfileString(kFont, QStringLiteral("bgcolor"), QString::number(text.backColor()),
                              path);
    WritePrivateProfileString(kFont, QStringLiteral("textcolor"), QString::number(text.foreColor()),
                              path);
}

QString registeredKey(int n)
{
    return u't' + QString::number(n);
}

void loadRegistered(Form1 &form)
{
    for (int n = 1; n <= kRegisteredTexts; ++n) {
        const QString value = readText(kText, registeredKey(n), QString());
        form.setRegisteredCaption(n, value);
        if (Form4 *dialog = form.madeForm4())
            dialog->textBox(n)->setText(value);
    }
}

void saveRegistered(Form1 &form)
{
    for (int n = 1; n <= kRegisteredTexts; ++n) {
        const QString value = form.form4()->textBox(n)->text();
        WritePrivateProfileString(kText, registeredKey(n), value, confPath());
        form.setRegisteredCaption(n, value);
    }
}

void loadOptions(Form1 &form)
{
    const QString title =
        readText(kOption, QStringLiteral("FileName"), caption::kUntitled.toString());
    form.form7()->Text1->setText(title);
    form.CommonDialog1.FileName = title;
    const QString path = confPath();
    form.form7()->Check1->setChecked(
        valueforms::toCheckValue(GetPrivateProfileInt(kOption, QStringLiteral("Check1"), 0, path)));
    form.form7()->Check2->setChecked(
        valueforms::toCheckValue(GetPrivateProfileInt(kOption, QStringLiteral("Check2"), 0, path)));
}

void saveOptions(Form1 &form)
{
    const QString path = confPath();
    Form7 &options = *form.form7();
    WritePrivateProfileString(kOption, QStringLiteral("FileName"), options.Text1->text(), path);
    WritePrivateProfileString(kOption, QStringLiteral("Check1"),
                              QString::number(options.Check1->isChecked() ? 1 : 0), path);
    WritePrivateProfileString(kOption, QStringLiteral("Check2"),
                              QString::number(options.Check2->isChecked() ? 1 : 0), path);
}

QList<QRect> screenAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

void loadWindow(Form1 &form)
{
    const QString path = confPath();
    const int x = GetPrivateProfileInt(kOption, QStringLiteral("WindowX"), 0, path);
    const int y = GetPrivateProfileInt(kOption, QStringLiteral("WindowY"), 0, path);
    const int w = GetPrivateProfileInt(kOption, QStringLiteral("WindowW"), 0, path);
    const int h = GetPrivateProfileInt(kOption, QStringLiteral("WindowH"), 0, path);
    const QRect stored(twips::toPixelsX(&form, x), twips::toPixelsY(&form, y),
                       twips::toPixelsX(&form, w), twips::toPixelsY(&form, h));
    // A stored size smaller than this is no usable window (a damaged or foreign value).
    const QSize smallestUsable(240, 160);
    form.setFrameGeometry(valueforms::usableFrame(stored, screenAreas(), smallestUsable));
}

void saveWindow(Form1 &form)
{
    const QString path = confPath();
    const QRect frame = form.frameGeometry();
    WritePrivateProfileString(kOption, QStringLiteral("WindowX"),
                              QString::number(twips::fromPixelsX(&form, frame.x())), path);
    WritePrivateProfileString(kOption, QStringLiteral("WindowY"),
                              QString::number(twips::fromPixelsY(&form, frame.y())), path);
    WritePrivateProfileString(kOption, QStringLiteral("WindowW"),
                              QString::number(twips::fromPixelsX(&form, frame.width())), path);
    WritePrivateProfileString(kOption, QStringLiteral("WindowH"),
                              QString::number(twips::fromPixelsY(&form, frame.height())), path);
}

} // namespace

void SetTopMost(QWidget &window, qint16 flag)
{
    platform::setTopMost(&window, flag != 0);
}

QString confPath()
{
    return platform::pathIn(platform::dataDir(), platform::kSettingsFileName.toString());
}

void LoadSettings(Form1 &form, qint16 group)
{
    switch (group) {
    case FontGroup:
        loadFont(form);
        break;
    case RegisteredGroup:
        loadRegistered(form);
        break;
    case OptionGroup:
        loadOptions(form);
        break;
    case WindowGroup:
        loadWindow(form);
        break;
    default:
        break;
    }
}

void SaveSettings(Form1 &form, qint16 group)
{
    switch (group) {
    case FontGroup:
        saveFont(form);
        break;
    case RegisteredGroup:
        saveRegistered(form);
        break;
    case OptionGroup:
        saveOptions(form);
        break;
    case WindowGroup:
        saveWindow(form);
        break;
    default:
        break;
    }
}

} // namespace Module1
