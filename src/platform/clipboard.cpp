// Qt's clipboard (on X11 the CLIPBOARD selection).
#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {

QString clipboardToEditor(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 32);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' && (i == 0 || text.at(i - 1) != u'\r'))
            out.append(u'\r');
        out.append(c);
    }
    return out;
}

QString editorToClipboard(const QString &text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

QString getClipboardText()
{
    return clipboardToEditor(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
}

void setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(editorToClipboard(text), QClipboard::Clipboard);
}

} // namespace platform
