#pragma once

#include "model/CommandResult.h"
#include "opencbm/OutputAccumulator.h"
#include "opencbm/ResumeOnce.h"

#include <QProcess>
#include <QTimer>

namespace vellum::detail {

// One child and everything its run needs until the child has ended.
struct ToolRun {
    QProcess* process = nullptr; // a child object of the service until it is deleted later
    OutputAccumulator output;
    ResumeOnce<CommandResult> completion;
    QTimer* quietTimer = nullptr; // set for a tool that reports progress as it goes
    qint64 pid = 0;
    bool ended = false;

    bool isRunning() const { return process && process->state() != QProcess::NotRunning; }
};

} // namespace vellum::detail
