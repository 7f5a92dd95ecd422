// One copy of the program in the logon session: a named object in the session's namespace, held
// for as long as the copy runs (SessionInstances, in win32/Services.h), and a registered message
// that asks that copy to come forward.
#pragma once

namespace win32 {

// The window class of the main window, by which another start finds it.
inline constexpr const wchar_t* kMainWindowClass = L"QuillmereMain";

// The message another start posts to the running copy's main window.
unsigned int comeForwardMessage();

}  // namespace win32
