#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace vellum::demo {

// A file of the demo's sample folder.
struct SampleFile {
    QString fileName;
    QByteArray bytes;
};

// The disk in the simulated 1541 (a D64 named "VELLUM DEMO"): programs that print, count,
// guess and flash the border, and two text files.
QByteArray sampleFloppy();

// The folder the computer pane opens on: a program, a text file, a disk image and a tape
// image.
QList<SampleFile> sampleFolderFiles();

} // namespace vellum::demo
