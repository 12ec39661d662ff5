#include "opencbm/DriveSettings.h"

namespace vellum {

QString toolWord(TransferMode mode) {
    switch (mode) {
    case TransferMode::automatic:
        return QStringLiteral("auto");
    case TransferMode::original:
        return QStringLiteral("original");
    case TransferMode::serial1:
        return QStringLiteral("serial1");
    case TransferMode::serial2:
        return QStringLiteral("serial2");
    case TransferMode::parallel:
        return QStringLiteral("parallel");
    }
    return {};
}

QString toolWord(ErrorMapMode mode) {
    switch (mode) {
    case ErrorMapMode::onErrors:
        return QStringLiteral("on_errors");
    case ErrorMapMode::always:
        return QStringLiteral("always");
    case ErrorMapMode::never:
        return QStringLiteral("never");
    }
    return {};
}

QStringList settingArguments(SettingsTool tool, const DriveSettings& settings) {
    QStringList arguments;
    if (!settings.plugin.isEmpty()) {
        arguments << QStringLiteral("-@") << settings.plugin;
    }
    const bool copiesImages = tool == SettingsTool::d64copy ||
                              tool == SettingsTool::d64copyTwoSided ||
                              tool == SettingsTool::imgcopy;
    const bool takesTransfer = copiesImages || tool == SettingsTool::cbmcopy;
    // imgcopy refuses a parallel transfer with a 1581: its own choice (original) is used.
    const bool refused =
        tool == SettingsTool::imgcopy && settings.transfer == TransferMode::parallel;
    if (takesTransfer && settings.transfer != TransferMode::automatic && !refused) {
        arguments << QStringLiteral("-t") << toolWord(settings.transfer);
    }
    // d64copy cannot warp with the original transfer or both sides; imgcopy only warns.
    const bool takesWarp =
        tool == SettingsTool::d64copy && settings.transfer != TransferMode::original;
    if (takesWarp && settings.warp == WarpMode::on) {
        arguments << QStringLiteral("-w");
    } else if (takesWarp && settings.warp == WarpMode::off) {
        arguments << QStringLiteral("--no-warp");
    }
    if (copiesImages && settings.retries) {
        arguments << QStringLiteral("-r") << QString::number(*settings.retries);
    }
    if (copiesImages && settings.errorMap != ErrorMapMode::onErrors) {
        arguments << QStringLiteral("-E") << toolWord(settings.errorMap);
    }
    return arguments;
}

DriveSettings slowRetrySettings(DriveSettings settings) {
    settings.transfer = TransferMode::original;
    settings.warp = WarpMode::off;
    return settings;
}

} // namespace vellum
