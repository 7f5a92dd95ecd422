// quillmere.exe: hardens the process, then runs the main window until the Exit command ends it.
#include "app/Program.h"
#include "win32/Services.h"
#include "win32/Win32Backend.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // DLLs come from the system folder only: a DLL dropped beside the program (a downloads folder)
    // or in the current folder is never loaded.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
    HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    // Every handler contains its own failures; one that escapes before the loop runs (no memory
    // for the windows) ends the program quietly rather than with the run-time's abort.
    try {
        win32::SystemServices system;
        platform::Services services = system.services();
        win32::Win32Backend backend(instance);
        quillmere::Program program(services, backend);
        if (!program.start()) {
            return 1;  // no main window could be made
        }
        // A quit request ends the process from inside the loop, its icon removed first.
        return backend.runMessageLoop();
    } catch (...) {
        return 1;
    }
}
