#include "opencbm/ToolVerdicts.h"
#include "FailureOf.h"
#include "model/OpenCBMError.h"

#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

CommandResult result(qint32 exitCode, const QString& out, const QString& err = {}) {
    return CommandResult{exitCode, out, err};
}

const QString d64copyRead = QStringLiteral(
    "\r 1: *--------------------     0%     1/683\r 1: *********************     3%    21/683"
    "\r 1: *********************                \n"
    "\r35: *****************       100%   683/683\n683 blocks copied.\n");
const QString d64copyInfo =
    QStringLiteral("[Info] Trying to identify drive type\n[Info] drive 08 (1541): 00, OK,00,00\r\n"
                   "[Info] copying tracks 1-35 (683 sectors)\n");

} // namespace

TEST(ToolVerdicts, FirstMeaningfulLineSkipsChatter) {
    EXPECT_EQ(firstMeaningfulLine("\n  finding device...\r\nFINDING DEVICE...\n"
                                  "xum1541cfg: illegal option\n  73,cbm dos v2.6 1541,00,00 \n"),
              "73,cbm dos v2.6 1541,00,00");
    EXPECT_EQ(firstMeaningfulLine("finding device...\n \n"), std::nullopt);
}

TEST(ToolVerdicts, AdapterProbeTestsAbsenceBeforePresence) {
    const AdapterProbe present = judgeAdapterProbe(result(
        1, "xum1541 device, model 2 (ZOOMFLOPPY), firmware version 8\n", "finding device...\n"));
    EXPECT_EQ(present, (AdapterProbe{true, "ZoomFloppy detected",
                                     "xum1541 device, model 2 (ZOOMFLOPPY), firmware version 8"}));
    EXPECT_EQ(judgeAdapterProbe(result(0, "", "Firmware version 7")).detail, "Firmware version 7");
    EXPECT_EQ(judgeAdapterProbe(result(1, "", "error: no xum1541 device found\n")),
              (AdapterProbe{false, "ZoomFloppy not found", "error: no xum1541 device found"}));
    EXPECT_EQ(judgeAdapterProbe(result(1, "xum1541 device\n", "no devices found\n")).present,
              false);
    EXPECT_EQ(judgeAdapterProbe(result(1, "", "finding device...\nfinding device...\n")),
              (AdapterProbe{false, "ZoomFloppy not found",
                            "Plug in the ZoomFloppy and try Detect again."}));
}

TEST(ToolVerdicts, DetectStatusAndDirectory) {
    EXPECT_TRUE(judgeDetect(result(1, "", "")).isEmpty());
    EXPECT_EQ(
        failureOf([] { judgeDetect(result(255, "", "error: no xum1541 device found")); }),
        OpenCBMError::executionFailed("cbmctrl detect", 255, "error: no xum1541 device found"));

    EXPECT_EQ(judgeDriveStatus(result(0, ""), 8), "00, OK,00,00");
    EXPECT_EQ(judgeDriveStatus(result(0, "finding device...\n73,cbm dos v2.6 1541,00,00\n"), 8),
              "73,cbm dos v2.6 1541,00,00");
    EXPECT_EQ(failureOf([] { judgeDriveStatus(result(1, "99, driver error,00,00\n"), 9); }),
              OpenCBMError::executionFailed("cbmctrl status 9", 1, "99, driver error,00,00"));

    // A listing of only a drive error is a failure, not an empty disk.
    EXPECT_EQ(failureOf([] { judgeDirectory(result(0, "21,read error,18,00\n"), 8); }),
              OpenCBMError::executionFailed("cbmctrl dir 8", 1, "21,read error,18,00"));
    EXPECT_EQ(judgeDirectory(result(0, "00, ok,00,00\n"), 8), DiskDirectory());
}

TEST(ToolVerdicts, DriveStatusAfterADOSCommand) {
    for (const char* ok : {"", "00, ok,00,00", "01, files scratched,01,00", "73,OK"}) {
        EXPECT_TRUE(isSuccessfulDriveStatus(ok)) << ok;
    }
    for (const char* bad : {"62, file not found,00,00", "63, FILE EXISTS,00,00",
                            "74,drive not ready,00,00", "73,cbm dos v2.6 1541,00,00"}) {
        EXPECT_FALSE(isSuccessfulDriveStatus(bad)) << bad;
    }
    EXPECT_EQ(failureOf([] {
                  judgeDriveStatusAfterCommand("cbmctrl command 8 s0:x",
                                               "62, file not found,00,00");
              }).errorDescription(),
              "62, file not found,00,00");
}

