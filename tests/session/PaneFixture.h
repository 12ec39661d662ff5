#pragma once

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

inline QByteArray program(quint16 loadAddress, const QByteArray& payload) {
    QByteArray bytes;
    bytes.append(char(loadAddress & 0xFF));
    bytes.append(char(loadAddress >> 8));
    return bytes + payload;
}

// Bytes that differ from file to file, so a mix-up shows.
inline QByteArray pattern(qint64 length, int seed) {
    QByteArray bytes(length, '\0');
    for (qint64 i = 0; i < length; ++i) {
        bytes[i] = char((i * 7 + seed * 31) & 0xFF);
    }
    return bytes;
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

// A T64 tape with the given files (name, load address, payload).
inline QByteArray tapeImage(const QString& tapeName, const QList<ImageFile>& files) {
    const auto put = [](QByteArray& bytes, qint64 at, quint32 value, int width) {
        for (int i = 0; i < width; ++i) {
            bytes[at + i] = char((value >> (8 * i)) & 0xFF);
        }
    };
    const qint64 count = files.size();
    QByteArray bytes = QByteArray("C64S tape image file").leftJustified(32, '\0') +
                       QByteArray(8, '\0') + tapeName.toLatin1().leftJustified(24, ' ') +
                       QByteArray(32 * count, '\0');
    put(bytes, 0x20, 0x0101, 2);
    put(bytes, 0x22, quint32(count), 2);
    put(bytes, 0x24, quint32(count), 2);
    for (qint64 i = 0; i < count; ++i) {
        const ImageFile& file = files.at(i);
        const qint64 entry = 64 + 32 * i;
        const quint16 start = quint8(file.contents.at(0)) | quint8(file.contents.at(1)) << 8;
        bytes[entry] = 1;
        bytes[entry + 1] = char(0x82);
        put(bytes, entry + 2, start, 2);
        put(bytes, entry + 4, quint16(start + file.contents.size() - 2), 2);
        put(bytes, entry + 8, quint32(bytes.size()), 4);
        bytes.replace(entry + 16, 16, file.name.toLatin1().leftJustified(16, ' '));
        bytes.append(file.contents.mid(2));
    }
    return bytes;
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
    QStringList imageNames(const QString& name) {
        QStringList names;
        for (const DirectoryEntry& entry : D64Extractor::readDirectory(url(name)).entries) {
            names << entry.name;
        }
        return names;
    }
};

} // namespace vellum::testing
