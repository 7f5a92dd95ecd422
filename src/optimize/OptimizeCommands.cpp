// The commands of the main window that request an optimization run.
#include "app/FrmMain.h"
#include "app/Program.h"
#include "optimize/FrmOptimize.h"

namespace quillmere {

void FrmMain::lblOptimizeNow_Click() {
    // One run at a time. The progress window stays up after its run until "Optimization done" is
    // closed; a request meanwhile (the tray menu, the automatic free) must change nothing.
    if (program_.optimizeWindowLoaded()) {
        return;
    }
    TmrMemoryCount.setEnabled(false);
    Picture1.setEnabled(false);
    FrmOptimize& window = program_.optimizeWindow();
    window.show();
    if (!window.loaded()) {
        // Its window could not be made, or its run could not be started.
        optimizationEnded();
    }
}

void FrmMain::optimizationEnded() {
    program_.bOptimizing = false;
    Picture1.setEnabled(true);
    TmrMemoryCount.setEnabled(true);
}

void FrmMain::mnuOptimize_Click() {
    RestoreFromTray();
    lblOptimizeNow_Click();
}

void FrmMain::mnuQuillmere_Click() { RestoreFromTray(); }

}  // namespace quillmere
