// The runs a model text is inserted as, and the model kept current.
#include "app/textmodel.h"

#include "platform/textcodec.h"

#include <algorithm>
#include <iterator>

namespace textmodel {
namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr char16_t kNul = 0;
constexpr char16_t kParagraphSeparator = 0x2029;
constexpr char16_t kFrameStart = 0xFDD0;
constexpr char16_t kFrameEnd = 0xFDD1;

// The characters held as stand-ins and the glyphs they are shown with; a byte kept
// undecoded shows as the replacement character.
struct StandInKind
{
    char16_t modelChar;
    char16_t glyph;
};
constexpr StandInKind kStandInKinds[] = {
    {kCr, 0x240D},                 // ␍
    {kLf, 0x240A},                 // ␊
    {kNul, 0x2400},                // ␀
    {kParagraphSeparator, 0x00B6}, // ¶
    {kFrameStart, 0x25C7},         // ◇
    {kFrameEnd, 0x25C7},
};
constexpr char16_t kByteEscapeGlyph = 0xFFFD;

} // namespace

bool needsStandIn(QStringView model, qsizetype i)
{
    const char16_t c = model[i].unicode();
    return std::any_of(std::begin(kStandInKinds), std::end(kStandInKinds),
                       [c](const StandInKind &kind) { return kind.modelChar == c; }) ||
           (QChar::isLowSurrogate(c) && platform::isByteEscape(model, i));
}

QChar standInGlyph(char16_t modelChar)
{
    for (const StandInKind &kind : kStandInKinds) {
        if (kind.modelChar == modelChar)
            return QChar(kind.glyph);
    }
    return QChar(kByteEscapeGlyph);
}

bool isStandInGlyph(QChar c)
{
    if (c == QChar(kByteEscapeGlyph))
        return true;
    return std::any_of(std::begin(kStandInKinds), std::end(kStandInKinds),
                       [c](const StandInKind &kind) { return kind.glyph == c.unicode(); });
}

QList<Segment> documentSegments(const QString &model)
{
    QList<Segment> segments;
    QString plain;
    const qsizetype n = model.size();
    // Plain characters are copied a run at a time, up to the next CR LF or stand-in.
    qsizetype runStart = 0;
    const auto endRun = [&](qsizetype at) {
        plain.append(QStringView(model).sliced(runStart, at - runStart));
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = model.at(i).unicode();
        if (c == kCr && i + 1 < n && model.at(i + 1).unicode() == kLf) {
            endRun(i);
            plain.append(QChar(kLf));
            runStart = ++i + 1;
            continue;
        }
        if (!needsStandIn(model, i))
            continue;
        endRun(i);
        runStart = i + 1;
        if (!plain.isEmpty()) {
            segments.append({plain, false, 0});
            plain.clear();
        }
        if (!segments.isEmpty() && segments.back().isStandIn && segments.back().standInFor == c)
            segments.back().text.append(standInGlyph(c));
        else
            segments.append({QString(standInGlyph(c)), true, c});
    }
    endRun(n);
    if (!plain.isEmpty())
        segments.append({plain, false, 0});
    return segments;
}

TextModel::TextModel(const DocumentReader &document)
    : m_document(document), m_raw(document.rawText()), m_valid(false)
{
}

bool TextModel::documentChanged(int from, int removed, int added)
{
    QString raw = m_document.rawText();
    const bool consistent = fits(from, removed, added, raw.size());
    if (raw == m_raw) {
        // The same characters: a change of formats, or a stand-in typed over by its very
        // glyph, which the text then holds as itself.
        if (!consistent || added == 0)
            return false;
        text();
        return replaceRun(raw, from, removed, added);
    }
    if (consistent && m_valid)
        replaceRun(raw, from, removed, added);
    else
        m_valid = false;
    m_raw = std::move(raw);
    return true;
}

bool TextModel::fits(int from, int removed, int added, qsizetype rawSize) const
{
    return from >= 0 && removed >= 0 && added >= 0 && from + removed <= m_raw.size() &&
           from + added <= rawSize && m_raw.size() - removed + added == rawSize;
}

std::pair<int, int> TextModel::changedRun(int from, int removed, int added) const
{
    const QString raw = m_document.rawText();
    // A whole line reported counts its line break, one past the end of the last line.
    const int overrun = qMax(0, from + added - int(raw.size()));
    if (from + removed - overrun == m_raw.size() && overrun <= qMin(removed, added)) {
        removed -= overrun;
        added -= overrun;
    }
    if (!fits(from, removed, added, raw.size()))
        return {from, from + added};
    const QStringView before = QStringView(m_raw).mid(from, removed);
    const QStringView after = QStringView(raw).mid(from, added);
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return {from + int(head), from + added - int(tail)};
}

bool TextModel::replaceRun(QStringView raw, int from, int removed, int added)
{
    // Only the changed run is converted: the rest of the model stays as it was. Each
    // block before it adds the one character by which CR LF outgrows its separator; the
    // separators removed are counted in the raw text as it was before the change.
    const int modelFrom = from + m_document.blockNumberAt(from);
    const qsizetype modelRemoved =
        removed + QStringView(m_raw).mid(from, removed).count(QChar(kParagraphSeparator));
    const QString run = m_document.modelOf(raw, from, from + added);
    if (QStringView(m_model).mid(modelFrom, modelRemoved) == run)
        return false;
    m_model.replace(modelFrom, modelRemoved, run);
    return true;
}

const QString &TextModel::text() const
{
    if (!m_valid) {
        m_model = m_document.modelOf(m_raw, 0, int(m_raw.size()));
        m_valid = true;
    }
    return m_model;
}

} // namespace textmodel
