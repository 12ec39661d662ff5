#pragma once

#include "model/DiskDirectory.h"
#include "model/DriveInfo.h"
#include "model/LocalFileItem.h"
#include "model/OperationKind.h"
#include "opencbm/OpenCBMService.h"
#include "session/CommanderPane.h"
#include "session/ContextAction.h"
#include "session/CopyPlanning.h"
#include "session/LocalSelection.h"
#include "session/SelectionModifiers.h"

#include <QCoroTask>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QUuid>
#include <exception>
#include <memory>
#include <optional>

namespace vellum {

class DesktopServices;

using EntryIDSet = QSet<QUuid>;
using UrlSet = QSet<QUrl>;
// Block counts of floppy files by their trimmed, upper-cased name.
using KnownBlockCounts = QHash<QString, qint64>;

// The one state object behind the window. Every stored property is observed: its setter
// compares first and signals only a real change. Operations that do drive work return a
// task; the views may drop it (it runs on), tests await it.
class VellumViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(DiskDirectory directory READ directory WRITE setDirectory NOTIFY directoryChanged)
    Q_PROPERTY(EntryIDSet selectedEntryIDs READ selectedEntryIDs WRITE setSelectedEntryIDs NOTIFY
                   selectedEntryIDsChanged)
    Q_PROPERTY(std::optional<QUuid> floppySelectionAnchor READ floppySelectionAnchor WRITE
                   setFloppySelectionAnchor NOTIFY floppySelectionAnchorChanged)
    Q_PROPERTY(
        CommanderPane focusedPane READ focusedPane WRITE setFocusedPane NOTIFY focusedPaneChanged)
    Q_PROPERTY(OperationKind operation READ operation WRITE setOperation NOTIFY operationChanged)
    Q_PROPERTY(double progress READ progress WRITE setProgress NOTIFY progressChanged)
    Q_PROPERTY(QString statusHeadline READ statusHeadline WRITE setStatusHeadline NOTIFY
                   statusHeadlineChanged)
    Q_PROPERTY(bool driveReady READ driveReady WRITE setDriveReady NOTIFY driveReadyChanged)
    Q_PROPERTY(QString driveTitle READ driveTitle WRITE setDriveTitle NOTIFY driveTitleChanged)
    Q_PROPERTY(QString driveDetail READ driveDetail WRITE setDriveDetail NOTIFY driveDetailChanged)
    Q_PROPERTY(QString driveModel READ driveModel WRITE setDriveModel NOTIFY driveModelChanged)
    Q_PROPERTY(bool zoomFloppyDetected READ zoomFloppyDetected WRITE setZoomFloppyDetected NOTIFY
                   zoomFloppyDetectedChanged)
    Q_PROPERTY(QString zoomFloppyDetail READ zoomFloppyDetail WRITE setZoomFloppyDetail NOTIFY
                   zoomFloppyDetailChanged)
    Q_PROPERTY(
        std::optional<QString> lastError READ lastError WRITE setLastError NOTIFY lastErrorChanged)
    Q_PROPERTY(bool showsWriteConfirmation READ showsWriteConfirmation WRITE
                   setShowsWriteConfirmation NOTIFY showsWriteConfirmationChanged)
    Q_PROPERTY(std::optional<QUrl> pendingWriteURL READ pendingWriteURL WRITE setPendingWriteURL
                   NOTIFY pendingWriteURLChanged)
    Q_PROPERTY(
        qint64 deviceNumber READ deviceNumber WRITE setDeviceNumber NOTIFY deviceNumberChanged)
    Q_PROPERTY(QList<DriveInfo> detectedDrives READ detectedDrives WRITE setDetectedDrives NOTIFY
                   detectedDrivesChanged)
    Q_PROPERTY(KnownBlockCounts knownDirectoryBlocks READ knownDirectoryBlocks WRITE
                   setKnownDirectoryBlocks NOTIFY knownDirectoryBlocksChanged)
    Q_PROPERTY(bool showsFormatSheet READ showsFormatSheet WRITE setShowsFormatSheet NOTIFY
                   showsFormatSheetChanged)
    Q_PROPERTY(QString formatName READ formatName WRITE setFormatName NOTIFY formatNameChanged)
    Q_PROPERTY(QString formatID READ formatID WRITE setFormatID NOTIFY formatIDChanged)
    Q_PROPERTY(bool formatExtended READ formatExtended WRITE setFormatExtended NOTIFY
                   formatExtendedChanged)
    Q_PROPERTY(std::optional<QString> formatFieldError READ formatFieldError WRITE
                   setFormatFieldError NOTIFY formatFieldErrorChanged)
    Q_PROPERTY(bool showsNewDiskSheet READ showsNewDiskSheet WRITE setShowsNewDiskSheet NOTIFY
                   showsNewDiskSheetChanged)
    Q_PROPERTY(QString newDiskName READ newDiskName WRITE setNewDiskName NOTIFY newDiskNameChanged)
    Q_PROPERTY(QString newDiskID READ newDiskID WRITE setNewDiskID NOTIFY newDiskIDChanged)
    Q_PROPERTY(std::optional<QString> newDiskFieldError READ newDiskFieldError WRITE
                   setNewDiskFieldError NOTIFY newDiskFieldErrorChanged)
    Q_PROPERTY(std::optional<NamePromptKind> namePrompt READ namePrompt WRITE setNamePrompt NOTIFY
                   namePromptChanged)
    Q_PROPERTY(QString nameField READ nameField WRITE setNameField NOTIFY nameFieldChanged)
    Q_PROPERTY(std::optional<QString> nameFieldError READ nameFieldError WRITE setNameFieldError
                   NOTIFY nameFieldErrorChanged)
    Q_PROPERTY(std::optional<QUrl> browsingImage READ browsingImage WRITE setBrowsingImage NOTIFY
                   browsingImageChanged)
    Q_PROPERTY(
        QString imageDiskName READ imageDiskName WRITE setImageDiskName NOTIFY imageDiskNameChanged)
    Q_PROPERTY(std::optional<qint64> imageBlocksFree READ imageBlocksFree WRITE setImageBlocksFree
                   NOTIFY imageBlocksFreeChanged)
    Q_PROPERTY(QUrl localFolder READ localFolder WRITE setLocalFolder NOTIFY localFolderChanged)
    Q_PROPERTY(QList<LocalFileItem> localItems READ localItems WRITE setLocalItems NOTIFY
                   localItemsChanged)
    Q_PROPERTY(UrlSet selectedLocalURLs READ selectedLocalURLs WRITE setSelectedLocalURLs NOTIFY
                   selectedLocalURLsChanged)
    Q_PROPERTY(std::optional<QUrl> localSelectionAnchor READ localSelectionAnchor WRITE
                   setLocalSelectionAnchor NOTIFY localSelectionAnchorChanged)
    Q_PROPERTY(bool floppyDropTargeted READ floppyDropTargeted WRITE setFloppyDropTargeted NOTIFY
                   floppyDropTargetedChanged)
    Q_PROPERTY(bool computerDropTargeted READ computerDropTargeted WRITE setComputerDropTargeted
                   NOTIFY computerDropTargetedChanged)
    Q_PROPERTY(bool showsScratchConfirmation READ showsScratchConfirmation WRITE
                   setShowsScratchConfirmation NOTIFY showsScratchConfirmationChanged)
    Q_PROPERTY(bool showsLocalDeleteConfirmation READ showsLocalDeleteConfirmation WRITE
                   setShowsLocalDeleteConfirmation NOTIFY showsLocalDeleteConfirmationChanged)
    Q_PROPERTY(bool filterD64 READ filterD64 WRITE setFilterD64 NOTIFY filterD64Changed)
    Q_PROPERTY(bool filterPRG READ filterPRG WRITE setFilterPRG NOTIFY filterPRGChanged)
    Q_PROPERTY(bool filterT64 READ filterT64 WRITE setFilterT64 NOTIFY filterT64Changed)
    Q_PROPERTY(bool hideFolders READ hideFolders WRITE setHideFolders NOTIFY hideFoldersChanged)
    Q_PROPERTY(bool showsPRGConvertConfirmation READ showsPRGConvertConfirmation WRITE
                   setShowsPRGConvertConfirmation NOTIFY showsPRGConvertConfirmationChanged)
    Q_PROPERTY(bool showsImageCopyChoice READ showsImageCopyChoice WRITE setShowsImageCopyChoice
                   NOTIFY showsImageCopyChoiceChanged)
    Q_PROPERTY(QList<QUrl> pendingCopyURLs READ pendingCopyURLs WRITE setPendingCopyURLs NOTIFY
                   pendingCopyURLsChanged)
    Q_PROPERTY(
        bool showsSettings READ showsSettings WRITE setShowsSettings NOTIFY showsSettingsChanged)
    Q_PROPERTY(bool showsHelp READ showsHelp WRITE setShowsHelp NOTIFY showsHelpChanged)
    Q_PROPERTY(bool showsAbout READ showsAbout WRITE setShowsAbout NOTIFY showsAboutChanged)
    Q_PROPERTY(bool statusSidebarForced READ statusSidebarForced WRITE setStatusSidebarForced NOTIFY
                   statusSidebarForcedChanged)
    Q_PROPERTY(bool isStopping READ isStopping WRITE setIsStopping NOTIFY isStoppingChanged)
    Q_PROPERTY(
        bool stopRequested READ stopRequested WRITE setStopRequested NOTIFY stopRequestedChanged)
    Q_PROPERTY(qint64 operationID READ operationID WRITE setOperationID NOTIFY operationIDChanged)

public:
    explicit VellumViewModel(DesktopServices& desktop,
                             QStringList toolSearchPaths = OpenCBMService::defaultSearchPaths(),
                             QObject* parent = nullptr);
    ~VellumViewModel() override;

