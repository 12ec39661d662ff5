#include "opencbm/ToolVerdicts.h"

#include "model/DriveSentences.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"
#include "model/ToolOutputParsers.h"
#include "opencbm/ToolCommands.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace vellum {

namespace {

QStringList meaningfulLines(const QString& text) {
    static const QRegularExpression lineBreaks(
        QStringLiteral("\r\n|[\r\n\u000B\u000C\u0085\u2028\u2029]"));
    QStringList lines;
    for (const QString& rawLine : text.split(lineBreaks)) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("xum1541cfg: illegal")) ||
            line.compare(QLatin1String("finding device..."), Qt::CaseInsensitive) == 0) {
            continue;
        }
        lines << line;
    }
    return lines;
}

// "21,read error,18,00" gives 21.
std::optional<int> driveStatusCode(const QString& line) {
    const auto status = parseDriveStatusLine(line);
    return status ? std::optional(status->code) : std::nullopt;
}

// A run that exited 0 but failed still needs a non-zero status in its error.
qint32 failureStatus(const CommandResult& result) {
    return result.exitCode != 0 ? result.exitCode : 1;
}

[[noreturn]] void failWithOutput(const CommandResult& result, const QString& commandText) {
    throw OpenCBMError::executionFailed(commandText, failureStatus(result),
                                        result.combinedOutput());
}

bool hasFatalLine(const QString& output) {
    return output.contains(QLatin1String("[Fatal]"));
}

} // namespace

std::optional<QString> firstMeaningfulLine(const QString& text) {
    const QStringList lines = meaningfulLines(text);
    if (lines.isEmpty()) {
        return std::nullopt;
    }
    return lines.first();
}

AdapterProbe judgeAdapterProbe(const CommandResult& result) {
    const QString combined = result.combinedOutput();
    const QString lowered = combined.toLower();
    bool present = false;
    for (const auto& [phrase, meansPresent] :
         {std::pair{"no xum1541", false}, std::pair{"no devices found", false},
          std::pair{"can't init libusb", false}, std::pair{"cannot init libusb", false},
          std::pair{"error: no xum1541", false}, std::pair{"xum1541 device", true},
          std::pair{"firmware version", true}}) {
        if (lowered.contains(QLatin1String(phrase))) {
            present = meansPresent;
            break;
        }
    }
    if (present) {
        return AdapterProbe{
            true, QCoreApplication::translate("vellum::OpenCBMService", "ZoomFloppy detected"),
            firstMeaningfulLine(result.stdoutText)
                .value_or(firstMeaningfulLine(combined).value_or(QCoreApplication::translate(
                    "vellum::OpenCBMService", "USB adapter responding.")))};
    }
    return AdapterProbe{
        false, QCoreApplication::translate("vellum::OpenCBMService", "ZoomFloppy not found"),
        firstMeaningfulLine(combined).value_or(QCoreApplication::translate(
            "vellum::OpenCBMService", "Plug in the ZoomFloppy and try Detect again."))};
}

QList<DriveInfo> judgeDetect(const CommandResult& result) {
    const QString combined = result.combinedOutput();
    // cbmctrl says "no drive answered" by exiting 1 without a word.
    if (result.exitCode == 1 && combined.trimmed().isEmpty()) {
        return {};
    }
    if (result.exitCode != 0) {
        throw OpenCBMError::executionFailed(QStringLiteral("cbmctrl detect"), result.exitCode,
                                            combined);
    }
    return parseDetectedDrives(combined);
}

QString judgeDriveStatus(const CommandResult& result, qint64 device) {
    const QString commandText = QStringLiteral("cbmctrl status ") + QString::number(device);
    const QString combined = result.combinedOutput();
    if (const auto line = firstMeaningfulLine(combined)) {
        if (result.exitCode != 0) {
            throw OpenCBMError::executionFailed(commandText, result.exitCode, *line);
        }
        return *line;
    }
    const QString text = combined.trimmed();
    if (result.exitCode != 0) {
        throw OpenCBMError::executionFailed(commandText, result.exitCode, text);
    }
    return text.isEmpty() ? QStringLiteral("00, OK,00,00") : text;
}

