#pragma once

#include <QString>
#include <QStringList>

namespace vellum {

// The outcome of one run of an OpenCBM tool. The text members are not called
// stdout/stderr because those are macros of <cstdio>.
struct CommandResult {
    qint32 exitCode = 0;
    QString stdoutText;
    QString stderrText;

    // The non-blank streams, untrimmed, stdout first, joined by one "\n".
    QString combinedOutput() const;

    friend bool operator==(const CommandResult&, const CommandResult&) = default;
};

} // namespace vellum
