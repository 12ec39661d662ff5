#pragma once

#include "BusState.h"

#include <QTemporaryDir>

namespace vellum::testing {

// A simulated IEC bus in a temporary folder for the substitute OpenCBM tools: an adapter and
// no drives at first. It sets nothing globally by itself: hand path() to the tools as
// OPENCBM_SIM_BUS (or call exportEnvironment()). The fault switches are sim::fault's; the two
// "ignore" switches do not keep a tool running, so pair them with "hang" or
// "seconds-per-track" to have something to stop.
class SimulatedBus : private QTemporaryDir, public sim::BusState {
public:
    SimulatedBus() : sim::BusState(QTemporaryDir::path()) { create(); }

    QString path() const { return QTemporaryDir::path(); }
    static QString binDir();
    // The substitute tools' demo disk for a 1571 ("d71": files on both sides, one running
    // from side one onto side two) or a 1581 ("d81").
    static QByteArray demoDisk(const QString& kind);

    // A drive switched on: its status is the power-on message ("73,cbm dos v2.6 1541,00,00").
    void addDrive(qint64 device, const QString& model,
                  const std::optional<QByteArray>& disk = std::nullopt) const {
        BusState::addDrive(device, model);
        setDisk(device, disk);
    }
    void insertDisk(qint64 device, const std::optional<QByteArray>& disk) const {
        setDisk(device, disk);
    }
    void setFault(const QString& name, const QString& value = QStringLiteral("1")) const {
        BusState::setFault(name, value);
    }
    void exportEnvironment() const { qputenv("OPENCBM_SIM_BUS", path().toLocal8Bit()); }
};

} // namespace vellum::testing
