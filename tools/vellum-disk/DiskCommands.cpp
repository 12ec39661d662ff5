#include "DiskCommands.h"

#include "Listing.h"
#include "NewFiles.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"
#include "images/ImageFiles.h"
#include "images/LocalFileNames.h"
#include "images/T64Converter.h"
#include "model/FileNames.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace vellum {

namespace {

// A mistake in the command line; reported with a pointer to --help.
struct UsageError {
    QString message;
};

QUrl fileURL(const QString& path) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}

bool isTape(const QString& path) {
    return pathExtension(path).toLower() == QStringLiteral("t64");
}

// Listing positions as the user gives them, counted from 1; returned counted from 0.
QList<qint64> parseIndexes(const QStringList& texts) {
    QList<qint64> indexes;
    for (const QString& text : texts) {
        const std::optional<qint64> value = readInt64(text);
        if (!value || *value < 1)
            throw UsageError{
                QStringLiteral("“%1” is not a file number (the first file is 1).").arg(text)};
        indexes.append(*value - 1);
    }
    return indexes;
}

void requireCount(const QStringList& args, qsizetype minimum, qsizetype maximum) {
    if (args.size() < minimum || args.size() > maximum)
        throw UsageError{QStringLiteral("Wrong number of arguments.")};
}

void refuseExisting(const QString& path) {
    if (QFileInfo::exists(path))
        throw PlatformError(
            QStringLiteral("“%1” already exists; vellum-disk never replaces a file.").arg(path));
}

int list(const QStringList& args, QTextStream& out) {
    requireCount(args, 1, 1);
    const QByteArray bytes = readWholeFile(fileURL(args[0]));
    if (isTape(args[0])) {
        out << listingText(T64Converter::readDirectory(bytes), QString(), std::nullopt);
        return 0;
    }
    const DiskDirectory directory = D64Extractor::readDirectory(bytes);
    const QByteArray bam = D64Layout::sector(bytes, D64Layout::directoryTrack, 0);
    // The drive leaves the directory track out of its count.
    const qint64 driveFree = *directory.blocksFree - quint8(bam[4 * D64Layout::directoryTrack]);
    out << listingText(directory, D64Layout::decodeName(bam, 0xA5, 2), driveFree);
    return 0;
}

struct ExtractedFile {
    ParsedFile file;
    CBMFileType type;
};

QList<ExtractedFile> filesToExtract(const QString& imagePath, const QByteArray& bytes,
                                    const QList<qint64>& indexes) {
    const QString imageName = QFileInfo(imagePath).fileName();
    QList<ExtractedFile> result;
    if (isTape(imagePath)) {
        const QList<ParsedFile> files = T64Converter::parsedFiles(bytes, imageName);
        if (indexes.isEmpty()) {
            for (const ParsedFile& file : files)
                result.append({file, CBMFileType::prg});
        }
        for (qint64 index : indexes) {
            if (index >= files.size())
                throw OpenCBMError::parseError(
                    QStringLiteral("That file is not in %1.").arg(imageName));
            result.append({files[index], CBMFileType::prg});
        }
        return result;
    }
    if (indexes.isEmpty()) {
        D64Layout::checkImageSize(bytes);
        for (const D64Extractor::File& file : D64Extractor::files(bytes)) {
            if (auto parsed = D64Extractor::parsedFile(bytes, file))
                result.append({*parsed, file.type});
        }
        if (result.isEmpty())
            throw OpenCBMError::parseError(QStringLiteral("No files found in %1.").arg(imageName));
        return result;
    }
    const QList<D64Extractor::File> listed = D64Extractor::files(bytes);
    for (qint64 index : indexes) {
        ParsedFile parsed = D64Extractor::parsedFile(bytes, imageName, index);
        result.append({parsed, listed[index].type});
    }
    return result;
}

int extract(QStringList args, QTextStream& out) {
    QString folder = QStringLiteral(".");
    const qsizetype option = args.indexOf(QStringLiteral("-o"));
    if (option >= 0) {
        if (option + 1 >= args.size())
            throw UsageError{QStringLiteral("-o needs a folder.")};
        folder = args[option + 1];
        args.remove(option, 2);
    }
    if (args.isEmpty())
        throw UsageError{QStringLiteral("Wrong number of arguments.")};
    if (!QFileInfo(folder).isDir())
        throw PlatformError(QStringLiteral("“%1” is not a folder.").arg(folder));
    const QByteArray bytes = readWholeFile(fileURL(args[0]));
    // Everything is read before the first file is written, so a bad index writes nothing.
    const QList<ExtractedFile> files = filesToExtract(args[0], bytes, parseIndexes(args.mid(1)));
    for (const ExtractedFile& extracted : files) {
        const QString path = writeNewFile(folder, safeLocalBaseName(extracted.file.name),
                                          fileExtension(extracted.type), extracted.file.contents());
        out << path << '\n';
    }
    return 0;
}

int add(const QStringList& args, QTextStream& out) {
    if (args.size() < 2)
        throw UsageError{QStringLiteral("Wrong number of arguments.")};
    QList<AddableFile> files;
    for (const QString& path : args.mid(1))
        files += T64Converter::loadFiles(fileURL(path));
    if (files.isEmpty())
        throw OpenCBMError::parseError(
            QStringLiteral("Give PRG, SEQ, USR, P00 or T64 files to add them to a D64."));
    const QUrl imageURL = fileURL(args[0]);
    D64Builder builder = D64Builder::open(readWholeFile(imageURL));
    QStringList stored;
    for (const AddableFile& file : files)
        stored << builder.addFile(file.name, file.type, file.contents);
    writeFileAtomically(imageURL, builder.data());
    for (const QString& name : stored)
        out << "Added “" << name << "”.\n";
    return 0;
}

