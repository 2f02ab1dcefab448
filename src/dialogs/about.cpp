// The project's own texts for the About dialog; the notice follows the MIT licence in
// LICENSE.
#include "dialogs/about.h"

namespace about {

QString contactBlock()
{
    return QStringLiteral("作者：Vellit 開発チーム\r\n"
                          "ウェブ：") +
           kWebAddress + QStringLiteral("\r\nメール：") + kMailAddress +
           QStringLiteral("\r\n不具合の報告やご意見は、上記のアドレスまでお寄せください。");
}

QString notice()
{
    return QStringLiteral("このソフトウェアは MIT ライセンスで配布されています。著作権表示と"
                          "\r\n許諾表示を残す限り、無償で使用・複製・改変・再配布できます。"
                          "\r\n無保証です。詳しくは同梱の LICENSE（copyright）をご覧ください。");
}

QString addresses()
{
    return kWebAddress + QStringLiteral("\r\n") + kMailAddress;
}

} // namespace about
