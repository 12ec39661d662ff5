#pragma once

#include "images/ParsedFile.h"

#include <QList>
#include <QString>
#include <QUrl>

namespace vellum {

// Blocks of 254 data bytes a file of `size` bytes takes on a Commodore disk; a file that
// is empty or of unknown size still takes one.
qint64 blocksForSize(qint64 size);

// Blocks the file at `url` needs; 1 when its size cannot be read.
qint64 blocksForFile(const QUrl& url);

// The name an image lists for a file, as it goes to the floppy: trimmed, at most 16
// characters.
QString floppyNameFromImage(const QString& listedName);

// One file going to the floppy: where its bytes are and the Commodore name it gets.
struct FloppyCopyItem {
    QUrl source;
    QString cbmName;

    friend bool operator==(const FloppyCopyItem&, const FloppyCopyItem&) = default;
};

// One file going into a D64: what the image stores, and the name the user knows it by,
// which an error about it names.
struct ImageAddition {
    AddableFile file;
    QString sourceName;

    friend bool operator==(const ImageAddition&, const ImageAddition&) = default;
};

// Files of a copy request split into images (.d64/.t64) and plain files, order kept.
// Only existing regular files count.
struct CopyRequestSplit {
    QList<QUrl> images;
    QList<QUrl> plainFiles;

    friend bool operator==(const CopyRequestSplit&, const CopyRequestSplit&) = default;
};
CopyRequestSplit splitCopyRequest(const QList<QUrl>& urls);

// "Copying “X”…" for one item, "Copying 3 files…" for more; the loop's per-item line;
// and the closing line.
QString copyingText(qsizetype count, const QString& firstName);
QString copyingItemText(qsizetype index, qsizetype count, const QString& name);
QString copiedText(qsizetype count, const QString& firstName);

// "Reading “X” from floppy…" for one entry, "Reading 2 of 3: “X” from floppy…" for more.
QString readingText(qsizetype index, qsizetype count, const QString& name);

// "Adding “X” to GAMES.D64…" or "Adding 3 files to GAMES.D64…", and the finished forms.
QString addingText(qsizetype count, const QString& firstName, const QString& imageName);
QString addedText(qsizetype count, const QString& lastName, const QString& imageName);
// The error of a file that did not go into an image: "“big.prg” could not be added: …".
QString notAddedText(const QString& sourceName, const QString& reason);

} // namespace vellum
