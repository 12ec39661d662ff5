#include "session/VellumViewModel.h"

#include "session/ComputerPaneMenus.h"
#include "session/FloppyPaneMenus.h"

#include <QPointer>

namespace vellum {

namespace {

// A menu line's action: calls the session while it still exists; a task it starts runs on
// by itself.
template <typename Member> std::function<void()> call(VellumViewModel* session, Member member) {
    return [self = QPointer<VellumViewModel>(session), member] {
        if (self) {
            (void)(self.data()->*member)();
        }
    };
}

} // namespace

void VellumViewModel::selectAllInFocusedPane() {
    if (m_window.focusedPane() == CommanderPane::floppy) {
        m_floppy.selectAll();
    } else {
        m_computer.selectAll();
    }
}

void VellumViewModel::requestDeleteInFocusedPane() {
    if (m_window.focusedPane() == CommanderPane::floppy) {
        requestFloppyDelete();
    } else {
        requestLocalDelete();
    }
}

QList<ContextAction> VellumViewModel::computerRowMenu(const ComputerFileItem& item) {
    ComputerMenuState state;
    state.idle = m_commands.isIdle();
    state.browsingImage = m_computer.isBrowsingImage();
    state.browsingD64 = m_computer.isBrowsingD64();
    state.selectedItemCount = m_computer.selectedLocalItems().size();
    state.selectedFileCount = m_computer.selectedLocalFiles().size();
    state.selectedT64Count = m_computer.selectedT64Items().size();
    state.canOpenLocalSelection = m_computer.canOpenLocalSelection();
    state.canDeleteLocal = m_commands.canDeleteLocal();
    ComputerMenuActions actions;
    actions.openAnchorItem = call(this, &VellumViewModel::openAnchorItem);
    actions.copySelectedToFloppy = call(this, &VellumViewModel::copySelectedToFloppy);
    actions.convertSelectedT64 = call(this, &VellumViewModel::convertSelectedT64);
    actions.beginRenameComputerItem = call(this, &VellumViewModel::beginRenameComputerItem);
    actions.requestLocalDelete = call(this, &VellumViewModel::requestLocalDelete);
    actions.beginNewFolder = call(this, &VellumViewModel::beginNewFolder);
    actions.showNewDiskSheet = call(this, &VellumViewModel::showNewDiskSheet);
    actions.showInFileManager = call(this, &VellumViewModel::showInFileManager);
    actions.refreshLocalItems = call(this, &VellumViewModel::refreshLocalItems);
    actions.chooseLocalFolder = call(this, &VellumViewModel::chooseLocalFolder);
    return vellum::computerRowMenu(item, state, actions);
}

QList<ContextAction> VellumViewModel::computerBackgroundMenu() {
    ComputerMenuState state;
    state.idle = m_commands.isIdle();
    state.browsingImage = m_computer.isBrowsingImage();
    state.browsingD64 = m_computer.isBrowsingD64();
    ComputerMenuActions actions;
    actions.beginNewFolder = call(this, &VellumViewModel::beginNewFolder);
    actions.showNewDiskSheet = call(this, &VellumViewModel::showNewDiskSheet);
    actions.chooseLocalFolder = call(this, &VellumViewModel::chooseLocalFolder);
    actions.showInFileManager = call(this, &VellumViewModel::showInFileManager);
    actions.refreshLocalItems = call(this, &VellumViewModel::refreshLocalItems);
    return vellum::computerBackgroundMenu(state, actions);
}

namespace {

FloppyMenuActions floppyMenuActions(VellumViewModel* session) {
    FloppyMenuActions actions;
    actions.copyToComputer = call(session, &VellumViewModel::copySelectedFloppyEntries);
    actions.beginRename = call(session, &VellumViewModel::beginRenameFloppy);
    actions.requestDelete = call(session, &VellumViewModel::requestFloppyDelete);
    actions.readDirectory = call(session, &VellumViewModel::readDirectory);
    actions.initializeDisk = call(session, &VellumViewModel::initializeFloppy);
    actions.beginFormat = call(session, &VellumViewModel::beginFormat);
    return actions;
}

} // namespace

QList<ContextAction> VellumViewModel::floppyRowMenu() {
    const FloppyMenuState state{m_commands.isIdle(), m_floppy.selectedFloppyEntries().size(),
                                m_commands.canRenameFloppy()};
    return vellum::floppyRowMenu(state, floppyMenuActions(this));
}

QList<ContextAction> VellumViewModel::floppyBackgroundMenu() {
    const FloppyMenuState state{m_commands.isIdle(), 0, false};
    return vellum::floppyBackgroundMenu(state, floppyMenuActions(this));
}

} // namespace vellum
