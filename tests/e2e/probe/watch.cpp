#include "probe.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

namespace probe {

namespace {

HWND findWindowOf(DWORD processId, const std::string& windowClass) {
  for (HWND window : topLevelWindows()) {
    if (processOf(window) == processId && className(window) == windowClass) return window;
  }
  return nullptr;
}

// The window's progress bar, wherever it sits among its descendants.
HWND findProgressBar(HWND window) {
  for (HWND child : descendants(window)) {
    if (lstrcmpiA(className(child).c_str(), PROGRESS_CLASSA) == 0) return child;
  }
  return nullptr;
}

}  // namespace

// Samples a window as often as the system lets a thread run, for movements and progress that go
// by faster than a script can look: one line per change of what is seen.
int watchWindow(const Arguments& args) {
  if (args.size() != 3) return wrongArguments("watch");
  const DWORD processId = std::strtoul(args[0].c_str(), nullptr, 10);
  const std::string& windowClass = args[1];
  const ULONGLONG deadline = GetTickCount64() + std::strtoull(args[2].c_str(), nullptr, 10) * 1000;

  HWND window = nullptr;
  while (window == nullptr && GetTickCount64() < deadline) {
    window = findWindowOf(processId, windowClass);
    if (window == nullptr) Sleep(1);
  }
  printField("appeared", window != nullptr ? 1 : 0);
  if (window == nullptr) return 1;
  printField("hwnd", handleText(window));

  const ULONGLONG start = GetTickCount64();
  std::string last;
  bool gone = false;
  while (GetTickCount64() < deadline) {
    RECT rect{};
    if (!IsWindow(window) || !GetWindowRect(window, &rect)) {
      gone = true;
      break;
    }
    const bool visible = IsWindowVisible(window) != 0;
    const bool topmost = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    LRESULT position = -1;
    const HWND bar = findProgressBar(window);
    if (bar == nullptr || !sendMessageTimeout(bar, PBM_GETPOS, 0, 0, position)) position = -1;
    LRESULT high = -1;
    if (bar == nullptr || !sendMessageTimeout(bar, PBM_GETRANGE, FALSE, 0, high)) high = -1;
    // visible topmost left,top,right,bottom position range_high
    const std::string state = std::to_string(visible ? 1 : 0) + " " + std::to_string(topmost ? 1 : 0) + " " +
                              rectText(rect) + " " + std::to_string(position) + " " + std::to_string(high);
    if (state != last) {
      std::printf("sample=%llu %s\n", static_cast<unsigned long long>(GetTickCount64() - start), state.c_str());
      last = state;
    }
    Sleep(1);
  }
  printField("gone", gone ? 1 : 0);
  printField("elapsed_ms", static_cast<long long>(GetTickCount64() - start));
  return 0;
}

}  // namespace probe
