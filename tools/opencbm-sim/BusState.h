#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace vellum::sim {

// Names of the fault switches kept in the bus folder.
namespace fault {
inline constexpr auto noAdapter = "no-adapter";
inline constexpr auto noDrive = "no-drive";
inline constexpr auto hang = "hang";
inline constexpr auto ignoreSigint = "ignore-sigint";
inline constexpr auto ignoreSigintSigterm = "ignore-sigint-sigterm";
inline constexpr auto failAtTrack = "fail-at-track";
inline constexpr auto nonUtf8 = "non-utf8";
inline constexpr auto secondsPerTrack = "seconds-per-track";
inline constexpr auto imageSpace = "image-space";
} // namespace fault

// Every switch name that `opencbm-sim fault` accepts.
const QList<QString>& knownFaults();

// The simulated IEC bus, kept as plain files in one folder so that each tool run (a
// process of its own) sees what the previous one left:
//   faults/NAME            a set switch, holding its value
//   drives/N/model         the model text that `cbmctrl detect` prints
//   drives/N/status        the drive's error channel, in lower case as `cbmctrl status` prints it
//   drives/N/disk.d64      the inserted disk, named .d64, .d71 or .d81 for its size; no file
//                          means no disk
//   drives/N/1571-mode     present while a 1571 is switched to 1571 mode ("U0>M1"); a 1571
//                          starts in 1541 mode and returns to it on reset
// The adapter counts as absent while the `no-adapter` switch is set.
class BusState {
public:
    explicit BusState(QString folder);

    const QString& folder() const { return root; }

    // Creates the folder and its subfolders; throws PlatformError when that fails.
    void create() const;

    bool adapterPresent() const;
    void setAdapterPresent(bool present) const;

    std::optional<QString> faultValue(const QString& name) const;
    bool hasFault(const QString& name) const { return faultValue(name).has_value(); }
    void setFault(const QString& name, const QString& value) const;
    void clearFault(const QString& name) const;
    // A numeric switch read as a number; unset or unreadable gives `fallback`.
    double faultNumber(const QString& name, double fallback) const;

    QList<qint64> devices() const;
    bool hasDrive(qint64 device) const;
    void addDrive(qint64 device, const QString& model) const;
    QString model(qint64 device) const;

    std::optional<QByteArray> disk(qint64 device) const;
    // Writes the disk whole and atomically; nothing removes the disk.
    void setDisk(qint64 device, const std::optional<QByteArray>& disk) const;

    // Whether the drive reads both sides of a disk: a 1571 in 1571 mode.
    bool readsBothSides(qint64 device) const;
    void setDoubleSidedMode(qint64 device, bool on) const;

    QString status(qint64 device) const;
    void setStatus(qint64 device, const QString& statusLine) const;

    QString drivePath(qint64 device) const;
    // Where the disk of this size is kept ("disk.d64", "disk.d71" or "disk.d81").
    QString diskPath(qint64 device, qint64 diskSize) const;

private:
    QString faultPath(const QString& name) const;

    QString root;
};

// The drive families the tools tell apart by the model text.
bool is1571(const QString& model);
bool is1581(const QString& model);

// The status a drive of this model shows after power-on ("73,cbm dos v2.6 1541,00,00").
QString powerOnStatus(const QString& model);

// Writes `bytes` to `path` whole and atomically, with SIGINT and SIGTERM held back while the
// file is replaced, so that a stopped tool never leaves half a file.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace vellum::sim
