#pragma once

#include "session/AppAppearance.h"
#include "session/DesktopServices.h"

class QFileDialog;

namespace vellum {

enum class FilePanelKind { save, openFiles, folder };

// Whose dialog it is: the desktop's own (under the System theme, where Vellum looks like
// the desktop anyway), or Qt's, which the C64 themes dress like every other window.
enum class FilePanelLook { platform, themed };

// The look of the file dialogs under `appearance`.
FilePanelLook filePanelLookFor(AppAppearance appearance);

// Dresses a file dialog for what the session asks: its title, the starting folder, the
// proposed name, the allowed extensions as the one name filter, and the extension added to
// a saved name typed without one. Qt's own dialog also shows the request's message above
// the file list and opens large enough to work in; the desktop's dialog has no place for
// a message.
void configureFilePanel(QFileDialog& panel, const FilePanelRequest& request, FilePanelKind kind,
                        FilePanelLook look = FilePanelLook::themed);

// "Disk images (*.d64)"-like filter text for the extensions, or empty for any file.
QString nameFilterFor(const QStringList& extensions);

} // namespace vellum
