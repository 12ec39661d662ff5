#include "model/OpenCBMError.h"

namespace vellum {

OpenCBMError::OpenCBMError(Case errorCase) : kind(errorCase) {}

void OpenCBMError::finish() {
    utf8Description = errorDescription().toUtf8();
}

OpenCBMError OpenCBMError::toolNotFound(const QString& toolName,
                                        const QStringList& searchedFolders) {
    OpenCBMError error(Case::toolNotFound);
    error.payloadText = toolName;
    error.folders = searchedFolders;
    error.finish();
    return error;
}

OpenCBMError OpenCBMError::executionFailed(const QString& command, qint32 status,
                                           const QString& output) {
    OpenCBMError error(Case::executionFailed);
    error.commandText = command;
    error.exitStatus = status;
    error.outputText = output;
    error.finish();
    return error;
}

OpenCBMError OpenCBMError::parseError(const QString& message) {
    OpenCBMError error(Case::parseError);
    error.payloadText = message;
    error.finish();
    return error;
}

OpenCBMError OpenCBMError::invalidDiskName(const QString& message) {
    OpenCBMError error(Case::invalidDiskName);
    error.payloadText = message;
    error.finish();
    return error;
}

OpenCBMError OpenCBMError::wrongDrive(const QString& message) {
    OpenCBMError error(Case::wrongDrive);
    error.payloadText = message;
    error.finish();
    return error;
}

OpenCBMError OpenCBMError::diskFull(qint64 needed, qint64 free) {
    OpenCBMError error(Case::diskFull);
    error.neededBlocks = needed;
    error.freeBlocks = free;
    error.finish();
    return error;
}

#define VELLUM_SIMPLE_CASE(name)                                                                   \
    OpenCBMError OpenCBMError::name() {                                                            \
        OpenCBMError error(Case::name);                                                            \
        error.finish();                                                                            \
        return error;                                                                              \
    }

VELLUM_SIMPLE_CASE(cancelled)
VELLUM_SIMPLE_CASE(noDrive)
VELLUM_SIMPLE_CASE(invalidImage)
VELLUM_SIMPLE_CASE(nothingToCopy)
VELLUM_SIMPLE_CASE(unreadableFile)
VELLUM_SIMPLE_CASE(directoryRequired)

#undef VELLUM_SIMPLE_CASE

QString OpenCBMError::errorDescription() const {
    switch (kind) {
    case Case::toolNotFound: {
        const QString text = tr("OpenCBM tool “%1” was not found. Install OpenCBM from your "
                                "distribution's packages, or build it from source, then try "
                                "again.")
                                 .arg(payloadText);
        if (folders.isEmpty()) {
            return text;
        }
        return text + QLatin1Char(' ') +
               tr("Folders searched: %1.").arg(folders.join(QStringLiteral(", ")));
    }
    case Case::executionFailed: {
        const QString trimmedOutput = outputText.trimmed();
        if (!trimmedOutput.isEmpty()) {
            return trimmedOutput;
        }
        return tr("OpenCBM command failed (exit %1).").arg(exitStatus);
    }
    case Case::parseError:
    case Case::invalidDiskName:
    case Case::wrongDrive:
        return payloadText;
    case Case::diskFull:
        return tr("Not enough space on the floppy. Need %1 blocks, only %2 free.")
            .arg(neededBlocks)
            .arg(freeBlocks);
    case Case::cancelled:
        return tr("Stopped. If the drive was powered off, turn it on and click Detect.");
    case Case::noDrive:
        return tr("No IEC drive was detected. Check the ZoomFloppy connection and drive power.");
    case Case::invalidImage:
        return tr("The selected file is not a valid D64 image.");
    case Case::nothingToCopy:
        return tr("Select a file and use the arrows, or drag it onto the other pane.");
    case Case::unreadableFile:
        return tr("The selected file could not be read.");
    case Case::directoryRequired:
        return tr("Read the floppy directory first so Vellum can check free space.");
    }
    return {};
}

PlatformError::PlatformError(QString description)
    : descriptionText(std::move(description)), utf8Description(descriptionText.toUtf8()) {}

QString describeError(const std::exception& error) {
    if (const auto* cbmError = dynamic_cast<const OpenCBMError*>(&error)) {
        return cbmError->errorDescription();
    }
    if (const auto* platformError = dynamic_cast<const PlatformError*>(&error)) {
        return platformError->errorDescription();
    }
    return QString::fromUtf8(error.what());
}

} // namespace vellum
