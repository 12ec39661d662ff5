#pragma once

#include "images/ParsedFile.h"
#include "model/DiskDirectory.h"

#include <QByteArray>
#include <QList>
#include <QUrl>

// Reads T64 tape images and P00 files and converts tapes to D64 images. Stateless; every
// operation loads the whole file first.
namespace vellum::T64Converter {

using ParsedFile = vellum::ParsedFile;
using AddableFile = vellum::AddableFile;

struct Tape {
    QString name;
    QList<ParsedFile> files;

    friend bool operator==(const Tape&, const Tape&) = default;
};

Tape parseT64(const QByteArray& bytes);

// One PRG entry per file; no free-blocks count.
DiskDirectory readDirectory(const QUrl& tapeURL);
DiskDirectory readDirectory(const QByteArray& bytes);

// Never empty: a tape without files fails with "No files found in …".
QList<ParsedFile> parsedFiles(const QUrl& tapeURL);
QList<ParsedFile> parsedFiles(const QByteArray& bytes, const QString& tapeName);

// The bytes of a new D64 holding every file of the tape; `tapeFileName` is the tape's file
// name, used in messages and as the disk name of a tape without one.
QByteArray convertToImage(const QByteArray& bytes, const QString& tapeFileName);

// Writes the new D64 atomically; nothing is written when any file does not fit.
void convert(const QUrl& tapeURL, const QUrl& imageURL);

AddableFile parseP00(const QByteArray& bytes);

// What a file dropped onto a D64 contributes, by its extension.
QList<AddableFile> loadFiles(const QUrl& url);

} // namespace vellum::T64Converter
