#pragma once

#include "images/ParsedFile.h"
#include "opencbm/OpenCBMService.h"
#include "session/CommandRegistry.h"
#include "session/Commands.h"
#include "session/ComputerItemsModel.h"
#include "session/ComputerPaneState.h"
#include "session/Confirmations.h"
#include "session/CopyPlanning.h"
#include "session/DiskMapState.h"
#include "session/DriveState.h"
#include "session/FloppyDirectoryModel.h"
#include "session/FloppyPaneState.h"
#include "session/OperationStatus.h"
#include "session/Sheets.h"
#include "session/WindowState.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

namespace vellum {

class DesktopServices;

// How an operation's failure is reported (see VellumViewModel::runOperation).
struct OperationOptions {
    // When not empty, a failure other than a stop is followed by a notice with lastError,
    // or this text when there is none.
    QString failureNotice;
    // Release the slot before the failure is reported, so the alert can show at once.
    bool endBeforeReporting = false;
    // Runs after a failure was reported (only while the operation was still current).
    std::function<void(const std::exception& error)> afterFailure;

    static OperationOptions withNotice(QString failureNotice, bool endBeforeReporting = false) {
        OperationOptions options;
        options.failureNotice = std::move(failureNotice);
        options.endBeforeReporting = endBeforeReporting;
        return options;
    }
};

// The one object the window holds and the one place operations start. The state lives in
// the objects below, each observed property by property; the window reads them, binds its
// lists to the two models and keeps its commands current on Commands::commandsChanged().
// Operations that do drive work return a task: the views may drop it (it runs on), tests
// await it. See src/session/README.md for the map.
class VellumViewModel : public QObject {
    Q_OBJECT

public:
    explicit VellumViewModel(DesktopServices& desktop,
                             QStringList toolSearchPaths = currentToolSearchPaths(),
                             QObject* parent = nullptr);
    ~VellumViewModel() override;

    // ---- The state ----
    OperationStatus& status() { return m_status; }
    const DriveState& drives() const { return m_drives; }
    FloppyPaneState& floppy() { return m_floppy; }
    ComputerPaneState& computer() { return m_computer; }
    Confirmations& confirmations() { return m_confirmations; }
    Sheets& sheets() { return m_sheets; }
    WindowState& window() { return m_window; }
    const Commands& commands() const { return m_commands; }
    CommandRegistry& commandRegistry() { return m_commandRegistry; }
    FloppyDirectoryModel& floppyListModel() { return m_floppyModel; }
    ComputerItemsModel& computerListModel() { return m_computerModel; }
    DiskMapState& diskMap() { return m_diskMap; }

    // ---- Start-up, detection, the bus and Stop (Detection.cpp) ----
    // Runs once when the window first appears: notices, the computer folder, quiet detect.
    QCoro::Task<> startUp();
    QCoro::Task<> detect(bool quiet);
    QCoro::Task<> selectDrive(qint64 number);
    QCoro::Task<> resetIECBus();
    // First press asks the running operation to stop; the second force-stops the tool.
    void stop();

    // ---- The floppy (FloppyOperations.cpp) ----
    QCoro::Task<> readDirectory();
    QCoro::Task<> saveFloppyAsD64();
    void chooseD64ToWrite();
    QCoro::Task<> confirmWrite();
    void cancelPendingCopy();
    void requestFloppyDelete();
    QCoro::Task<> deleteSelectedFromFloppy();
    void beginRenameFloppy();
    QCoro::Task<> commitRenameFloppy();
    void beginFormat();
    QCoro::Task<> confirmFormat();
    QCoro::Task<> validateFloppy();
    QCoro::Task<> initializeFloppy();

    // ---- Copies between floppy and computer (CopiesToFloppy.cpp, CopiesFromFloppy.cpp) ----
    QCoro::Task<> chooseFilesForFloppy();
    QCoro::Task<> intakeFilesForFloppy(QList<QUrl> urls);
    QCoro::Task<> copySelectedToFloppy();
    // The image choice's "Copy as PRG files" and "Write image (erase floppy)" buttons.
    QCoro::Task<> copyPendingAsFiles();
    QCoro::Task<> writePendingImages();
    // The selected floppy files to the computer side: the arrow, the menu, a double-click.
    QCoro::Task<> copySelectedFloppyEntries();
    QCoro::Task<> copyFloppyEntries(QList<DirectoryEntry> entries);

    // ---- The computer folder (FolderOperations.cpp) ----
    // Lists the computer folder, or re-opens the open image.
    void refreshLocalItems();
    void chooseLocalFolder();
    void navigate(const QUrl& folder);
    void goUp();
    void closeImage();
    // A double-click or Open on a row.
    void activate(const ComputerFileItem& item);
    void openAnchorItem();
    void beginNewFolder();
    void beginRenameComputerItem();
    void commitNewFolder();
    void commitRenameComputerItem();
    void requestLocalDelete();
    // The delete confirmation's button: from the open D64, else to the Trash.
    void confirmLocalDelete();
    void moveSelectionToTrash();
    void showInFileManager();
    void revealFolder();

