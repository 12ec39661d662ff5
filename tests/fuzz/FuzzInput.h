#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace vellum::fuzzing {

// A fuzzer input is far smaller than a disk, so it is laid over a sound image with files:
// the first 19 sectors' worth replace track 18 (BAM and directory), the rest replaces the
// start of track 1, where the files' chains begin. The image ends in 683 error bytes that
// no operation may touch.
QByteArray imageFromInput(const uint8_t* data, size_t size);

inline constexpr qsizetype errorBytes = 683;

} // namespace vellum::fuzzing
