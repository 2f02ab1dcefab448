// Any Conf.ini bytes: reading never fails or hangs; a value written reads back as
// written, and every other key of every section reads as before.
#include "fuzzinput.h"
#include "platform/codepage.h"
#include "platform/inifile.h"

#include <QSet>

using platform::ini::IniFile;

namespace {

// Section and key names as the file holds them: after "[" and before "="; a few of each,
// so that a run stays quick on a large file.
void namesIn(const QByteArray &file, QStringList &sections, QStringList &keys)
{
    constexpr qsizetype kMost = 8;
    for (const QByteArray &line : file.split('\n')) {
        if (sections.size() > kMost && keys.size() > kMost)
            return;
        const QString text = platform::fromAnsi(line).trimmed();
        if (text.startsWith(u'[') && text.contains(u']')) {
            if (sections.size() <= kMost)
                sections.append(text.mid(1, text.indexOf(u']') - 1));
        } else if (text.contains(u'=') && keys.size() <= kMost) {
            keys.append(text.left(text.indexOf(u'=')));
        }
    }
}

// A name or value the file can hold as it is: Shift-JIS characters other than ¥ and ‾
// (stored as \ and ~), no line break, no blank at either end, no enclosing quotes, and
// for names no "]" or "=".
QString storable(const QString &text, bool isName)
{
    QString out;
    for (QChar c : text) {
        if (c == u'\r' || c == u'\n' || c.unicode() == 0 || c == u'"' ||
            c.unicode() == platform::kYen || c.unicode() == platform::kOverline ||
            platform::ansiCode(c.unicode()) < 0 ||
            (isName && (c == u']' || c == u'=' || c == u';' || c == u'[')))
            continue;
        out.append(c);
    }
    while (!out.isEmpty() && (out.front().isSpace() || out.front() == u'\v'))
        out.remove(0, 1);
    while (!out.isEmpty() && (out.back().isSpace() || out.back() == u'\v'))
        out.chop(1);
    return out;
}

const QString kAlphabet = QStringLiteral("aBz 09=[];\"\t日本語ソ表ｱ¥");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const QString section = storable(in.from(kAlphabet, 8), true);
    const QString key = storable(in.from(kAlphabet, 8), true);
    const QString value = storable(in.from(kAlphabet, 12), false);
    const QByteArray file = in.rest();

    const IniFile before(file);
    QStringList sections = {section, QStringLiteral("Font"), QStringLiteral("Text")};
    QStringList keys = {key, QStringLiteral("Fsize"), QStringLiteral("Text1")};
    namesIn(file, sections, keys);
    if (section.isEmpty() || key.isEmpty())
        return 0;

    const IniFile after(before.withValue(section, key, value));
    CHECK(after.value(section, key) == value);
    for (const QString &s : std::as_const(sections)) {
        for (const QString &k : std::as_const(keys)) {
            const bool same = s.trimmed().compare(section, Qt::CaseInsensitive) == 0 &&
                              k.trimmed().compare(key, Qt::CaseInsensitive) == 0;
            if (!same && !s.contains(QChar(0)) && !k.contains(QChar(0)))
                CHECK(after.value(s, k) == before.value(s, k));
        }
    }
    return 0;
}