    // ---- Disk and tape images in the computer pane (ImageBrowsing.cpp, ImageAdding.cpp) ----
    void openImage(const QUrl& url);
    void deleteSelectionFromImage();
    void extractImageEntry(const ComputerFileItem& item);
    QCoro::Task<> convertSelectedT64();
    void showNewDiskSheet();
    void createNewDiskImage();
    QCoro::Task<> addFilesToImage(QList<QUrl> urls, QUrl image);

    // ---- The focused pane, menus, drags and drops (PaneCommands.cpp, DragAndDrop.cpp) ----
    // Select All and Delete act on the focused pane.
    void selectAllInFocusedPane();
    void requestDeleteInFocusedPane();
    // The files a drag of this computer row carries (image entries as named copies).
    QList<QUrl> dragURLs(const ComputerFileItem& item) const;
    void copyFilesIntoFolder(const QList<QUrl>& urls);
    // Drops; false when refused. Floppy entries arrive as their drag texts.
    QCoro::Task<bool> dropOnComputerPane(QList<QUrl> urls, QStringList floppyPayloads);
    QCoro::Task<bool> dropOnLocalRow(ComputerFileItem row, QList<QUrl> urls,
                                     QStringList floppyPayloads);
    QCoro::Task<bool> dropOnFloppyPane(QList<QUrl> urls);

    // ---- Feedback mail (FeedbackMail.cpp) ----
    void reportBug();
    void suggestFeature();
    void contactMail();

private:
    friend class testing::StateEditor;

    OpenCBMService& service() { return *m_service; }

    // The one way an operation runs: when idle, claims the slot with `kind` and
    // `headline`, runs `body` with the operation's number, reports a failure once (only
    // while the operation is still current, with a notice when the options ask for one),
    // and releases the slot on every way out. Pass `body` as a named lambda and the headline
    // as a plain value: GCC 12 destroys a capturing lambda, or the result of a ?: on class
    // values, twice when it is a temporary of a co_await expression.
    QCoro::Task<> runOperation(OperationKind kind, QString headline,
                               std::function<QCoro::Task<>(qint64 number)> body,
                               OperationOptions options = {});
    // A failure of operation `number`, reported only while it is still the current one,
    // and followed by a notice (lastError, else `noticeText`) unless it was a stop or no
    // notice text is given.
    void reportFailure(std::exception_ptr failure, qint64 number, const QString& noticeText = {});
    void reportError(const std::exception& error) {
        m_status.reportError(error, m_drives.deviceNumber());
    }
    void postCompletionNotice(const QString& body);
    // The progress sink of a transfer: drops unknown fractions and late calls after the
    // session is gone; for file `index` of `count` it maps into that file's share.
    ProgressCallback progressSink();
    ProgressCallback fileProgressSink(qsizetype index, qsizetype count);

    // Re-reads the current drive's directory without touching the slot or the status
    // texts; failures are dropped.
    QCoro::Task<> reloadDirectoryQuietly();
    void applyDirectory(const DiskDirectory& listing);
    bool isBusy() const { return !m_status.isIdle(); }

    // Formats with the sheet's fields (checked again), after confirmFormat closed the sheet.
    QCoro::Task<> formatFloppy();
    // The worker behind every copy to the floppy: writes the images (when `writeImages`)
    // and copies the plain files, or copies every file, images' files included.
    QCoro::Task<> copyFilesToFloppy(QList<QUrl> urls, bool writeImages);
    // Floppy files into a D64 on the computer (the open one, or one a drop landed on).
    QCoro::Task<> copyFloppyEntriesToImage(QList<DirectoryEntry> entries, QUrl image);
    // The copy to the floppy: free-space check, then the copy loop and its closing steps.
    QCoro::Task<> copyItemsToFloppy(QList<FloppyCopyItem> items);
    // Writes each item to the floppy under its Commodore name, inside operation `number`.
    QCoro::Task<> runFloppyCopyLoop(QList<FloppyCopyItem> items, qint64 number);
    // Writes an image's entry, load address first, to a new temporary file.
    QUrl exportImageEntry(const ComputerFileItem& item, const QString& extension = "prg") const;
    // Adds `files` to the D64 `image`, writing it once at the end (also after a failure,
    // with what was added before it), yielding between files.
    QCoro::Task<> addToImage(QList<ImageAddition> files, QUrl image, qint64 number);
    // After files went into a D64: re-open it when it is the one browsed and select the
    // last stored name, else re-list the folder; then the closing headline.
    void finishAddingToImage(const QUrl& image, qsizetype count, const QString& lastName);
    void showMadeImages(const QList<QUrl>& made);
    // Re-lists the computer pane when it shows one of `written`: a file in the listed folder,
    // or the open image.
    void refreshIfShown(const QList<QUrl>& written);

    DesktopServices& m_desktop;
    std::unique_ptr<OpenCBMService> m_service;
    WindowState m_window;
    OperationStatus m_status;
    DriveState m_drives;
    FloppyPaneState m_floppy;
    ComputerPaneState m_computer;
    Confirmations m_confirmations;
    Sheets m_sheets;
    Commands m_commands;
    FloppyDirectoryModel m_floppyModel;
    ComputerItemsModel m_computerModel;
    DiskMapState m_diskMap;
    // Last: its commands reach everything above.
    CommandRegistry m_commandRegistry;
};

} // namespace vellum
