// Conversion between the program's UTF-16 text and the character sets Japanese text
// files are stored in, through glibc's iconv. Decoding never loses a byte: a byte the
// character set cannot read is held in the text as a byte escape (a lone low surrogate,
// which no real text contains) and encoding writes it back as the same byte.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <memory>

namespace platform {

enum class Charset {
    ShiftJis,     // code page 932, as Windows reads and writes it
    ShiftJis2004, // Shift_JIS-2004 (JIS X 0213)
    EucJp,        // EUC-JP, JIS X 0212 through SS3 included
    EucJis2004,   // EUC-JIS-2004 (JIS X 0213)
    Iso2022Jp,    // ISO-2022-JP, with its extensions (JIS X 0212, half-width katakana)
    Utf8,
    Utf16Le,
    Utf16Be,
};

/// Every character set, in the order they are offered to the user.
inline constexpr Charset kCharsets[] = {
    Charset::ShiftJis, Charset::EucJp,   Charset::Iso2022Jp,    Charset::Utf8,
    Charset::Utf16Le,  Charset::Utf16Be, Charset::ShiftJis2004, Charset::EucJis2004};

/// The name shown to the user ("Shift_JIS", "EUC-JP", "UTF-16LE" …).
QString charsetName(Charset charset);

/// Bytes per code unit: 2 for UTF-16, 1 otherwise.
int unitSize(Charset charset);

/// The escape that holds an undecodable byte in the text.
constexpr char16_t byteEscape(unsigned char byte)
{
    return char16_t(0xDC00 + byte);
}
/// Whether text[i] is a byte escape: a low surrogate U+DC00…U+DCFF with no high
/// surrogate before it.
bool isByteEscape(QStringView text, qsizetype i);

/// Decodes bytes, carrying the shift state of a stateful character set from one call
/// to the next, so that a file can be decoded line by line.
class Decoder
{
public:
    explicit Decoder(Charset charset);
    ~Decoder();
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;

    /// The text of bytes; undecodable bytes become byte escapes and are counted.
    QString decode(QByteArrayView bytes);
    /// Bytes that could not be decoded so far.
    int undecodable() const { return m_undecodable; }

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    int m_undecodable = 0;
};

/// Decodes bytes from the initial state; undecodable, when given, counts the escapes.
QString decode(QByteArrayView bytes, Charset charset, int *undecodable = nullptr);

/// Encodes texts, each from and back to the initial shift state; keeps its converter
/// from one text to the next.
class Encoder
{
public:
    explicit Encoder(Charset charset);
    ~Encoder();
    Encoder(const Encoder &) = delete;
    Encoder &operator=(const Encoder &) = delete;

    /// As encode() below.
    QByteArray encode(QStringView text, qsizetype *firstUnrepresentable = nullptr);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

/// Encodes text, ending in the initial shift state. Byte escapes are written as their
/// bytes; a character the set cannot hold is written as "?", and the offset of the
/// first one is returned in firstUnrepresentable (-1 when there is none).
QByteArray encode(QStringView text, Charset charset, qsizetype *firstUnrepresentable = nullptr);

} // namespace platform
