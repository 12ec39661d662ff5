#pragma once

#include "images/ParsedFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vellum::demo {

// The bytes of a T64 tape image holding `files` in order, each stored from its load address
// (the first two bytes of its contents) as a program; the type of each file is not looked
// at. The tape name and file names are upper-cased and padded with spaces, as tape tools
// write them.
QByteArray tapeImage(const QString& tapeName, const QList<AddableFile>& files);

} // namespace vellum::demo
