#include "app/Program.h"

#include "app/FrmMain.h"
#include "app/SingleInstance.h"
#include "links/FrmAbout.h"
#include "optimize/FrmOptimize.h"

namespace quillmere {

Program::Program(platform::Services& services, forms::Backend& backend)
    : services(services), backend(backend), settings(services.settings),
      main_(std::make_unique<FrmMain>(*this)) {
    backend.QuitRequested = [this] { quit(); };
}

Program::~Program() { backend.QuitRequested = nullptr; }

clsTray& Program::tray() {
    if (!tray_) {
        tray_ = std::make_unique<clsTray>(services.notifyIcon);
    }
    return *tray_;
}

FrmOptimize& Program::optimizeWindow() {
    if (!optimize_ || !optimize_->loaded()) {
        optimize_ = std::make_unique<FrmOptimize>(*this);
    }
    return *optimize_;
}

bool Program::optimizeWindowLoaded() const { return optimize_ && optimize_->loaded(); }

FrmAbout& Program::aboutWindow() {
    if (!about_ || !about_->loaded()) {
        about_ = std::make_unique<FrmAbout>(*this);
    }
    return *about_;
}

bool Program::start() {
    if (!services.instances.claimSession()) {
        if (secondStartAction(services.process.commandArguments()) == SecondStart::BringFirstForward) {
            services.instances.askFirstToComeForward();
        }
        return false;
    }
    main_->load();
    if (!main_->loaded()) {
        return false;
    }
    // Start-up ends with the window shown, unless the "auto" start sent it to the tray.
    if (!tray().bRunningInTray()) {
        main_->show();
    }
    return true;
}

void Program::quit() {
    tray().RemoveIcon(*main_);
    if (optimize_) {
        optimize_->releaseBlocks();
    }
    services.process.exitNow();
}

}  // namespace quillmere
