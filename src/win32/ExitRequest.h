// The request by which another program (the installer, the uninstaller) ends the running program:
// the registered window message "Quillmere.Exit", posted to the main window (class QuillmereMain)
// with no parameters. The program answers it with its own Exit command, which removes the tray
// icon and ends the process; the window's close request would only hide it to the tray.
#pragma once

#include <windows.h>

#include "forms/Forms.h"

namespace win32 {

// The message's name; packaging/ reads it from this line for the installer.
inline constexpr const wchar_t* kExitRequestName = L"Quillmere.Exit";

// Whether a window message is the exit request.
bool isExitRequest(UINT message);

// Runs the form's answer to the request; a failure in it stays inside.
void answerExitRequest(forms::Form& form) noexcept;

}  // namespace win32
