#include "ToolProcess.h"

#include "images/D64Builder.h"

#include <QProcessEnvironment>
#include <stdexcept>

namespace vellum::testing {

std::unique_ptr<QProcess> startTool(const SimulatedBus& bus, const QString& tool,
                                    const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("OPENCBM_SIM_BUS"), bus.path());
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(bus.path());
    process->setStandardInputFile(QProcess::nullDevice());
    process->start(QStringLiteral(VELLUM_SIM_BIN_DIR "/") + tool, arguments);
    if (!process->waitForStarted()) {
        throw std::runtime_error("the tool did not start");
    }
    return process;
}

ToolResult runTool(const SimulatedBus& bus, const QString& tool, const QStringList& arguments) {
    const auto process = startTool(bus, tool, arguments);
    if (!process->waitForFinished(30000)) {
        process->kill();
        process->waitForFinished();
        throw std::runtime_error("the tool did not run to its end");
    }
    return {process->exitCode(), process->readAllStandardOutput(), process->readAllStandardError()};
}

QByteArray diskWithFiles(const QString& name, const QString& id,
                         const QList<std::pair<QString, QByteArray>>& files) {
    D64Builder builder = D64Builder::create(name, id);
    for (const auto& [fileName, contents] : files) {
        builder.addFile(fileName, CBMFileType::prg, contents);
    }
    return builder.data();
}

} // namespace vellum::testing
