#include "CommandSupport.h"
#include "Commands.h"
#include "images/D64Builder.h"
#include "images/D64Extractor.h"
#include "images/ImageFiles.h"
#include "images/T64Converter.h"
#include "model/FileNames.h"
#include "model/TextUtil.h"

#include <QFileInfo>
#include <algorithm>

namespace vellum::disk {

namespace {

D64Builder openImage(const QString& path) {
    return namingFileOnError(path, [&] { return D64Builder::open(readDiskImage(fileURL(path))); });
}

// The files that `path` contributes, or why it contributes none.
QList<AddableFile> filesToAdd(const QString& path, const QString& formatName) {
    const QString extension = QFileInfo(path).suffix().toLower();
    if (diskImageExtensions().contains(extension)) {
        throw PlatformError(
            QStringLiteral("“%1” is a disk image; extract its files to add them.").arg(path));
    }
    if (cbmFileType(fileURL(path)) == CBMFileType::rel) {
        throw PlatformError(namingFile(
            path,
            QStringLiteral("REL files cannot be added to a %1 in this version.").arg(formatName)));
    }
    return namingFileOnError(path, [&] { return T64Converter::loadFiles(fileURL(path)); });
}

} // namespace

int add(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() < 2) {
        throw UsageError{QStringLiteral("Wrong number of arguments.")};
    }
    const QString imagePath = args[0];
    D64Builder builder = openImage(imagePath);
    // Every file is checked before any is added, so that the command adds all or nothing.
    QList<AddableFile> files;
    QStringList problems;
    for (const QString& path : args.mid(1)) {
        try {
            files += filesToAdd(path, displayName(builder.geometry().format));
        } catch (const std::exception& error) {
            problems << describeError(error);
        }
    }
    if (!problems.isEmpty()) {
        for (const QString& problem : problems) {
            err << printable(problem) << '\n';
        }
        throw PlatformError(QStringLiteral("Nothing was added to “%1”.").arg(imagePath));
    }
    QStringList stored;
    namingFileOnError(imagePath, [&] {
        for (const AddableFile& file : files) {
            stored << builder.addFile(file.name, file.type, file.contents);
        }
    });
    writeFileAtomically(fileURL(imagePath), builder.data());
    for (const QString& name : stored) {
        out << "Added “" << printable(name) << "”.\n";
    }
    return succeeded;
}

int remove(const QStringList& args, QTextStream& out) {
    if (args.size() < 2) {
        throw UsageError{QStringLiteral("Wrong number of arguments.")};
    }
    QList<qint64> indexes = parseIndexes(args.mid(1));
    std::sort(indexes.begin(), indexes.end(), std::greater<>());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    const QString imagePath = args[0];
    D64Builder builder = openImage(imagePath);
    const QList<D64Extractor::File> listed = D64Extractor::files(builder.data());
    QStringList deleted;
    namingFileOnError(imagePath, [&] {
        for (qint64 index : indexes) {
            builder.deleteFile(index);
            deleted.prepend(listed[index].name);
        }
    });
    builder.writeBAM();
    writeFileAtomically(fileURL(imagePath), builder.data());
    for (const QString& name : deleted) {
        out << "Deleted “" << printable(name) << "”.\n";
    }
    return succeeded;
}

} // namespace vellum::disk
