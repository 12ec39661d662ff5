#include "session/ComputerNames.h"

#include "model/TextUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vellum {

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ComputerNames)
};

} // namespace

std::optional<QString> validateComputerName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        return Texts::tr("Enter a name.");
    }
    if (trimmed == QLatin1String(".") || trimmed == QLatin1String("..")) {
        return Texts::tr("That name is not allowed.");
    }
    if (trimmed.contains(QLatin1Char('/')) || trimmed.contains(QLatin1Char(':'))) {
        return Texts::tr("The name cannot contain “/” or “:”.");
    }
    return std::nullopt;
}

QString proposedNewFolderName(const QUrl& folder) {
    const QDir dir(folder.toLocalFile());
    QString name = Texts::tr("untitled folder");
    for (int n = 2; pathIsTaken(dir.filePath(name)); ++n) {
        name = Texts::tr("untitled folder %1").arg(n);
    }
    return name;
}

} // namespace vellum
