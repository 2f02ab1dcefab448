// The text model over QTextDocument: a block separator is the model's CR LF; a lone CR
// or LF, and the characters Qt itself takes for separators, are held in the document as
// visible stand-ins and given back unchanged.
#include "app/textmodel.h"

namespace textmodel {
namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr char16_t kParagraphSeparator = 0x2029;
constexpr char16_t kFrameStart = 0xFDD0;
constexpr char16_t kFrameEnd = 0xFDD1;

// Stand-ins: the Control Pictures for CR and LF, and private-use characters above the
// range Shift-JIS user-defined characters decode to (U+E000–U+E757).
constexpr char16_t kCrStandIn = 0x240D;
constexpr char16_t kLfStandIn = 0x240A;
constexpr char16_t kParagraphStandIn = 0xF8F0;
constexpr char16_t kFrameStartStandIn = 0xF8F1;
constexpr char16_t kFrameEndStandIn = 0xF8F2;

char16_t modelCharFor(char16_t documentChar)
{
    switch (documentChar) {
    case kCrStandIn:
        return kCr;
    case kLfStandIn:
        return kLf;
    case kParagraphStandIn:
        return kParagraphSeparator;
    case kFrameStartStandIn:
        return kFrameStart;
    case kFrameEndStandIn:
        return kFrameEnd;
    default:
        return documentChar;
    }
}

} // namespace

QChar standInFor(QChar modelChar)
{
    switch (modelChar.unicode()) {
    case kCr:
        return QChar(kCrStandIn);
    case kLf:
        return QChar(kLfStandIn);
    case kParagraphSeparator:
        return QChar(kParagraphStandIn);
    case kFrameStart:
        return QChar(kFrameStartStandIn);
    case kFrameEnd:
        return QChar(kFrameEndStandIn);
    default:
        return modelChar;
    }
}

QString documentForm(const QString &model)
{
    QString out;
    out.reserve(model.size());
    const qsizetype n = model.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = model.at(i).unicode();
        if (c == kCr && i + 1 < n && model.at(i + 1).unicode() == kLf) {
            out.append(QChar(kLf));
            ++i;
        } else {
            out.append(standInFor(QChar(c)));
        }
    }
    return out;
}

QString modelForm(const QString &raw)
{
    // Sized once, then filled through a pointer: this runs after every change.
    const char16_t *in = reinterpret_cast<const char16_t *>(raw.utf16());
    const qsizetype n = raw.size();
    const qsizetype separators = raw.count(QChar(kParagraphSeparator));
    QString out(n + separators, Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (c != kParagraphSeparator && c != kCrStandIn && c != kLfStandIn &&
            (c & 0xFFF0) != 0xF8F0) {
            *o++ = c;
        } else if (c == kParagraphSeparator) {
            *o++ = kCr;
            *o++ = kLf;
        } else {
            *o++ = modelCharFor(c);
        }
    }
    return out;
}

} // namespace textmodel
