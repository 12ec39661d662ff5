#include "model/DirectoryEntry.h"

#include <atomic>

namespace vellum {

QUuid makeEntryId() {
    // A random base per process keeps ids of different runs apart; a counter folded into
    // its first 48 bits keeps them apart within the run.
    static const QUuid base = QUuid::createUuid();
    static std::atomic<quint64> counter{0};
    const quint64 number = counter.fetch_add(1, std::memory_order_relaxed) + 1;
    QUuid id = base;
    id.data1 ^= quint32(number);
    id.data2 ^= quint16(number >> 32);
    return id;
}

} // namespace vellum
