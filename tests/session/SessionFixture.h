#pragma once

#include "FakeDesktopServices.h"
#include "IsolatedSettings.h"
#include "StateEditor.h"
#include "WaitForTask.h"
#include "session/VellumViewModel.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace vellum::testing {

// A floppy directory entry of `blocks` blocks.
inline DirectoryEntry floppyEntry(const QString& name, qint64 blocks = 1,
                                  CBMFileType type = CBMFileType::prg) {
    DirectoryEntry made;
    made.name = name;
    made.type = type;
    made.typeToken = rawValue(type);
    made.blocks = blocks;
    return made;
}

// A listing of `entries` on the disk GAMES.
inline DiskDirectory diskListing(QList<DirectoryEntry> entries,
                                 std::optional<qint64> blocksFree = 600,
                                 const QString& name = QStringLiteral("GAMES"),
                                 const QString& id = QStringLiteral("01 2A")) {
    return DiskDirectory{name, id, std::move(entries), blocksFree};
}

// A session whose tools are searched only in `toolFolder` (by default an empty folder,
// so every tool is missing).
class SessionTest : public ::testing::Test {
protected:
    IsolatedSettings settings;
    QTemporaryDir emptyToolFolder;
    FakeDesktopServices desktop;
    std::unique_ptr<VellumViewModel> model;

    void makeSession(const QStringList& toolFolders) {
        model = std::make_unique<VellumViewModel>(desktop, toolFolders);
    }
    VellumViewModel& session() {
        if (!model) {
            makeSession({emptyToolFolder.path()});
        }
        return *model;
    }
};

} // namespace vellum::testing
