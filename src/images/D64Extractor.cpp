#include "images/D64Extractor.h"

#include "images/D64Layout.h"
#include "images/ImageFiles.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"

#include <QCoreApplication>
#include <QSet>

#include <array>

namespace vellum::D64Extractor {

using namespace D64Layout;

CBMFileType typeOfTypeByte(quint8 typeByte) {
    switch (typeByte & 0x07) {
    case 0:
        return CBMFileType::del;
    case 1:
        return CBMFileType::seq;
    case 2:
        return CBMFileType::prg;
    case 3:
        return CBMFileType::usr;
    case 4:
        return CBMFileType::rel;
    default:
        return CBMFileType::other;
    }
}

namespace {

QString makeTypeToken(quint8 typeByte) {
    const CBMFileType type = typeOfTypeByte(typeByte);
    QString token = type == CBMFileType::other ? QStringLiteral("???") : rawValue(type);
    if ((typeByte & 0x80) == 0) {
        token.prepend(QLatin1Char('*'));
    }
    if (typeByte & 0x40) {
        token.append(QLatin1Char('<'));
    }
    return token;
}

} // namespace

QString typeToken(quint8 typeByte) {
    // Listings ask for a token per entry; there are only 256 of them.
    static const std::array<QString, 256> tokens = [] {
        std::array<QString, 256> table;
        for (int byte = 0; byte < 256; ++byte) {
            table[byte] = makeTypeToken(quint8(byte));
        }
        return table;
    }();
    return tokens[typeByte];
}

QList<File> files(const QByteArray& image) {
    QList<File> result;
    const DiskGeometry& geometry = geometryOfImage(image);
    forEachListedEntry(image, [&](qint64, qint64, qint64, const char* entry) {
        const quint8 typeByte = quint8(entry[2]);
        File file;
        file.type = typeOfTypeByte(typeByte);
        file.typeToken = typeToken(typeByte);
        file.name = decodeName(entry + 5, nameLength);
        if (file.name.isEmpty()) {
            file.name = QStringLiteral("FILE");
        }
        file.startTrack = quint8(entry[3]);
        file.startSector = quint8(entry[4]);
        const qint64 storedBlocks = quint8(entry[30]) + 256 * qint64(quint8(entry[31]));
        if (isPartition(geometry, typeByte)) {
            // Its sectors hold a disk of their own, not a chain: nothing is walked.
            file.isPartition = true;
            file.typeToken =
                QString(typeToken(typeByte)).replace(QStringLiteral("???"), QStringLiteral("CBM"));
            file.blocks = storedBlocks;
            result.append(file);
            return true;
        }
        const ChainSize size = chainSize(image, file.startTrack, file.startSector);
        file.blocks = storedBlocks != 0 ? storedBlocks : size.sectors;
        file.byteSize = size.bytes;
        file.fault = size.fault;
        result.append(file);
        return true;
    });
    return result;
}

DiskDirectory readDirectory(const QByteArray& image) {
    checkImageSize(image);
    const DiskGeometry& geometry = geometryOfImage(image);
    const char* header = sectorData(image, geometry.directoryTrack, geometry.headerSector);
    DiskDirectory directory;
    directory.blocksFree = FreeMap::blocksFree(geometry, image);
    directory.diskName = decodeName(header + geometry.nameOffset, nameLength);
    directory.diskID = decodeName(header + geometry.idOffset, 2);
    const QList<File> listed = files(image);
    directory.entries.reserve(listed.size());
    for (const File& file : listed) {
        DirectoryEntry entry;
        entry.name = file.name;
        entry.type = file.type;
        entry.typeToken = file.typeToken;
        entry.blocks = file.blocks;
        if (file.byteSize > 0) {
            entry.byteSize = file.byteSize;
        }
        directory.entries.append(entry);
    }
    return directory;
}

DiskDirectory readDirectory(const QUrl& imageURL) {
    return readDirectory(readDiskImage(imageURL));
}

std::optional<ParsedFile> parsedFile(const QByteArray& image, const File& file) {
    if (file.isPartition ||
        !isValidSector(geometryOfImage(image), file.startTrack, file.startSector)) {
        return std::nullopt;
    }
    const QByteArray bytes = readChain(image, file.startTrack, file.startSector);
    if (bytes.size() < 2) {
        return std::nullopt;
    }
    return ParsedFile{file.name, quint16(quint8(bytes[0]) | (quint8(bytes[1]) << 8)), bytes.mid(2)};
}

QList<ParsedFile> parsedFiles(const QByteArray& image, const QString& imageName) {
    checkImageSize(image);
    QList<ParsedFile> result;
    for (const File& file : files(image)) {
        if (auto parsed = parsedFile(image, file)) {
            result.append(*parsed);
        }
    }
    if (result.isEmpty()) {
        throw OpenCBMError::parseError(
            QCoreApplication::translate("D64Extractor", "No files found in %1.").arg(imageName));
    }
    return result;
}

QList<ParsedFile> parsedFiles(const QUrl& imageURL) {
    return parsedFiles(readDiskImage(imageURL), imageURL.fileName());
}

std::optional<QString> readProblem(const File& file) {
    const QString name = QStringLiteral("“%1”").arg(file.name);
    if (file.isPartition) {
        return QCoreApplication::translate(
                   "D64Extractor", "%1 was left out: it is a partition, which holds a disk of "
                                   "its own rather than a file.")
            .arg(name);
    }
    // Any chain that reaches the disk holds at least one byte, and one that goes on more.
    if (file.byteSize == 1) {
        return QCoreApplication::translate(
                   "D64Extractor", "%1 was left out: it holds 1 byte, too few for a load address.")
            .arg(name);
    }
    if (!file.fault) {
        return std::nullopt;
    }
    const ChainFault& fault = *file.fault;
    switch (fault.kind) {
    case ChainFault::Kind::startOutsideDisk:
        return QCoreApplication::translate(
                   "D64Extractor",
                   "%1 was left out: its first block, track %2 sector %3, is not on "
                   "the disk.")
            .arg(name)
            .arg(fault.track)
            .arg(fault.sector);
    case ChainFault::Kind::linkOutsideDisk:
        return QCoreApplication::translate(
                   "D64Extractor", "%1 was cut short after %2 bytes: its chain links to track %3 "
                                   "sector %4, which is not on the disk.")
            .arg(name)
            .arg(file.byteSize)
            .arg(fault.track)
            .arg(fault.sector);
    case ChainFault::Kind::loop:
        break;
    }
    return QCoreApplication::translate(
               "D64Extractor", "%1 was cut short after %2 bytes: its chain comes back to track %3 "
                               "sector %4.")
        .arg(name)
        .arg(file.byteSize)
        .arg(fault.track)
        .arg(fault.sector);
}

ParsedFile parsedFile(const QByteArray& image, const QString& imageName, qint64 index) {
    checkImageSize(image);
    const QList<File> listed = files(image);
    if (index < 0 || index >= listed.size()) {
        throw OpenCBMError::parseError(
            QCoreApplication::translate("D64Extractor", "That file is not in %1.").arg(imageName));
    }
    if (std::optional<ParsedFile> parsed = parsedFile(image, listed[index])) {
        return *parsed;
    }
    throw OpenCBMError::parseError(readProblem(listed[index]).value_or(QString()));
}

ParsedFile parsedFile(const QUrl& imageURL, qint64 index) {
    return parsedFile(readDiskImage(imageURL), imageURL.fileName(), index);
}

} // namespace vellum::D64Extractor
