#include "probe.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>

namespace probe {

namespace {

// With no system tray on the X display, Wine shows the icons in a window of its own, visible exactly
// while it holds an icon. It gives every icon on show a tooltip window that it owns, so these count
// the icons; its width does not, since it never shrinks below eight icons nor after one goes.
constexpr const char* trayWindowTitle = "Wine System Tray";

int iconsShownBy(HWND tray) {
  int icons = 0;
  for (HWND window : topLevelWindows()) {
    if (GetWindow(window, GW_OWNER) == tray && lstrcmpiA(className(window).c_str(), TOOLTIPS_CLASSA) == 0) ++icons;
  }
  return icons;
}

}  // namespace

int showTray(const Arguments& args) {
  if (args.size() != 1) return wrongArguments("tray");
  // NIM_MODIFY that changes nothing (no flags) succeeds only for an icon that exists.
  NOTIFYICONDATAA icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = parseHandle(args[0]);
  icon.uID = 1;
  printField("icon", Shell_NotifyIconA(NIM_MODIFY, &icon) ? 1 : 0);
  HWND tray = FindWindowA(nullptr, trayWindowTitle);
  printField("tray_window", handleText(tray));
  printField("tray_visible", tray != nullptr && IsWindowVisible(tray) ? 1 : 0);
  printField("icons", tray != nullptr ? iconsShownBy(tray) : 0);
  return 0;
}

int postTrayEvent(const Arguments& args) {
  if (args.size() != 2) return wrongArguments("tray-event");
  const LPARAM code = static_cast<LPARAM>(std::strtol(args[1].c_str(), nullptr, 0));
  const bool posted = PostMessageA(parseHandle(args[0]), WM_MOUSEMOVE, 1, code) != 0;
  printField("posted", posted ? 1 : 0);
  return posted ? 0 : 1;
}

}  // namespace probe
