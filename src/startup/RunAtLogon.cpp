// The option "Load ... when windows starts." of the main window.
#include "app/FrmMain.h"
#include "app/Program.h"
#include "startup/modStartup.h"

namespace quillmere {

using platform::Registry;

namespace {

constexpr const char* kTurningOffNeedsAdministrator =
    "Quillmere starts with Windows for every user of this computer, and only an administrator can change "
    "that.\n\nTo turn it off, start Quillmere with administrator rights (right-click it and choose \"Run as "
    "administrator\") and clear the box there.";

}  // namespace

void FrmMain::chkRunWhenWIndowsStarts_Click() {
    Registry& registry = program_.services.registry;
    const std::string path = program_.services.process.executablePath();
    const std::string name = modStartup::runValueName(path);
    const auto write = [&](Registry::HKEY root) {
        return modStartup::WriteKeyValue(registry, root, modStartup::kRunKey, name, modStartup::runValueData(path));
    };
    const auto remove = [&](Registry::HKEY root) {
        return modStartup::DeleteKeyValue(registry, root, modStartup::kRunKey, name);
    };

    if (chkRunWhenWIndowsStarts.value() == 1) {
        program_.settings.write(setting::LoadOnWindows, "1");
        // The machine-wide value starts the program at every user's logon: it may point only at a
        // program that standard users cannot change. Once one value is in, the other goes where it
        // can, so the program is started once.
        const bool perMachine = !program_.services.files.writableByStandardUsers(path);
        if (perMachine && write(Registry::HKEY_LOCAL_MACHINE)) {
            remove(Registry::HKEY_CURRENT_USER);
        } else if (write(Registry::HKEY_CURRENT_USER)) {
            remove(Registry::HKEY_LOCAL_MACHINE);
        }
        return;
    }

    const bool machineRemoved = remove(Registry::HKEY_LOCAL_MACHINE);
    const bool userRemoved = remove(Registry::HKEY_CURRENT_USER);
    if (machineRemoved && userRemoved) {
        program_.settings.write(setting::LoadOnWindows, std::to_string(chkRunWhenWIndowsStarts.value()));
        return;
    }
    // The program still starts with Windows, so the box says so.
    chkRunWhenWIndowsStarts.setValue(1);
    program_.settings.write(setting::LoadOnWindows, "1");
    if (!toldTurningOffNeedsAdministrator_) {
        toldTurningOffNeedsAdministrator_ = true;
        program_.backend.messageBox(visible() ? this : nullptr, kTurningOffNeedsAdministrator, kAppTitle,
                                    forms::MessageIcon::Information);
    }
}

}  // namespace quillmere