    OpenCBMService& service() { return *m_service; }
    DesktopServices& desktop() { return m_desktop; }

    const DiskDirectory& directory() const { return m_directory; }
    const EntryIDSet& selectedEntryIDs() const { return m_selectedEntryIDs; }
    const std::optional<QUuid>& floppySelectionAnchor() const { return m_floppySelectionAnchor; }
    CommanderPane focusedPane() const { return m_focusedPane; }
    OperationKind operation() const { return m_operation; }
    double progress() const { return m_progress; }
    const QString& statusHeadline() const { return m_statusHeadline; }
    bool driveReady() const { return m_driveReady; }
    const QString& driveTitle() const { return m_driveTitle; }
    const QString& driveDetail() const { return m_driveDetail; }
    const QString& driveModel() const { return m_driveModel; }
    bool zoomFloppyDetected() const { return m_zoomFloppyDetected; }
    const QString& zoomFloppyDetail() const { return m_zoomFloppyDetail; }
    const std::optional<QString>& lastError() const { return m_lastError; }
    bool showsWriteConfirmation() const { return m_showsWriteConfirmation; }
    const std::optional<QUrl>& pendingWriteURL() const { return m_pendingWriteURL; }
    qint64 deviceNumber() const { return m_deviceNumber; }
    const QList<DriveInfo>& detectedDrives() const { return m_detectedDrives; }
    const KnownBlockCounts& knownDirectoryBlocks() const { return m_knownDirectoryBlocks; }
    bool showsFormatSheet() const { return m_showsFormatSheet; }
    const QString& formatName() const { return m_formatName; }
    const QString& formatID() const { return m_formatID; }
    bool formatExtended() const { return m_formatExtended; }
    const std::optional<QString>& formatFieldError() const { return m_formatFieldError; }
    bool showsNewDiskSheet() const { return m_showsNewDiskSheet; }
    const QString& newDiskName() const { return m_newDiskName; }
    const QString& newDiskID() const { return m_newDiskID; }
    const std::optional<QString>& newDiskFieldError() const { return m_newDiskFieldError; }
    const std::optional<NamePromptKind>& namePrompt() const { return m_namePrompt; }
    const QString& nameField() const { return m_nameField; }
    const std::optional<QString>& nameFieldError() const { return m_nameFieldError; }
    const std::optional<QUrl>& browsingImage() const { return m_browsingImage; }
    const QString& imageDiskName() const { return m_imageDiskName; }
    const std::optional<qint64>& imageBlocksFree() const { return m_imageBlocksFree; }
    const QUrl& localFolder() const { return m_localFolder; }
    const QList<LocalFileItem>& localItems() const { return m_localItems; }
    const UrlSet& selectedLocalURLs() const { return m_selectedLocalURLs; }
    const std::optional<QUrl>& localSelectionAnchor() const { return m_localSelectionAnchor; }
    bool floppyDropTargeted() const { return m_floppyDropTargeted; }
    bool computerDropTargeted() const { return m_computerDropTargeted; }
    bool showsScratchConfirmation() const { return m_showsScratchConfirmation; }
    bool showsLocalDeleteConfirmation() const { return m_showsLocalDeleteConfirmation; }
    bool filterD64() const { return m_filterD64; }
    bool filterPRG() const { return m_filterPRG; }
    bool filterT64() const { return m_filterT64; }
    bool hideFolders() const { return m_hideFolders; }
    bool showsPRGConvertConfirmation() const { return m_showsPRGConvertConfirmation; }
    bool showsImageCopyChoice() const { return m_showsImageCopyChoice; }
    const QList<QUrl>& pendingCopyURLs() const { return m_pendingCopyURLs; }
    bool showsSettings() const { return m_showsSettings; }
    bool showsHelp() const { return m_showsHelp; }
    bool showsAbout() const { return m_showsAbout; }
    bool statusSidebarForced() const { return m_statusSidebarForced; }
    bool isStopping() const { return m_isStopping; }
    bool stopRequested() const { return m_stopRequested; }
    qint64 operationID() const { return m_operationID; }

