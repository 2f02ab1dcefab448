// The private-profile (INI) rules over a file's bytes, without touching the disk.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace platform::ini {

/// A file's bytes with its sections found once; values are looked up in the bytes
/// without making a copy of each line, so the memory stays near the file's size.
class IniFile
{
public:
    explicit IniFile(QByteArray bytes = QByteArray());

    /// The value of key in section as the profile functions return it (blanks around it
    /// dropped, one pair of enclosing quotes removed); nullopt when the key is missing.
    /// Names are matched ignoring case and surrounding blanks; the first of duplicate
    /// sections and keys wins.
    std::optional<QString> value(const QString &section, const QString &key) const;

    /// The file with key set to value: an existing key line rewritten in place, a new key
    /// after the last key line of its section, a new section at the end. Every line
    /// written ends in CR LF; other lines are kept byte for byte. A line break inside a
    /// name or the value ends what is written of it.
    QByteArray withValue(const QString &section, const QString &key, const QString &value) const;

    const QByteArray &bytes() const { return m_bytes; }

    struct Span
    {
        qsizetype begin = 0;
        qsizetype end = 0;
    };
    struct Section
    {
        Span name;
        qsizetype bodyBegin; // the first byte after the header line
        qsizetype bodyEnd;   // the start of the next header line, or the file's end
    };

private:
    const Section *findSection(const QString &name) const;

    QByteArray m_bytes;
    std::vector<Section> m_sections;
};

/// The text without the blanks (space, tab, vertical tab) at its end.
QString withoutTrailingBlanks(const QString &text);

/// The leading signed decimal integer of a value, wrapping modulo 2^32; 0 when the
/// value has no leading digit.
int leadingInteger(const QString &value);

} // namespace platform::ini
