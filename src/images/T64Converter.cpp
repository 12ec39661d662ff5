#include "images/T64Converter.h"

#include "images/D64Builder.h"
#include "images/D64Layout.h"
#include "images/ImageFiles.h"
#include "model/FileNames.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

namespace vellum::T64Converter {

namespace {

constexpr qint64 headerSize = 64;
constexpr qint64 entrySize = 32;
constexpr qint64 largestTapeContents = 64 * 1024 * 1024;

quint32 little(const QByteArray& bytes, qint64 offset, int width) {
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | quint8(bytes[offset + i]);
    }
    return value;
}

bool isSignature(const QByteArray& bytes) {
    const QByteArray raw = bytes.left(32);
    QString text;
    if (std::all_of(raw.begin(), raw.end(), [](char c) { return quint8(c) < 0x80; })) {
        text = QString::fromLatin1(raw);
    }
    qsizetype start = 0;
    qsizetype end = text.size();
    auto trimmable = [&](qsizetype i) {
        return text.at(i).isSpace() || text.at(i).category() == QChar::Other_Control;
    };
    while (start < end && trimmable(start)) {
        ++start;
    }
    while (end > start && trimmable(end - 1)) {
        --end;
    }
    const QString signature = text.mid(start, end - start).toUpper();
    return signature.contains(QStringLiteral("C64")) || signature.contains(QStringLiteral("TAPE"));
}

OpenCBMError noFiles(const QString& fileName) {
    return OpenCBMError::parseError(
        QCoreApplication::translate("T64Converter", "No files found in %1.").arg(fileName));
}

} // namespace

Tape parseT64(const QByteArray& bytes) {
    const qint64 length = bytes.size();
    if (length < headerSize) {
        throw OpenCBMError::parseError(
            QCoreApplication::translate("T64Converter", "This T64 file is too small to be valid."));
    }
    if (!isSignature(bytes)) {
        throw OpenCBMError::parseError(
            QCoreApplication::translate("T64Converter", "Not a T64 tape image."));
    }
    const qint64 count = std::max(little(bytes, 0x22, 2), little(bytes, 0x24, 2));
    if (count == 0 || headerSize + entrySize * count > length) {
        throw OpenCBMError::parseError(QStringLiteral("T64 directory is truncated."));
    }

    Tape tape;
    tape.name = D64Layout::decodeName(bytes, 0x28, 24);
    // Entries may share bytes, so a small damaged tape could otherwise ask for its bytes
    // tens of thousands of times over.
    qint64 total = 0;
    for (qint64 i = 0; i < count; ++i) {
        const qint64 entry = headerSize + entrySize * i;
        if (bytes[entry] == 0) {
            continue;
        }
        const qint64 offset = little(bytes, entry + 8, 4);
        if (offset >= length) {
            continue;
        }
        const quint16 start = quint16(little(bytes, entry + 2, 2));
        const quint16 end = quint16(little(bytes, entry + 4, 2));
        qint64 size = end > start ? qint64(end) - start : length - offset;
        size = std::min(size, length - offset);
        total += size;
        if (total > largestTapeContents) {
            throw OpenCBMError::parseError(
                QStringLiteral("T64 directory is damaged: its entries add up to more than 64 MB."));
        }
        QString name = D64Layout::decodeName(bytes, entry + 16, 16);
        if (name.isEmpty()) {
            name = QStringLiteral("FILE %1").arg(tape.files.size() + 1);
        }
        tape.files.append(ParsedFile{name, start, bytes.mid(offset, size)});
    }
    return tape;
}

DiskDirectory readDirectory(const QByteArray& bytes) {
    const Tape tape = parseT64(bytes);
    DiskDirectory directory;
    directory.diskName = tape.name;
    for (const ParsedFile& file : tape.files) {
        DirectoryEntry entry;
        entry.name = file.name;
        entry.type = CBMFileType::prg;
        entry.typeToken = QStringLiteral("PRG");
        entry.blocks = (file.payload.size() + 2 + 253) / 254;
        directory.entries.append(entry);
    }
    return directory;
}

DiskDirectory readDirectory(const QUrl& tapeURL) {
    return readDirectory(readWholeFile(tapeURL, FileRole::tapeImage));
}

QList<ParsedFile> parsedFiles(const QByteArray& bytes, const QString& tapeName) {
    Tape tape = parseT64(bytes);
    if (tape.files.isEmpty()) {
        throw noFiles(tapeName);
    }
    return tape.files;
}

QList<ParsedFile> parsedFiles(const QUrl& tapeURL) {
    return parsedFiles(readWholeFile(tapeURL, FileRole::tapeImage), tapeURL.fileName());
}

QByteArray convertToImage(const QByteArray& bytes, const QString& tapeFileName) {
    const Tape tape = parseT64(bytes);
    if (tape.files.isEmpty()) {
        throw noFiles(tapeFileName);
    }
    const QString diskName =
        tape.name.isEmpty() ? QFileInfo(tapeFileName).completeBaseName() : tape.name;
    D64Builder builder = D64Builder::create(diskName, QStringLiteral("00"));
    for (const ParsedFile& file : tape.files) {
        builder.addFile(file.name, CBMFileType::prg, file.contents());
    }
    return builder.data();
}

void convert(const QUrl& tapeURL, const QUrl& imageURL) {
    writeFileAtomically(
        imageURL, convertToImage(readWholeFile(tapeURL, FileRole::tapeImage), tapeURL.fileName()));
}

AddableFile parseP00(const QByteArray& bytes) {
    if (bytes.size() < 26) {
        throw OpenCBMError::parseError(
            QCoreApplication::translate("T64Converter", "This P00 file is too small to be valid."));
    }
    if (bytes.left(7) != QByteArrayLiteral("C64File")) {
        throw OpenCBMError::parseError(
            QCoreApplication::translate("T64Converter", "Not a P00 file."));
    }
    QString name = D64Layout::decodeName(bytes, 8, 16);
    if (name.isEmpty()) {
        name = QStringLiteral("FILE");
    }
    return AddableFile{name, CBMFileType::prg, bytes.mid(26)};
}

QList<AddableFile> loadFiles(const QUrl& url) {
    const QString extension = QFileInfo(url.path()).suffix().toLower();
    if (extension == QStringLiteral("d64")) {
        return {};
    }
    if (extension == QStringLiteral("t64")) {
        QList<AddableFile> result;
        for (const ParsedFile& file : parsedFiles(url)) {
            result.append(AddableFile{file.name, CBMFileType::prg, file.contents()});
        }
        return result;
    }
    if (extension == QStringLiteral("p00")) {
        return {parseP00(readWholeFile(url, FileRole::fileToAdd))};
    }
    const CBMFileType type = cbmFileType(url);
    if (type == CBMFileType::rel) {
        return {};
    }
    return {AddableFile{cbmFileName(url), type, readWholeFile(url, FileRole::fileToAdd)}};
}

} // namespace vellum::T64Converter
