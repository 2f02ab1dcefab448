// What the fuzz targets share: a property check that aborts (libFuzzer then keeps the
// input), and a reader that turns the fuzzer's bytes into choices and texts.
#pragma once

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

// Aborts, naming the property, when it does not hold.
#define CHECK(property)                                                                            \
    do {                                                                                           \
        if (!(property)) {                                                                         \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #property, __FILE__, __LINE__);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Aborts when two texts differ, printing both as UTF-16 units.
#define CHECK_SAME(a, b)                                                                           \
    do {                                                                                           \
        const QString checkedA = (a);                                                              \
        const QString checkedB = (b);                                                              \
        if (checkedA != checkedB) {                                                                \
            std::fprintf(stderr, "%s\n  %s\n!= %s\n  %s\n", #a, unitsOf(checkedA).constData(), #b, \
                         unitsOf(checkedB).constData());                                           \
            CHECK(false);                                                                          \
        }                                                                                          \
    } while (false)

inline QByteArray unitsOf(const QString &text)
{
    QByteArray out;
    for (QChar c : text)
        out += QByteArray::number(c.unicode(), 16) + ' ';
    return out;
}

class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }

    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

    /// A number in [0, bound).
    int below(int bound) { return bound <= 0 ? 0 : byte() % bound; }

    /// Up to maxLength UTF-16 units, two bytes each, any value (lone surrogates too).
    QString units(int maxLength)
    {
        QString text;
        const int length = below(maxLength + 1);
        for (int i = 0; i < length && m_pos + 1 < m_size; ++i) {
            const char16_t unit = char16_t(m_data[m_pos] | m_data[m_pos + 1] << 8);
            m_pos += 2;
            text.append(QChar(unit));
        }
        return text;
    }

    /// Up to maxLength characters picked from alphabet, one byte each: texts where
    /// occurrences, line breaks and look-alike characters are frequent.
    QString from(const QString &alphabet, int maxLength)
    {
        QString text;
        const int length = below(maxLength + 1);
        for (int i = 0; i < length && !empty(); ++i)
            text.append(alphabet.at(byte() % alphabet.size()));
        return text;
    }

    /// The bytes not read yet.
    QByteArray rest()
    {
        const QByteArray out(reinterpret_cast<const char *>(m_data + m_pos),
                             qsizetype(m_size - m_pos));
        m_pos = m_size;
        return out;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};
