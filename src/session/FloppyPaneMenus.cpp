#include "session/FloppyPaneMenus.h"

#include <QCoreApplication>

namespace vellum {

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(FloppyPaneMenus)
};

} // namespace

QList<ContextAction> floppyRowMenu(const FloppyMenuState& state, const FloppyMenuActions& actions) {
    const bool any = state.idle && state.selectedCount > 0;
    QList<ContextAction> menu{
        {state.selectedCount < 2 ? Texts::tr("Copy to Computer")
                                 : Texts::tr("Copy %1 Files to Computer").arg(state.selectedCount),
         any, false, false, actions.copyToComputer},
        {Texts::tr("Rename…"), state.canRename, false, false, actions.beginRename},
        {state.selectedCount < 2 ? Texts::tr("Delete…")
                                 : Texts::tr("Delete %1 Files…").arg(state.selectedCount),
         any, true, false, actions.requestDelete},
        ContextAction::separator(),
    };
    return menu + floppyBackgroundMenu(state, actions);
}

QList<ContextAction> floppyBackgroundMenu(const FloppyMenuState& state,
                                          const FloppyMenuActions& actions) {
    return {
        {Texts::tr("Directory"), state.idle, false, false, actions.readDirectory},
        {Texts::tr("Initialize Disk"), state.idle, false, false, actions.initializeDisk},
        {Texts::tr("Format Floppy…"), state.idle, false, false, actions.beginFormat},
    };
}

} // namespace vellum
