// Every text the program writes, in every form it writes (each encoding, with and
// without a byte-order mark, CR LF, LF and CR line ends), is recognised again without
// the file's recorded encoding: it reads back as the same text, and where the text says
// which encoding it is in (some Japanese words), as the same encoding, or one that
// writes those characters with the same bytes (Shift_JIS-2004 for Shift_JIS, eucJP-ms
// and EUC-JIS-2004 for EUC-JP, ISO-2022-JP-2004 for ISO-2022-JP); a text in an 8-bit
// Japanese encoding says so with a kana among its letters. A UTF-16 file without
// a byte-order mark is only determinable by its line breaks, so it is tried with one.
// The texts are made of words from ordinary Japanese and English writing.
#include "document/charsetguess.h"
#include "document/documentformat.h"
#include "fuzzinput.h"

#include <QStringList>

#include <algorithm>

namespace {

using documentformat::Form;
using documentformat::LineEnds;
using platform::Charset;

const QStringList kJapaneseWords = {
    QStringLiteral("日本語"), QStringLiteral("これは"),       QStringLiteral("テスト"),
    QStringLiteral("です"),   QStringLiteral("ファイル"),     QStringLiteral("を"),
    QStringLiteral("保存"),   QStringLiteral("しました"),     QStringLiteral("東京都"),
    QStringLiteral("漢字"),   QStringLiteral("カタカナ"),     QStringLiteral("ひらがな"),
    QStringLiteral("の"),     QStringLiteral("設定"),         QStringLiteral("文字コード"),
    QStringLiteral("変換"),   QStringLiteral("辞書"),         QStringLiteral("（注）"),
    QStringLiteral("第一章"), QStringLiteral("コンピュータ"), QStringLiteral("円"),
    QStringLiteral("年月日"),
};

// Marks that never make a text Japanese on their own.
const QStringList kJapaneseMarks = {
    QStringLiteral("、"), QStringLiteral("。"), QStringLiteral("「"), QStringLiteral("」"),
    QStringLiteral("ー"), QStringLiteral("々"), QStringLiteral("・"), QStringLiteral("　"),
};

const QStringList kOtherWords = {
    QStringLiteral(" "),      QStringLiteral("\r\n"), QStringLiteral("Hello"),
    QStringLiteral("2024"),   QStringLiteral("-"),    QStringLiteral(":"),
    QStringLiteral("(c)"),    QStringLiteral("\t"),   QStringLiteral("README"),
    QStringLiteral("x = 1;"), QStringLiteral("\""),   QStringLiteral("/"),
};

// Encodings that write every character of these texts with the same bytes.
int family(Charset charset)
{
    switch (charset) {
    case Charset::ShiftJis:
    case Charset::ShiftJis2004:
        return 0;
    case Charset::EucJp:
    case Charset::EucJpMs:
    case Charset::EucJis2004:
        return 1;
    case Charset::Iso2022Jp:
    case Charset::Iso2022Jp2004:
        return 2;
    default:
        return 3 + int(charset);
    }
}

// Texts with fewer Japanese letters than this may read as well in another encoding
// (「 in EUC-JP is ｡ﾖ in Shift-JIS); which way they go is told in the manual.
constexpr int kDeterminingLetters = 4;

bool isKana(QChar c)
{
    return c.unicode() >= 0x3041 && c.unicode() <= 0x30FA;
}

// Whether the text says which encoding it is in. Kanji alone in EUC-JP whose bytes all
// lie in A1-DF read as well as Shift-JIS half-width katakana (保存 is ﾊﾝﾂｸ): a kana
// decides, as the kana rows of EUC-JP read as half-width punctuation in Shift-JIS.
bool determinable(const QString &text, Charset charset, int japaneseLetters)
{
    if (japaneseLetters < kDeterminingLetters)
        return false;
    const bool eightBitJapanese = platform::unitSize(charset) == 1 && charset != Charset::Utf8 &&
                                  !platform::isStateful(charset);
    return !eightBitJapanese || std::any_of(text.begin(), text.end(), isKana);
}

void checkRecognised(const QString &text, const Form &form, int japaneseLetters)
{
    documentformat::WriteCheck check;
    const QByteArray written = documentformat::write(text, form, &check);
    CHECK(check.trouble == documentformat::Trouble::None);
    const Charset recognised = charsetguess::recognise(written);
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    const bool decided = determinable(text, form.encoding, japaneseLetters);
    if (!decided && !ascii)
        return;
    if (decided && family(recognised) != family(form.encoding)) {
        std::fprintf(stderr, "written as %s, recognised as %s\n",
                     qPrintable(platform::charsetName(form.encoding)),
                     qPrintable(platform::charsetName(recognised)));
        CHECK(false);
    }
    CHECK_SAME(documentformat::read(written, recognised).text, text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    QString text;
    int japaneseLetters = 0;
    while (!input.empty() && text.size() < 2000) {
        const int pick = input.byte();
        if (pick % 4 == 0) {
            text += kOtherWords.at(pick / 4 % kOtherWords.size());
        } else if (pick % 4 == 1) {
            text += kJapaneseMarks.at(pick / 4 % kJapaneseMarks.size());
        } else {
            const QString &word = kJapaneseWords.at(pick % kJapaneseWords.size());
            text += word;
            japaneseLetters += int(word.size());
        }
    }
    const bool hasLineBreak = text.contains(QStringLiteral("\r\n"));
    for (const Charset charset : platform::kCharsets) {
        for (const LineEnds lineEnds : {LineEnds::CrLf, LineEnds::Lf, LineEnds::Cr}) {
            if (charset == Charset::ShiftJis && lineEnds == LineEnds::Cr)
                continue; // Shift-JIS files always break lines with CR LF
            Form form;
            form.lineEnds = lineEnds;
            form = documentformat::convertedForm(form, charset);
            checkRecognised(text, form, japaneseLetters);
            const bool bomOptional = charset == Charset::Utf8 || platform::unitSize(charset) == 2;
            if (bomOptional && (charset == Charset::Utf8 || hasLineBreak)) {
                form.byteOrderMark = !form.byteOrderMark;
                checkRecognised(text, form, japaneseLetters);
            }
        }
    }
    return 0;
}
