#pragma once

#include "images/DiskGeometry.h"
#include "model/CBMFileType.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace vellum {

// Edits one D64, D71 or D81 image in memory for one editing action; the caller saves `data()`.
// The free map and the directory cursor always describe `data()`, and a failed addFile
// leaves the builder exactly as it was.
class D64Builder {
public:
    // A new formatted image; an ID that is absent is written as "00".
    static D64Builder create(const QString& diskName,
                             const std::optional<QString>& diskID = std::nullopt,
                             DiskImageFormat format = DiskImageFormat::d64);

    // Opens the bytes of an image, of the format its size names; any length from 174848
    // bytes up is kept whole, error bytes included. A 40-track
    // image is refused: its extended free map is not known here, so a delete would free only
    // the part of a file that lies on tracks 1-35. Every sector that a listed file's chain
    // uses counts as used, whatever the stored free map says.
    static D64Builder open(QByteArray image);

    // Opens an image as a drive's DOS sees its disk: only tracks 1-35 are ever allocated or
    // freed, whatever the image holds beyond them. For the substitute drive.
    static D64Builder openDosTracks(QByteArray image);

    // Adds a file (load address first) and returns the name it is listed under.
    QString addFile(const QString& name, CBMFileType type, const QByteArray& contents);

    // Deletes the file at listing position `index`; the caller writes the BAM afterwards.
    void deleteFile(qint64 index);

    // Rewrites the BAM from the free map; with a name also the disk name, ID and DOS type.
    void writeBAM(const std::optional<QString>& diskName = std::nullopt,
                  const std::optional<QString>& diskID = std::nullopt);

    // What a drive's validate does: every sector is free except the BAM, the directory
    // chain and the chains of the listed files; then the BAM is written.
    void rebuildBAM();

    // Free sectors on the tracks that can hold file data, as the drive counts them: the
    // directory track (and a D71's track 53) left out.
    qint64 freeBlockCount() const;

    bool isFree(qint64 track, qint64 sector) const;
    // Out-of-range sectors are ignored.
    void setFree(qint64 track, qint64 sector, bool flag);

    const QByteArray& data() const { return image; }
    const DiskGeometry& geometry() const { return *layout; }

    // The decoded names of the listed entries, in directory order.
    QStringList existingNames() const;

    // The name a file called `name` would be listed under: trimmed, upper case, cut where a
    // character that a directory cannot hold stands, at most 16 characters, with "-2", "-3"
    // … in place of its end when that name is taken (compared ignoring case). A name that
    // comes to nothing is FILE-2, FILE-3 …. Fails only when no such name is left.
    QString uniqueName(const QString& name) const;

    // The directory type byte of a closed, unlocked file of `type`.
    static quint8 typeByte(CBMFileType type);

private:
    D64Builder(QByteArray image, const DiskGeometry& geometry);

    struct Block {
        qint64 track;
        qint64 sector;
    };

    void loadBAM();
    void markSystemSectorsUsed();
    // The sectors an entry occupies: its chain, or a partition's run of sectors.
    QList<std::pair<qint64, qint64>> sectorsOfEntry(const char* entry) const;
    QString formatName() const;
    void markListedChainsUsed();
    void findDirectoryEnd();
    std::optional<qint64> findFreeSector(qint64 track, qint64 previousSector, bool fromStart) const;
    std::optional<Block> allocateBlock(std::optional<Block> previous);
    void writeDataChain(const QList<Block>& blocks, const QByteArray& contents);
    void writeFirstDirectorySector();
    void writeDirectoryEntry(const QString& name, quint8 typeByte, Block first, qint64 blocks);
    void freeChain(const char* entry, const QSet<qint64>& keep);
    QSet<qint64> sectorsOfOtherFiles(qint64 index) const;
    // The 256 bytes of a sector inside the image, or nothing when the image is too short.
    char* sectorBytes(qint64 track, qint64 sector);
    // Listed names in lower case, with the number of entries listed under each.
    QHash<QString, int>& takenNames() const;

    QByteArray image;
    const DiskGeometry* layout;
    // Bit s of entry t is set when sector s of track t (1 to the map's last) is free.
    std::array<quint64, 81> freeSectors{};
    qint64 dirTrack = 18;
    qint64 dirSector = 1;
    qint64 dirIndex = 0;
    // Made on the first add and kept current by adds and deletes, so that a file's name is
    // not checked against a fresh decoding of the whole directory.
    mutable std::optional<QHash<QString, int>> taken;
};

} // namespace vellum
