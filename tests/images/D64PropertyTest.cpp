#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"
#include "model/OpenCBMError.h"

#include <QMap>
#include <QSet>
#include <gtest/gtest.h>
#include <random>

using namespace vellum;
using namespace vellum::D64Layout;

namespace {

// The stored BAM shows exactly the sectors of the BAM, the directory chain and the listed
// files' chains as used, and every file reads back as it was added.
void expectConsistent(const QByteArray& image, const QMap<QString, QByteArray>& model) {
    QSet<qint64> used = {sectorKey(18, 0)};
    for (const auto& [t, s] : chainSectors(image, 18, 1)) {
        used.insert(sectorKey(t, s));
    }
    const auto files = D64Extractor::files(image);
    ASSERT_EQ(files.size(), model.size());
    for (const auto& file : files) {
        for (const auto& [t, s] : chainSectors(image, file.startTrack, file.startSector)) {
            used.insert(sectorKey(t, s));
        }
        ASSERT_EQ(readChain(image, file.startTrack, file.startSector), model.value(file.name));
    }
    const char* bam = sectorData(image, 18, 0);
    for (qint64 t = 1; t <= trackCount; ++t) {
        qint64 freeCount = 0;
        for (qint64 s = 0; s < sectorsPerTrack(t); ++s) {
            const bool isFree = (quint8(bam[4 * t + 1 + s / 8]) >> (s % 8)) & 1;
            ASSERT_EQ(isFree, !used.contains(sectorKey(t, s))) << t << "/" << s;
            freeCount += isFree;
        }
        ASSERT_EQ(quint8(bam[4 * t]), freeCount) << "track " << t;
    }
}

} // namespace

TEST(D64BuilderProperty, RandomAddsAndDeletesKeepBAMAndFilesExact) {
    const QStringList names = {"GAME", "DEMO", "game", "A", "PROGRAM NUMBER 1", ""};
    int failedAdds = 0;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        D64Builder builder = D64Builder::create("PROPERTY");
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
                QByteArray contents(random() % 8 ? 1 + random() % 2000 : 1 + random() % 60000,
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
                    ++failedAdds;
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
    EXPECT_GT(failedAdds, 0); // the sequences reached a full disk
}
