#include "opencbm/ToolCommands.h"

#include "model/FileNames.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

namespace vellum {

QString deviceText(qint64 device) {
    return QString::number(device);
}

QString dosRenameString(const QString& oldName, const QString& newName) {
    return QStringLiteral("r0:") + newName.toLower() + QLatin1Char('=') + oldName.toLower();
}

QString dosScratchString(const QString& name) {
    return QStringLiteral("s0:") + name.toLower();
}

QString dosNewDiskString(const QString& diskName, const QString& diskID) {
    return QStringLiteral("n0:") + joinedDiskName(diskName, diskID);
}

QStringList dosCommandArguments(qint64 device, const QString& dosString) {
    return {QStringLiteral("--petscii"), QStringLiteral("command"), deviceText(device), dosString};
}

QString dosCommandText(qint64 device, const QString& dosString) {
    return QStringLiteral("cbmctrl command ") + deviceText(device) + QLatin1Char(' ') + dosString;
}

namespace {

const QString& reservedNameCharacters() {
    static const QString reserved = QStringLiteral("*?,=:");
    return reserved;
}

// The drive's rule for a pattern without "*": as long as the name, "?" standing for any one
// character. Letter case is ignored, so a listing that cannot tell two names apart refuses.
bool singleCharacterPatternMatches(const QString& pattern, const QString& name) {
    if (pattern.size() != name.size()) {
        return false;
    }
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern.at(i) != QLatin1Char('?') &&
            pattern.at(i).toCaseFolded() != name.at(i).toCaseFolded()) {
            return false;
        }
    }
    return true;
}

} // namespace

QString readableDriveName(const QString& name, const QStringList& listedNames) {
    QString pattern = name;
    for (QChar& character : pattern) {
        if (reservedNameCharacters().contains(character)) {
            character = QLatin1Char('?');
        }
    }
    if (pattern == name) {
        return name;
    }
    const auto matches =
        std::count_if(listedNames.begin(), listedNames.end(), [&](const QString& listed) {
            return singleCharacterPatternMatches(pattern, listed);
        });
    const bool listed =
        std::any_of(listedNames.begin(), listedNames.end(), [&](const QString& each) {
            return each.compare(name, Qt::CaseInsensitive) == 0;
        });
    if (matches != 1 || !listed) {
        refuseDrivePatternName(name);
    }
    return pattern;
}

void refuseDrivePatternName(const QString& name) {
    for (const QChar character : name) {
        if (reservedNameCharacters().contains(character)) {
            throw OpenCBMError::invalidDiskName(
                QCoreApplication::translate(
                    "vellum::OpenCBMService",
                    "“%1” was not sent to the drive: its name holds “%2”, which the drive reads as "
                    "a pattern or a separator and could act on other files.")
                    .arg(name, QString(character)));
        }
    }
}

std::optional<QString> driveTypeArgument(const QString& driveModel) {
    const QString model = driveModel.toUpper();
    for (const char* type : {"1581", "1571", "1570", "1541"}) {
        if (model.contains(QLatin1String(type))) {
            return QString::fromLatin1(type);
        }
    }
    return std::nullopt;
}

bool formatsWithDOSCommand(const QString& driveModel) {
    const QString model = driveModel.toUpper();
    for (const char* type : {"1570", "1571", "1581"}) {
        if (model.contains(QLatin1String(type))) {
            return true;
        }
    }
    return false;
}

QString cbmcopyTypeLetter(CBMFileType type) {
    switch (type) {
    case CBMFileType::seq:
        return QStringLiteral("S");
    case CBMFileType::usr:
        return QStringLiteral("U");
    case CBMFileType::del:
        return QStringLiteral("D");
    case CBMFileType::prg:
    case CBMFileType::rel:
    case CBMFileType::other:
        break;
    }
    return QStringLiteral("P");
}

QStringList cbmcopyReadArguments(qint64 device, const QString& driveModel, const QString& cbmName,
                                 const QString& destinationPath) {
    QStringList arguments{QStringLiteral("-r"), QStringLiteral("-v")};
    if (const auto type = driveTypeArgument(driveModel)) {
        arguments << QStringLiteral("-d") << *type;
    }
    arguments << QStringLiteral("-o") << destinationPath << deviceText(device) << cbmName.toLower();
    return arguments;
}

QStringList cbmcopyWriteArguments(qint64 device, const QString& driveModel, const QUrl& source,
                                  const QString& cbmName) {
    QStringList arguments{QStringLiteral("-w"), QStringLiteral("-v")};
    if (const auto type = driveTypeArgument(driveModel)) {
        arguments << QStringLiteral("-d") << *type;
    }
    arguments << QStringLiteral("-f") << cbmcopyTypeLetter(cbmFileType(source));
    arguments << QStringLiteral("-o") << cbmName.toLower();
    const QString extension = QFileInfo(source.path()).suffix().toLower();
    if (extension != QLatin1String("p00") && extension != QLatin1String("t64")) {
        arguments << QStringLiteral("-R");
    }
    arguments << deviceText(device) << source.toLocalFile();
    return arguments;
}

QString joinedDiskName(const QString& diskName, const QString& diskID) {
    return diskName.toLower() + QLatin1Char(',') + diskID.toLower();
}

QStringList cbmformatArguments(qint64 device, const QString& joinedName, bool extended) {
    QStringList arguments{QStringLiteral("-p"), QStringLiteral("-s")};
    if (extended) {
        arguments << QStringLiteral("-x");
    }
    arguments << deviceText(device) << joinedName;
    return arguments;
}

QStringList d64copyReadArguments(qint64 device, const QString& destinationPath) {
    return imageReadArguments(DiskImageFormat::d64, device, destinationPath);
}

QStringList d64copyWriteArguments(const QString& sourcePath, qint64 device) {
    return imageWriteArguments(DiskImageFormat::d64, sourcePath, device);
}

namespace {

// Only the option that picks the side count or the drive sets the formats apart.
QStringList formatOptions(DiskImageFormat format) {
    switch (format) {
    case DiskImageFormat::d71:
        return {QStringLiteral("-2")};
    case DiskImageFormat::d81:
        return {QStringLiteral("-d"), QStringLiteral("1581")};
    case DiskImageFormat::d64:
        break;
    }
    return {};
}

} // namespace

QString imageTransferTool(DiskImageFormat format) {
    return format == DiskImageFormat::d81 ? QStringLiteral("imgcopy") : QStringLiteral("d64copy");
}

QStringList imageReadArguments(DiskImageFormat format, qint64 device,
                               const QString& destinationPath) {
    return QStringList{QStringLiteral("-v")} + formatOptions(format) +
           QStringList{deviceText(device), destinationPath};
}

QStringList imageWriteArguments(DiskImageFormat format, const QString& sourcePath, qint64 device) {
    return QStringList{QStringLiteral("-v")} + formatOptions(format) +
           QStringList{sourcePath, deviceText(device)};
}

qint64 transferredImageBytes(DiskImageFormat format) {
    switch (format) {
    case DiskImageFormat::d71:
        return 2 * d64copyImageBytes;
    case DiskImageFormat::d81:
        return 80 * 40 * 256;
    case DiskImageFormat::d64:
        break;
    }
    return d64copyImageBytes;
}

qint64 transferredTrackCount(DiskImageFormat format) {
    switch (format) {
    case DiskImageFormat::d71:
        return 2 * standardTrackCount;
    case DiskImageFormat::d81:
        return 80;
    case DiskImageFormat::d64:
        break;
    }
    return standardTrackCount;
}

QString dosDoubleSidedModeString() {
    return QStringLiteral("u0>m1");
}

} // namespace vellum
