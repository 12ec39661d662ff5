#pragma once

#include "model/CommandResult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace vellum {

// Collects one run's output. Both streams feed one line buffer in arrival order; complete
// lines (cut at CR, LF or one pair of them, trimmed of spaces and tabs, empty ones dropped)
// go to the observer while the tool runs. Chunks that are not valid UTF-8 are read as
// ISO 8859-1 so that progress keeps flowing.
class OutputAccumulator {
public:
    using Observer = std::function<void(const QString& line)>;

    explicit OutputAccumulator(Observer onOutput = {});

    void appendChunk(const QByteArray& chunk, bool fromStdout);
    // Cuts the complete lines out of the buffer (with `flush`, the rest too), hands them to
    // the observer and returns them.
    QStringList emitLines(bool flush);
    // The whole streams as UTF-8; a stream that is not valid UTF-8 gives "".
    CommandResult makeResult(qint32 exitCode) const;

    const QByteArray& stdoutBytes() const { return stdoutBuffer; }
    const QByteArray& stderrBytes() const { return stderrBuffer; }

private:
    QByteArray stdoutBuffer;
    QByteArray stderrBuffer;
    QString lineBuffer;
    Observer observer;
};

// The chunk as UTF-8, or as ISO 8859-1 when it is not valid UTF-8.
QString decodeChunk(const QByteArray& chunk);

} // namespace vellum
