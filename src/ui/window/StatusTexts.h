#pragma once

#include <QString>

namespace vellum {

// "READY." while idle, "BUSY." while an operation runs.
QString readinessWord(bool idle);
// The whole percentage of the progress followed by "%".
QString percentText(double progress);

} // namespace vellum
