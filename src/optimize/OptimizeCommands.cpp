// The commands of the main window that request an optimization run.
#include "app/FrmMain.h"
#include "app/Program.h"
#include "optimize/FrmOptimize.h"

namespace quillmere {

void FrmMain::lblOptimizeNow_Click() {
    TmrMemoryCount.setEnabled(false);
    Picture1.setEnabled(false);
    program_.optimizeWindow().show();
}

void FrmMain::mnuOptimize_Click() {
    RestoreFromTray();
    lblOptimizeNow_Click();
}

void FrmMain::mnuQuillmere_Click() { RestoreFromTray(); }

}  // namespace quillmere
