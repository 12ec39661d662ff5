#pragma once

#include "ImageFixtures.h"
#include "SimulatedBus.h"

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>
#include <utility>

namespace vellum::testing {

struct ToolResult {
    int exitCode = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
};

// Runs one of the substitute tools (or "opencbm-sim") against `bus` to its end.
ToolResult runTool(const SimulatedBus& bus, const QString& tool, const QStringList& arguments);

// Starts a tool and leaves it running; the caller signals and waits.
std::unique_ptr<QProcess> startTool(const SimulatedBus& bus, const QString& tool,
                                    const QStringList& arguments);

// Waits until the process has printed at least `bytes` bytes on standard output.
bool waitForOutput(QProcess& process, qsizetype bytes, int timeoutMs = 10000);

// A disk made by the project's builder with the given files (all PRG).
QByteArray diskWithFiles(const QString& name, const QString& id,
                         const QList<std::pair<QString, QByteArray>>& files);

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

} // namespace vellum::testing
