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

// The text of a tooltip window's first tool. The window belongs to another process, so the record
// and the text travel through memory taken in that process. Line breaks come out as "\n".
std::string firstToolText(HWND tooltip) {
  DWORD owner = processOf(tooltip);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, owner);
  if (process == nullptr) return "";
  constexpr std::size_t textChars = 1024;
  auto* remote = static_cast<unsigned char*>(
      VirtualAllocEx(process, nullptr, sizeof(TTTOOLINFOW) + textChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
  std::string text;
  if (remote != nullptr) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof tool);
    const wchar_t none = L'\0';
    LRESULT found = 0;
    if (WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr) &&
        WriteProcessMemory(process, tool.lpszText, &none, sizeof none, nullptr) &&
        sendMessageTimeout(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote), found) && found) {
      wchar_t wide[textChars] = {};
      ReadProcessMemory(process, tool.lpszText, wide, sizeof wide - sizeof(wchar_t), nullptr);
      char utf8[4 * textChars] = "";
      WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
      for (const char* c = utf8; *c != '\0'; ++c) text += *c == '\n' ? std::string("\\n") : std::string(1, *c);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return text;
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
  // Each icon's tip, as its tooltip window holds it.
  for (HWND window : topLevelWindows()) {
    if (tray != nullptr && GetWindow(window, GW_OWNER) == tray &&
        lstrcmpiA(className(window).c_str(), TOOLTIPS_CLASSA) == 0) {
      printField("tip", firstToolText(window));
    }
  }
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
