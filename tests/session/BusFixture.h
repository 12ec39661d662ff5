#pragma once

#include "SessionFixture.h"
#include "SimulatedBus.h"

#include "images/D64Builder.h"

#include <QCoroTimer>
#include <QElapsedTimer>
#include <chrono>
#include <functional>

namespace vellum::testing {

// A session whose tools are the substitute tools on a simulated bus.
class BusSessionTest : public SessionTest {
protected:
    SimulatedBus bus;

    void SetUp() override {
        bus.exportEnvironment();
        makeSession({SimulatedBus::binDir()});
    }

    // Keeps the event loop running for a while (timers, child processes).
    static void spin(std::chrono::milliseconds duration) { waitForTask(QCoro::sleepFor(duration)); }

    // Runs the event loop until `done` holds or `limit` passes; true when it held.
    static bool spinUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > limit.count()) {
                return false;
            }
            spin(std::chrono::milliseconds(10));
        }
        return true;
    }

    // A formatted disk holding files of the given sizes (load address included).
    static QByteArray diskWith(const QString& diskName, const QString& diskID,
                               const QList<std::pair<QString, qsizetype>>& files) {
        D64Builder builder = D64Builder::create(diskName, diskID);
        for (const auto& [name, size] : files) {
            QByteArray contents(size, '\0');
            for (qsizetype i = 0; i < size; ++i) {
                contents[i] = char((i * 7 + name.size()) & 0xFF);
            }
            builder.addFile(name, CBMFileType::prg, contents);
        }
        return builder.data();
    }
};

} // namespace vellum::testing
