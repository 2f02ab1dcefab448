// Conversion between the program's UTF-16 text and the character sets Japanese text
// files are stored in, through glibc's iconv. Decoding never loses a byte: a byte the
// character set cannot read is held in the text as a byte escape (a lone low surrogate,
// which no real text contains) and encoding writes it back as the same byte.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>

namespace platform {

enum class Charset {
    ShiftJis,      // code page 932, as Windows reads and writes it
    ShiftJis2004,  // Shift_JIS-2004 (JIS X 0213)
    EucJp,         // EUC-JP, JIS X 0212 through SS3 included
    EucJis2004,    // EUC-JIS-2004 (JIS X 0213)
    Iso2022Jp,     // ISO-2022-JP, with its extensions (JIS X 0212, half-width katakana)
    Iso2022Jp2004, // ISO-2022-JP-2004 (JIS X 0213 designations, iconv's ISO-2022-JP-3)
    EucJpMs,       // EUC-JP as Windows writes it: NEC row 13, the IBM rows (eucJP-ms, 51932)
    Utf8,
    Utf16Le,
    Utf16Be,
};

/// Every character set, in the order they are offered to the user.
inline constexpr Charset kCharsets[] = {
    Charset::ShiftJis,   Charset::EucJp,        Charset::Iso2022Jp, Charset::Utf8,
    Charset::Utf16Le,    Charset::Utf16Be,      Charset::EucJpMs,   Charset::ShiftJis2004,
    Charset::EucJis2004, Charset::Iso2022Jp2004};

/// The name shown to the user ("Shift_JIS", "EUC-JP", "UTF-16LE" …).
QString charsetName(Charset charset);

/// The character set a name stands for: the shown name or a common alias (Windows-31J,
/// CP932, eucJP-ms, ISO-2022-JP-3 …), in any case; none for a name the program does not
/// read.
std::optional<Charset> charsetNamed(QStringView name);

/// The byte-order mark of a Unicode form; empty for the other character sets.
QByteArray byteOrderMark(Charset charset);

/// The Unicode form whose byte-order mark begins bytes, if one does.
std::optional<Charset> charsetMarkedIn(QByteArrayView bytes);

/// Bytes per code unit: 2 for UTF-16, 1 otherwise.
int unitSize(Charset charset);

/// Whether the set shifts between character sets with escape sequences (ISO-2022-JP).
bool isStateful(Charset charset);

/// The escape that holds an undecodable byte in the text.
constexpr char16_t byteEscape(unsigned char byte)
{
    return char16_t(0xDC00 + byte);
}
/// Whether text[i] is a byte escape: a low surrogate U+DC00…U+DCFF with no high
/// surrogate before it.
bool isByteEscape(QStringView text, qsizetype i);

/// The ISO-2022 escape sequences (ESC ( B, ESC $ B, ESC $ ( D …) in bytes, in order.
QList<QByteArray> escapeSequencesIn(QByteArrayView bytes);

/// The ISO-2022 designations (ESC ( I, ESC $ ( D …) that bytes use, each once.
QList<QByteArray> designationsIn(QByteArrayView bytes);

/// Decodes bytes, carrying the shift state of a stateful character set from one call
/// to the next, so that a file can be decoded line by line.
class Decoder
{
public:
    explicit Decoder(Charset charset);
    ~Decoder();
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;

    /// The text of bytes; undecodable bytes become byte escapes and are counted. In UTF-16
    /// an undecodable unit (an unpaired surrogate) is kept as its two bytes and reading
    /// goes on at the next unit.
    QString decode(QByteArrayView bytes);
    /// Bytes that could not be decoded so far.
    int undecodable() const { return m_undecodable; }

private:
    QString decodeRun(QByteArrayView bytes);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
    int m_undecodable = 0;
};

/// Decodes bytes from the initial state; undecodable, when given, counts the escapes.
QString decode(QByteArrayView bytes, Charset charset, int *undecodable = nullptr);

/// Encodes texts, each from and back to the initial shift state; keeps its converter
/// from one text to the next. ISO-2022-JP writes plain ISO-2022-JP (ASCII and JIS X 0208)
/// and, for the characters that needs, only the further designations given (those the
/// file itself used, such as ESC ( I for half-width katakana or ESC $ ( D for JIS X 0212).
class Encoder
{
public:
    explicit Encoder(Charset charset, const QList<QByteArray> &designations = {});
    ~Encoder();
    Encoder(const Encoder &) = delete;
    Encoder &operator=(const Encoder &) = delete;

    /// As encode() below.
    QByteArray encode(QStringView text, qsizetype *firstUnrepresentable = nullptr,
                      bool endsFile = true);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

/// Encodes text, ending in the initial shift state. Byte escapes are written as their
/// bytes; a character the set cannot hold is written as "?" (in the set's initial shift
/// state), and the offset of the first one is returned in firstUnrepresentable (-1 when
/// there is none). UTF-16 takes kept bytes two by two, as the units they were read as:
/// a kept byte left alone at the end of the text is written only when it ends the file
/// (endsFile), else it is written as U+FFFD and counted as unrepresentable, so that no
/// later unit is put out of step.
QByteArray encode(QStringView text, Charset charset, qsizetype *firstUnrepresentable = nullptr);

} // namespace platform
