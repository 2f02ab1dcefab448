// Any bytes through code page 932: decoding never fails, and a decoded text encodes to
// bytes that decode to it again (a character with two codes may come back in the other
// code); every character the encoder takes has the code ansiCode gives it.
#include "fuzzinput.h"
#include "platform/codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = platform::fromAnsi(bytes);
    if (!text.contains(QChar(0xFFFD))) {
        qsizetype first = -1;
        const QByteArray encoded = platform::encodeAnsi(text, &first);
        if (first < 0)
            CHECK(platform::fromAnsi(encoded) == text);
    }
    // Each character's own code, for the first characters (one encoder call each).
    for (QChar c : QStringView(text).left(512)) {
        const int code = platform::ansiCode(c.unicode());
        if (code < 0 || c.unicode() == platform::kYen || c.unicode() == platform::kOverline)
            continue;
        QByteArray expected;
        if (code > 0xFF)
            expected.append(char(code >> 8));
        expected.append(char(code & 0xFF));
        qsizetype first = -1;
        CHECK(platform::encodeAnsi(QString(c), &first) == expected && first < 0);
    }
    return 0;
}
