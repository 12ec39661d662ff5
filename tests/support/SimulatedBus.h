#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace vellum::testing {

// A simulated IEC bus in a temporary folder for the substitute OpenCBM tools. It sets
// nothing globally by itself: hand path() to the tools as OPENCBM_SIM_BUS (or call
// exportEnvironment()).
//
// Fault names for setFault/clearFault:
//   "no-adapter"            no adapter is found (as setAdapterPresent(false))
//   "no-drive"              no drive answers
//   "hang"                  every tool hangs before it does its work (signals still act)
//   "ignore-sigint"         tools ignore SIGINT
//   "ignore-sigint-sigterm" tools ignore SIGINT and SIGTERM
//   "fail-at-track"         value N: d64copy, imgcopy, cbmcopy, cbmformat and the DOS "N" fail
//                           on track N
//   "non-utf8"              tools add a line of bytes that are not UTF-8 to their output
//   "seconds-per-track"     value S: time one track takes (0 unless set)
//   "image-space"           value B: d64copy and imgcopy can write only B bytes of the image
//                           they read,
//                           as on a full file system
// The two "ignore" switches do not keep a tool running; pair them with "hang" or
// "seconds-per-track" to have something to stop.
class SimulatedBus {
public:
    SimulatedBus(); // empty bus, adapter present, no drives
    SimulatedBus(const SimulatedBus&) = delete;
    SimulatedBus& operator=(const SimulatedBus&) = delete;

    QString path() const;
    static QString binDir();
    // The substitute tools' demo disk for a 1571 ("d71": files on both sides, one running
    // from side one onto side two) or a 1581 ("d81").
    static QByteArray demoDisk(const QString& kind);

    // A drive switched on: its status is the power-on message ("73,cbm dos v2.6 1541,00,00").
    void addDrive(qint64 device, const QString& model,
                  std::optional<QByteArray> disk = std::nullopt);
    void setAdapterPresent(bool present);
    void setFault(const QString& name, const QString& value = QStringLiteral("1"));
    void clearFault(const QString& name);

    std::optional<QByteArray> disk(qint64 device) const;
    void insertDisk(qint64 device, std::optional<QByteArray> disk);

    // The error channel in lower case as `cbmctrl status` prints it ("00, ok,00,00").
    void setStatus(qint64 device, const QString& statusLine);
    QString status(qint64 device) const;

    void exportEnvironment() const;

private:
    QTemporaryDir folder;
};

} // namespace vellum::testing
