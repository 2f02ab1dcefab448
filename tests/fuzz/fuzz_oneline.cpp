// Any paste into a one-line box: of the pasted run only what comes before its first
// line break is kept, wherever it went and whatever it replaced, and the cursor stands
// just after what was kept.
#include "app/onelineedit.h"
#include "fuzzinput.h"

namespace {

QString firstLine(const QString &run)
{
    qsizetype i = 0;
    while (i < run.size() && run.at(i) != u'\r' && run.at(i) != u'\n')
        ++i;
    return run.left(i);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const QString alphabet = QStringLiteral("ab\r\nあ𐀀");
    const QString before = firstLine(in.from(alphabet, 12)) + in.from(QStringLiteral("xyz"), 4);
    const int from = in.below(int(before.size()) + 1);
    const int to = from + in.below(int(before.size()) - from + 1);
    const QString run = in.byte() % 2 ? in.from(alphabet, 12) : in.units(12);
    const QString after = before.left(from) + run + before.mid(to);
    const oneline::Edit edit = oneline::keepFirstLine(before, after, from + int(run.size()));
    const QString kept = firstLine(run);
    CHECK(edit.text == before.left(from) + kept + before.mid(to));
    CHECK(edit.cursor == from + kept.size());
    return 0;
}
