#pragma once

#include "ImageFixtures.h"
#include "SessionFixture.h"
#include "WaitForTask.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "model/OpenCBMError.h"

#include <QCoroTask>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace vellum::testing {

// Shorter names for the image fixtures' program files and byte patterns.
inline constexpr auto& program = prg;
inline QByteArray pattern(qint64 length, int seed) {
    return sequence(length, seed);
}

struct ImageFile {
    QString name;
    CBMFileType type = CBMFileType::prg;
    QByteArray contents;
};

inline QByteArray diskImage(const QString& diskName, const QList<ImageFile>& files,
                            DiskImageFormat format = DiskImageFormat::d64) {
    D64Builder builder = D64Builder::create(diskName, QStringLiteral("01"), format);
    for (const ImageFile& file : files) {
        builder.addFile(file.name, file.type, file.contents);
    }
    return builder.data();
}

// A T64 tape with the given program files, each starting with its load address.
inline QByteArray tapeImage(const QString& tapeName, const QList<ImageFile>& files) {
    QList<TapeEntry> entries;
    for (const ImageFile& file : files) {
        entries.append({file.name.toLatin1(), file.contents.mid(2),
                        quint16(quint8(file.contents.at(0)) | quint8(file.contents.at(1)) << 8)});
    }
    return makeTape(entries, tapeName.toLatin1());
}

// A session whose computer pane shows a temporary folder, with its own temporary folder
// for the files the session makes along the way, so leftovers can be counted.
class PaneTest : public SessionTest {
protected:
    QTemporaryDir folderDir;
    QTemporaryDir scratchDir;
    QByteArray savedTmp;

    void SetUp() override {
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", scratchDir.path().toLocal8Bit());
    }
    void TearDown() override {
        model.reset();
        if (savedTmp.isEmpty()) {
            qunsetenv("TMPDIR");
        } else {
            qputenv("TMPDIR", savedTmp);
        }
    }

    QUrl folder() const { return QUrl::fromLocalFile(folderDir.path()); }
    QString path(const QString& name) const { return QDir(folderDir.path()).filePath(name); }
    QUrl url(const QString& name) const { return QUrl::fromLocalFile(path(name)); }

    QUrl put(const QString& name, const QByteArray& bytes) {
        QFileInfo(path(name)).dir().mkpath(QStringLiteral("."));
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return url(name);
    }
    QByteArray contents(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList folderNames() const {
        return QDir(folderDir.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }
    QStringList leftoverTemporaryFiles() const {
        return QDir(scratchDir.path())
            .entryList({QStringLiteral("vellum-*")}, QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    // The pane opened on the test folder.
    VellumViewModel& pane() {
        VellumViewModel& model = session();
        if (model.computer().computerFolder() != folder()) {
            model.navigate(folder());
        }
        return model;
    }

    const ComputerFileItem& item(const QString& name) {
        for (const ComputerFileItem& each : session().computer().computerItems()) {
            if (each.name == name) {
                return each;
            }
        }
        throw std::runtime_error("no such item: " + name.toStdString());
    }
    QStringList itemNames() {
        QStringList names;
        for (const ComputerFileItem& each : session().computer().visibleLocalItems()) {
            names << each.name;
        }
        return names;
    }
    // A floppy listing of PRG files of the given names, the first `selected` of them selected.
    void showFloppy(const QStringList& names, qsizetype selected = 0,
                    std::optional<qint64> blocksFree = 600) {
        QList<DirectoryEntry> entries;
        EntryIDSet ids;
        for (const QString& name : names) {
            entries << floppyEntry(name, 4);
            if (ids.size() < selected) {
                ids.insert(entries.last().id);
            }
        }
        StateEditor(session()).setDirectory(diskListing(entries, blocksFree));
        StateEditor(session()).setFloppySelection(ids);
    }
    QStringList imageNames(const QString& name) { return listedNames(contents(name)); }
};

} // namespace vellum::testing
