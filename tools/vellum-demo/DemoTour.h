#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <chrono>
#include <functional>
#include <stdexcept>

class QAbstractButton;

namespace vellum {
class VellumViewModel;
class MainWindow;
enum class CommandId;
} // namespace vellum

namespace vellum::demo {

class DemoApplication;

enum class TourStep { detect, readDirectory, copyToFloppy, copyToComputer, saveAsD64, openD64 };

// What one step of the tour left behind.
struct TourShot {
    TourStep step;
    QString title;      // what the step did, as the tour prints it
    QString screenshot; // the whole window after the step
    QStringList made;   // files the step made in the sample folder
    QStringList extra;  // further pictures taken while the step ran
};

// A step that did not end as it should; the text says which and why.
class TourFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Walks the demo window through what a first-time user would do: detect the drives, read
// the floppy's directory, copy a program from the computer to the floppy and one back, save
// the floppy as a .d64 image and open that image in the computer pane. Each step works the
// window as a person would (its menu commands, its arrow buttons, selections as a click
// makes them), waits until the operation has ended, and saves a picture of the whole
// window. The tour needs a desktop that answers the file panels (TourDesktopServices).
class DemoTour {
public:
    // The program copied to the floppy, and the floppy file copied back.
    static constexpr auto fileToFloppy = "greetings.prg";
    static constexpr auto entryToComputer = "HELLO";

    // `stepTimeout` bounds each wait; a step that takes longer fails.
    DemoTour(DemoApplication& demo, std::chrono::milliseconds stepTimeout);

    using AfterStep = std::function<void(const TourShot&)>;
    // Shows the window, waits for its start-up, then runs every step in order; `afterStep`
    // sees each step's result before the next begins. Throws TourFailure.
    QList<TourShot> run(const AfterStep& afterStep = {});

private:
    void detect(TourShot& shot);
    void readDirectory(TourShot& shot);
    void copyToFloppy(TourShot& shot);
    void copyToComputer(TourShot& shot);
    void saveAsD64(TourShot& shot);
    void openD64(TourShot& shot);

    void waitForStartUp();
    // Runs `act`, which starts one operation, and waits until it has ended; fails with the
    // session's error text when it failed.
    void perform(const QString& what, const std::function<void()>& act);
    void trigger(CommandId command);
    void click(QAbstractButton* button, const QString& name);
    bool waitFor(const std::function<bool()>& done);
    // Lets queued updates (enabled states, layouts) through before the next look.
    void settle();
    QString takeScreenshot(const QString& name);
    QStringList sampleFiles() const;
    // Files of the sample folder that the current step made, as full paths.
    QStringList madeFiles() const;

    DemoApplication& demo;
    VellumViewModel& session;
    MainWindow& window;
    std::chrono::milliseconds timeout;
    int stepNumber = 0;
    QStringList filesBefore;
    QUrl savedImage;
    // Called while a step waits; the save uses it for a picture of the bar half way.
    std::function<void()> whileWaiting;
};

} // namespace vellum::demo
