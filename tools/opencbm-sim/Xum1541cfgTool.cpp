#include "ToolSupport.h"
#include "Tools.h"

namespace vellum::sim {

int runXum1541cfg(const QStringList& arguments) {
    const std::optional<BusState> bus = startRun(false);
    if (arguments != QStringList{QStringLiteral("devinfo")}) {
        writeErr(QByteArrayLiteral("xum1541cfg: illegal option\n"
                                   "usage: xum1541cfg [-t] devinfo | flash FIRMWARE | update\n"));
        return 1;
    }
    writeErr(QByteArrayLiteral("finding device...\n"));
    if (bus) {
        hangIfAsked(*bus);
    }
    if (!bus || !bus->adapterPresent()) {
        writeErr(QByteArrayLiteral("error: no xum1541 found\n"));
        return 1;
    }
    writeOut(QByteArrayLiteral("xum1541 device, model 2 (ZOOMFLOPPY), firmware version 8\n"));
    finishOutput(*bus);
    return 1; // the real tool ends every run this way
}

} // namespace vellum::sim
