#pragma once

#include "model/ComputerFileItem.h"
#include "model/DiskDirectory.h"

#include <QList>
#include <QUrl>

namespace vellum {

// Folders first, then names in the file manager's order: case ignored, digit runs compared
// by value, so "Game9" comes before "Game10". Stable.
void sortLocalItems(QList<ComputerFileItem>& items);

// The sorted rows of a folder: its folders and regular files (links followed) and its links
// to nothing (as files of unknown size), without hidden members; empty when it cannot be
// listed.
QList<ComputerFileItem> listLocalFolder(const QUrl& folder);

struct ComputerFilters {
    bool d64 = false;
    bool prg = false;
    bool t64 = false;
    bool hideFolders = false;

    friend bool operator==(const ComputerFilters&, const ComputerFilters&) = default;
};

// What the pane lists: an open image's entries as they are, otherwise the folder's rows
// through the filters (which never hide folders; hideFolders does).
QList<ComputerFileItem> visibleLocalItems(const QList<ComputerFileItem>& items,
                                          const ComputerFilters& filters, bool browsingImage);

// The identity of an image's entry: the image's URL plus "<index>.<extension>". It names
// nothing on disk.
QUrl imageEntryURL(const QUrl& image, qint64 index, CBMFileType type);

// An image's directory as pane rows, in directory order.
QList<ComputerFileItem> imageEntryItems(const QUrl& image, const DiskDirectory& directory);

// The URLs of `items`, in order.
QList<QUrl> urlsOf(const QList<ComputerFileItem>& items);

// The folder that holds `folder` (the root holds itself).
QUrl parentFolder(const QUrl& folder);

// The URL of the absolute path, so two spellings of one file compare equal.
QUrl standardizedFileURL(const QUrl& url);

bool isImageFile(const QUrl& url);     // .d64 or .t64, any case
bool isTapeImageFile(const QUrl& url); // .t64, any case
bool isDiskImageFile(const QUrl& url); // .d64, any case

} // namespace vellum
