#include "FailureOf.h"
#include "ImageFixtures.h"
#include "SimulatedBus.h"
#include "WaitForTask.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "model/OpenCBMError.h"
#include "opencbm/DriveImageFormats.h"
#include "opencbm/OpenCBMService.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

const QByteArray helloContents = QByteArray("\x01\x08", 2) + QByteArray(600, 'h');
const QByteArray notesContents = QByteArray("some notes\r", 11);

QByteArray sampleDisk() {
    D64Builder builder = D64Builder::create(QStringLiteral("TEST DISK"), QStringLiteral("01"));
    builder.addFile(QStringLiteral("HELLO"), CBMFileType::prg, helloContents);
    builder.addFile(QStringLiteral("NOTES"), CBMFileType::seq, notesContents);
    return builder.data();
}

class SimulatedTools : public ::testing::Test {
protected:
    SimulatedBus bus;
    QTemporaryDir computer;
    OpenCBMService service{QStringList{SimulatedBus::binDir()}};
    QList<double> fractions;
    ProgressCallback progress = [this](const QString&, double fraction) {
        if (fraction >= 0) {
            fractions << fraction;
        }
    };

    void SetUp() override {
        bus.exportEnvironment();
        bus.addDrive(8, QStringLiteral("1541-II"), sampleDisk());
    }

    QUrl computerFile(const QString& name, const QByteArray& contents = {}) {
        const QString path = computer.filePath(name);
        if (!contents.isNull()) {
            writeFile(path, contents);
        }
        return QUrl::fromLocalFile(path);
    }
};

} // namespace

TEST_F(SimulatedTools, AdapterDrivesStatusAndDirectory) {
    // Detection and listing names are walked by the demo tour; here, sizes and failures.
    EXPECT_TRUE(waitForTask(service.probeAdapter()).present);
    EXPECT_TRUE(waitForTask(service.driveStatus(8)).startsWith(QStringLiteral("73,")));
    const DiskDirectory listing = waitForTask(service.listDirectory(8));
    EXPECT_EQ(listing.entries.value(0).blocks, 3);
    EXPECT_EQ(listing.blocksFree, 664 - 4);

    // Raw high bytes in the listing still give the disk's files, not an empty disk.
    bus.setFault(QStringLiteral("non-utf8"));
    EXPECT_EQ(waitForTask(service.listDirectory(8)).entries.size(), 2);
    bus.clearFault(QStringLiteral("non-utf8"));

    bus.insertDisk(8, std::nullopt);
    EXPECT_EQ(failureOf(service.listDirectory(8)).errorDescription(),
              QStringLiteral("74,drive not ready,00,00"));
}

TEST_F(SimulatedTools, EachDriveSavesAndWritesItsOwnImageByteForByte) {
    const QByteArray d71 = SimulatedBus::demoDisk("d71");
    const QByteArray d81 = SimulatedBus::demoDisk("d81");
    bus.addDrive(9, QStringLiteral("1571"), d71);
    bus.addDrive(10, QStringLiteral("1581"), d81);

    // The 1571 shows its second side once switched (the switch before a validation is
    // BusCommands', what the drive does in either mode DriveFormatsTool's).
    EXPECT_FALSE(isDoubleSidedListing(waitForTask(service.listDirectory(8, "1541-II"))));
    EXPECT_TRUE(isDoubleSidedListing(waitForTask(service.listDirectory(9, "1571"))));

    for (const auto& [device, model, format, disk] :
         {std::tuple{9, "1571", DiskImageFormat::d71, d71},
          std::tuple{10, "1581", DiskImageFormat::d81, d81}}) {
        SCOPED_TRACE(model);
        fractions.clear();
        const QUrl saved = computerFile("saved." + fileExtension(format));
        waitForTask(service.saveDiskImage(device, model, format, saved, progress));
        EXPECT_EQ(readFile(saved.toLocalFile()), disk);
        // Side two's tracks come between side one's and must not jump the bar about.
        EXPECT_TRUE(std::ranges::is_sorted(fractions));
        for (qsizetype i = 1; i < fractions.size(); ++i) {
            EXPECT_LT(fractions[i] - fractions[i - 1], 0.05) << i;
        }
        EXPECT_GT(fractions.size(), 70);
        EXPECT_EQ(fractions.last(), 1.0);

        QByteArray other = disk;
        other.replace(other.size() - 300, 5, "other");
        waitForTask(service.writeDiskImage(computerFile("other." + fileExtension(format), other),
                                           device, model, {}));
        EXPECT_EQ(bus.disk(device), other);
    }

    // A pairing the drive cannot take is refused before any tool runs.
    bus.setFault(QStringLiteral("no-adapter"));
    const QUrl d81File = computerFile("disk.d81", d81);
    EXPECT_EQ(failureOf(service.writeDiskImage(d81File, 8, "1541-II", {})),
              OpenCBMError::wrongDrive("A 1541 cannot write a D81 image: it needs a 1581 drive."));
    EXPECT_EQ(failureOf(service.saveDiskImage(10, "1581", DiskImageFormat::d64,
                                              computerFile("x.d64"), {}))
                  .errorCase(),
              OpenCBMError::Case::wrongDrive);
    EXPECT_FALSE(QFile::exists(computer.filePath("x.d64")));
    bus.clearFault(QStringLiteral("no-adapter"));

    // imgcopy exits 0 after a failed track too.
    bus.setFault(QStringLiteral("fail-at-track"), QStringLiteral("41"));
    EXPECT_EQ(failureOf(service.saveDiskImage(10, "1581", DiskImageFormat::d81,
                                              computerFile("partial.d81"), {}))
                  .errorCase(),
              OpenCBMError::Case::executionFailed);
}
