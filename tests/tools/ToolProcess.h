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
    QByteArray out;
    QByteArray err;
};

// Starts one of the substitute tools (or "opencbm-sim") on `bus` and leaves it running.
std::unique_ptr<QProcess> startTool(const SimulatedBus& bus, const QString& tool,
                                    const QStringList& arguments);

// Runs the tool to its end.
ToolResult runTool(const SimulatedBus& bus, const QString& tool, const QStringList& arguments);

// A disk made by the project's builder with the given files (all PRG).
QByteArray diskWithFiles(const QString& name, const QString& id,
                         const QList<std::pair<QString, QByteArray>>& files);

} // namespace vellum::testing
