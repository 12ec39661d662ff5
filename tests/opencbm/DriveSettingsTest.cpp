#include "opencbm/DriveSettings.h"

#include <gtest/gtest.h>

using namespace vellum;

TEST(DriveSettingsTest, DefaultsAddNothingToAnyTool) {
    for (SettingsTool tool :
         {SettingsTool::d64copy, SettingsTool::d64copyTwoSided, SettingsTool::imgcopy,
          SettingsTool::cbmcopy, SettingsTool::cbmformat, SettingsTool::cbmctrl}) {
        EXPECT_TRUE(settingArguments(tool, DriveSettings{}).isEmpty());
    }
}

namespace {

DriveSettings with(TransferMode transfer, WarpMode warp = WarpMode::toolDefault) {
    DriveSettings settings;
    settings.transfer = transfer;
    settings.warp = warp;
    return settings;
}

} // namespace

TEST(DriveSettingsTest, EachSettingReachesOnlyTheToolsThatTakeIt) {
    DriveSettings all;
    all.plugin = QStringLiteral("xum1541");
    all.transfer = TransferMode::serial2;
    all.warp = WarpMode::on;
    all.retries = 3;
    all.errorMap = ErrorMapMode::always;
    const struct {
        SettingsTool tool;
        DriveSettings settings;
        QString arguments;
    } cases[] = {
        {SettingsTool::d64copy, all, "-@ xum1541 -t serial2 -w -r 3 -E always"},
        {SettingsTool::d64copyTwoSided, all, "-@ xum1541 -t serial2 -r 3 -E always"},
        {SettingsTool::imgcopy, all, "-@ xum1541 -t serial2 -r 3 -E always"},
        {SettingsTool::cbmcopy, all, "-@ xum1541 -t serial2"},
        {SettingsTool::cbmformat, all, "-@ xum1541"},
        {SettingsTool::cbmctrl, all, "-@ xum1541"},
        {SettingsTool::imgcopy, with(TransferMode::parallel), ""},
        {SettingsTool::d64copy, with(TransferMode::automatic, WarpMode::off), "--no-warp"},
        {SettingsTool::d64copy, slowRetrySettings(all), "-@ xum1541 -t original -r 3 -E always"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(settingArguments(c.tool, c.settings).join(' '), c.arguments) << int(c.tool);
    }
}