    void setDirectory(const DiskDirectory& value) {
        assign(m_directory, value, &VellumViewModel::directoryChanged);
    }
    void setSelectedEntryIDs(const EntryIDSet& value) {
        assign(m_selectedEntryIDs, value, &VellumViewModel::selectedEntryIDsChanged);
    }
    void setFloppySelectionAnchor(const std::optional<QUuid>& value) {
        assign(m_floppySelectionAnchor, value, &VellumViewModel::floppySelectionAnchorChanged);
    }
    void setFocusedPane(CommanderPane value) {
        assign(m_focusedPane, value, &VellumViewModel::focusedPaneChanged);
    }
    void setOperation(OperationKind value) {
        assign(m_operation, value, &VellumViewModel::operationChanged);
    }
    void setProgress(double value) { assign(m_progress, value, &VellumViewModel::progressChanged); }
    void setStatusHeadline(const QString& value) {
        assign(m_statusHeadline, value, &VellumViewModel::statusHeadlineChanged);
    }
    void setDriveReady(bool value) {
        assign(m_driveReady, value, &VellumViewModel::driveReadyChanged);
    }
    void setDriveTitle(const QString& value) {
        assign(m_driveTitle, value, &VellumViewModel::driveTitleChanged);
    }
    void setDriveDetail(const QString& value) {
        assign(m_driveDetail, value, &VellumViewModel::driveDetailChanged);
    }
    void setDriveModel(const QString& value) {
        assign(m_driveModel, value, &VellumViewModel::driveModelChanged);
    }
    void setZoomFloppyDetected(bool value) {
        assign(m_zoomFloppyDetected, value, &VellumViewModel::zoomFloppyDetectedChanged);
    }
    void setZoomFloppyDetail(const QString& value) {
        assign(m_zoomFloppyDetail, value, &VellumViewModel::zoomFloppyDetailChanged);
    }
    void setLastError(const std::optional<QString>& value) {
        assign(m_lastError, value, &VellumViewModel::lastErrorChanged);
    }
    void setShowsWriteConfirmation(bool value) {
        assign(m_showsWriteConfirmation, value, &VellumViewModel::showsWriteConfirmationChanged);
    }
    void setPendingWriteURL(const std::optional<QUrl>& value) {
        assign(m_pendingWriteURL, value, &VellumViewModel::pendingWriteURLChanged);
    }
    void setDeviceNumber(qint64 value) {
        assign(m_deviceNumber, value, &VellumViewModel::deviceNumberChanged);
    }
    void setDetectedDrives(const QList<DriveInfo>& value) {
        assign(m_detectedDrives, value, &VellumViewModel::detectedDrivesChanged);
    }
    void setKnownDirectoryBlocks(const KnownBlockCounts& value) {
        assign(m_knownDirectoryBlocks, value, &VellumViewModel::knownDirectoryBlocksChanged);
    }
    void setShowsFormatSheet(bool value) {
        assign(m_showsFormatSheet, value, &VellumViewModel::showsFormatSheetChanged);
    }
    void setFormatName(const QString& value) {
        assign(m_formatName, value, &VellumViewModel::formatNameChanged);
    }
    void setFormatID(const QString& value) {
        assign(m_formatID, value, &VellumViewModel::formatIDChanged);
    }
    void setFormatExtended(bool value) {
        assign(m_formatExtended, value, &VellumViewModel::formatExtendedChanged);
    }
    void setFormatFieldError(const std::optional<QString>& value) {
        assign(m_formatFieldError, value, &VellumViewModel::formatFieldErrorChanged);
    }
    void setShowsNewDiskSheet(bool value) {
        assign(m_showsNewDiskSheet, value, &VellumViewModel::showsNewDiskSheetChanged);
    }
    void setNewDiskName(const QString& value) {
        assign(m_newDiskName, value, &VellumViewModel::newDiskNameChanged);
    }
    void setNewDiskID(const QString& value) {
        assign(m_newDiskID, value, &VellumViewModel::newDiskIDChanged);
    }
    void setNewDiskFieldError(const std::optional<QString>& value) {
        assign(m_newDiskFieldError, value, &VellumViewModel::newDiskFieldErrorChanged);
    }
    void setNamePrompt(const std::optional<NamePromptKind>& value) {
        assign(m_namePrompt, value, &VellumViewModel::namePromptChanged);
    }
    void setNameField(const QString& value) {
        assign(m_nameField, value, &VellumViewModel::nameFieldChanged);
    }
    void setNameFieldError(const std::optional<QString>& value) {
        assign(m_nameFieldError, value, &VellumViewModel::nameFieldErrorChanged);
    }
    void setBrowsingImage(const std::optional<QUrl>& value) {
        assign(m_browsingImage, value, &VellumViewModel::browsingImageChanged);
    }
    void setImageDiskName(const QString& value) {
        assign(m_imageDiskName, value, &VellumViewModel::imageDiskNameChanged);
    }
    void setImageBlocksFree(const std::optional<qint64>& value) {
        assign(m_imageBlocksFree, value, &VellumViewModel::imageBlocksFreeChanged);
    }
    void setLocalFolder(const QUrl& value) {
        assign(m_localFolder, value, &VellumViewModel::localFolderChanged);
    }
    void setLocalItems(const QList<LocalFileItem>& value) {
        assign(m_localItems, value, &VellumViewModel::localItemsChanged);
    }
    void setSelectedLocalURLs(const UrlSet& value) {
        assign(m_selectedLocalURLs, value, &VellumViewModel::selectedLocalURLsChanged);
    }
    void setLocalSelectionAnchor(const std::optional<QUrl>& value) {
        assign(m_localSelectionAnchor, value, &VellumViewModel::localSelectionAnchorChanged);
    }
    void setFloppyDropTargeted(bool value) {
        assign(m_floppyDropTargeted, value, &VellumViewModel::floppyDropTargetedChanged);
    }
    void setComputerDropTargeted(bool value) {
        assign(m_computerDropTargeted, value, &VellumViewModel::computerDropTargetedChanged);
    }
    void setShowsScratchConfirmation(bool value) {
        assign(m_showsScratchConfirmation, value,
               &VellumViewModel::showsScratchConfirmationChanged);
    }
    void setShowsLocalDeleteConfirmation(bool value) {
        assign(m_showsLocalDeleteConfirmation, value,
               &VellumViewModel::showsLocalDeleteConfirmationChanged);
    }
    void setFilterD64(bool value) {
        assign(m_filterD64, value, &VellumViewModel::filterD64Changed);
    }
    void setFilterPRG(bool value) {
        assign(m_filterPRG, value, &VellumViewModel::filterPRGChanged);
    }
    void setFilterT64(bool value) {
        assign(m_filterT64, value, &VellumViewModel::filterT64Changed);
    }
    void setHideFolders(bool value) {
        assign(m_hideFolders, value, &VellumViewModel::hideFoldersChanged);
    }
    void setShowsPRGConvertConfirmation(bool value) {
        assign(m_showsPRGConvertConfirmation, value,
               &VellumViewModel::showsPRGConvertConfirmationChanged);
    }
    void setShowsImageCopyChoice(bool value) {
        assign(m_showsImageCopyChoice, value, &VellumViewModel::showsImageCopyChoiceChanged);
    }
    void setPendingCopyURLs(const QList<QUrl>& value) {
        assign(m_pendingCopyURLs, value, &VellumViewModel::pendingCopyURLsChanged);
    }
    void setShowsSettings(bool value) {
        assign(m_showsSettings, value, &VellumViewModel::showsSettingsChanged);
    }
    void setShowsHelp(bool value) {
        assign(m_showsHelp, value, &VellumViewModel::showsHelpChanged);
    }
    void setShowsAbout(bool value) {
        assign(m_showsAbout, value, &VellumViewModel::showsAboutChanged);
    }
    void setStatusSidebarForced(bool value) {
        assign(m_statusSidebarForced, value, &VellumViewModel::statusSidebarForcedChanged);
    }
    void setIsStopping(bool value) {
        assign(m_isStopping, value, &VellumViewModel::isStoppingChanged);
    }
    void setStopRequested(bool value) {
        assign(m_stopRequested, value, &VellumViewModel::stopRequestedChanged);
    }
    void setOperationID(qint64 value) {
        assign(m_operationID, value, &VellumViewModel::operationIDChanged);
    }

