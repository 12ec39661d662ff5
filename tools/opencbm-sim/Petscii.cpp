#include "Petscii.h"

namespace vellum::sim {

QByteArray asciiToPetscii(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z') {
            bytes += static_cast<char>(u - 0x20);
        } else if (u >= u'A' && u <= u'Z') {
            bytes += static_cast<char>(u + 0x80);
        } else if (u < 0x100) {
            bytes += static_cast<char>(u);
        } else {
            bytes += '?';
        }
    }
    return bytes;
}

QByteArray petsciiToAscii(const QByteArray& bytes, bool keepHighBytes) {
    QByteArray text;
    text.reserve(bytes.size());
    for (const char raw : bytes) {
        const auto b = static_cast<quint8>(raw);
        if (b >= 0x41 && b <= 0x5A) {
            text += static_cast<char>(b + 0x20);
        } else if (b >= 0x61 && b <= 0x7A) {
            text += static_cast<char>(b - 0x20);
        } else if (b >= 0xC1 && b <= 0xDA) {
            text += static_cast<char>(b - 0x80);
        } else if (b == 0xA0) {
            text += ' ';
        } else if (b >= 0x20 && b < 0x80) {
            text += static_cast<char>(b);
        } else if (keepHighBytes && b >= 0x80) {
            text += static_cast<char>(b);
        } else {
            text += '.';
        }
    }
    return text;
}

} // namespace vellum::sim
