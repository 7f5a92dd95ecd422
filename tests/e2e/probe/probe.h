// The probe: a console program that inspects and drives a running Quillmere from outside, the way a
// person or the shell would. Every command prints "key=value" lines for the test scripts to grep and
// returns the process exit code: 0 done, 1 not found or not possible, 2 wrong arguments.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace probe {

using Arguments = std::vector<std::string>;

// Output and argument parsing shared by the commands.
void printField(const std::string& key, const std::string& value);
void printField(const std::string& key, long long value);
std::string handleText(HWND window);
std::string rectText(const RECT& rect);
HWND parseHandle(const std::string& text);
// Reports a call with the wrong number of arguments; returns the exit code for it.
int wrongArguments(const char* command);
std::string className(HWND window);
// WM_GETTEXT through SendMessageTimeout: unlike GetWindowText it reads a control of another process.
std::string windowText(HWND window);
bool sendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// The top-level windows, a window's descendants, and the process a window belongs to.
std::vector<HWND> topLevelWindows();
std::vector<HWND> descendants(HWND parent);
DWORD processOf(HWND window);

// Windows: top-level windows, named child controls, close requests, message boxes.
int listWindows(const Arguments& args);
int showControl(const Arguments& args);
int listControls(const Arguments& args);
int postClose(const Arguments& args);
int pressOk(const Arguments& args);
int watchWindow(const Arguments& args);
int showMessageBox(const Arguments& args);

// Messages as other programs and the system send them.
int postToWindow(const Arguments& args);
int sendToWindow(const Arguments& args);
int quitThread(const Arguments& args);
int postOnAppear(const Arguments& args);

// The notification area.
int showTray(const Arguments& args);
int showTrayTips(const Arguments& args);
int postTrayEvent(const Arguments& args);

// The keyboard: real key input to a window brought to the foreground.
int pressKeys(const Arguments& args);

// The system: memory figures and processes.
int showMemory(const Arguments& args);
int holdMemory(const Arguments& args);
int startProgram(const Arguments& args);
int showRunning(const Arguments& args);
int showProcessMemory(const Arguments& args);

// A text pasted through the clipboard.
int pasteText(const Arguments& args);

// Resources: the images of a program file's icon.
int showIcons(const Arguments& args);

// Turns the user's high-contrast setting on or off and tells every window.
int setHighContrast(const Arguments& args);

// Screen readers' view: a window's accessible object and its children; a child's default action.
int showAccessible(const Arguments& args);
int pressAccessible(const Arguments& args);
int pressAndHoldAccessible(const Arguments& args);

}  // namespace probe
