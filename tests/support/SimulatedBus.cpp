#include "SimulatedBus.h"

#include "BusState.h"

#include <QFile>
#include <QProcess>

#include <stdexcept>

namespace vellum::testing {

namespace {

sim::BusState stateIn(const QTemporaryDir& folder) {
    return sim::BusState(folder.path());
}

} // namespace

SimulatedBus::SimulatedBus() {
    if (!folder.isValid()) {
        throw std::runtime_error("could not create a folder for the simulated bus");
    }
    stateIn(folder).create();
}

QString SimulatedBus::path() const {
    return folder.path();
}

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

void SimulatedBus::addDrive(qint64 device, const QString& model, std::optional<QByteArray> disk) {
    stateIn(folder).addDrive(device, model);
    stateIn(folder).setDisk(device, disk);
}

void SimulatedBus::setAdapterPresent(bool present) {
    stateIn(folder).setAdapterPresent(present);
}

void SimulatedBus::setFault(const QString& name, const QString& value) {
    stateIn(folder).setFault(name, value);
}

void SimulatedBus::clearFault(const QString& name) {
    stateIn(folder).clearFault(name);
}

std::optional<QByteArray> SimulatedBus::disk(qint64 device) const {
    return stateIn(folder).disk(device);
}

void SimulatedBus::insertDisk(qint64 device, std::optional<QByteArray> disk) {
    stateIn(folder).setDisk(device, disk);
}

void SimulatedBus::setStatus(qint64 device, const QString& statusLine) {
    stateIn(folder).setStatus(device, statusLine);
}

QString SimulatedBus::status(qint64 device) const {
    return stateIn(folder).status(device);
}

void SimulatedBus::exportEnvironment() const {
    qputenv("OPENCBM_SIM_BUS", path().toLocal8Bit());
}

} // namespace vellum::testing