    // ---- Session core ----

    // Runs once when the window first appears: notices, the computer folder, quiet detect.
    QCoro::Task<> startUp();
    QCoro::Task<> detect(bool quiet);
    QCoro::Task<> selectDrive(qint64 number);
    QCoro::Task<> resetIECBus();
    // First press asks the running operation to stop; the second force-stops the tool.
    void stop();

    // The operation slot. beginOperation returns the operation's number; endOperation with
    // a number that is no longer current does nothing.
    qint64 beginOperation(OperationKind kind, const QString& headline);
    void endOperation(std::optional<qint64> number = std::nullopt);
    void reportError(const std::exception& error);
    static bool isCancellation(const std::exception& error);

    void applyDriveState(bool ready, const QString& model,
                         const std::optional<QString>& status = std::nullopt);
    static QString friendlyDriveStatus(const QString& status);
    void applyDirectory(DiskDirectory listing);
    std::optional<qint64> usedBlocksEstimate(qint64 blocksFree) const;
    // Re-reads the current drive's directory without touching the slot or the status
    // texts; failures are dropped.
    QCoro::Task<> reloadDirectoryQuietly();
    void selectFloppyEntry(std::optional<QUuid> id);
    // After a fresh reading: the first entry, unless the reading kept a selection.
    void selectFirstFloppyEntryIfNoneSelected();
    // The progress sink: drops negative fractions and late calls after the model is gone.
    static void updateProgress(const QPointer<VellumViewModel>& model, double fraction);
    ProgressCallback progressSink();
    // For file `index` of `count`: maps a tool's fraction into that file's share of the bar.
    ProgressCallback fileProgressSink(qsizetype index, qsizetype count);
    void postCompletionNotice(const QString& body);

