// The option "Load ... when windows starts." of the main window.
#include "app/FrmMain.h"
#include "app/Program.h"
#include "startup/modStartup.h"

namespace quillmere {

using platform::Registry;

void FrmMain::chkRunWhenWIndowsStarts_Click() {
    const int value = chkRunWhenWIndowsStarts.value();
    program_.settings.write(setting::LoadOnWindows, std::to_string(value));

    Registry& registry = program_.services.registry;
    const std::string path = program_.services.process.executablePath();
    const std::string name = modStartup::runValueName(path);
    if (value == 1) {
        // A standard user may not write the machine-wide key; the user's own Run key starts the
        // program at that user's logon just the same.
        if (!modStartup::WriteKeyValue(registry, Registry::HKEY_LOCAL_MACHINE, modStartup::kRunKey, name,
                                       modStartup::runValueData(path))) {
            modStartup::WriteKeyValue(registry, Registry::HKEY_CURRENT_USER, modStartup::kRunKey, name,
                                      modStartup::runValueData(path));
        }
    } else {
        modStartup::DeleteKeyValue(registry, Registry::HKEY_LOCAL_MACHINE, modStartup::kRunKey, name);
        modStartup::DeleteKeyValue(registry, Registry::HKEY_CURRENT_USER, modStartup::kRunKey, name);
    }
}

}  // namespace quillmere
