// Message texts of the document procedures.
#include "document/messages.h"

#include <QStringList>

namespace messages {

QString fileTooLarge()
{
    return QStringLiteral("ファイルサイズが大き過ぎます");
}

QString dangerousExtension(const QString &path)
{
    static const QStringList kDangerous = {".EXE", ".DLL", ".SYS", ".OCX"};
    if (!kDangerous.contains(path.right(4).toUpper()))
        return QString();
    return QStringLiteral("拡張子が\"") + path.right(3) +
           QStringLiteral(
               "\"の物を開こうとしています。\r\n"
               "これらを無理に編集して保存するとプログラムが正常に動かなくなる場合があります。");
}

QString savePrompt(const QString &documentPath)
{
    return QStringLiteral("ファイル\u3000") + documentPath +
           QStringLiteral("\u3000の内容が変更されています\r\n変更を保存しますか？");
}

QString writeFailed(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイル「") + path + QStringLiteral("」を保存できませんでした。\r\n") +
           reason;
}

QString unrepresentable(const QString &text, qsizetype firstOffset)
{
    const qsizetype line = text.left(firstOffset).count(QStringLiteral("\r\n")) + 1;
    const bool pair = text.at(firstOffset).isHighSurrogate() && firstOffset + 1 < text.size();
    const QString character = text.mid(firstOffset, pair ? 2 : 1);
    return QStringLiteral("Shift-JISで保存できない文字（%1行目の「%2」など）が含まれています。\r\n"
                          "これらの文字を「?」に置き換えて保存しますか？")
        .arg(line)
        .arg(character);
}

QString browserFailed(const QString &address)
{
    return QStringLiteral("ブラウザを起動できませんでした。\r\n") + address;
}

QString backupFailed(const QString &path, const QString &reason)
{
    return QStringLiteral("バックアップファイル「") + path +
           QStringLiteral("」に書き込めません。\r\n") + reason +
           QStringLiteral("\r\n編集は続けられますが、異常終了したときに内容を復元できません。");
}

} // namespace messages
