#pragma once

#include <QHashFunctions>
#include <QString>

namespace vellum {

// A drive on the IEC bus as the last detection reported it.
struct DriveInfo {
    qint64 deviceNumber = 8;
    QString model;
    QString extra;
    bool detected = false;

    // "Drive 8 — 1541", "Drive 8 — Unknown drive" for a model the tools cannot name, or
    // "Drive 9" when the model is blank.
    QString title() const;

    // The tools' own text for a drive they cannot name: "*unknown*, footprint=<DOB@>".
    bool isUnknownModel() const;

    friend bool operator==(const DriveInfo&, const DriveInfo&) = default;
};

inline size_t qHash(const DriveInfo& drive, size_t seed = 0) noexcept {
    return qHashMulti(seed, drive.deviceNumber, drive.model, drive.extra, drive.detected);
}

} // namespace vellum