    // A drive command succeeded, so the adapter is there.
    void confirmAdapter();
    // Throws the stop error when Stop was pressed or the slot was already released; loops
    // call it before each file. With the operation's number it also notices that a newer
    // operation holds the slot, so a stopped operation never sends anything more.
    void throwIfStopRequested() const;
    void throwIfStopped(qint64 number) const;
    // The operation still holds the slot and was not asked to stop.
    bool isStillRunning(qint64 number) const;
    // A long-running operation holds the slot; the controls that start drive work are off.
    bool isBusy() const { return m_operation != OperationKind::idle; }
    // "FLOPPY - NAME" for a named disk, else "FLOPPY".
    QString floppyPaneTitle() const;
    // The selected floppy entries in directory order, and the anchor entry.
    QList<DirectoryEntry> selectedFloppyEntries() const;
    std::optional<DirectoryEntry> anchorFloppyEntry() const;

    // ---- Floppy operations ----

    QCoro::Task<> readDirectory();
    QCoro::Task<> saveFloppyAsD64();
    void chooseD64ToWrite();
    QString writeConfirmationMessage() const;
    QCoro::Task<> confirmWrite();
    void cancelPendingCopy();
    void requestFloppyDelete();
    QString scratchConfirmationMessage() const;
    QCoro::Task<> deleteSelectedFromFloppy();
    static std::optional<QString> validateCBMName(const QString& name);
    QCoro::Task<> commitRenameFloppy();
    void beginFormat();
    static std::optional<QString> validateDiskFields(const QString& name, const QString& id);
    QCoro::Task<> confirmFormat();
    QCoro::Task<> formatFloppy();
    QCoro::Task<> validateFloppy();
    QCoro::Task<> initializeFloppy();

