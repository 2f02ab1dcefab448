// INI parsing: lines end at CR, LF or CR LF; a section header is "[name]"; a key line
// is "name=value"; a line starting with ";" is a comment; lines without "=" are no keys.
#include "platform/inifile.h"

#include "platform/codepage.h"

#include <QList>

namespace platform::ini {
namespace {

struct Line
{
    QByteArray bytes;  // the line without its terminator
    QByteArray ending; // "\r\n", "\r", "\n" or empty for a last line without one
    QString text;      // the decoded line
};

QList<Line> splitLines(const QByteArray &file)
{
    QList<Line> lines;
    qsizetype start = 0;
    const qsizetype n = file.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && file.at(end) != '\r' && file.at(end) != '\n')
            ++end;
        Line line;
        line.bytes = file.mid(start, end - start);
        if (end < n) {
            const bool crlf = file.at(end) == '\r' && end + 1 < n && file.at(end + 1) == '\n';
            line.ending = file.mid(end, crlf ? 2 : 1);
        }
        line.text = fromAnsi(line.bytes);
        lines.append(line);
        start = end + line.ending.size();
    }
    return lines;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString trimBlanks(const QString &s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s.at(b)))
        ++b;
    while (e > b && isBlank(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

// The section name when the line is a header, else nullopt.
std::optional<QString> sectionName(const QString &line)
{
    const QString t = trimBlanks(line);
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    return trimBlanks(t.mid(1, close < 0 ? -1 : close - 1));
}

bool isComment(const QString &line)
{
    return trimBlanks(line).startsWith(u';');
}

// The key name of a key line, else nullopt.
std::optional<QString> keyName(const QString &line)
{
    if (isComment(line) || sectionName(line))
        return std::nullopt;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return std::nullopt;
    return trimBlanks(line.left(eq));
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
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

// Index range [begin, end) of the lines of the first section with the given name, the
// header excluded; begin is -1 when there is no such section.
std::pair<qsizetype, qsizetype> findSection(const QList<Line> &lines, const QString &section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines.at(i).text);
        if (!name || !sameName(*name, section))
            continue;
        qsizetype end = i + 1;
        while (end < lines.size() && !sectionName(lines.at(end).text))
            ++end;
        return {i + 1, end};
    }
    return {-1, -1};
}

qsizetype findKey(const QList<Line> &lines, std::pair<qsizetype, qsizetype> range,
                  const QString &key)
{
    for (qsizetype i = range.first; i < range.second; ++i) {
        const auto name = keyName(lines.at(i).text);
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

QByteArray join(const QList<Line> &lines)
{
    QByteArray out;
    for (const Line &l : lines)
        out += l.bytes + l.ending;
    return out;
}

Line makeLine(const QString &text)
{
    return Line{toAnsi(text), QByteArrayLiteral("\r\n"), text};
}

} // namespace

std::optional<QString> readValue(const QByteArray &file, const QString &section, const QString &key)
{
    const QList<Line> lines = splitLines(file);
    const auto range = findSection(lines, section);
    if (range.first < 0)
        return std::nullopt;
    const qsizetype at = findKey(lines, range, key);
    if (at < 0)
        return std::nullopt;
    const QString &text = lines.at(at).text;
    return unquote(trimBlanks(text.mid(text.indexOf(u'=') + 1)));
}

namespace {

// A line break inside a name or a value would start another line of the file: only what
// comes before it is written.
QString firstLine(const QString &s)
{
    qsizetype i = 0;
    while (i < s.size() && s.at(i) != u'\r' && s.at(i) != u'\n')
        ++i;
    return s.left(i);
}

} // namespace

QByteArray writeValue(const QByteArray &file, const QString &sectionArg, const QString &keyArg,
                      const QString &valueArg)
{
    const QString section = firstLine(sectionArg);
    const QString key = firstLine(keyArg);
    const QString value = firstLine(valueArg);
    QList<Line> lines = splitLines(file);
    const auto range = findSection(lines, section);
    if (range.first < 0) {
        if (!lines.isEmpty() && lines.back().ending.isEmpty())
            lines.back().ending = QByteArrayLiteral("\r\n");
        lines.append(makeLine(u'[' + section + u']'));
        lines.append(makeLine(key + u'=' + value));
        return join(lines);
    }
    const qsizetype at = findKey(lines, range, key);
    if (at >= 0) {
        Line &line = lines[at];
        const QString existingKey = line.text.left(line.text.indexOf(u'='));
        const QByteArray ending = line.ending;
        line = makeLine(trimBlanks(existingKey) + u'=' + value);
        line.ending = ending;
        return join(lines);
    }
    // After the last key line of the section, or right after its header.
    qsizetype insertAt = range.first;
    for (qsizetype i = range.first; i < range.second; ++i) {
        if (keyName(lines.at(i).text))
            insertAt = i + 1;
    }
    if (insertAt > 0 && lines.at(insertAt - 1).ending.isEmpty())
        lines[insertAt - 1].ending = QByteArrayLiteral("\r\n");
    lines.insert(insertAt, makeLine(key + u'=' + value));
    return join(lines);
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
