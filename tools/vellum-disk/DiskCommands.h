#pragma once

#include <QStringList>
#include <QTextStream>

namespace vellum {

// Runs one vellum-disk command line (without the program name). Output goes to `out`,
// the error text to `err`; returns the exit status (0 or 1).
int runDiskCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

QString diskCommandHelp();

} // namespace vellum