    // A failure of operation `number`: reported only while that operation is still the
    // current one, so a late failure never overwrites the texts of a newer operation.
    void reportFailure(std::exception_ptr failure, qint64 number);
    // The same, followed by a notice (lastError, else `fixedText`) unless it was a stop.
    void reportFailureWithNotice(std::exception_ptr failure, qint64 number,
                                 const QString& fixedText);

    // The copy worker for files and images going to the floppy (defined with the copies).
    QCoro::Task<> copyFilesToFloppy(QList<QUrl> urls, bool writeImages);
    // Lists the computer folder or re-opens the open image (defined with the computer pane).
    void refreshLocalItems();

signals:
    void directoryChanged();
    void selectedEntryIDsChanged();
    void floppySelectionAnchorChanged();
    void focusedPaneChanged();
    void operationChanged();
    void progressChanged();
    void statusHeadlineChanged();
    void driveReadyChanged();
    void driveTitleChanged();
    void driveDetailChanged();
    void driveModelChanged();
    void zoomFloppyDetectedChanged();
    void zoomFloppyDetailChanged();
    void lastErrorChanged();
    void showsWriteConfirmationChanged();
    void pendingWriteURLChanged();
    void deviceNumberChanged();
    void detectedDrivesChanged();
    void knownDirectoryBlocksChanged();
    void showsFormatSheetChanged();
    void formatNameChanged();
    void formatIDChanged();
    void formatExtendedChanged();
    void formatFieldErrorChanged();
    void showsNewDiskSheetChanged();
    void newDiskNameChanged();
    void newDiskIDChanged();
    void newDiskFieldErrorChanged();
    void namePromptChanged();
    void nameFieldChanged();
    void nameFieldErrorChanged();
    void browsingImageChanged();
    void imageDiskNameChanged();
    void imageBlocksFreeChanged();
    void localFolderChanged();
    void localItemsChanged();
    void selectedLocalURLsChanged();
    void localSelectionAnchorChanged();
    void floppyDropTargetedChanged();
    void computerDropTargetedChanged();
    void showsScratchConfirmationChanged();
    void showsLocalDeleteConfirmationChanged();
    void filterD64Changed();
    void filterPRGChanged();
    void filterT64Changed();
    void hideFoldersChanged();
    void showsPRGConvertConfirmationChanged();
    void showsImageCopyChoiceChanged();
    void pendingCopyURLsChanged();
    void showsSettingsChanged();
    void showsHelpChanged();
    void showsAboutChanged();
    void statusSidebarForcedChanged();
    void isStoppingChanged();
    void stopRequestedChanged();
    void operationIDChanged();

private:
    template <typename T, typename Signal> void assign(T& field, const T& value, Signal changed) {
        if (field == value) {
            return;
        }
        field = value;
        emit(this->*changed)();
    }

