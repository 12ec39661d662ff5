#pragma once

#include "session/DesktopServices.h"

class QFileDialog;

namespace vellum {

enum class FilePanelKind { save, openFiles, folder };

// Dresses a file dialog for what the session asks: its title, the request's message above
// the file list, the starting folder, the proposed name, the allowed extensions as the one
// name filter, and the extension added to a saved name typed without one. The dialog is
// always Qt's own, so the theme dresses it like every other window of Vellum and the
// message has a place to show.
void configureFilePanel(QFileDialog& panel, const FilePanelRequest& request, FilePanelKind kind);

// "Disk images (*.d64)"-like filter text for the extensions, or empty for any file.
QString nameFilterFor(const QStringList& extensions);

} // namespace vellum
