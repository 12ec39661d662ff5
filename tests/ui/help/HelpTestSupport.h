#pragma once

#include "IsolatedSettings.h"

#include <QString>
#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace vellum::testing {

inline QString screenshotPath(const QString& name) {
    return QStringLiteral(VELLUM_SCREENSHOT_DIR "/") + name;
}

} // namespace vellum::testing
