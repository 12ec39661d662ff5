// The rules that differ between the D64, the D71 and the D81, one table row per format.

#include "ImageFixtures.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"

#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::testing;

namespace {

struct FormatRow {
    DiskImageFormat format;
    qint64 size;
    qint64 blocksFree;
    qint64 directoryEntries;
    // Header and free-map bytes of a fresh image: track, sector, offset, bytes.
    QList<std::tuple<qint64, qint64, qint64, QByteArray>> header;
};

const QList<FormatRow> formatRows = {
    {DiskImageFormat::d64,
     174848,
     664,
     144,
     {{18, 0, 0, QByteArray("\x12\x01\x41\x00\x15\xFF\xFF\x1F", 8)},
      {18, 0, 4 * 18, QByteArray("\x11\xFC\xFF\x07", 4)}, // header and directory used
      {18, 0, 0x90,
       QByteArray("FRESH").leftJustified(18, '\xA0') + "AB\xA0" + "2A\xA0\xA0\xA0\xA0"},
      {18, 1, 0, QByteArray("\x00\xFF", 2)}}},
    {DiskImageFormat::d71,
     349696,
     1328,
     144,
     {{18, 0, 0, QByteArray("\x12\x01\x41\x80", 4)}, // double-sided
      {18, 0, 0xDD, QByteArray("\x15\x15", 2)},      // counts of tracks 36 and 37
      {18, 0, 0xDD + 17, QByteArray(1, '\0')},       // track 53 is kept whole
      {53, 0, 0, "\xFF\xFF\x1F"}}},
    {DiskImageFormat::d81,
     819200,
     3160,
     296,
     {{40, 0, 0, QByteArray("\x28\x03\x44\x00", 4)},
      {40, 0, 0x16,
       "AB\xA0"
       "3D"},
      {40, 1, 0,
       "\x28\x02\x44\xBB"
       "AB\xC0"},
      {40, 2, 0, QByteArray("\x00\xFF\x44\xBB", 4)},
      {40, 1, 0x10 + 6 * 39, "\x24\xF0\xFF"}}}, // track 40: header, BAM, directory used
};

} // namespace

TEST(DiskFormats, FreshImagesFullDisksAndFullDirectories) {
    for (const FormatRow& row : formatRows) {
        SCOPED_TRACE(displayName(row.format).toStdString());
        const QByteArray fresh = D64Builder::create("fresh", "ab", row.format).data();
        ASSERT_EQ(fresh.size(), row.size);
        for (const auto& [track, sector, offset, bytes] : row.header) {
            EXPECT_EQ(D64Layout::sector(fresh, track, sector).mid(offset, bytes.size()), bytes)
                << track << "/" << sector << " +" << offset;
        }
        EXPECT_EQ(D64Extractor::readDirectory(fresh).blocksFree, row.blocksFree);
        EXPECT_EQ(D64Extractor::readDirectory(fresh).diskID, "AB");

        // One file takes every block the drive counts as free, none on a reserved track.
        D64Builder builder = D64Builder::open(fresh);
        builder.addFile("ALL", CBMFileType::prg, sequence(row.blocksFree * 254, 3));
        const auto chain = D64Layout::chainSectors(builder.data(), 1, 0);
        EXPECT_EQ(chain.size(), row.blocksFree);
        for (const auto& [track, sector] : chain) {
            ASSERT_FALSE(builder.geometry().isReserved(track)) << track << "/" << sector;
        }
        EXPECT_EQ(D64Extractor::readDirectory(builder.data()).blocksFree, 0);
        EXPECT_EQ(messageOf([&] { builder.addFile("MORE", CBMFileType::prg, sequence(3)); }),
                  QStringLiteral("Not enough space on this %1. Need 1 blocks, only 0 free.")
                      .arg(displayName(row.format)));
        EXPECT_EQ(D64Extractor::parsedFile(builder.data(), "x", 0).contents(),
                  sequence(row.blocksFree * 254, 3));

        // The directory track holds so many entries and no more.
        D64Builder crowd = D64Builder::open(fresh);
        for (qint64 i = 0; i < row.directoryEntries; ++i) {
            crowd.addFile(QStringLiteral("F%1").arg(i), CBMFileType::prg, QByteArray(1, 'x'));
        }
        EXPECT_EQ(messageOf([&] { crowd.addFile("ONE MORE", CBMFileType::prg, sequence(9)); }),
                  "Directory is full.");
    }
}

