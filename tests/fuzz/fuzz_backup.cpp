// Any bytes as a backup file: reading never fails, and the backup of what it gave back
// gives the same text (with its one more CR LF) and form again.
#include "document/backupformat.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const backupformat::Recovery first = backupformat::read(bytes);
    const backupformat::Recovery second =
        backupformat::read(backupformat::write(first.text, first.form));
    CHECK(second.text == first.text + QStringLiteral("\r\n"));
    CHECK(second.form.encoding == first.form.encoding);
    CHECK(second.form.byteOrderMark == first.form.byteOrderMark);
    CHECK(second.form.lineEnds == first.form.lineEnds);
    return 0;
}
