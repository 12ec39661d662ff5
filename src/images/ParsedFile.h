#pragma once

#include "model/CBMFileType.h"

#include <QByteArray>
#include <QString>

namespace vellum {

// A file taken out of a disk or tape image: its load address and the bytes after it.
struct ParsedFile {
    QString name;
    quint16 startAddress = 0;
    QByteArray payload;

    // The file as it is stored on a disk: load address, low byte first, then the payload.
    QByteArray contents() const;

    friend bool operator==(const ParsedFile&, const ParsedFile&) = default;
};

// One file ready for D64Builder::addFile; `contents` starts with the load address.
struct AddableFile {
    QString name;
    CBMFileType type = CBMFileType::prg;
    QByteArray contents;

    friend bool operator==(const AddableFile&, const AddableFile&) = default;
};

} // namespace vellum