DiskDirectory judgeDirectory(const CommandResult& result, qint64 device) {
    const QString commandText = QStringLiteral("cbmctrl dir ") + QString::number(device);
    const QString combined = result.combinedOutput();
    if (result.exitCode != 0) {
        throw OpenCBMError::executionFailed(commandText, result.exitCode, combined);
    }
    // An unreadable disk makes cbmctrl print only the drive's error and exit 0.
    const QStringList lines = meaningfulLines(combined);
    if (lines.size() == 1) {
        if (const auto code = driveStatusCode(lines.first()); code && *code >= 20) {
            throw OpenCBMError::executionFailed(commandText, 1, lines.first());
        }
    }
    return parseDirectoryListing(combined);
}

bool isSuccessfulDriveStatus(const QString& statusText) {
    const QString upper = statusText.toUpper();
    return upper.isEmpty() || upper.contains(QLatin1String("OK")) ||
           upper.startsWith(QLatin1String("01,")) || upper.startsWith(QLatin1String("00,"));
}

void judgeDriveStatusAfterCommand(const QString& commandText, const QString& statusText) {
    if (!isSuccessfulDriveStatus(statusText)) {
        throw OpenCBMError::executionFailed(commandText, 1, statusText);
    }
}

void judgeExitStatus(const CommandResult& result, const QString& commandText) {
    if (result.exitCode != 0) {
        failWithOutput(result, commandText);
    }
}

void judgeD64Copy(const CommandResult& result, const QString& commandText) {
    judgeImageTransfer(result, commandText, DiskImageFormat::d64);
}

void judgeImageTransfer(const CommandResult& result, const QString& commandText,
                        DiskImageFormat format) {
    judgeExitStatus(result, commandText);
    const QString combined = result.combinedOutput();
    if (hasFatalLine(combined)) {
        failWithOutput(result, commandText);
    }
    static const QRegularExpression sectorTotal(
        QStringLiteral("copying tracks \\d+-\\d+ \\((\\d+) sectors\\)"));
    static const QRegularExpression blocksCopied(
        QStringLiteral("(?:^|\\s)(\\d+) blocks copied\\."));
    const auto totalMatch = sectorTotal.match(combined);
    const qint64 expected = totalMatch.hasMatch() ? totalMatch.captured(1).toLongLong()
                                                  : transferredImageBytes(format) / 256;
    auto copied = blocksCopied.globalMatch(combined);
    std::optional<qint64> lastCount;
    while (copied.hasNext()) {
        lastCount = copied.next().captured(1).toLongLong();
    }
    if (lastCount != expected) {
        failWithOutput(result, commandText);
    }
}

bool d64copyCouldNotWriteImage(const CommandResult& result) {
    return result.combinedOutput().contains(QLatin1String("[Warning] write error:"));
}

void judgeCbmcopy(const CommandResult& result, const QString& commandText) {
    judgeExitStatus(result, commandText);
    const QString combined = result.combinedOutput();
    if (hasFatalLine(combined) || combined.contains(QLatin1String("error reading")) ||
        combined.contains(QLatin1String("ended with error status"))) {
        failWithOutput(result, commandText);
    }
}

void judgeCbmformat(const CommandResult& result, const QString& commandText) {
    judgeExitStatus(result, commandText);
    std::optional<QString> status;
    for (const QString& line : meaningfulLines(result.combinedOutput())) {
        if (driveStatusCode(line)) {
            status = line;
        }
    }
    if (!status || !(status->startsWith(QLatin1String("00,")) ||
                     status->toUpper().contains(QLatin1String("OK")))) {
        failWithOutput(result, commandText);
    }
}

} // namespace vellum
