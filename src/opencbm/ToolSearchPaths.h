#pragma once

#include <QString>
#include <QStringList>

namespace vellum {

// The setting that names the folder holding the OpenCBM tools, when it is not on PATH.
inline QString toolFolderSettingKey() {
    return QStringLiteral("openCBMFolder");
}

// Where the OpenCBM tools are looked for, in order: `overrideFolder` (when not empty), every
// absolute folder of `pathVariable` (a PATH value), the usual install folders of Linux,
// and the folders of the Mac package managers last. Each folder once.
QStringList toolSearchPaths(const QString& overrideFolder, const QString& pathVariable);

// The same for this process: the override is VELLUM_OPENCBM_DIR, else the setting.
QStringList currentToolSearchPaths();

} // namespace vellum