int remove(const QStringList& args, QTextStream& out) {
    if (args.size() < 2)
        throw UsageError{QStringLiteral("Wrong number of arguments.")};
    QList<qint64> indexes = parseIndexes(args.mid(1));
    std::sort(indexes.begin(), indexes.end(), std::greater<>());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    const QUrl imageURL = fileURL(args[0]);
    const QByteArray bytes = readWholeFile(imageURL);
    D64Builder builder = D64Builder::open(bytes);
    const QList<D64Extractor::File> listed = D64Extractor::files(bytes);
    QStringList deleted;
    for (qint64 index : indexes) {
        builder.deleteFile(index);
        deleted.prepend(listed[index].name);
    }
    builder.writeBAM();
    writeFileAtomically(imageURL, builder.data());
    for (const QString& name : deleted)
        out << "Deleted “" << name << "”.\n";
    return 0;
}

void checkDiskFields(const QString& name, const QString& id) {
    if (name.isEmpty())
        throw OpenCBMError::invalidDiskName(QStringLiteral("Enter a disk name."));
    if (name.size() > 16)
        throw OpenCBMError::invalidDiskName(
            QStringLiteral("Disk name must be 16 characters or fewer."));
    if (name.contains(QLatin1Char(',')))
        throw OpenCBMError::invalidDiskName(QStringLiteral("Disk name cannot contain a comma."));
    if (id.size() != 2)
        throw OpenCBMError::invalidDiskName(
            QStringLiteral("Disk ID must be exactly 2 characters."));
}

int create(const QStringList& args, QTextStream& out) {
    requireCount(args, 2, 3);
    const QString name = args[1].trimmed();
    const QString id = args.size() > 2 ? args[2].trimmed() : QStringLiteral("00");
    checkDiskFields(name, id);
    refuseExisting(args[0]);
    writeFileAtomically(fileURL(args[0]), D64Builder::create(name, id).data());
    out << "Created " << args[0] << ".\n";
    return 0;
}

int convert(const QStringList& args, QTextStream& out) {
    requireCount(args, 1, 2);
    const QFileInfo tape(args[0]);
    QString target;
    if (args.size() > 1) {
        target = args[1];
        refuseExisting(target);
    } else {
        target = uniqueLocalURL(QUrl::fromLocalFile(tape.path()), tape.completeBaseName(),
                                QStringLiteral("d64"))
                     .toLocalFile();
    }
    T64Converter::convert(fileURL(args[0]), fileURL(target));
    out << "Converted " << args[0] << " to " << target << ".\n";
    return 0;
}

} // namespace

QString diskCommandHelp() {
    return QStringLiteral(
        "vellum-disk — list and edit D64 disk images and T64 tape images\n"
        "\n"
        "  vellum-disk list IMAGE                 list a .d64 or .t64 like the drive does\n"
        "  vellum-disk extract IMAGE [N…] [-o DIR]\n"
        "                                         save files with their load address\n"
        "                                         (all files when no N is given)\n"
        "  vellum-disk add IMAGE FILE…            add PRG, SEQ, USR, P00 or T64 files to a .d64\n"
        "  vellum-disk delete IMAGE N…            delete files from a .d64\n"
        "  vellum-disk new IMAGE NAME [ID]        create an empty .d64 (ID defaults to 00)\n"
        "  vellum-disk convert TAPE.t64 [OUT.d64] convert a tape image into a disk image\n"
        "  vellum-disk --help                     show this text\n"
        "\n"
        "N is a file's position in the listing; the first file is 1.\n"
        "Existing files are never replaced: extracted files get free names\n"
        "(GAME.prg, GAME-2.prg, …), and an image is rewritten whole or not at all.\n"
        "On an error the message goes to standard error and the exit status is 1.\n");
}

int runDiskCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.isEmpty() || arguments[0] == QStringLiteral("--help") ||
        arguments[0] == QStringLiteral("-h") || arguments[0] == QStringLiteral("help")) {
        (arguments.isEmpty() ? err : out) << diskCommandHelp();
        return arguments.isEmpty() ? 1 : 0;
    }
    const QString command = arguments[0];
    const QStringList args = arguments.mid(1);
    try {
        if (command == QStringLiteral("list"))
            return list(args, out);
        if (command == QStringLiteral("extract"))
            return extract(args, out);
        if (command == QStringLiteral("add"))
            return add(args, out);
        if (command == QStringLiteral("delete"))
            return remove(args, out);
        if (command == QStringLiteral("new"))
            return create(args, out);
        if (command == QStringLiteral("convert"))
            return convert(args, out);
        throw UsageError{QStringLiteral("Unknown command “%1”.").arg(command)};
    } catch (const UsageError& error) {
        err << error.message << " Run vellum-disk --help for the commands.\n";
    } catch (const OpenCBMError& error) {
        err << error.errorDescription() << '\n';
    } catch (const PlatformError& error) {
        err << error.errorDescription() << '\n';
    }
    return 1;
}

} // namespace vellum
