#pragma once

#include "RawDirectory.h"

#include "model/CBMFileType.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QSet>

namespace vellum::sim {

// Edits of a readable disk that the drive makes, done with the project's image code. Names
// are drive bytes, so that shifted letters survive as the drive would store them.

// The BAM of tracks 1-35 rewritten so that exactly the `used` sectors are taken.
void writeBamFromUsedSectors(QByteArray& disk, const QSet<QPair<int, int>>& used);

// The disk with these directory entries scratched and their blocks given back.
QByteArray withoutEntries(const QByteArray& disk, const QList<RawEntry>& doomed);

// The short "N" without an ID: a new BAM and an empty directory, the ID and all other
// sectors kept.
QByteArray quicklyCleared(const QByteArray& disk, const QByteArray& name);

// A newly formatted disk of `tracks` tracks (35 or 40).
QByteArray freshlyFormatted(const QByteArray& name, const QByteArray& id, int tracks);

// The disk with a file added under exactly `name`; throws OpenCBMError when it does not fit.
QByteArray withFileAdded(const QByteArray& disk, const QByteArray& name, CBMFileType type,
                         const QByteArray& contents);

} // namespace vellum::sim
