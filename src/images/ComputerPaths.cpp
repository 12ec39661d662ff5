#include "images/ComputerPaths.h"

#include <optional>

namespace vellum {

namespace {

constexpr char16_t escapeBase = 0xDC00;

// The length of the well-formed UTF-8 sequence at `at`, or 0. Overlong forms, surrogates
// and values above U+10FFFF are not well formed.
qsizetype sequenceLength(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return i < bytes.size() ? quint8(bytes[i]) : 0; };
    const auto isContinuation = [&](qsizetype i) { return (byte(i) & 0xC0) == 0x80; };
    const quint8 lead = byte(at);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return isContinuation(at + 1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const quint8 second = byte(at + 1);
        const bool secondOk = lead == 0xE0   ? second >= 0xA0 && second <= 0xBF
                              : lead == 0xED ? second >= 0x80 && second <= 0x9F
                                             : isContinuation(at + 1);
        return secondOk && isContinuation(at + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const quint8 second = byte(at + 1);
        const bool secondOk = lead == 0xF0   ? second >= 0x90 && second <= 0xBF
                              : lead == 0xF4 ? second >= 0x80 && second <= 0x8F
                                             : isContinuation(at + 1);
        return secondOk && isContinuation(at + 2) && isContinuation(at + 3) ? 4 : 0;
    }
    return 0;
}

} // namespace

QString computerPathFromBytes(const QByteArray& bytes) {
    QString path;
    path.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = sequenceLength(bytes, at);
        if (length == 0) {
            path.append(QChar(char16_t(escapeBase + quint8(bytes[at]))));
            ++at;
            continue;
        }
        path.append(QString::fromUtf8(bytes.constData() + at, length));
        at += length;
    }
    return path;
}

std::optional<quint8> escapedPathByte(const QString& path, qsizetype at) {
    const char16_t unit = path[at].unicode();
    const bool pairHalf = at > 0 && path[at - 1].isHighSurrogate();
    if (unit >= escapeBase + 0x80 && unit <= escapeBase + 0xFF && !pairHalf) {
        return quint8(unit - escapeBase);
    }
    return std::nullopt;
}

QByteArray computerPathBytes(const QString& path) {
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        const std::optional<quint8> escaped =
            i < path.size() ? escapedPathByte(path, i) : std::nullopt;
        if (i < path.size() && !escaped) {
            continue;
        }
        bytes.append(QStringView(path).mid(runStart, i - runStart).toUtf8());
        if (escaped) {
            bytes.append(char(*escaped));
        }
        runStart = i + 1;
    }
    return bytes;
}

} // namespace vellum