    DesktopServices& m_desktop;
    std::unique_ptr<OpenCBMService> m_service;

    DiskDirectory m_directory = DiskDirectory::empty();
    EntryIDSet m_selectedEntryIDs;
    std::optional<QUuid> m_floppySelectionAnchor;
    CommanderPane m_focusedPane = CommanderPane::computer;
    OperationKind m_operation = OperationKind::idle;
    double m_progress = 0.0;
    QString m_statusHeadline = QStringLiteral("The drive is ready.");
    bool m_driveReady = false;
    QString m_driveTitle = QStringLiteral("Drive 8 — Offline");
    QString m_driveDetail = QStringLiteral("IEC device not detected.");
    QString m_driveModel;
    bool m_zoomFloppyDetected = false;
    QString m_zoomFloppyDetail = QStringLiteral("Waiting for adapter.");
    std::optional<QString> m_lastError;
    bool m_showsWriteConfirmation = false;
    std::optional<QUrl> m_pendingWriteURL;
    qint64 m_deviceNumber = 8;
    QList<DriveInfo> m_detectedDrives;
    KnownBlockCounts m_knownDirectoryBlocks;
    bool m_showsFormatSheet = false;
    QString m_formatName = QStringLiteral("VELLUM");
    QString m_formatID = QStringLiteral("01");
    bool m_formatExtended = false;
    std::optional<QString> m_formatFieldError;
    bool m_showsNewDiskSheet = false;
    QString m_newDiskName = QStringLiteral("VELLUM");
    QString m_newDiskID = QStringLiteral("01");
    std::optional<QString> m_newDiskFieldError;
    std::optional<NamePromptKind> m_namePrompt;
    QString m_nameField;
    std::optional<QString> m_nameFieldError;
    std::optional<QUrl> m_browsingImage;
    QString m_imageDiskName;
    std::optional<qint64> m_imageBlocksFree;
    QUrl m_localFolder;
    QList<LocalFileItem> m_localItems;
    UrlSet m_selectedLocalURLs;
    std::optional<QUrl> m_localSelectionAnchor;
    bool m_floppyDropTargeted = false;
    bool m_computerDropTargeted = false;
    bool m_showsScratchConfirmation = false;
    bool m_showsLocalDeleteConfirmation = false;
    bool m_filterD64 = false;
    bool m_filterPRG = false;
    bool m_filterT64 = false;
    bool m_hideFolders = false;
    bool m_showsPRGConvertConfirmation = false;
    bool m_showsImageCopyChoice = false;
    QList<QUrl> m_pendingCopyURLs;
    bool m_showsSettings = false;
    bool m_showsHelp = false;
    bool m_showsAbout = false;
    bool m_statusSidebarForced = false;
    bool m_isStopping = false;
    bool m_stopRequested = false;
    qint64 m_operationID = 0;

    // ---- Computer pane, disk images, copies, menus, drops and feedback mail ----
    // (ComputerPane.cpp, ImageBrowsing.cpp, FloppyCopies.cpp, PaneMenusAndDrops.cpp,
    // FeedbackMail.cpp)
public:
    // Derived values of the computer pane.
    QList<LocalFileItem> visibleLocalItems() const;
    QList<LocalFileItem> selectedLocalItems() const;
    QList<LocalFileItem> selectedLocalFiles() const;
    QList<LocalFileItem> selectedT64Items() const;
    qint64 selectedLocalByteCount() const;
    qint64 selectedLocalBlockCount() const;
    bool isBrowsingImage() const { return m_browsingImage.has_value(); }
    bool isBrowsingD64() const;
    QString currentLocationPath() const;
    bool canGoUp() const;
    std::optional<QUrl> effectiveLocalAnchor() const;
    std::optional<LocalFileItem> anchorLocalItem() const;
    bool canOpenLocalSelection() const;
    bool canDeleteLocal() const;
    bool canDeleteSelection() const;
    QString deleteCommandTitle() const;
    QString computerPaneTitle() const;
    QString localDeleteMessage() const;

