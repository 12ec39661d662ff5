#include "CommandSupport.h"
#include "Commands.h"
#include "images/ComputerFileNames.h"
#include "images/D64Extractor.h"
#include "images/ImageFiles.h"
#include "images/T64Converter.h"
#include "model/FileNames.h"
#include "model/TextUtil.h"

#include <QFileInfo>

namespace vellum::disk {

namespace {

struct ExtractedFile {
    ParsedFile file;
    CBMFileType type;
};

// What is taken out of the image, and the notes on what could not be taken whole.
struct Extraction {
    QList<ExtractedFile> files;
    QStringList problems;
    qint64 asked = 0;
    qint64 cutShort = 0;
};

OpenCBMError notInImage(const QString& imageName) {
    return OpenCBMError::parseError(QStringLiteral("That file is not in %1.").arg(imageName));
}

Extraction fromTape(const QString& path, const QByteArray& bytes, const QList<qint64>& indexes) {
    const QString imageName = QFileInfo(path).fileName();
    const QList<ParsedFile> files =
        namingFileOnError(path, [&] { return T64Converter::parsedFiles(bytes, imageName); });
    Extraction extraction;
    for (qint64 index : indexes) {
        if (index >= files.size()) {
            throw notInImage(imageName);
        }
    }
    for (qint64 index : indexes) {
        extraction.files.append({files[index], CBMFileType::prg});
    }
    if (indexes.isEmpty()) {
        for (const ParsedFile& file : files) {
            extraction.files.append({file, CBMFileType::prg});
        }
    }
    extraction.asked = extraction.files.size();
    return extraction;
}

Extraction fromDisk(const QString& path, const QByteArray& bytes, const QList<qint64>& indexes) {
    const QString imageName = QFileInfo(path).fileName();
    // The directory is read once, whatever the number of files asked for.
    const QList<D64Extractor::File> listed = namingFileOnError(path, [&] {
        D64Layout::checkImageSize(bytes);
        if (const std::optional<DiskImageFormat> format = diskImageFormatOf(fileURL(path))) {
            D64Layout::checkImageSize(bytes, *format);
        }
        return D64Extractor::files(bytes);
    });
    QList<qint64> chosen = indexes;
    for (qint64 index : indexes) {
        if (index >= listed.size()) {
            throw notInImage(imageName);
        }
    }
    if (indexes.isEmpty()) {
        if (listed.isEmpty()) {
            throw OpenCBMError::parseError(QStringLiteral("No files found in %1.").arg(imageName));
        }
        // A partition holds a disk of its own: "all files" are the files, not it.
        for (qint64 index = 0; index < listed.size(); ++index) {
            if (!listed[index].isPartition) {
                chosen.append(index);
            }
        }
    }
    Extraction extraction;
    extraction.asked = chosen.size();
    for (qint64 index : chosen) {
        const D64Extractor::File& file = listed[index];
        const std::optional<ParsedFile> parsed = D64Extractor::parsedFile(bytes, file);
        if (const std::optional<QString> problem = D64Extractor::readProblem(file)) {
            extraction.problems.append(*problem);
            extraction.cutShort += parsed.has_value();
        }
        if (parsed) {
            extraction.files.append({*parsed, file.type});
        }
    }
    return extraction;
}

QString summary(const Extraction& extraction) {
    QString text = extraction.asked == 1
                       ? QStringLiteral("Extracted %1 of 1 file").arg(extraction.files.size())
                       : QStringLiteral("Extracted %1 of %2 files")
                             .arg(extraction.files.size())
                             .arg(extraction.asked);
    if (extraction.cutShort > 0) {
        text += QStringLiteral("; %1 of them %2 cut short")
                    .arg(extraction.cutShort)
                    .arg(extraction.cutShort == 1 ? QStringLiteral("was") : QStringLiteral("were"));
    }
    return text + QLatin1Char('.');
}

} // namespace

int extract(QStringList args, QTextStream& out, QTextStream& err) {
    QString folder = QStringLiteral(".");
    const qsizetype option = args.indexOf(QStringLiteral("-o"));
    if (option >= 0) {
        if (option + 1 >= args.size()) {
            throw UsageError{QStringLiteral("-o needs a folder.")};
        }
        folder = args[option + 1];
        args.remove(option, 2);
    }
    if (args.isEmpty()) {
        throw UsageError{QStringLiteral("Wrong number of arguments.")};
    }
    if (!isFolder(folder)) {
        throw PlatformError(QStringLiteral("“%1” is not a folder.").arg(folder));
    }
    const QString path = args[0];
    const QList<qint64> indexes = parseIndexes(args.mid(1));
    const QByteArray bytes =
        readWholeFile(fileURL(path), isTape(path) ? FileRole::tapeImage : FileRole::diskImage);
    // Everything is read before the first file is written, so a bad index writes nothing.
    const Extraction extraction =
        isTape(path) ? fromTape(path, bytes, indexes) : fromDisk(path, bytes, indexes);
    for (const QString& problem : extraction.problems) {
        err << printable(problem) << '\n';
    }
    // Extracted files are whole under their names, but not synced one by one: the image
    // they come from is untouched, and a sync per file would make a large extract crawl.
    for (const ExtractedFile& extracted : extraction.files) {
        const QString written = writeUnderFreeName(folder, safeLocalBaseName(extracted.file.name),
                                                   fileExtension(extracted.type),
                                                   extracted.file.contents(), Sync::later);
        out << printable(written) << '\n';
    }
    if (extraction.problems.isEmpty()) {
        return succeeded;
    }
    err << summary(extraction) << '\n';
    return incomplete;
}

} // namespace vellum::disk
