#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"
#include "model/OpenCBMError.h"

#include <QMap>
#include <QSet>
#include <bit>
#include <gtest/gtest.h>
#include <map>
#include <random>

using namespace vellum;
using namespace vellum::D64Layout;

namespace {

// The stored BAM shows exactly the sectors of the header and BAM, the directory chain and
// the listed files' chains as used, and every file reads back as it was added.
void expectConsistent(const QByteArray& image, const QMap<QString, QByteArray>& model) {
    const DiskGeometry& geometry = geometryOfImage(image);
    const qint64 dirTrack = geometry.directoryTrack;
    QSet<qint64> used;
    for (qint64 s = 0; s < geometry.firstDirectorySector; ++s) {
        used.insert(sectorKey(dirTrack, s));
    }
    for (qint64 s = 0; geometry.otherReservedTrack != 0 && s < 19; ++s) {
        used.insert(sectorKey(geometry.otherReservedTrack, s));
    }
    for (const auto& [t, s] : chainSectors(image, dirTrack, geometry.firstDirectorySector)) {
        used.insert(sectorKey(t, s));
    }
    const auto files = D64Extractor::files(image);
    ASSERT_EQ(files.size(), model.size());
    for (const auto& file : files) {
        for (const auto& [t, s] : chainSectors(image, file.startTrack, file.startSector)) {
            ASSERT_FALSE(geometry.isReserved(t)) << t << "/" << s;
            used.insert(sectorKey(t, s));
        }
        ASSERT_EQ(readChain(image, file.startTrack, file.startSector), model.value(file.name));
    }
    for (qint64 t = 1; t <= geometry.mapTracks; ++t) {
        const quint64 sectors = FreeMap::storedSectors(geometry, image, t);
        for (qint64 s = 0; s < geometry.sectorsOnTrack[t]; ++s) {
            ASSERT_EQ(bool((sectors >> s) & 1), !used.contains(sectorKey(t, s))) << t << "/" << s;
        }
        ASSERT_EQ(FreeMap::storedCount(geometry, image, t), std::popcount(sectors)) << t;
    }
}

} // namespace

TEST(D64BuilderProperty, RandomAddsAndDeletesKeepBAMAndFilesExact) {
    const QStringList names = {"GAME", "DEMO", "game", "A", "PROGRAM NUMBER 1", ""};
    // Each format's share of the seeds; big files are sized to its capacity so that every
    // format's sequences reach a full disk.
    const std::array<std::pair<DiskImageFormat, unsigned>, 3> formats = {
        {{DiskImageFormat::d64, 60000},
         {DiskImageFormat::d71, 120000},
         {DiskImageFormat::d81, 280000}}};
    std::map<DiskImageFormat, int> failedAdds;
    for (unsigned seed = 1; seed <= 18; ++seed) {
        const auto [format, bigFile] = formats[seed % 3];
        SCOPED_TRACE(testing::Message()
                     << "seed " << seed << " " << displayName(format).toStdString());
        std::mt19937 random(seed);
        D64Builder builder = D64Builder::create("PROPERTY", std::nullopt, format);
        QMap<QString, QByteArray> model;
        for (int step = 0; step < 160; ++step) {
            if (!model.isEmpty() && random() % 3 == 0) {
                const auto files = D64Extractor::files(builder.data());
                const qint64 index = random() % files.size();
                builder.deleteFile(index);
                builder.writeBAM();
                model.remove(files[index].name);
            } else {
                // Mostly small files, sometimes big ones that fill the disk.
                QByteArray contents(random() % 8 ? 1 + random() % 2000 : 1 + random() % bigFile,
                                    '\0');
                for (char& byte : contents) {
                    byte = char(random());
                }
                const QByteArray before = builder.data();
                try {
                    const QString stored =
                        builder.addFile(names[random() % names.size()], CBMFileType::prg, contents);
                    ASSERT_FALSE(model.contains(stored));
                    model[stored] = contents;
                } catch (const OpenCBMError&) {
                    ++failedAdds[format];
                    ASSERT_EQ(builder.data(), before);
                }
            }
            expectConsistent(builder.data(), model);
            if (HasFatalFailure()) {
                return;
            }
        }
        // Rebuilding the BAM from the chains finds nothing to change.
        D64Builder reopened = D64Builder::open(builder.data());
        reopened.rebuildBAM();
        ASSERT_EQ(reopened.data(), builder.data());
    }
    for (const auto& [format, bigFile] : formats) {
        EXPECT_GT(failedAdds[format], 0) << displayName(format).toStdString(); // a full disk
    }
}
