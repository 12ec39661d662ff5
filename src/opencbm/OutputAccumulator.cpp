#include "opencbm/OutputAccumulator.h"

#include "model/TextUtil.h"

#include <QStringDecoder>
#include <optional>

namespace vellum {

namespace {

std::optional<QString> strictUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

bool isLineBreak(QChar character) {
    return character == QLatin1Char('\r') || character == QLatin1Char('\n');
}

} // namespace

QString decodeChunk(const QByteArray& chunk) {
    if (auto text = strictUtf8(chunk)) {
        return *text;
    }
    return QString::fromLatin1(chunk);
}

OutputAccumulator::OutputAccumulator(Observer onOutput) : observer(std::move(onOutput)) {}

void OutputAccumulator::appendChunk(const QByteArray& chunk, bool fromStdout) {
    (fromStdout ? stdoutBuffer : stderrBuffer).append(chunk);
    lineBuffer += decodeChunk(chunk);
    emitLines(false);
}

QStringList OutputAccumulator::emitLines(bool flush) {
    QStringList lines;
    qsizetype start = 0;
    while (start < lineBuffer.size()) {
        qsizetype breakAt = start;
        while (breakAt < lineBuffer.size() && !isLineBreak(lineBuffer.at(breakAt))) {
            ++breakAt;
        }
        if (breakAt == lineBuffer.size()) {
            break;
        }
        const QString candidate = trimmedSpacesAndTabs(lineBuffer.mid(start, breakAt - start));
        start = breakAt + 1;
        if (start < lineBuffer.size() && isLineBreak(lineBuffer.at(start))) {
            ++start;
        }
        if (!candidate.isEmpty()) {
            lines << candidate;
        }
    }
    lineBuffer.remove(0, start);
    if (flush) {
        const QString rest = trimmedSpacesAndTabs(lineBuffer);
        if (!rest.isEmpty()) {
            lines << rest;
        }
        lineBuffer.clear();
    }
    if (observer) {
        for (const QString& line : std::as_const(lines)) {
            observer(line);
        }
    }
    return lines;
}

CommandResult OutputAccumulator::makeResult(qint32 exitCode) const {
    // A whole stream that is not UTF-8 is read as ISO 8859-1 rather than dropped: a listing
    // holding one raw PETSCII byte must not come back as an empty disk.
    return CommandResult{exitCode, decodeChunk(stdoutBuffer), decodeChunk(stderrBuffer)};
}

} // namespace vellum
