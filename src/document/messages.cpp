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

namespace {

qsizetype lineOf(const QString &text, qsizetype offset)
{
    return QStringView(text).left(offset).count(QStringLiteral("\r\n")) + 1;
}

} // namespace

QString unrepresentable(const QString &text, qsizetype firstOffset, const QString &encoding)
{
    const bool pair = text.at(firstOffset).isHighSurrogate() && firstOffset + 1 < text.size();
    const QString character = text.mid(firstOffset, pair ? 2 : 1);
    return QStringLiteral("%1で保存できない文字（%2行目の「%3」など）が含まれています。\r\n"
                          "これらの文字を「?」に置き換えて保存しますか？\r\n"
                          "「いいえ」を選ぶと保存せず、ファイルは変わりません。")
        .arg(encoding)
        .arg(lineOf(text, firstOffset))
        .arg(character);
}
QString keptBytesCannotBeWritten(const QString &text, qsizetype firstOffset,
                                 const QString &encoding)
{
    return QStringLiteral("%1行目などに、元のファイルで読めなかったバイト（「\uFFFD」と表示）"
                          "があります。\r\n"
                          "これらのバイトは%2では元のまま書けません。"
                          "「?」（UTF の形式では「\uFFFD」）に置き換えて保存しますか？\r\n"
                          "「いいえ」を選ぶと保存せず、ファイルは変わりません。")
        .arg(lineOf(text, firstOffset))
        .arg(encoding);
}

QString readsOtherwise(const QString &text, qsizetype firstOffset)
{
    return QStringLiteral("%1行目は、保存したファイルを開き直すと、いま表示されている内容とは"
                          "違って読まれます（読めなかったバイトが前後の文字と結び付くなど）。\r\n"
                          "このまま保存しますか？\r\n"
                          "「いいえ」を選ぶと保存せず、ファイルは変わりません。")
        .arg(lineOf(text, firstOffset));
}

QString foreignKeptBytes(const QString &encoding, int count)
{
    return QStringLiteral("挿入するファイルには%1として読めないバイトが%2個あります。\r\n"
                          "これらはこの文書の文字コードでは意味を持たないため、"
                          "「\uFFFD」に置き換えて挿入します。よろしいですか？")
        .arg(encoding)
        .arg(count);
}

QString undecodableBytes(const QString &encoding, int count, const QString &text,
                         qsizetype firstOffset)
{
    return QStringLiteral(
               "このファイルには%1として読めないバイトが%2個あります（%3行目など）。\r\n"
               "それらは「\uFFFD」と表示され、保存するときは元のバイトのまま書き戻されます。")
        .arg(encoding)
        .arg(count)
        .arg(lineOf(text, firstOffset));
}

QString binaryFile(const QString &path)
{
    return QStringLiteral("「") + path +
           QStringLiteral("」はテキストファイルではないようです（NUL文字を含んでいます）。\r\n"
                          "開きますか？");
}

QString formLabel(const QString &encoding, bool byteOrderMark, const QString &lineEnds)
{
    // Two spaces apart rather than an ideographic space: the label is drawn in the
    // desktop's face, which often lacks it, and looking for a face that has it costs the
    // first frame a search through every installed face.
    return encoding + (byteOrderMark ? QStringLiteral(" (BOM付き)") : QString()) +
           QStringLiteral("  ") + lineEnds;
}

} // namespace messages
