#include "opencbm/DriveImageFormats.h"

#include "opencbm/ToolCommands.h"

#include <QCoreApplication>

namespace vellum {

namespace {

// The blocks one side of a 1541-format disk offers files.
constexpr qint64 singleSideBlocks = 664;

QString tr(const char* text) {
    return QCoreApplication::translate("vellum::DriveImageFormats", text);
}

} // namespace

QString driveFamily(const QString& driveModel) {
    return driveTypeArgument(driveModel).value_or(QStringLiteral("1541"));
}

QList<DiskImageFormat> imageFormatsForDrive(const QString& driveModel) {
    const QString family = driveFamily(driveModel);
    if (family == QLatin1String("1581")) {
        return {DiskImageFormat::d81};
    }
    if (family == QLatin1String("1571")) {
        return {DiskImageFormat::d64, DiskImageFormat::d71};
    }
    return {DiskImageFormat::d64};
}

DiskImageFormat savedImageFormat(const QString& driveModel, bool doubleSidedDisk) {
    const QList<DiskImageFormat> formats = imageFormatsForDrive(driveModel);
    if (doubleSidedDisk && formats.contains(DiskImageFormat::d71)) {
        return DiskImageFormat::d71;
    }
    return formats.first();
}

std::optional<QString> imageFormatRefusal(const QString& driveModel, DiskImageFormat format,
                                          bool saving) {
    if (imageFormatsForDrive(driveModel).contains(format)) {
        return std::nullopt;
    }
    QString needed;
    switch (format) {
    case DiskImageFormat::d64:
        needed = tr("a 1541, 1570 or 1571 drive");
        break;
    case DiskImageFormat::d71:
        needed = tr("a 1571 drive");
        break;
    case DiskImageFormat::d81:
        needed = tr("a 1581 drive");
        break;
    }
    const QString sentence = saving ? tr("A %1 cannot make a %2 image: it needs %3.")
                                    : tr("A %1 cannot write a %2 image: it needs %3.");
    return sentence.arg(driveFamily(driveModel), displayName(format), needed);
}

bool needsDoubleSidedModeSwitch(const QString& driveModel) {
    return driveFamily(driveModel) == QLatin1String("1571");
}

bool isDoubleSidedListing(const DiskDirectory& directory) {
    qint64 blocks = directory.blocksFree.value_or(0);
    for (const DirectoryEntry& entry : directory.entries) {
        blocks += entry.blocks;
    }
    return blocks > singleSideBlocks;
}

} // namespace vellum
