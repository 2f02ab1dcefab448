// Message texts about the recovery files.
#include "app/recoverymessages.h"

namespace messages {

QString backupUnlocked(const QString &path)
{
    return QStringLiteral("復元用の控えをほかのウィンドウと区別できないため、このウィンドウの"
                          "編集中の内容は専用のファイル「") +
           path +
           QStringLiteral("」に控えます。\r\n異常終了したときは、次に Vellit を起動したときに"
                          "復元を尋ねます。");
}

QString leftoverKept(const QString &source, const QString &own)
{
    return QStringLiteral("復元した内容を控えのファイル「") + own +
           QStringLiteral("」に書き込めなかったため、元のファイル「") + source +
           QStringLiteral("」を残しました。\r\n次に起動したときにもう一度復元を尋ねます。");
}

QString backupFailed(const QString &path, const QString &reason)
{
    return QStringLiteral("バックアップファイル「") + path +
           QStringLiteral("」に書き込めません。\r\n") + reason +
           QStringLiteral("\r\n編集は続けられますが、異常終了したときに内容を復元できません。");
}

QString moreToRecover(int count)
{
    return QStringLiteral(
               "\r\n\r\nほかにも、正常に終了しなかったウィンドウの内容が%1件残っています。"
               "Vellit を起動するたびに一件ずつ復元を尋ねます。")
        .arg(count);
}

QString backupUnusable(const QString &unusablePath, const QString &usedPath)
{
    return QStringLiteral("「") + unusablePath +
           QStringLiteral("」は復元用の控えとして使えません。\r\n編集中の内容は「") + usedPath +
           QStringLiteral("」に控えます。");
}

} // namespace messages
