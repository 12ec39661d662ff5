#include "DemoFolder.h"

#include "SampleFiles.h"

#include "BusState.h"
#include "images/ImageFiles.h"
#include "model/OpenCBMError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace vellum::demo {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("DemoFolder", text);
}

const QString markName = QStringLiteral(".vellum-demo");

void makeFolder(const QString& path) {
    if (!QDir().mkpath(path)) {
        throw PlatformError(tr("Could not create the folder %1.").arg(path));
    }
}

void clearOldDemo(const QString& root) {
    const QFileInfo info(root);
    if (!info.exists()) {
        return;
    }
    const QDir folder(root);
    const bool empty = info.isDir() && folder.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                      QDir::Hidden | QDir::System);
    const bool ours = info.isDir() && QFileInfo::exists(folder.filePath(markName));
    if (!empty && !ours) {
        throw PlatformError(
            tr("%1 is already there and was not made by the demo; choose another folder.")
                .arg(root));
    }
    if (ours && !QDir(root).removeRecursively()) {
        throw PlatformError(tr("Could not remove the earlier demo in %1.").arg(root));
    }
}

void write(const QString& path, const QByteArray& bytes) {
    writeFileAtomically(QUrl::fromLocalFile(path), bytes);
}

} // namespace

DemoFolder::DemoFolder(const QString& root)
    : root(QDir::cleanPath(QDir(root).absolutePath())), bus(this->root + QStringLiteral("/bus")),
      samples(this->root + QStringLiteral("/samples")),
      settings(this->root + QStringLiteral("/settings")),
      trash(this->root + QStringLiteral("/trash")),
      screenshots(this->root + QStringLiteral("/tour")) {}

DemoFolder prepareDemoFolder(const QString& root, double secondsPerTrack) {
    const DemoFolder folder(root);
    clearOldDemo(folder.root);
    makeFolder(folder.root);
    write(folder.root + QLatin1Char('/') + markName,
          "Made by vellum-demo; removed and made afresh by each run.\n");
    for (const QString& path : {folder.samples, folder.settings}) {
        makeFolder(path);
    }

    const sim::BusState bus(folder.bus);
    bus.create();
    bus.setAdapterPresent(true);
    bus.addDrive(8, QStringLiteral("1541-II"));
    bus.setDisk(8, sampleFloppy());
    bus.addDrive(9, QStringLiteral("1571"));
    if (secondsPerTrack > 0) {
        bus.setFault(QString::fromLatin1(sim::fault::secondsPerTrack),
                     QString::number(secondsPerTrack));
    }

    for (const SampleFile& file : sampleFolderFiles()) {
        write(folder.samples + QLatin1Char('/') + file.fileName, file.bytes);
    }
    return folder;
}

} // namespace vellum::demo
