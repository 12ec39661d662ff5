#include "session/Commands.h"

#include "model/CBMFileType.h"
#include "session/ComputerItemsModel.h"
#include "session/ComputerPaneState.h"
#include "session/Confirmations.h"
#include "session/DriveState.h"
#include "session/FloppyPaneState.h"
#include "session/OperationStatus.h"
#include "session/WindowState.h"

#include <QMetaMethod>
#include <QMetaProperty>

namespace vellum {

Commands::Commands(const OperationStatus& status, const DriveState& drives,
                   const FloppyPaneState& floppy, const ComputerPaneState& computer,
                   const Confirmations& confirmations, const WindowState& window, QObject* parent)
    : QObject(parent), m_status(status), m_drives(drives), m_floppy(floppy), m_computer(computer),
      m_confirmations(confirmations), m_window(window) {
    for (const QObject* state : std::initializer_list<const QObject*>{
             &status, &drives, &floppy, &computer, &confirmations, &window}) {
        watch(*state);
    }
}

void Commands::watch(const QObject& state) {
    const QMetaMethod schedule =
        metaObject()->method(metaObject()->indexOfSlot("scheduleChanged()"));
    const QMetaObject* meta = state.metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        // The bar moves many times a second and no rule depends on it.
        if (property.hasNotifySignal() && qstrcmp(property.name(), "progress") != 0) {
            connect(&state, property.notifySignal(), this, schedule);
        }
    }
}

void Commands::scheduleChanged() {
    if (m_changePending) {
        return;
    }
    m_changePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_changePending = false;
            emit commandsChanged();
        },
        Qt::QueuedConnection);
}

bool Commands::isIdle() const {
    return m_status.isIdle();
}

bool Commands::canStop() const {
    return !isIdle();
}

bool Commands::canRenameFloppy() const {
    const std::optional<DirectoryEntry> anchor = m_floppy.anchorFloppyEntry();
    // A scratched entry cannot be renamed: the prompt would never close.
    return isIdle() && anchor && anchor->type != CBMFileType::del &&
           m_floppy.selectedFloppyEntries().size() == 1;
}

bool Commands::canDeleteFloppy() const {
    return isIdle() && !m_floppy.selectedFloppyEntries().isEmpty();
}

bool Commands::canCopyToComputer() const {
    return canDeleteFloppy();
}

bool Commands::canGoUp() const {
    return m_computer.canGoUp();
}

bool Commands::canRefreshLocal() const {
    return isIdle();
}

bool Commands::canNewFolder() const {
    return isIdle() && !m_computer.isBrowsingImage();
}

bool Commands::canRenameLocal() const {
    return canNewFolder() && m_computer.selectedLocalItems().size() == 1 &&
           m_computer.anchorLocalItem().has_value();
}

bool Commands::canDeleteLocal() const {
    return isIdle() && !m_computer.selectedLocalItems().isEmpty() &&
           (!m_computer.isBrowsingImage() || m_computer.isBrowsingD64());
}

bool Commands::canOpenLocalSelection() const {
    return m_computer.canOpenLocalSelection();
}

bool Commands::canCopyToFloppy() const {
    return isIdle() && !m_computer.selectedLocalFiles().isEmpty();
}

bool Commands::canConvertT64() const {
    return canNewFolder() && !m_computer.selectedT64Items().isEmpty();
}

bool Commands::canNewDiskImage() const {
    return isIdle();
}

bool Commands::canDeleteSelection() const {
    if (m_window.focusedPane() == CommanderPane::floppy) {
        return canDeleteFloppy();
    }
    return canDeleteLocal();
}

bool Commands::acceptsComputerDrop() const {
    // Nothing can be added to a tape image.
    return isIdle() && !(m_computer.isBrowsingImage() && !m_computer.isBrowsingD64());
}

bool Commands::acceptsDropOnLocalRow(const ComputerFileItem& row) const {
    return isIdle() && isD64DropTarget(row);
}

bool Commands::acceptsFloppyDrop() const {
    return isIdle();
}

} // namespace vellum
