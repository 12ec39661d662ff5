#pragma once

#include <QStringList>

namespace vellum::sim {

// Each returns the exit status of the tool it stands in for; `arguments` leave out argv[0].
int runCbmctrl(const QStringList& arguments);
int runD64copy(const QStringList& arguments);
int runImgcopy(const QStringList& arguments);
int runCbmcopy(const QStringList& arguments);
int runCbmformat(const QStringList& arguments);
int runXum1541cfg(const QStringList& arguments);
// `opencbm-sim` itself: prepares a bus for tests and the demo.
int runSetup(const QStringList& arguments);

} // namespace vellum::sim
