// What the whole program shares: the system's services, the window toolkit's backend, the run
// flag, the one tray icon object and the windows.
#pragma once

#include <memory>

#include "app/Settings.h"
#include "forms/Forms.h"
#include "platform/Services.h"
#include "tray/clsTray.h"

namespace quillmere {

class FrmMain;
class FrmOptimize;
class FrmAbout;

class Program {
public:
    Program(platform::Services& services, forms::Backend& backend);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    platform::Services& services;
    forms::Backend& backend;
    Settings settings;

    // True while an optimization run is in progress.
    bool bOptimizing = false;

    // The one tray icon object, created on first use.
    clsTray& tray();

    FrmMain& main() { return *main_; }
    // The progress window; a fresh one once the last run has unloaded its window.
    FrmOptimize& optimizeWindow();
    // True from a run's request until its window has gone, "Optimization done" included.
    bool optimizeWindowLoaded() const;
    // The About window; a fresh one once the last was closed.
    FrmAbout& aboutWindow();
    // Loads the main window, which runs its start-up; false, with nothing loaded, written or
    // shown, when another copy runs in the session (which this start may ask to come forward), or
    // when the main window cannot be made.
    bool start();
    // Every way out but the Exit command (the end of the session, a quit request from outside):
    // the tray icon goes first, so that none is left behind, then the run's blocks, then the process.
    void quit();

private:
    std::unique_ptr<clsTray> tray_;
    std::unique_ptr<FrmMain> main_;
    std::unique_ptr<FrmOptimize> optimize_;
    std::unique_ptr<FrmAbout> about_;
};

}  // namespace quillmere
