#include "StallMeter.h"

#include <ctime>

namespace vellum::bench {

namespace {

qint64 threadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

StallMeter::StallMeter(int& argc, char** argv) : QApplication(argc, argv) {
    clock.start();
}

bool StallMeter::notify(QObject* receiver, QEvent* event) {
    if (depth > 0) {
        return QApplication::notify(receiver, event);
    }
    ++depth;
    // Both may be gone once the event is handled (a deferred delete).
    const int type = int(event->type());
    const char* className = receiver->metaObject()->className();
    const qint64 start = clock.nsecsElapsed();
    const qint64 cpuStart = threadCpuNanoseconds();
    const bool handled = QApplication::notify(receiver, event);
    const qint64 spent = clock.nsecsElapsed() - start;
    longestCpu = qMax(longestCpu, threadCpuNanoseconds() - cpuStart);
    if (spent > longest) {
        longest = spent;
        longestWhat = QString::number(type) + QLatin1Char(' ') + QString::fromLatin1(className);
    }
    --depth;
    return handled;
}

} // namespace vellum::bench
