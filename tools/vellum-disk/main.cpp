#include "DiskCommands.h"

#include "images/ComputerPaths.h"

#include <QStringList>
#include <cstdio>

// No QCoreApplication: the commands need no event loop, and leaving it out saves most of
// the start-up time of a short command-line run.
int main(int argc, char** argv) {
    // File names need not be UTF-8; each argument is kept so that its bytes come back whole.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << vellum::computerPathFromBytes(QByteArray(argv[i]));
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = vellum::runDiskCommand(arguments, out, err);
    out.flush();
    err.flush();
    return status;
}
