#pragma once

#include <QString>

namespace vellum::demo {

// Where everything of one demo run lives. Nothing of the demo is written outside `root`.
struct DemoFolder {
    QString root;
    QString bus;         // the simulated IEC bus of the substitute tools
    QString samples;     // the folder the computer pane opens on
    QString settings;    // the demo's own user settings (the theme, the last folder)
    QString trash;       // where the tour's "Move to Trash" puts things
    QString screenshots; // the tour's pictures

    explicit DemoFolder(const QString& root);
};

// The pace of the simulated drives; about a real 1541's, so progress can be watched.
inline constexpr double realDriveSecondsPerTrack = 0.5;

// Makes `root` afresh: the bus with drive 8 (a 1541-II holding the sample floppy) and
// drive 9 (a 1571 without a disk), tracks taking `secondsPerTrack` each, and the sample
// folder. A folder that is already there is only replaced when an earlier demo made it (it
// carries the demo's mark) or it is empty; anything else is refused with a PlatformError,
// so a mistyped path never costs a user their files.
DemoFolder prepareDemoFolder(const QString& root, double secondsPerTrack);

} // namespace vellum::demo
