// The runs a model text is inserted as.
#include "app/textmodel.h"

#include "platform/textcodec.h"

namespace textmodel {
namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr char16_t kNul = 0;
constexpr char16_t kParagraphSeparator = 0x2029;
constexpr char16_t kFrameStart = 0xFDD0;
constexpr char16_t kFrameEnd = 0xFDD1;

} // namespace

bool needsStandIn(QStringView model, qsizetype i)
{
    const char16_t c = model[i].unicode();
    return c == kCr || c == kLf || c == kNul || c == kParagraphSeparator || c == kFrameStart ||
           c == kFrameEnd || (QChar::isLowSurrogate(c) && platform::isByteEscape(model, i));
}

QChar standInGlyph(char16_t modelChar)
{
    switch (modelChar) {
    case kCr:
        return QChar(0x240D); // ␍
    case kLf:
        return QChar(0x240A); // ␊
    case kNul:
        return QChar(0x2400); // ␀
    case kParagraphSeparator:
        return QChar(0x00B6); // ¶
    case kFrameStart:
    case kFrameEnd:
        return QChar(0x25C7); // ◇
    default:
        return QChar(0xFFFD); // a byte kept undecoded
    }
}

QList<Segment> documentSegments(const QString &model)
{
    QList<Segment> segments;
    QString plain;
    plain.reserve(model.size());
    const qsizetype n = model.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = model.at(i).unicode();
        if (c == kCr && i + 1 < n && model.at(i + 1).unicode() == kLf) {
            plain.append(QChar(kLf));
            ++i;
            continue;
        }
        if (!needsStandIn(model, i)) {
            plain.append(QChar(c));
            continue;
        }
        if (!plain.isEmpty()) {
            segments.append({plain, false, 0});
            plain.clear();
        }
        if (!segments.isEmpty() && segments.back().isStandIn && segments.back().standInFor == c)
            segments.back().text.append(standInGlyph(c));
        else
            segments.append({QString(standInGlyph(c)), true, c});
    }
    if (!plain.isEmpty())
        segments.append({plain, false, 0});
    return segments;
}

} // namespace textmodel
