#include "model/DriveSentences.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace vellum;

TEST(DriveSentencesTest, FindsTheLastStatusWhereverItStands) {
    const struct {
        const char* output;
        std::optional<DriveStatus> status;
    } cases[] = {
        {"74,drive not ready,00,00\n", DriveStatus{74, "drive not ready", 0, 0}},
        {"[Info] writing /tmp/vellum-1.prg -> hello,p,w\n[Fatal] could not open file for "
         "writing: 63, FILE EXISTS,00,00\n",
         DriveStatus{63, "FILE EXISTS", 0, 0}},
        {"21, READ ERROR,18,05\n00, OK,00,00\n", DriveStatus{0, "OK", 0, 0}},
        {"73,jiffydos 5.0 1541,00,00", DriveStatus{73, "jiffydos 5.0 1541", 0, 0}},
        {"  1: 18%  ****---", std::nullopt},
        {"hello,p,w", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lastDriveStatus(QString::fromUtf8(c.output)), c.status) << c.output;
    }
}

TEST(DriveSentencesTest, OnlyRealFailuresAreFailures) {
    EXPECT_EQ(kindOf({0, "ok"}), DriveStatusKind::fine);
    EXPECT_EQ(kindOf({1, "files scratched"}), DriveStatusKind::fine);
    EXPECT_EQ(kindOf({73, "cbm dos v2.6 1541"}), DriveStatusKind::powerUp);
    EXPECT_EQ(kindOf({26, "write protect on"}), DriveStatusKind::failure);
    EXPECT_FALSE(sentenceForOutput("73,cbm dos v2.6 1541,00,00", 8));
    EXPECT_FALSE(sentenceForOutput("00, ok,00,00", 8));
}

TEST(DriveSentencesTest, SentencesNameTheDriveButNeitherCodeNorPath) {
    const QRegularExpression codeOrPath(QStringLiteral(",\\d\\d,\\d\\d|RAWTEXT|/tmp|vellum-"));
    for (int code = 0; code < 100; ++code) {
        const QString sentence = sentenceFor(DriveStatus{code, "RAWTEXT", 18, 5}, 9);
        EXPECT_TRUE(sentence.contains(QLatin1String("drive 9"), Qt::CaseInsensitive)) << code;
        EXPECT_FALSE(sentence.contains(codeOrPath)) << code;
    }
    EXPECT_EQ(*sentenceForOutput("74,drive not ready,00,00", 9),
              "There is no disk in drive 9, or its door is open. Insert a disk and try again.");
    EXPECT_TRUE(
        sentenceFor(DriveStatus{23, "read error", 18, 5}, 8).contains("track 18, sector 5"));
}

TEST(DriveSentencesTest, RecognizesThePluginsOwnFailures) {
    const struct {
        const char* output;
        std::optional<ToolFailure> failure;
    } cases[] = {
        {"error: no xum1541 device found\nerror: no xum1541 device found\n",
         ToolFailure::noAdapter},
        {"error: Cannot open USB device: LIBUSB_ERROR_ACCESS\nerror: no xum1541 device found\n",
         ToolFailure::permissionDenied},
        {"cbmctrl: libusb/xum1541:: Resource temporarily unavailable",
         ToolFailure::adapterInterrupted},
        {"xum1541 firmware version too low (6 < 7)\nplease update your xum1541 firmware",
         ToolFailure::firmwareTooOld},
        {"xum1541 firmware version too high (9 > 8)", ToolFailure::firmwareTooNew},
        {"63, FILE EXISTS,00,00", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(recognizeToolFailure(QString::fromUtf8(c.output)), c.failure) << c.output;
    }
    // The adapter decides first: without it no drive status means anything.
    EXPECT_EQ(*sentenceForOutput("error: no xum1541 device found\n74,drive not ready,00,00", 8),
              sentenceFor(ToolFailure::noAdapter));
}
