#include "SimulatedBus.h"

#include <QFile>
#include <QProcess>
#include <stdexcept>

namespace vellum::testing {

QString SimulatedBus::binDir() {
    return QStringLiteral(VELLUM_SIM_BIN_DIR);
}

QByteArray SimulatedBus::demoDisk(const QString& kind) {
    const QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("demo"));
    if (QProcess::execute(binDir() + QStringLiteral("/opencbm-sim"),
                          {QStringLiteral("make-disk"), kind, path}) != 0) {
        throw std::runtime_error("opencbm-sim could not make a demo disk");
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("the demo disk cannot be read");
    }
    return file.readAll();
}

} // namespace vellum::testing
