// Any bytes in any encoding. Reading never fails. Saved unchanged, a file is written back
// as the very bytes it was read from (a Shift-JIS file as the same text: its files always
// end with one CR LF). The writer on its own, without the bytes the lines were read
// from, and after an edit at any offset (after a kept byte, at a line's start or end,
// inside an ISO-2022-JP shift) or a Save As into any encoding, gives bytes that read back
// as the text, or says why not. An edit leaves the bytes of the lines before it alone.
// The backup gives the text back whole, with the form's encoding.
#include "document/backupformat.h"
#include "document/documentformat.h"
#include "fuzzinput.h"
#include "platform/codepage.h"

namespace {

using documentformat::Form;
using documentformat::Trouble;
using platform::Charset;

// What was written reads back as the text, unless the writer said it would not.
void checkReadsBack(const QString &text, const Form &form)
{
    documentformat::WriteCheck check;
    const QByteArray written = documentformat::write(text, form, &check);
    // Code page 932 gives back the Windows form of a character it shares bytes with.
    if (check.trouble == Trouble::None)
        CHECK_SAME(documentformat::read(written, form.encoding).text,
                   form.encoding == Charset::ShiftJis ? platform::storedForms(text) : text);
    else
        CHECK(check.offset >= 0 && check.offset <= text.size());
}

// How many of the file's bytes come before line number `line`: the byte-order mark and
// the lines before it with their line ends.
qsizetype bytesBeforeLine(const QByteArray &bytes, const Form &form, qsizetype line)
{
    qsizetype all = 0;
    for (const documentformat::ReadLine &l : form.lines)
        all += l.bytes.size() + l.end.size();
    qsizetype before = bytes.size() - all;
    for (qsizetype i = 0; i < line; ++i)
        before += form.lines.at(i).bytes.size() + form.lines.at(i).end.size();
    return before;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    FuzzInput input(data, 3);
    const int choice = input.below(int(std::size(platform::kCharsets)) + 1);
    const int editChoice = input.byte();
    const int targetChoice = input.below(int(std::size(platform::kCharsets)));
    const QByteArray bytes(reinterpret_cast<const char *>(data + 3), qsizetype(size - 3));
    const documentformat::Reading reading =
        choice == int(std::size(platform::kCharsets))
            ? documentformat::read(bytes)
            : documentformat::read(bytes, platform::kCharsets[choice]);
    const Form &form = reading.form;
    const QString &text = reading.text;

    documentformat::WriteCheck check;
    const QByteArray written = documentformat::write(text, form, &check);
    CHECK(check.trouble == Trouble::None);
    CHECK_SAME(documentformat::read(written, form.encoding).text, text);
    if (form.encoding != Charset::ShiftJis)
        CHECK(written == bytes);

    // The writer without the read bytes.
    Form fresh = form;
    fresh.lines.clear();
    checkReadsBack(text, fresh);

    // One edit at a chosen offset: a character typed, a line break, or one deleted.
    if (!text.isEmpty() || editChoice % 4 != 3) {
        const qsizetype at = text.isEmpty() ? 0 : (editChoice * 7919) % (text.size() + 1);
        QString edited = text;
        switch (editChoice % 4) {
        case 0:
            edited.insert(at, QStringLiteral("x"));
            break;
        case 1:
            edited.insert(at, QStringLiteral("あ"));
            break;
        case 2:
            edited.insert(at, QStringLiteral("\r\n"));
            break;
        default:
            edited.remove(qMin(at, text.size() - 1), 1);
            break;
        }
        checkReadsBack(edited, form);
        // The lines before the edited one keep their bytes (in ISO-2022-JP a line may
        // lean on the shift state of the line after it; a Shift-JIS file's lone CR
        // becomes CR LF).
        const qsizetype line = QStringView(text).left(qMin(at, text.size() - 1)).count(u"\r\n");
        const bool newMark = !form.byteOrderMark && edited.startsWith(QChar(0xFEFF));
        if (form.encoding != Charset::ShiftJis && !platform::isStateful(form.encoding) &&
            !newMark) {
            const qsizetype head = bytesBeforeLine(bytes, form, line);
            CHECK(documentformat::write(edited, form).left(head) == bytes.left(head));
        }
    }

    // Save As into any encoding.
    checkReadsBack(text, documentformat::convertedForm(form, platform::kCharsets[targetChoice]));

    const backupformat::Recovery recovered = backupformat::read(backupformat::write(text, form));
    CHECK(recovered.text == text + QStringLiteral("\r\n"));
    CHECK(recovered.form.encoding == form.encoding);
    return 0;
}
