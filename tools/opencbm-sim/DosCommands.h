#pragma once

#include "BusState.h"

#include <QByteArray>

namespace vellum::sim {

// Carries out one DOS command (drive bytes, as sent over the bus) on the drive at `device`
// and leaves the drive's verdict in its error channel, as a 1541 does.
void executeDosCommand(const BusState& bus, qint64 device, const QByteArray& command);

// What happens to a disk whose format stops at `failedTrack`: the tracks before it are erased.
void erasePartlyFormattedTracks(QByteArray& disk, int failedTrack);

} // namespace vellum::sim
