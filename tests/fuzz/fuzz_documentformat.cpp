// Any bytes in any encoding: reading never fails, and writing what was read gives the
// same text back; where the file's line ends are consistent and the encoding is not
// Shift-JIS (whose files always gain one final CR LF), the very same bytes. An edited
// text reads back as edited. The backup of the text gives it back whole, with the form's
// encoding.
#include "document/backupformat.h"
#include "document/documentformat.h"
#include "fuzzinput.h"

namespace {

using documentformat::LineEnds;
using platform::Charset;

bool hasLoneCr(const QString &decodedWithBreaks)
{
    for (qsizetype i = 0; i < decodedWithBreaks.size(); ++i) {
        if (decodedWithBreaks.at(i) == u'\r' &&
            (i + 1 == decodedWithBreaks.size() || decodedWithBreaks.at(i + 1) != u'\n'))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const auto choice = data[0] % (std::size(platform::kCharsets) + 1);
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const documentformat::Reading reading =
        choice == std::size(platform::kCharsets)
            ? documentformat::read(bytes)
            : documentformat::read(bytes, platform::kCharsets[choice]);
    const documentformat::Form &form = reading.form;
    const QByteArray written = documentformat::write(reading.text, form);
    CHECK(documentformat::read(written, form.encoding).text == reading.text);
    const bool consistent =
        form.lineEnds != LineEnds::CrLf || !hasLoneCr(platform::decode(bytes, form.encoding));
    if (form.encoding != Charset::ShiftJis && consistent)
        CHECK(written == bytes);

    // An edit reads back as made. Where a kept byte can pair with what follows it once
    // the edited line is encoded afresh, it may read back otherwise: in ISO-2022-JP (the
    // shift state around it decides, for an ESC too), and in the encodings whose tables
    // may write a character with another code than it was read with (code page 932's two
    // codes, the JIS X 0213 combining sequences). UTF-8, UTF-16 and EUC-JP give every
    // character back its own bytes.
    const bool exactEncoder = form.encoding == Charset::Utf8 || form.encoding == Charset::EucJp ||
                              platform::unitSize(form.encoding) == 2;
    const bool shiftDependent =
        (!exactEncoder && documentformat::hasByteEscapes(reading.text)) ||
        (form.encoding == Charset::Iso2022Jp && reading.text.contains(QChar(0x1B)));
    if (!shiftDependent) {
        const QString edited = QStringLiteral("x") + reading.text;
        qsizetype unrepresentable = -1;
        const QByteArray saved = documentformat::write(edited, form, &unrepresentable);
        CHECK(unrepresentable >= 0 || documentformat::read(saved, form.encoding).text == edited);
    }

    const backupformat::Recovery recovered =
        backupformat::read(backupformat::write(reading.text, form));
    CHECK(recovered.text == reading.text + QStringLiteral("\r\n"));
    CHECK(recovered.form.encoding == form.encoding);
    return 0;
}
