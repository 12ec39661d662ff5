#include "DiskCommands.h"

#include "CommandSupport.h"
#include "Commands.h"
#include "Listing.h"
#include "images/ComputerFileNames.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/D64Layout.h"
#include "images/ImageFiles.h"
#include "images/T64Converter.h"
#include "model/OpenCBMError.h"
#include "model/TextUtil.h"

#include <QFileInfo>

namespace vellum {

using namespace disk;

namespace {

void refuseExisting(const QString& path) {
    if (pathIsTaken(path)) {
        throw PlatformError(
            QStringLiteral("“%1” already exists; vellum-disk never replaces a file.").arg(path));
    }
}

// Writes a new file under exactly this name, which nothing may have taken meanwhile.
void writeExactlyNew(const QString& path, const QByteArray& bytes) {
    if (!writeNewFile(fileURL(path), bytes)) {
        refuseExisting(path);
    }
}

int list(const QStringList& args, QTextStream& out) {
    requireCount(args, 1, 1);
    const QString path = args[0];
    if (isTape(path)) {
        const QByteArray bytes = readWholeFile(fileURL(path), FileRole::tapeImage);
        const DiskDirectory tape =
            namingFileOnError(path, [&] { return T64Converter::readDirectory(bytes); });
        out << listingText(tape, QString(), std::nullopt);
        return succeeded;
    }
    const QByteArray bytes = namingFileOnError(path, [&] { return readDiskImage(fileURL(path)); });
    const DiskDirectory directory =
        namingFileOnError(path, [&] { return D64Extractor::readDirectory(bytes); });
    const DiskGeometry& geometry = geometryOfImage(bytes);
    const char* header =
        D64Layout::sectorData(bytes, geometry.directoryTrack, geometry.headerSector);
    out << listingText(directory, D64Layout::decodeName(header + geometry.dosTypeOffset, 2),
                       directory.blocksFree);
    return succeeded;
}

void checkDiskFields(const QString& name, const QString& id) {
    if (name.isEmpty()) {
        throw OpenCBMError::invalidDiskName(QStringLiteral("Enter a disk name."));
    }
    if (name.size() > 16) {
        throw OpenCBMError::invalidDiskName(
            QStringLiteral("Disk name must be 16 characters or fewer."));
    }
    if (name.contains(QLatin1Char(','))) {
        throw OpenCBMError::invalidDiskName(QStringLiteral("Disk name cannot contain a comma."));
    }
    if (id.size() != 2) {
        throw OpenCBMError::invalidDiskName(
            QStringLiteral("Disk ID must be exactly 2 characters."));
    }
}

int create(const QStringList& args, QTextStream& out) {
    requireCount(args, 2, 3);
    const QString name = args[1].trimmed();
    const QString id = args.size() > 2 ? args[2].trimmed() : QStringLiteral("00");
    checkDiskFields(name, id);
    refuseExisting(args[0]);
    const DiskImageFormat format =
        diskImageFormatOf(fileURL(args[0])).value_or(DiskImageFormat::d64);
    writeExactlyNew(args[0], D64Builder::create(name, id, format).data());
    out << "Created " << printable(args[0]) << ".\n";
    return succeeded;
}

int convert(const QStringList& args, QTextStream& out) {
    requireCount(args, 1, 2);
    const QString tapePath = args[0];
    if (args.size() > 1) {
        refuseExisting(args[1]);
    }
    const QByteArray tape = readWholeFile(fileURL(tapePath), FileRole::tapeImage);
    const QByteArray image = namingFileOnError(tapePath, [&] {
        return T64Converter::convertToImage(tape, QFileInfo(tapePath).fileName());
    });
    QString target;
    if (args.size() > 1) {
        target = args[1];
        writeExactlyNew(target, image);
    } else {
        const QFileInfo info(tapePath);
        target = writeUnderFreeName(info.path(), info.completeBaseName(), QStringLiteral("d64"),
                                    image, Sync::toDisk);
    }
    out << "Converted " << printable(tapePath) << " to " << printable(target) << ".\n";
    return succeeded;
}

int dispatch(const QString& command, const QStringList& args, QTextStream& out, QTextStream& err) {
    if (command == QStringLiteral("list")) {
        return list(args, out);
    }
    if (command == QStringLiteral("extract")) {
        return extract(args, out, err);
    }
    if (command == QStringLiteral("add")) {
        return add(args, out, err);
    }
    if (command == QStringLiteral("delete")) {
        return remove(args, out);
    }
    if (command == QStringLiteral("new")) {
        return create(args, out);
    }
    if (command == QStringLiteral("convert")) {
        return convert(args, out);
    }
    throw UsageError{QStringLiteral("Unknown command “%1”.").arg(command)};
}

} // namespace

QString diskCommandHelp() {
    return QStringLiteral(
        "vellum-disk — list and edit D64, D71 and D81 disk images and T64 tape images\n"
        "\n"
        "  vellum-disk list IMAGE                 list a disk image or .t64 like the drive does\n"
        "  vellum-disk extract IMAGE [N…] [-o DIR]\n"
        "                                         save files with their load address\n"
        "                                         (all files when no N is given)\n"
        "  vellum-disk add IMAGE FILE…            add PRG, SEQ, USR, P00 or T64 files to an image\n"
        "  vellum-disk delete IMAGE N…            delete files from an image\n"
        "  vellum-disk new IMAGE NAME [ID]        create an empty image, a .d64, .d71 or .d81 as\n"
        "                                         its name ends (ID defaults to 00)\n"
        "  vellum-disk convert TAPE.t64 [OUT.d64] convert a tape image into a disk image\n"
        "  vellum-disk --help                     show this text\n"
        "\n"
        "N is a file's position in the listing; the first file is 1.\n"
        "Existing files are never replaced: extracted files get free names\n"
        "(GAME.prg, GAME-2.prg, …), and an image is rewritten whole or not at all.\n"
        "On an error the message goes to standard error and the exit status is 1;\n"
        "nothing is changed then. When extract finds files that are damaged, it saves\n"
        "what can be read, names each such file on standard error and exits with 2.\n");
}

int runDiskCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.isEmpty() || arguments[0] == QStringLiteral("--help") ||
        arguments[0] == QStringLiteral("-h") || arguments[0] == QStringLiteral("help")) {
        (arguments.isEmpty() ? err : out) << diskCommandHelp();
        return arguments.isEmpty() ? failed : succeeded;
    }
    try {
        return dispatch(arguments[0], arguments.mid(1), out, err);
    } catch (const UsageError& error) {
        err << printable(error.message) << " Run vellum-disk --help for the commands.\n";
    } catch (const OpenCBMError& error) {
        err << printable(error.errorDescription()) << '\n';
    } catch (const PlatformError& error) {
        err << printable(error.errorDescription()) << '\n';
    }
    return failed;
}

} // namespace vellum
