// INI parsing over the bytes: lines end at CR, LF or CR LF; a section header is
// "[name]"; a key line is "name=value"; a line starting with ";" is a comment; lines
// without "=" are no keys. Blanks are spaces, tabs and vertical tabs. The markers
// "=", ";", "[" and blanks are below 0x40, so they are never the trail byte of a
// double-byte character; "]" can be, and is looked for character by character.
#include "platform/inifile.h"

#include "platform/codepage.h"

#include <cstring>

namespace platform::ini {
namespace {

using Span = IniFile::Span;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v';
}

struct Line
{
    qsizetype begin;
    qsizetype end;  // before the terminator
    qsizetype next; // after the terminator
    bool terminated() const { return next > end; }
};

Line lineAt(const QByteArray &file, qsizetype pos)
{
    const char *d = file.constData();
    const qsizetype n = file.size();
    qsizetype end = pos;
    while (end < n && d[end] != '\r' && d[end] != '\n')
        ++end;
    qsizetype next = end;
    if (next < n)
        next += (d[next] == '\r' && next + 1 < n && d[next + 1] == '\n') ? 2 : 1;
    return {pos, end, next};
}

Span trimmed(const QByteArray &file, Span s)
{
    while (s.begin < s.end && isBlank(file.at(s.begin)))
        ++s.begin;
    while (s.end > s.begin && isBlank(file.at(s.end - 1)))
        --s.end;
    return s;
}

// A section or key name as the functions take it: a C string, so it ends at its first
// NUL, without the blanks around it.
QString trimmedName(const QString &s)
{
    qsizetype b = 0;
    qsizetype e = s.indexOf(QChar(0));
    if (e < 0)
        e = s.size();
    while (b < e && isBlank(s.at(b)))
        ++b;
    while (e > b && isBlank(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

// A line break inside a name or a value would start another line of the file: only what
// comes before it is written.
QString firstLine(const QString &s)
{
    qsizetype i = 0;
    while (i < s.size() && s.at(i) != u'\r' && s.at(i) != u'\n')
        ++i;
    return s.left(i);
}

enum class Kind { Other, Section, Key };

struct Parsed
{
    Kind kind = Kind::Other;
    Span name;
    Span value; // of a key: everything after "=", blanks included
};

Parsed parse(const QByteArray &file, const Line &line)
{
    const Span t = trimmed(file, {line.begin, line.end});
    if (t.begin == t.end || file.at(t.begin) == ';')
        return {};
    if (file.at(t.begin) == '[') {
        qsizetype i = t.begin + 1;
        while (i < t.end && file.at(i) != ']')
            i += isAnsiLeadByte(static_cast<unsigned char>(file.at(i))) && i + 1 < t.end ? 2 : 1;
        return {Kind::Section, trimmed(file, {t.begin + 1, qMin(i, t.end)}), {}};
    }
    const void *eq = std::memchr(file.constData() + line.begin, '=', line.end - line.begin);
    if (!eq)
        return {};
    const qsizetype at = static_cast<const char *>(eq) - file.constData();
    return {Kind::Key, trimmed(file, {line.begin, at}), {at + 1, line.end}};
}

bool isAscii(const char *p, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return false;
    }
    return true;
}

// Whether the name at span is wanted (given in both forms), ignoring letter case. Only
// a name with double-byte characters is decoded.
bool sameName(const QByteArray &file, Span span, const QByteArray &wantedAnsi,
              const QString &wanted)
{
    const char *p = file.constData() + span.begin;
    const qsizetype n = span.end - span.begin;
    const bool ascii = isAscii(p, n) && isAscii(wantedAnsi.constData(), wantedAnsi.size());
    if (ascii)
        return n == wantedAnsi.size() && qstrnicmp(p, wantedAnsi.constData(), n) == 0;
    if (n == wantedAnsi.size() && std::memcmp(p, wantedAnsi.constData(), n) == 0)
        return true;
    return fromAnsi(QByteArray(p, n)).compare(wanted, Qt::CaseInsensitive) == 0;
}

QString unquote(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

QByteArray keyLine(const QByteArray &keyBytes, const QString &value)
{
    return keyBytes + '=' + toAnsi(value) + "\r\n";
}

} // namespace

IniFile::IniFile(QByteArray bytes) : m_bytes(std::move(bytes))
{
    for (qsizetype pos = 0; pos < m_bytes.size();) {
        const Line line = lineAt(m_bytes, pos);
        const Parsed p = parse(m_bytes, line);
        if (p.kind == Kind::Section) {
            if (!m_sections.empty())
                m_sections.back().bodyEnd = line.begin;
            m_sections.push_back({p.name, line.next, m_bytes.size()});
        }
        pos = line.next;
    }
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    const QByteArray ansi = toAnsi(name);
    for (const Section &s : m_sections) {
        if (sameName(m_bytes, s.name, ansi, name))
            return &s;
    }
    return nullptr;
}

std::optional<QString> IniFile::value(const QString &sectionArg, const QString &keyArg) const
{
    const Section *section = findSection(trimmedName(sectionArg));
    if (!section)
        return std::nullopt;
    const QString key = trimmedName(keyArg);
    const QByteArray keyAnsi = toAnsi(key);
    for (qsizetype pos = section->bodyBegin; pos < section->bodyEnd;) {
        const Line line = lineAt(m_bytes, pos);
        const Parsed p = parse(m_bytes, line);
        if (p.kind == Kind::Key && sameName(m_bytes, p.name, keyAnsi, key)) {
            const Span v = trimmed(m_bytes, p.value);
            return unquote(fromAnsi(m_bytes.mid(v.begin, v.end - v.begin)));
        }
        pos = line.next;
    }
    return std::nullopt;
}

QByteArray IniFile::withValue(const QString &sectionArg, const QString &keyArg,
                              const QString &valueArg) const
{
    const QString sectionName = trimmedName(firstLine(sectionArg));
    const QString key = trimmedName(firstLine(keyArg));
    const QString value = firstLine(valueArg);
    const QByteArray keyAnsi = toAnsi(key);
    const Section *section = findSection(sectionName);
    if (!section) {
        QByteArray out = m_bytes;
        if (!out.isEmpty() && out.back() != '\r' && out.back() != '\n')
            out += "\r\n";
        return out + '[' + toAnsi(sectionName) + "]\r\n" + keyLine(keyAnsi, value);
    }
    qsizetype insertAt = section->bodyBegin;
    for (qsizetype pos = section->bodyBegin; pos < section->bodyEnd;) {
        const Line line = lineAt(m_bytes, pos);
        const Parsed p = parse(m_bytes, line);
        if (p.kind == Kind::Key && sameName(m_bytes, p.name, keyAnsi, key)) {
            // The key keeps the spelling it has in the file.
            const QByteArray existing = m_bytes.mid(p.name.begin, p.name.end - p.name.begin);
            const QByteArray ending =
                line.terminated() ? m_bytes.mid(line.end, line.next - line.end) : "\r\n";
            QByteArray out = m_bytes.left(line.begin);
            out += existing + '=' + toAnsi(value) + ending;
            return out + m_bytes.mid(line.next);
        }
        if (p.kind == Kind::Key)
            insertAt = line.next;
        pos = line.next;
    }
    QByteArray out = m_bytes.left(insertAt);
    if (insertAt > 0 && out.back() != '\r' && out.back() != '\n')
        out += "\r\n";
    return out + keyLine(keyAnsi, value) + m_bytes.mid(insertAt);
}

QString withoutTrailingBlanks(const QString &text)
{
    qsizetype e = text.size();
    while (e > 0 && isBlank(text.at(e - 1)))
        --e;
    return text.left(e);
}

int leadingInteger(const QString &value)
{
    qsizetype i = 0;
    while (i < value.size() && isBlank(value.at(i)))
        ++i;
    bool negative = false;
    if (i < value.size() && (value.at(i) == u'-' || value.at(i) == u'+')) {
        negative = value.at(i) == u'-';
        ++i;
    }
    quint32 result = 0;
    for (; i < value.size() && value.at(i) >= u'0' && value.at(i) <= u'9'; ++i)
        result = result * 10u + static_cast<quint32>(value.at(i).unicode() - u'0');
    if (negative)
        result = 0u - result;
    return static_cast<int>(result);
}

} // namespace platform::ini
