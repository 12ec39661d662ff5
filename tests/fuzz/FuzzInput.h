#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace vellum::fuzzing {

// A fuzzer input is far smaller than a disk, so it is laid over a sound image with files
// on every track, among them one whose chain runs onto tracks 36-40 of the larger D64s.
//
// The first byte chooses the image: bits 4-5 its format (1 a D71 with files on both sides,
// 2 a D81 with files on both halves and a partition, else a D64), bits 0-2 its size (for a
// D64: 35 or 40 tracks, with or without error bytes, 42 tracks, an odd size, or one byte
// too short; for the others: plain, with error bytes, an odd size or one byte too short),
// bit 3 how the rest is laid on it. With bit 3 clear, the next sectors' worth replace the
// directory track (the free map and the directory) and whatever follows is read as
// patches; with it set, all of it is. A patch is a sector number (two bytes, low first,
// taken modulo the image's sectors), an offset in that sector, a length, and that many
// bytes, which may run on into the next sectors. So the input can reach any chain link,
// any directory entry and the whole map.
QByteArray imageFromInput(const uint8_t* data, size_t size);

// Stops the run, naming the line, when an invariant does not hold.
inline void require(bool condition, const char* file = __builtin_FILE(),
                    int line = __builtin_LINE()) {
    if (condition) {
        return;
    }
    std::fprintf(stderr, "invariant broken at %s:%d\n", file, line);
    std::abort();
}

// Where the sectors of an image end: its error bytes or extra tracks follow.
qsizetype sectorBytesOf(const QByteArray& image);

} // namespace vellum::fuzzing
