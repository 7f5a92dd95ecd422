// How other programs reach the running copy: they find its main window by its class and post it a
// registered message with no parameters. packaging/ reads the names from these lines for the
// installer, which ends a running copy before it replaces the exe.
#pragma once

namespace win32 {

inline constexpr const wchar_t* kMainWindowClass = L"QuillmereMain";
// Another start of the program: bring the window forward.
inline constexpr const wchar_t* kComeForwardRequestName = L"Quillmere.ComeForward";
// The installer and the uninstaller: run the Exit command, which removes the tray icon and ends the
// process (the close request would only hide the window to the tray).
inline constexpr const wchar_t* kExitRequestName = L"Quillmere.Exit";

// The messages' numbers in this session; 0 when the system could not register one.
unsigned int comeForwardMessage();
unsigned int exitRequestMessage();

}  // namespace win32
