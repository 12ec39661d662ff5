#pragma once

#include <QString>

namespace vellum {

class DesktopServices;

// System notifications at the end of long floppy operations, posted through the desktop.
namespace CopyNotifier {

// Once at start-up: asks the desktop for permission to show notices.
void prepare(DesktopServices& desktop);

// Posts one notice at once; nothing is reported back.
void post(DesktopServices& desktop, const QString& title, const QString& body);

} // namespace CopyNotifier

} // namespace vellum
