#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"
#include "model/OpenCBMError.h"

#include <QMap>
#include <QSet>
#include <gtest/gtest.h>
#include <random>

using namespace vellum;

namespace {

QByteArray randomBytes(std::mt19937& random, qint64 length) {
    QByteArray bytes(length, '\0');
    for (char& byte : bytes)
        byte = char(random() & 0xFF);
    return bytes;
}

// The sectors the directory chain, the BAM and the listed files' chains occupy.
QSet<qint64> usedSectors(const QByteArray& image) {
    using namespace D64Layout;
    QSet<qint64> used = {sectorKey(18, 0)};
    for (const auto& [t, s] : chainSectors(image, 18, 1))
        used.insert(sectorKey(t, s));
    for (const auto& file : D64Extractor::files(image)) {
        for (const auto& [t, s] : chainSectors(image, file.startTrack, file.startSector))
            used.insert(sectorKey(t, s));
    }
    return used;
}

void expectConsistent(const QByteArray& image, const QMap<QString, QByteArray>& model) {
    using namespace D64Layout;
    const QSet<qint64> used = usedSectors(image);
    const QByteArray bam = sector(image, 18, 0);
    for (qint64 t = 1; t <= trackCount; ++t) {
        qint64 freeCount = 0;
        for (qint64 s = 0; s < sectorsPerTrack(t); ++s) {
            const bool bamFree = (quint8(bam[4 * t + 1 + s / 8]) >> (s % 8)) & 1;
            ASSERT_EQ(bamFree, !used.contains(sectorKey(t, s))) << t << "/" << s;
            freeCount += bamFree;
        }
        ASSERT_EQ(quint8(bam[4 * t]), freeCount) << "track " << t;
    }
    const auto files = D64Extractor::files(image);
    ASSERT_EQ(files.size(), model.size());
    for (const auto& file : files) {
        ASSERT_TRUE(model.contains(file.name)) << file.name.toStdString();
        ASSERT_EQ(readChain(image, file.startTrack, file.startSector), model[file.name])
            << file.name.toStdString();
        ASSERT_EQ(file.blocks, (model[file.name].size() + 253) / 254);
    }
}

} // namespace

TEST(D64BuilderProperty, RandomAddsAndDeletesKeepBAMAndFilesExact) {
    const QStringList names = {"GAME", "DEMO", "NOTES", "A", "PROGRAM NUMBER 1", ""};
    int failedAdds = 0;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        D64Builder builder = D64Builder::create("PROPERTY");
        QMap<QString, QByteArray> model;
        for (int step = 0; step < 160; ++step) {
            const bool remove = !model.isEmpty() && random() % 3 == 0;
            if (remove) {
                const auto files = D64Extractor::files(builder.data());
                const qint64 index = random() % files.size();
                builder.deleteFile(index);
                builder.writeBAM();
                model.remove(files[index].name);
            } else {
                // Mostly small files, sometimes big ones that fill the disk.
                const qint64 size = random() % 8 == 0 ? 1 + random() % 60000 : 1 + random() % 2000;
                const QByteArray contents = randomBytes(random, size);
                const QString name = names[random() % names.size()];
                const CBMFileType type = random() % 2 ? CBMFileType::prg : CBMFileType::seq;
                const QByteArray before = builder.data();
                try {
                    const QString stored = builder.addFile(name, type, contents);
                    ASSERT_FALSE(model.contains(stored)) << stored.toStdString();
                    model[stored] = contents;
                } catch (const OpenCBMError&) {
                    ++failedAdds;
                    ASSERT_EQ(builder.data(), before);
                }
            }
            expectConsistent(builder.data(), model);
            if (HasFatalFailure())
                return;
            if (step % 40 == 39) {
                // Rebuilding the BAM from the chains finds nothing to change.
                D64Builder reopened = D64Builder::open(builder.data());
                reopened.rebuildBAM();
                ASSERT_EQ(reopened.data(), builder.data());
            }
        }
    }
    // The sequences must have reached a full disk, or the failure path went untested.
    EXPECT_GT(failedAdds, 0);
}
