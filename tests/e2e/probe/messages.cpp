// Messages from outside, as another program or the system would send or post them, and a paste of a
// text through the clipboard.
#include "probe.h"

#include <cstdlib>

namespace probe {

namespace {

UINT_PTR number(const std::string& text) { return static_cast<UINT_PTR>(std::strtoull(text.c_str(), nullptr, 0)); }

HWND findWindowOf(DWORD processId, const std::string& windowClass) {
  for (HWND window : topLevelWindows()) {
    if (processOf(window) == processId && className(window) == windowClass) return window;
  }
  return nullptr;
}

bool putOnClipboard(const std::string& text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(length) * sizeof(wchar_t));
  if (memory == nullptr) return false;
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, static_cast<wchar_t*>(GlobalLock(memory)), length);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!placed) GlobalFree(memory);
  CloseClipboard();
  return placed;
}

}  // namespace

// post HWND MESSAGE [WPARAM [LPARAM]]: a message as another program would post it.
int postToWindow(const Arguments& args) {
  if (args.size() < 2 || args.size() > 4) return wrongArguments("post");
  const WPARAM wParam = args.size() > 2 ? number(args[2]) : 0;
  const LPARAM lParam = args.size() > 3 ? static_cast<LPARAM>(number(args[3])) : 0;
  const bool posted = PostMessageA(parseHandle(args[0]), static_cast<UINT>(number(args[1])), wParam, lParam) != 0;
  printField("posted", posted ? 1 : 0);
  return posted ? 0 : 1;
}

// send HWND MESSAGE [WPARAM [LPARAM]]: a message sent as the system sends the session's end.
int sendToWindow(const Arguments& args) {
  if (args.size() < 2 || args.size() > 4) return wrongArguments("send");
  const WPARAM wParam = args.size() > 2 ? number(args[2]) : 0;
  const LPARAM lParam = args.size() > 3 ? static_cast<LPARAM>(number(args[3])) : 0;
  LRESULT result = 0;
  const bool sent = sendMessageTimeout(parseHandle(args[0]), static_cast<UINT>(number(args[1])), wParam, lParam, result);
  printField("sent", sent ? 1 : 0);
  printField("result", result);
  return sent ? 0 : 1;
}

// quit-thread HWND: WM_QUIT posted to the thread that runs the window, not to a window.
int quitThread(const Arguments& args) {
  if (args.size() != 1) return wrongArguments("quit-thread");
  const DWORD thread = GetWindowThreadProcessId(parseHandle(args[0]), nullptr);
  const bool posted = thread != 0 && PostThreadMessageA(thread, WM_QUIT, 0, 0) != 0;
  printField("posted", posted ? 1 : 0);
  return posted ? 0 : 1;
}

// post-on-appear PID CLASS SECONDS MESSAGE WPARAM [MESSAGE WPARAM ...]: waits for PID's window of
// CLASS and posts the messages to it the moment it exists, faster than a script could.
int postOnAppear(const Arguments& args) {
  if (args.size() < 5 || (args.size() - 3) % 2 != 0) return wrongArguments("post-on-appear");
  const DWORD processId = std::strtoul(args[0].c_str(), nullptr, 10);
  const ULONGLONG deadline = GetTickCount64() + std::strtoull(args[2].c_str(), nullptr, 10) * 1000;
  HWND window = nullptr;
  while ((window = findWindowOf(processId, args[1])) == nullptr && GetTickCount64() < deadline) Sleep(1);
  printField("appeared", window != nullptr ? 1 : 0);
  if (window == nullptr) return 1;
  printField("hwnd", handleText(window));
  int posted = 0;
  for (size_t i = 3; i + 1 < args.size(); i += 2) {
    posted += PostMessageA(window, static_cast<UINT>(number(args[i])), number(args[i + 1]), 0) != 0 ? 1 : 0;
  }
  printField("posted", posted);
  return 0;
}

int pasteText(const Arguments& args) {
  if (args.size() != 2) return wrongArguments("paste");
  if (!putOnClipboard(args[1])) {
    printField("pasted", 0);
    return 1;
  }
  LRESULT result = 0;
  const bool answered = sendMessageTimeout(parseHandle(args[0]), WM_PASTE, 0, 0, result);
  printField("pasted", answered ? 1 : 0);
  return answered ? 0 : 1;
}

}  // namespace probe