    // Folder mode, navigation and selection.
    void chooseLocalFolder();
    void navigate(const QUrl& folder);
    void goUp();
    void closeImage();
    void activate(const LocalFileItem& item);
    void openAnchorItem();
    bool clickLocal(const QUrl& url, SelectionModifiers modifiers);
    void selectLocal(const std::optional<QUrl>& url);
    void selectAllLocal();
    // A click on the pane's empty area.
    void clearLocalSelection();
    // Before a row's context menu opens: an unselected row becomes the only selection.
    void prepareLocalRowMenu(const LocalFileItem& item);

    // Name prompts.
    void beginNewFolder();
    void beginRenameMac();
    void beginRenameFloppy();
    void commitNewFolder();
    void commitRenameMac();
    void cancelNamePrompt();

    // Move to Trash, and the confirmation's button that deletes from an open D64 instead.
    void requestLocalDelete();
    void confirmLocalDelete();
    void moveSelectionToTrash();
    void showInFinder();
    void revealFolder();
    QUrl uniqueLocalURL(const QString& base, const QString& extension) const;

    // Disk and tape images in the pane.
    void openImage(const QUrl& url);
    void deleteSelectionFromImage();
    void extractImageEntry(const LocalFileItem& item);
    // Writes the entry, load address first, to a new temporary ".prg" file and returns it.
    QUrl exportImageEntry(const LocalFileItem& item) const;
    QCoro::Task<> convertSelectedT64();
    void showNewDiskSheet();
    void createNewDiskImage();
    QCoro::Task<> addFilesToImage(QList<QUrl> urls, QUrl image);

    // Feedback mail.
    void reportBug();
    void suggestFeature();
    void contactMail();
    void composeFeedbackMail(const QString& subject, const QString& body);

    // Copies between the floppy and the computer.
    QCoro::Task<> chooseFilesForFloppy();
    QCoro::Task<> intakeFilesForFloppy(QList<QUrl> urls);
    QCoro::Task<> copySelectedToFloppy();
    QString imageCopyChoiceMessage() const;
    // The image choice's "Copy as PRG files" and "Write image (erase floppy)" buttons.
    QCoro::Task<> copyPendingAsFiles();
    QCoro::Task<> writePendingImages();
    QCoro::Task<> copyFloppyEntries(QList<DirectoryEntry> entries);
    QCoro::Task<> copyFloppyEntriesToImage(QList<DirectoryEntry> entries, QUrl image);

    // Menus, drags and drops of the computer pane.
    QList<QUrl> dragURLs(const LocalFileItem& item) const;
    void copyFilesIntoFolder(const QList<QUrl>& urls);
    QList<ContextAction> localRowMenu(const LocalFileItem& item);
    QList<ContextAction> localBackgroundMenu();
    // The floppy entries a drag carries, one text per entry ("NAME<TAB>TYPE"), looked up
    // by name in the floppy directory.
    QList<DirectoryEntry> draggedFloppyEntries(const QStringList& payloads) const;
    // A drop on the pane's list or empty area, or on one row; false when refused.
    QCoro::Task<bool> dropOnComputerPane(QList<QUrl> urls, QStringList floppyPayloads);
    QCoro::Task<bool> dropOnLocalRow(LocalFileItem row, QList<QUrl> urls,
                                     QStringList floppyPayloads);
    bool acceptsComputerDrop() const;
    bool acceptsDropOnLocalRow(const LocalFileItem& row) const;

private:
    LocalSelection currentLocalSelection() const;
    void applyLocalSelection(const LocalSelection& selection);
    void pruneLocalSelectionToVisible();
    void leaveImageState();
    // The file path of the floppy copy: free-space check, then the copy loop and its
    // closing steps, in an operation of its own.
    QCoro::Task<> copyItemsToFloppy(QList<FloppyCopyItem> items);
    // Writes each item to the floppy under its Commodore name, inside a running operation.
    QCoro::Task<> runFloppyCopyLoop(QList<FloppyCopyItem> items);
    QUrl exportImageEntryAs(const LocalFileItem& item, const QString& extension) const;
    // After files went into a D64: re-open it when it is the one browsed and select the
    // last stored name, else re-list the folder; then the closing headline.
    void finishAddingToImage(const QUrl& image, qsizetype count, const QString& lastName);
};

} // namespace vellum
