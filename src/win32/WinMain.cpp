// quillmere.exe: hardens the process, then runs the main window until the Exit command ends it.
#include "app/Program.h"
#include "win32/Services.h"
#include "win32/Win32Backend.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // DLLs come from the system folder only: a DLL dropped beside the program (a downloads folder)
    // or in the current folder is never loaded.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
    HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);

    // The shell's execute calls behind the links may hand the work to COM objects, which need the
    // calling thread in an apartment; it lasts as long as the program.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

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
        // false: another copy already runs in this session (this start has asked it forward, or
        // ends quietly), or no main window could be made.
        if (!program.start()) {
            return 0;
        }
        // A quit request ends the process from inside the loop, its icon removed first.
        return backend.runMessageLoop();
    } catch (...) {
        return 1;
    }
}
