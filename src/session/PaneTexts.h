#pragma once

#include "model/ComputerFileItem.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

namespace vellum {

// The body of the computer side's delete confirmation. With a D64 open the selection is
// deleted from it (`openD64` names the image, when known); otherwise it goes to the Trash.
QString computerDeleteMessage(const QList<ComputerFileItem>& selected, bool d64Open,
                              const std::optional<QUrl>& openD64);

// The body of the choice between copying an image's files and writing the whole image.
QString imageCopyChoiceMessage(const QList<QUrl>& pendingURLs, qint64 deviceNumber);

// "Computer", or "Computer  |  GAMES.D64" while an image is open.
QString computerPaneTitle(const std::optional<QUrl>& browsingImage);

// "Moving “X” to Trash…" / "Moving 3 items to Trash…", and the finished forms.
QString trashProgressText(const QList<ComputerFileItem>& items);
QString trashDoneText(const QList<ComputerFileItem>& items);

} // namespace vellum
