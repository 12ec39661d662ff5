#pragma once

#include "images/D64Layout.h"
#include "images/ParsedFile.h"
#include "model/DiskDirectory.h"

#include <QByteArray>
#include <QList>
#include <QUrl>

// Reads D64, D71 and D81 images, each as its size names it. Every operation is stateless and works
// on the whole image in memory; nothing is ever written back.
namespace vellum::D64Extractor {

// One listed directory entry, in directory order.
struct File {
    QString name;
    CBMFileType type = CBMFileType::prg;
    QString typeToken;
    qint64 blocks = 0;
    qint64 startTrack = 0;
    qint64 startSector = 0;
    qint64 byteSize = 0;
    // Why the chain ended before its last sector, when it did.
    std::optional<D64Layout::ChainFault> fault;
    // A D81 partition (listed as CBM): its blocks are not a chain and it is never read.
    bool isPartition = false;

    friend bool operator==(const File&, const File&) = default;
};

// Why the listed file cannot be read whole, as a sentence naming it ("“GAME” was cut short
// after 508 bytes: …", "“GAME” was left out: …"); nothing for a sound file.
std::optional<QString> readProblem(const File& file);

// The listed entries (type bits 0-2 not 0) of the directory chain.
QList<File> files(const QByteArray& image);

// The listing and the BAM facts; blocksFree is the drive's count, which leaves out the
// tracks that never hold file data.
DiskDirectory readDirectory(const QUrl& imageURL);
DiskDirectory readDirectory(const QByteArray& image);

// Every listed file that holds a load address; fails when there is none. `imageName` names
// the image in the messages.
QList<ParsedFile> parsedFiles(const QUrl& imageURL);
QList<ParsedFile> parsedFiles(const QByteArray& image, const QString& imageName);

// The listed file's load address and payload; nothing when its chain holds under 2 bytes
// or starts outside the disk's tracks; nothing for a partition.
std::optional<ParsedFile> parsedFile(const QByteArray& image, const File& file);

// The file at position `index` of the listing; a file that cannot be read fails with its
// readProblem.
ParsedFile parsedFile(const QUrl& imageURL, qint64 index);
ParsedFile parsedFile(const QByteArray& image, const QString& imageName, qint64 index);

// "PRG", "SEQ", "USR", "REL" or "???", with "*" before it for an unclosed file and "<"
// after it for a locked one.
QString typeToken(quint8 typeByte);

// The type of bits 0-2 of a directory type byte (DEL for 0, other for 5-7).
CBMFileType typeOfTypeByte(quint8 typeByte);

} // namespace vellum::D64Extractor
