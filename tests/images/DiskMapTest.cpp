// The disk map: what each sector holds, from an image or from a transfer's track-map lines.

#include "images/DiskMap.h"
#include "ImageFixtures.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"

#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

struct Counts {
    qint64 free, used, fileData, directory, error, notRead;
    friend bool operator==(const Counts&, const Counts&) = default;
};

Counts countsOf(const DiskMap& map) {
    return {map.count(SectorClass::free),     map.count(SectorClass::used),
            map.count(SectorClass::fileData), map.count(SectorClass::directory),
            map.count(SectorClass::error),    map.count(SectorClass::notRead)};
}

std::ostream& operator<<(std::ostream& out, const Counts& c) {
    return out << "free " << c.free << " used " << c.used << " file " << c.fileData << " dir "
               << c.directory << " error " << c.error << " not read " << c.notRead;
}

} // namespace

TEST(DiskMap, FreshAndFilledImagesOfEachFormat) {
    // Fresh: the header, BAM and first directory sector (and the D71's 53/0, the D81's two
    // BAM sectors) are the directory; the rest of track 53 is kept whole by the BAM.
    const struct {
        DiskImageFormat format;
        Counts fresh;
    } rows[] = {
        {DiskImageFormat::d64, {681, 0, 0, 2, 0, 0}},
        {DiskImageFormat::d71, {1345, 18, 0, 3, 0, 0}},
        {DiskImageFormat::d81, {3196, 0, 0, 4, 0, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(displayName(row.format).toStdString());
        D64Builder builder = D64Builder::create("MAP", std::nullopt, row.format);
        EXPECT_EQ(countsOf(diskMapOfImage(builder.data())), row.fresh);

        builder.addFile("GAME", CBMFileType::prg, sequence(3000, 1)); // 12 blocks
        builder.addFile("DATA", CBMFileType::seq, sequence(600, 2));  // 3 blocks
        const DiskMap map = diskMapOfImage(builder.data());
        const Counts filled = countsOf(map);
        EXPECT_EQ(filled.fileData, 15);
        EXPECT_EQ(filled.free, row.fresh.free - 15);
        EXPECT_EQ(map.fileNames, QStringList({"GAME", "DATA"}));
        // Every file sector names its file, and the listing's start sectors agree.
        qint64 named = 0;
        for (qint64 t = 1; t <= map.tracks(); ++t) {
            for (qint64 s = 0; s < map.sectorsOnTrack(t); ++s) {
                if (map.at(t, s).kind == SectorClass::fileData) {
                    named += map.fileNameAt(t, s) == "GAME" ? 1 : 0;
                }
            }
        }
        EXPECT_EQ(named, 12);
        for (const D64Extractor::File& file : D64Extractor::files(builder.data())) {
            EXPECT_EQ(map.fileNameAt(file.startTrack, file.startSector), file.name);
        }
    }
}

TEST(DiskMap, ErrorBytesMarkSectorsAndKeepTheirFile) {
    D64Builder builder = D64Builder::create("ERR");
    builder.addFile("GAME", CBMFileType::prg, sequence(1000, 1));
    const D64Extractor::File game = D64Extractor::files(builder.data()).first();
    // 1 is the byte for a sound sector, and 0 is read the same.
    QByteArray errors(683, '\x01');
    errors[D64Layout::sectorOffset(game.startTrack, game.startSector) / 256] = '\x05';
    errors[D64Layout::sectorOffset(18, 0) / 256] = char(23);
    errors[D64Layout::sectorOffset(35, 16) / 256] = '\x00';
    const DiskMap map = diskMapOfImage(builder.data() + errors);
    EXPECT_EQ(map.count(SectorClass::error), 2);
    const SectorState& bad = map.at(game.startTrack, game.startSector);
    EXPECT_EQ(bad.kind, SectorClass::error);
    EXPECT_EQ(bad.errorCode, 5);
    EXPECT_EQ(map.fileNameAt(game.startTrack, game.startSector), "GAME");
    EXPECT_EQ(map.at(18, 0).errorCode, 23);
    // The job code and the DOS number of one fault read alike.
    EXPECT_EQ(sectorErrorText(5).section(' ', 0, 2), sectorErrorText(23).section(' ', 0, 2));
    // A size that is not sectors plus one byte each holds no error map.
    EXPECT_EQ(diskMapOfImage(builder.data() + errors.left(600)).count(SectorClass::error), 0);
}

TEST(DiskMap, DamagedImagesMarkWhatCanBeKnown) {
    RawImage raw;
    raw.put(18, 0, QByteArray("\x12\x01", 2));
    raw.put(18, 1, QByteArray("\x12\x04", 2)); // directory goes on to 18/4 …
    raw.put(18, 4, QByteArray("\x12\x01", 2)); // … and back to 18/1
    raw.putEntry(1, 0, 0x82, "LOOP", 1, 0);
    raw.setLink(1, 0, 1, 1);
    raw.setLink(1, 1, 1, 0); // 1/0 → 1/1 → 1/0
    raw.putEntry(1, 1, 0x82, "OFF", 2, 0);
    raw.setLink(2, 0, 99, 0); // links off the disk
    raw.putEntry(1, 2, 0x82, "NOWHERE", 77, 3);
    raw.putEntry(4, 0, 0x82, "CROSS", 3, 0); // runs into LOOP's sectors
    raw.setLink(3, 0, 1, 1);
    raw.putEntry(4, 1, 0x82, "INTODIR", 4, 0); // runs into the directory
    raw.setLink(4, 0, 18, 1);
    const DiskMap map = diskMapOfImage(raw.bytes);
    EXPECT_EQ(map.fileNames, QStringList({"LOOP", "OFF", "NOWHERE", "CROSS", "INTODIR"}));
    const struct {
        qint64 track, sector;
        QString name;
    } owners[] = {{1, 0, "LOOP"},  {1, 1, "LOOP"},    {2, 0, "OFF"},
                  {3, 0, "CROSS"}, {4, 0, "INTODIR"}, {18, 1, ""}};
    for (const auto& owner : owners) {
        EXPECT_EQ(map.fileNameAt(owner.track, owner.sector), owner.name);
    }
    EXPECT_EQ(map.at(18, 1).kind, SectorClass::directory);
    EXPECT_EQ(map.at(18, 4).kind, SectorClass::directory);
    EXPECT_EQ(map.count(SectorClass::fileData), 5);

    // Cut short inside track 2: what it holds is mapped, the rest is not read.
    const DiskMap cut = diskMapOfImage(raw.bytes.left(30 * 256 + 100));
    EXPECT_EQ(cut.count(SectorClass::notRead), 683 - 30);
    EXPECT_EQ(cut.at(2, 8).kind, SectorClass::used);
    EXPECT_EQ(cut.at(2, 9).kind, SectorClass::notRead);
    EXPECT_EQ(countsOf(diskMapOfImage(QByteArray())).notRead, 683);
}

TEST(DiskMap, TrackMapLinesFillALiveMap) {
    DiskMap map = emptyDiskMap(geometryOf(DiskImageFormat::d71));
    const struct {
        QString line;
        bool changes;
    } lines[] = {
        {"[Info] copying tracks 1-70 (1366 sectors)", false},
        {" 1: *--------------------     0%     1/1366", true},
        {"[Warning] read error: 01/02: 5", true},
        {" 1: **?*****..***********               ", true},
        {" 1: **?*****..***********               ", false},
        // Hex: track 36, sector 5, after a redraw that had no line break yet.
        {"36: *----  0%  22/1366[Warning] read error: 24/05: 4", true},
        {"36: *****?********.....  3%  42/1366", true},
        {"71: *****  100%  1/1", false},
        {"\n1366 blocks copied.", false},
    };
    for (const auto& step : lines) {
        EXPECT_EQ(applyTransferLine(map, step.line), step.changes) << step.line.toStdString();
    }
    EXPECT_EQ(map.at(1, 0).kind, SectorClass::copied);
    EXPECT_EQ(map.at(1, 2), (SectorState{SectorClass::error, 5, -1}));
    EXPECT_EQ(map.at(1, 8).kind, SectorClass::free);
    EXPECT_EQ(map.at(36, 5), (SectorState{SectorClass::error, 4, -1}));
    EXPECT_EQ(map.count(SectorClass::copied), 18 + 13);
    EXPECT_EQ(map.count(SectorClass::notRead), 1366 - 21 - 19);

    // A D81 track fills the field, so the percentage follows the row without a blank.
    DiskMap d81 = emptyDiskMap(geometryOf(DiskImageFormat::d81));
    EXPECT_TRUE(applyTransferLine(d81, "\r40: " + QString(40, '*') + "100%  3200/3200"));
    EXPECT_EQ(d81.count(SectorClass::copied), 40);
}
