#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>

namespace vellum {

// How OpenCBM moves data between the adapter and the drive. `automatic` lets the tool
// choose, as it does when given no transfer mode.
enum class TransferMode { automatic, original, serial1, serial2, parallel };

// When a disk's error map (one byte a sector) is appended to a saved image.
enum class ErrorMapMode { onErrors, always, never };

// Warp leaves it to the tool unless the user chose.
enum class WarpMode { toolDefault, on, off };

// What the user chose on the Drive page. The defaults add nothing to any command line.
struct DriveSettings {
    QString plugin; // empty: OpenCBM's default adapter plugin
    TransferMode transfer = TransferMode::automatic;
    WarpMode warp = WarpMode::toolDefault;
    std::optional<int> retries; // the tool's own count when absent
    ErrorMapMode errorMap = ErrorMapMode::onErrors;
    int watchdogSeconds = 30;

    friend bool operator==(const DriveSettings&, const DriveSettings&) = default;
};

// The tools, by the options they take.
enum class SettingsTool {
    d64copy,         // one side of a 1541/1570/1571 disk
    d64copyTwoSided, // both sides of a 1571 disk: no warp
    imgcopy,         // a 1581: no parallel transfer, warp only warns
    cbmcopy,
    cbmformat,
    cbmctrl,
};

// The options the settings give `tool`, to stand before its other arguments. A setting
// the tool does not take is left out, never passed for the tool to refuse.
QStringList settingArguments(SettingsTool tool, const DriveSettings& settings);

// The same job slowly: the original transfer and no warp, for a drive that went quiet.
DriveSettings slowRetrySettings(DriveSettings settings);

// "auto", "original", "serial1", "serial2", "parallel": the tools' own words.
QString toolWord(TransferMode mode);
QString toolWord(ErrorMapMode mode);

} // namespace vellum
