#pragma once

#include <QApplication>
#include <QElapsedTimer>

namespace vellum::bench {

// The application, timing how long the main thread spends on each event it dispatches (timers,
// pipe reads, queued calls, paints). The longest of them is the longest stall a user could see.
class StallMeter : public QApplication {
public:
    StallMeter(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    void reset() {
        longest = 0;
        longestCpu = 0;
        longestWhat.clear();
    }
    double longestStallMs() const { return double(longest) / 1e6; }
    // The same on the main thread's own clock, which leaves out the time other programs on a
    // busy machine took the processor away.
    double longestStallCpuMs() const { return double(longestCpu) / 1e6; }
    // The event and receiver class of the longest stall.
    QString longestStallWhat() const { return longestWhat; }

private:
    int depth = 0;
    qint64 longest = 0;
    qint64 longestCpu = 0;
    QString longestWhat;
    QElapsedTimer clock;
};

} // namespace vellum::bench
