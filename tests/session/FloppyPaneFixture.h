#pragma once

#include "PaneFixture.h"
#include "SimulatedBus.h"

#include <QCoroTimer>
#include <QDeadlineTimer>
#include <chrono>
#include <functional>
#include <stdexcept>

namespace vellum::testing {

inline const QByteArray intro = program(0x0801, pattern(600, 1));
inline const QByteArray notes = pattern(300, 2);
inline const QByteArray game = program(0x1000, pattern(300, 3));

inline QStringList namesOn(const std::optional<QByteArray>& disk) {
    return listedNames(disk.value());
}

inline QByteArray fileOn(const std::optional<QByteArray>& disk, qint64 index) {
    return D64Extractor::parsedFile(*disk, QStringLiteral("floppy"), index).contents();
}

// The computer pane on a temporary folder and the substitute tools on a simulated bus.
class FloppyPaneTest : public PaneTest {
protected:
    SimulatedBus bus;

    void SetUp() override {
        PaneTest::SetUp();
        bus.exportEnvironment();
        makeSession({SimulatedBus::binDir()});
        StateEditor(*model).service().setResetSettleTime(std::chrono::milliseconds(0));
    }
    void TearDown() override {
        if (model) {
            EXPECT_EQ(model->status().operation(), OperationKind::idle) << "left running";
        }
        PaneTest::TearDown();
    }

    // Keeps the event loop running for a while (timers, child processes).
    static void spin(std::chrono::milliseconds duration) { waitForTask(QCoro::sleepFor(duration)); }

    // Runs the event loop until `done` holds or ten seconds pass; true when it held.
    static bool spinUntil(const std::function<bool()>& done) {
        const QDeadlineTimer deadline(10000);
        while (!done() && !deadline.hasExpired()) {
            spin(std::chrono::milliseconds(10));
        }
        return done();
    }

    // A 1541 holding `disk`, its directory read so the free blocks are known.
    VellumViewModel& withDisk(const QByteArray& disk) {
        bus.addDrive(8, QStringLiteral("1541"), disk);
        VellumViewModel& model = pane();
        StateEditor(model).setDriveModel(QStringLiteral("1541"));
        waitForTask(model.readDirectory());
        EXPECT_TRUE(model.floppy().directory().blocksFree.has_value())
            << model.status().statusHeadline().toStdString();
        return model;
    }

    DirectoryEntry floppyEntry(const QString& name) {
        for (const DirectoryEntry& entry : session().floppy().directory().entries) {
            if (entry.name == name) {
                return entry;
            }
        }
        QStringList listed;
        for (const DirectoryEntry& entry : session().floppy().directory().entries) {
            listed << entry.name;
        }
        throw std::runtime_error("not on the floppy: " + name.toStdString() + " among " +
                                 listed.join('|').toStdString());
    }
};

} // namespace vellum::testing