TEST(ToolVerdicts, ImageTransfersNeedEveryBlockCopied) {
    const OpenCBMError notReady = failureOf([] {
        judgeD64Copy(result(0, "", "[Fatal] drive 08 (1541): 74,DRIVE NOT READY,00,00\r\n"),
                     "d64copy 8 a.d64");
    });
    EXPECT_EQ(notReady.command(), "d64copy 8 a.d64");
    EXPECT_TRUE(notReady.errorDescription().contains("74,DRIVE NOT READY"));

    QString partial = d64copyRead;
    partial.replace("683 blocks copied.", "675 blocks copied.");
    const QString forty = "[Info] copying tracks 1-40 (768 sectors)\n";
    struct Case {
        DiskImageFormat format;
        qint32 exitCode;
        QString out;
        QString err;
        bool whole;
    };
    using F = DiskImageFormat;
    const QList<Case> cases = {
        {F::d64, 0, d64copyRead, d64copyInfo, true},
        {F::d64, 0, d64copyRead, {}, true},
        {F::d64, 0, partial, "[Warning] read error: 0c/05: 5\n", false},
        {F::d64, 0, "\r 1: *---  0%  1/683\n", {}, false},
        {F::d64, 1, d64copyRead, "SIGINT caught X-(  Resetting IEC bus...", false},
        {F::d64, 0, d64copyRead, "[Fatal] 1581 drives are not supported", false},
        // A 40-track copy announces its own sector count.
        {F::d64, 0, "768 blocks copied.\n", forty, true},
        {F::d64, 0, "683 blocks copied.\n", forty, false},
        {F::d71, 0, "1366 blocks copied.\n", {}, true},
        {F::d71, 0, "683 blocks copied.\n", {}, false}, // one side only
        {F::d81, 0, "uploading drivecode 8\n\n3200 blocks copied.\n",
         "[Info] copying tracks 1-80 (3200 sectors)\n", true},
        {F::d81, 0, "\n3160 blocks copied.\n", "[Warning] read error: 29/00: 5\n", false},
        {F::d81, 0, {}, "[Fatal] drive is not supported\n", false},
        {F::d81, 0, {}, "[Fatal] transfer mode not allowed for this drive type\n", false},
    };
    for (const Case& each : cases) {
        const auto judge = [&] {
            judgeImageTransfer(result(each.exitCode, each.out, each.err), "x", each.format);
        };
        if (each.whole) {
            EXPECT_NO_THROW(judge()) << each.out.toStdString();
        } else {
            EXPECT_THROW(judge(), OpenCBMError) << each.out.toStdString();
        }
    }
}

TEST(ToolVerdicts, CbmcopyAndCbmformatAreJudgedOnTheirOutput) {
    const QString spinner = "\b.\\\b|\b/\b-\n";
    EXPECT_NO_THROW(judgeCbmcopy(
        result(0, spinner, "[Info] writing /u/GAME.PRG -> game,p,w\n[Info] 00, OK,00,00\r\n"),
        "cbmcopy -w GAME.PRG"));
    for (const char* err :
         {"[Fatal] could not open file for writing: 63, FILE EXISTS,00,00\r\n",
          "[Warning] error reading nosuch\n", "file copy ended with error status: 1\n"}) {
        EXPECT_EQ(failureOf([&] { judgeCbmcopy(result(0, "", err), "cbmcopy -r nosuch"); }),
                  OpenCBMError::executionFailed("cbmcopy -r nosuch", 1, err));
    }
    EXPECT_EQ(failureOf([] { judgeCbmcopy(result(255, "", "error: no xum1541"), "c"); }).status(),
              255);

    const QString tracks(35, QLatin1Char('#'));
    EXPECT_NO_THROW(judgeCbmformat(result(0, tracks + "\n00, OK,00,00\r"), "cbmformat 8 a,b"));
    EXPECT_EQ(failureOf([&] {
                  judgeCbmformat(result(0, tracks + "\n21, READ ERROR,18,00\r"), "cbmformat 8 a,b");
              }).command(),
              "cbmformat 8 a,b");
    failureOf([&] { judgeCbmformat(result(0, tracks + "\n"), "c"); });
    failureOf([&] { judgeCbmformat(result(1, "", "error: no xum1541 device found"), "c"); });
}
