#include "model/FileNames.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "opencbm/ComputerSpace.h"
#include "opencbm/DriveImageFormats.h"
#include "opencbm/OpenCBMService.h"
#include "opencbm/ToolCommands.h"
#include "opencbm/ToolVerdicts.h"

#include <QFileInfo>

namespace vellum {

namespace {

bool isReadableFile(const QUrl& url) {
    const QFileInfo info(url.toLocalFile());
    return url.isLocalFile() && info.isFile() && info.isReadable();
}

TrackOrder trackOrder(DiskImageFormat format) {
    return format == DiskImageFormat::d71 ? TrackOrder::sidesAlternating : TrackOrder::ascending;
}

QString partlyWrittenText() {
    return OpenCBMService::tr("only part of the image could be written");
}

} // namespace

QCoro::Task<> OpenCBMService::saveDiskImage(qint64 device, QString driveModel,
                                            DiskImageFormat format, QUrl destination,
                                            ProgressCallback progress, QString shownName) {
    if (const std::optional<QString> refusal = imageFormatRefusal(driveModel, format, true)) {
        throw OpenCBMError::wrongDrive(*refusal);
    }
    const QString toolName = imageTransferTool(format);
    const QString tool = locateTool(toolName);
    if (shownName.isEmpty()) {
        shownName = destination.fileName();
    }
    const QString commandText =
        toolName + QLatin1Char(' ') + deviceText(device) + QLatin1Char(' ') + shownName;
    const QString imagePath = destination.toLocalFile();
    const CommandResult result =
        co_await run(tool, imageReadArguments(format, device, imagePath),
                     progressObserver(progress, transferredTrackCount(format), trackOrder(format)));
    // The image file may stop short while the drive reads on: the tool then prints write or
    // read errors, or nothing when its buffered writes fail unseen. A file system without
    // room for the rest is the usual reason, and the one to tell.
    const qint64 wholeImage = transferredImageBytes(format);
    const qint64 missing = wholeImage - storedBytes(imagePath);
    const std::optional<qint64> room = freeSpaceIn(QFileInfo(imagePath).absolutePath());
    const bool full = missing > 0 && room && *room < missing;
    if (full || d64copyCouldNotWriteImage(result)) {
        throw couldNotWrite(imagePath, full ? noSpaceLeftText() : partlyWrittenText());
    }
    judgeImageTransfer(result, commandText, format);
    if (QFileInfo(imagePath).size() < wholeImage) {
        throw couldNotWrite(imagePath, partlyWrittenText());
    }
    reportProgress(progress, 1.0);
}

QCoro::Task<> OpenCBMService::writeDiskImage(QUrl source, qint64 device, QString driveModel,
                                             ProgressCallback progress) {
    const DiskImageFormat format = diskImageFormatOf(source).value_or(DiskImageFormat::d64);
    if (const std::optional<QString> refusal = imageFormatRefusal(driveModel, format, false)) {
        throw OpenCBMError::wrongDrive(*refusal);
    }
    const QString toolName = imageTransferTool(format);
    const QString tool = locateTool(toolName);
    if (!isReadableFile(source)) {
        throw OpenCBMError::invalidImage();
    }
    const QString commandText =
        toolName + QLatin1Char(' ') + source.fileName() + QLatin1Char(' ') + deviceText(device);
    const CommandResult result =
        co_await run(tool, imageWriteArguments(format, source.toLocalFile(), device),
                     progressObserver(progress, transferredTrackCount(format), trackOrder(format)));
    judgeImageTransfer(result, commandText, format);
    reportProgress(progress, 1.0);
}

QCoro::Task<> OpenCBMService::readDiskImage(qint64 device, QUrl destination,
                                            ProgressCallback progress, QString shownName) {
    co_await saveDiskImage(device, QString(), DiskImageFormat::d64, std::move(destination),
                           std::move(progress), std::move(shownName));
}

QCoro::Task<> OpenCBMService::writeDiskImage(QUrl source, qint64 device,
                                             ProgressCallback progress) {
    co_await writeDiskImage(std::move(source), device, QString(), std::move(progress));
}

QCoro::Task<> OpenCBMService::readFile(qint64 device, QString driveModel, QString cbmName,
                                       QUrl destination, ProgressCallback progress,
                                       QStringList listedNames) {
    const QString tool = locateTool(QStringLiteral("cbmcopy"));
    const QString sentName = readableDriveName(cbmName, listedNames);
    const CommandResult result = co_await run(
        tool, cbmcopyReadArguments(device, driveModel, sentName, destination.toLocalFile()),
        progressObserver(progress, standardTrackCount));
    judgeCbmcopy(result, QStringLiteral("cbmcopy -r ") + cbmName);
}

QCoro::Task<> OpenCBMService::writeFile(qint64 device, QString driveModel, QUrl source,
                                        QString cbmName, ProgressCallback progress) {
    const QString tool = locateTool(QStringLiteral("cbmcopy"));
    if (!isReadableFile(source)) {
        throw OpenCBMError::unreadableFile();
    }
    const CommandResult result =
        co_await run(tool, cbmcopyWriteArguments(device, driveModel, source, cbmName),
                     progressObserver(progress, standardTrackCount));
    judgeCbmcopy(result, QStringLiteral("cbmcopy -w ") + source.fileName());
}

QCoro::Task<> OpenCBMService::formatDisk(qint64 device, QString driveModel, QString diskName,
                                         QString diskID, bool extended, ProgressCallback progress) {
    if (formatsWithDOSCommand(driveModel)) {
        co_await formatDiskDOS(device, diskName, diskID, std::move(progress));
        co_return;
    }
    const QString tool = locateTool(QStringLiteral("cbmformat"));
    const QString joinedName = joinedDiskName(diskName, diskID);
    const CommandResult result = co_await run(
        tool, cbmformatArguments(device, joinedName, extended),
        progressObserver(progress, extended ? extendedTrackCount : standardTrackCount));
    judgeCbmformat(result, QStringLiteral("cbmformat ") + deviceText(device) + QLatin1Char(' ') +
                               joinedName);
    reportProgress(progress, 1.0);
}

} // namespace vellum
