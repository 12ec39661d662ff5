#include "ToolProcess.h"

#include "images/D64Builder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <stdexcept>

namespace vellum::testing {

namespace {

void prepare(QProcess& process, const SimulatedBus& bus, const QString& tool,
             const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("OPENCBM_SIM_BUS"), bus.path());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(bus.path());
    process.setProgram(QStringLiteral(VELLUM_SIM_BIN_DIR "/") + tool);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
}

} // namespace

ToolResult runTool(const SimulatedBus& bus, const QString& tool, const QStringList& arguments) {
    QProcess process;
    prepare(process, bus, tool, arguments);
    process.start();
    if (!process.waitForStarted() || !process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        throw std::runtime_error("the tool did not run to its end");
    }
    ToolResult result;
    result.exitCode = process.exitCode();
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

std::unique_ptr<QProcess> startTool(const SimulatedBus& bus, const QString& tool,
                                    const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    prepare(*process, bus, tool, arguments);
    process->start();
    if (!process->waitForStarted()) {
        throw std::runtime_error("the tool did not start");
    }
    return process;
}

bool waitForOutput(QProcess& process, qsizetype bytes, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (process.bytesAvailable() < bytes) {
        if (timer.elapsed() > timeoutMs || process.state() == QProcess::NotRunning) {
            return false;
        }
        process.waitForReadyRead(100);
    }
    return true;
}

QByteArray diskWithFiles(const QString& name, const QString& id,
                         const QList<std::pair<QString, QByteArray>>& files) {
    D64Builder builder = D64Builder::create(name, id);
    for (const auto& [fileName, contents] : files) {
        builder.addFile(fileName, CBMFileType::prg, contents);
    }
    return builder.data();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("could not read " + path.toStdString());
    }
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("could not write " + path.toStdString());
    }
}

} // namespace vellum::testing
