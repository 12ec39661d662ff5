#include "BusState.h"

#include "model/OpenCBMError.h"
#include "model/TextUtil.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <csignal>
#include <utility>

namespace vellum::sim {

namespace {

std::optional<QByteArray> readWholeFile(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw PlatformError(QStringLiteral("Could not read %1: %2").arg(path, file.errorString()));
    }
    return file.readAll();
}

QString readText(const QString& path) {
    return QString::fromUtf8(readWholeFile(path).value_or(QByteArray())).trimmed();
}

void makePath(const QString& path) {
    if (!QDir().mkpath(path)) {
        throw PlatformError(QStringLiteral("Could not create the folder %1.").arg(path));
    }
}

void removeFile(const QString& path) {
    if (QFile::exists(path) && !QFile::remove(path)) {
        throw PlatformError(QStringLiteral("Could not remove %1.").arg(path));
    }
}

} // namespace

const QList<QString>& knownFaults() {
    static const QList<QString> names = {
        QString::fromLatin1(fault::noAdapter),
        QString::fromLatin1(fault::noDrive),
        QString::fromLatin1(fault::hang),
        QString::fromLatin1(fault::ignoreSigint),
        QString::fromLatin1(fault::ignoreSigintSigterm),
        QString::fromLatin1(fault::failAtTrack),
        QString::fromLatin1(fault::nonUtf8),
        QString::fromLatin1(fault::secondsPerTrack),
        QString::fromLatin1(fault::imageSpace),
    };
    return names;
}

BusState::BusState(QString folder) : root(std::move(folder)) {}

void BusState::create() const {
    makePath(root + QStringLiteral("/faults"));
    makePath(root + QStringLiteral("/drives"));
}

bool BusState::adapterPresent() const {
    return !hasFault(QString::fromLatin1(fault::noAdapter));
}

void BusState::setAdapterPresent(bool present) const {
    if (present) {
        clearFault(QString::fromLatin1(fault::noAdapter));
    } else {
        setFault(QString::fromLatin1(fault::noAdapter), QStringLiteral("1"));
    }
}

QString BusState::faultPath(const QString& name) const {
    return root + QStringLiteral("/faults/") + name;
}

std::optional<QString> BusState::faultValue(const QString& name) const {
    if (!QFile::exists(faultPath(name))) {
        return std::nullopt;
    }
    return readText(faultPath(name));
}

void BusState::setFault(const QString& name, const QString& value) const {
    makePath(root + QStringLiteral("/faults"));
    writeFileAtomically(faultPath(name), value.toUtf8() + '\n');
}

void BusState::clearFault(const QString& name) const {
    removeFile(faultPath(name));
}

double BusState::faultNumber(const QString& name, double fallback) const {
    const std::optional<QString> value = faultValue(name);
    if (!value) {
        return fallback;
    }
    return readDecimal(*value).value_or(fallback);
}

QString BusState::drivePath(qint64 device) const {
    return root + QStringLiteral("/drives/") + QString::number(device);
}

QString BusState::diskPath(qint64 device, qint64 diskSize) const {
    // With or without their error bytes.
    for (const auto& [extension, blocks] : {std::pair{"d71", 1366}, std::pair{"d81", 3200}}) {
        if (diskSize == blocks * 256 || diskSize == blocks * 257) {
            return drivePath(device) + QStringLiteral("/disk.") + QLatin1String(extension);
        }
    }
    return drivePath(device) + QStringLiteral("/disk.d64");
}

QList<qint64> BusState::devices() const {
    QList<qint64> found;
    const QStringList names =
        QDir(root + QStringLiteral("/drives")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (const std::optional<qint64> device = readInt64(name)) {
            found << *device;
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool BusState::hasDrive(qint64 device) const {
    return QFile::exists(drivePath(device) + QStringLiteral("/model"));
}

void BusState::addDrive(qint64 device, const QString& model) const {
    makePath(drivePath(device));
    writeFileAtomically(drivePath(device) + QStringLiteral("/model"), model.toUtf8() + '\n');
    setStatus(device, powerOnStatus(model));
    setDoubleSidedMode(device, false);
}

bool BusState::readsBothSides(qint64 device) const {
    return is1571(model(device)) && QFile::exists(drivePath(device) + QStringLiteral("/1571-mode"));
}

void BusState::setDoubleSidedMode(qint64 device, bool on) const {
    const QString path = drivePath(device) + QStringLiteral("/1571-mode");
    if (on) {
        writeFileAtomically(path, "1\n");
    } else {
        removeFile(path);
    }
}

QString BusState::model(qint64 device) const {
    return readText(drivePath(device) + QStringLiteral("/model"));
}

std::optional<QByteArray> BusState::disk(qint64 device) const {
    for (const qint64 size : {0, 1366 * 256, 3200 * 256}) {
        if (std::optional<QByteArray> disk = readWholeFile(diskPath(device, size))) {
            return disk;
        }
    }
    return std::nullopt;
}

void BusState::setDisk(qint64 device, const std::optional<QByteArray>& disk) const {
    makePath(drivePath(device));
    // The new disk first, so that a stopped tool never leaves the drive empty.
    if (disk) {
        writeFileAtomically(diskPath(device, disk->size()), *disk);
    }
    for (const qint64 size : {0, 1366 * 256, 3200 * 256}) {
        if (!disk || diskPath(device, size) != diskPath(device, disk->size())) {
            removeFile(diskPath(device, size));
        }
    }
}

QString BusState::status(qint64 device) const {
    return readText(drivePath(device) + QStringLiteral("/status"));
}

void BusState::setStatus(qint64 device, const QString& statusLine) const {
    makePath(drivePath(device));
    writeFileAtomically(drivePath(device) + QStringLiteral("/status"), statusLine.toUtf8() + '\n');
}

bool is1571(const QString& model) {
    return model.contains(QLatin1String("1571"));
}

bool is1581(const QString& model) {
    return model.contains(QLatin1String("1581"));
}

QString powerOnStatus(const QString& model) {
    if (is1581(model)) {
        return QStringLiteral("73,copyright cbm dos v10 1581,00,00");
    }
    if (model.contains(QLatin1String("1571")) || model.contains(QLatin1String("1570"))) {
        return QStringLiteral("73,cbm dos v3.0 1571,00,00");
    }
    return QStringLiteral("73,cbm dos v2.6 1541,00,00");
}

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    sigset_t stopSignals;
    sigset_t previous;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, &previous);

    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    const QString problem = file.errorString();

    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (!written) {
        throw PlatformError(QStringLiteral("Could not write %1: %2").arg(path, problem));
    }
}

} // namespace vellum::sim