TEST(DiskFormats, ErrorBytesStayAndSizesMustFitTheExtension) {
    for (const FormatRow& row : formatRows) {
        const QByteArray errors = sequence(row.size / 256, 9);
        D64Builder builder =
            D64Builder::open(D64Builder::create("ERR", std::nullopt, row.format).data() + errors);
        builder.addFile("KEPT", CBMFileType::prg, sequence(3000, 1));
        EXPECT_EQ(builder.data().size(), row.size + errors.size());
        EXPECT_EQ(builder.data().right(errors.size()), errors);
        EXPECT_EQ(D64Extractor::parsedFile(builder.data(), "x", 0).contents(), sequence(3000, 1));
    }
    const struct {
        qint64 size;
        DiskImageFormat named;
        QString message;
    } sizes[] = {
        {349695, DiskImageFormat::d71, "This D71 image is too small to be valid."},
        {819200, DiskImageFormat::d64,
         "This file is named as a D64 image but has the size of a D81 image."},
        {819200 + 3200, DiskImageFormat::d81, "<no error>"},
    };
    for (const auto& size : sizes) {
        EXPECT_EQ(
            messageOf([&] { D64Layout::checkImageSize(QByteArray(size.size, '\0'), size.named); }),
            size.message);
    }
}

TEST(DiskFormats, DamageBeyondTheFirstSideIsNamed) {
    // A two-block file whose first link is bent past the last track, or back to itself.
    const struct {
        DiskImageFormat format;
        QByteArray link;
        QString fault;
    } cases[] = {
        {DiskImageFormat::d71, QByteArray("\x47\x00", 2), "links to track 71 sector 0, which"},
        {DiskImageFormat::d71, "\x24\x15", "links to track 36 sector 21, which"},
        {DiskImageFormat::d81, QByteArray("\x51\x00", 2), "links to track 81 sector 0, which"},
        {DiskImageFormat::d81, QByteArray("\x01\x00", 2), "comes back to track 1 sector 0."},
    };
    for (const auto& damage : cases) {
        D64Builder builder = D64Builder::create("BENT", std::nullopt, damage.format);
        builder.addFile("F", CBMFileType::prg, sequence(400));
        QByteArray image = builder.data();
        patch(image, 1, 0, 0, damage.link);
        const auto file = D64Extractor::files(image).at(0);
        EXPECT_TRUE(D64Extractor::readProblem(file)->contains(damage.fault));
        EXPECT_EQ(D64Extractor::parsedFile(image, file)->payload.size(), 252);
    }
    QByteArray looped = D64Builder::create("LOOP", std::nullopt, DiskImageFormat::d81).data();
    patch(looped, 40, 3, 0, "\x28\x01");
    EXPECT_EQ(messageOf([&] { D64Builder::open(looped); }),
              "This D81 image is damaged: its directory runs through the BAM, which every edit "
              "rewrites.");
}

TEST(DiskFormats, D81PartitionsAreListedAndKeptButNotEntered) {
    D64Builder builder = D64Builder::create("PARTS", std::nullopt, DiskImageFormat::d81);
    builder.addFile("BEFORE", CBMFileType::prg, sequence(600, 1));
    QByteArray image = builder.data();
    // A 120-block partition on tracks 50-52, which the free map (wrongly) shows as free.
    patch(image, 40, 3, 32 + 2,
          QByteArray("\x85\x32\x00", 3) + QByteArray("SUB").leftJustified(16, '\xA0'));
    patch(image, 40, 3, 32 + 30, QByteArray("\x78\x00", 2));
    patch(image, 50, 0, 0, QByteArray(120 * 256, 'P'));

    const auto listed = D64Extractor::files(image);
    EXPECT_EQ(listed[1].typeToken, "CBM");
    EXPECT_EQ(listed[1].blocks, 120);
    EXPECT_TRUE(D64Extractor::readProblem(listed[1])->contains("it is a partition"));
    EXPECT_EQ(D64Extractor::parsedFiles(image, "p.d81").size(), 1);

    // Filling the disk and deleting the other file leave the partition's blocks alone.
    D64Builder edit = D64Builder::open(image);
    edit.addFile("FILL", CBMFileType::prg, sequence(edit.freeBlockCount() * 254, 2));
    edit.deleteFile(0);
    edit.writeBAM();
    const qint64 start = D64Layout::sectorOffset(edit.geometry(), 50, 0);
    EXPECT_EQ(edit.data().mid(start, 120 * 256), QByteArray(120 * 256, 'P'));
    edit.deleteFile(1);
    edit.writeBAM();
    EXPECT_EQ(D64Extractor::readDirectory(edit.data()).blocksFree, 3160 - 120);
}
