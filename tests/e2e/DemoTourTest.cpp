// The demo's tour, walked by its own application object on the offscreen platform with the
// drives at full speed. After each step the bytes on the simulated floppy and in the sample
// folder are compared with what should have moved.

#include "DemoTour.h"
#include "BusState.h"
#include "DemoApplication.h"
#include "DemoFolder.h"
#include "TourDesktopServices.h"

#include "images/D64Extractor.h"
#include "images/ImageFiles.h"
#include "session/VellumViewModel.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::demo;
using namespace std::chrono_literals;

namespace {

QByteArray readFile(const QString& path) {
    return readWholeFile(QUrl::fromLocalFile(path));
}

// The contents (load address first) of the file `name` on the disk, or nothing.
std::optional<QByteArray> fileOnDisk(const QByteArray& disk, const QString& name) {
    for (const D64Extractor::File& file : D64Extractor::files(disk)) {
        if (file.name.compare(name, Qt::CaseInsensitive) == 0) {
            return D64Extractor::parsedFile(disk, file).value_or(ParsedFile{}).contents();
        }
    }
    return std::nullopt;
}

QStringList lowerNames(const QStringList& names) {
    QStringList lowered;
    for (const QString& name : names) {
        lowered << name.toLower();
    }
    return lowered;
}

class DemoTourTest : public ::testing::Test {
protected:
    QTemporaryDir scratch;
    std::optional<DemoFolder> folder;
    std::unique_ptr<DemoApplication> demo;

    // The demo made afresh with the drives at full speed; `fault` is set on the bus.
    void start(const QString& fault = {}, const QString& faultValue = QStringLiteral("1")) {
        folder = prepareDemoFolder(scratch.filePath(QStringLiteral("demo")), 0);
        if (!fault.isEmpty()) {
            bus().setFault(fault, faultValue);
        }
        demo = std::make_unique<DemoApplication>(*qobject_cast<QApplication*>(qApp), *folder,
                                                 std::make_unique<TourDesktopServices>(*folder));
    }
    void TearDown() override { demo.reset(); }

    sim::BusState bus() const { return sim::BusState(folder->bus); }
    QByteArray floppy() const { return bus().disk(8).value_or(QByteArray()); }
    VellumViewModel& session() { return demo->session(); }

    QStringList floppyNames() {
        QStringList names;
        for (const DirectoryEntry& entry : session().floppy().directory().entries) {
            names << entry.name;
        }
        return names;
    }
};

TEST_F(DemoTourTest, WalksEveryStepAndMovesTheRightBytes) {
    start();
    const QByteArray original = floppy();
    const QByteArray program = readFile(folder->samples + QLatin1String("/greetings.prg"));
    QList<TourStep> seen;

    const QList<TourShot> shots = DemoTour(*demo, 60s).run([&](const TourShot& shot) {
        seen << shot.step;
        SCOPED_TRACE(shot.title.toStdString());
        switch (shot.step) {
        case TourStep::detect: {
            QList<qint64> devices;
            for (const DriveInfo& drive : session().drives().detectedDrives()) {
                devices << drive.deviceNumber;
            }
            EXPECT_EQ(devices, (QList<qint64>{8, 9}));
            EXPECT_EQ(session().drives().deviceNumber(), 8);
            break;
        }
        case TourStep::readDirectory: {
            QStringList onDisk;
            for (const D64Extractor::File& file : D64Extractor::files(floppy())) {
                onDisk << file.name;
            }
            EXPECT_EQ(lowerNames(floppyNames()), lowerNames(onDisk));
            break;
        }
        case TourStep::copyToFloppy:
            EXPECT_EQ(fileOnDisk(floppy(), QStringLiteral("GREETINGS")), program);
            // Everything that was on the disk before is still there, byte for byte.
            for (const D64Extractor::File& file : D64Extractor::files(original)) {
                EXPECT_EQ(fileOnDisk(floppy(), file.name), fileOnDisk(original, file.name))
                    << file.name.toStdString();
            }
            EXPECT_TRUE(shot.made.isEmpty());
            break;
        case TourStep::copyToComputer:
            ASSERT_EQ(shot.made.size(), 1);
            EXPECT_EQ(QFileInfo(shot.made.first()).fileName(), QStringLiteral("hello.prg"));
            EXPECT_EQ(readFile(shot.made.first()), fileOnDisk(floppy(), QStringLiteral("HELLO")));
            break;
        case TourStep::saveAsD64:
            ASSERT_EQ(shot.made.size(), 1);
            EXPECT_EQ(readFile(shot.made.first()), floppy());
            break;
        case TourStep::openD64: {
            QStringList listed;
            for (const ComputerFileItem& item : session().computer().visibleLocalItems()) {
                listed << item.name;
            }
            EXPECT_EQ(lowerNames(listed), lowerNames(floppyNames()));
            EXPECT_TRUE(session().computer().isBrowsingD64());
            break;
        }
        }
    });

    EXPECT_EQ(seen,
              (QList<TourStep>{TourStep::detect, TourStep::readDirectory, TourStep::copyToFloppy,
                               TourStep::copyToComputer, TourStep::saveAsD64, TourStep::openD64}));
    const QSize windowSize = demo->window().size() * demo->window().devicePixelRatio();
    QDir().mkpath(QStringLiteral(VELLUM_SCREENSHOT_DIR));
    for (const TourShot& shot : shots) {
        EXPECT_EQ(QImage(shot.screenshot).size(), windowSize) << shot.screenshot.toStdString();
        const QString copy =
            QStringLiteral(VELLUM_SCREENSHOT_DIR "/tour-") + QFileInfo(shot.screenshot).fileName();
        QFile::remove(copy);
        QFile::copy(shot.screenshot, copy);
    }
    // The demo never wrote settings of its own outside its folder.
    EXPECT_TRUE(QFile::exists(folder->settings + QLatin1String("/Vellum/Vellum.conf")));
}

// A tour that cannot go on says at which step and why.
TEST_F(DemoTourTest, NamesTheStepThatFailed) {
    const struct {
        QString fault;
        QString value;
        std::string step;
    } cases[] = {
        {QString::fromLatin1(sim::fault::noDrive), QStringLiteral("1"), "Step 1 (Detect"},
        // Small files land next to the directory track; only the whole-disk save reaches 35.
        {QString::fromLatin1(sim::fault::failAtTrack), QStringLiteral("35"), "Step 5 (Save"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.fault.toStdString());
        start(each.fault, each.value);
        try {
            DemoTour(*demo, 60s).run();
            ADD_FAILURE() << "the tour went through";
        } catch (const TourFailure& failure) {
            EXPECT_EQ(std::string(failure.what()).rfind(each.step, 0), 0u) << failure.what();
        }
        demo.reset();
    }
}

} // namespace
