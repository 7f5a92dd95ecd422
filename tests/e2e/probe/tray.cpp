#include "probe.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>
#include <optional>

namespace probe {

namespace {

// With no system tray on the X display, Wine shows the icons in a window of its own, visible exactly
// while it holds an icon. It gives every icon on show a tooltip window that it owns, so these count
// the icons; its width does not, since it never shrinks below eight icons nor after one goes.
constexpr const char* trayWindowTitle = "Wine System Tray";

std::vector<HWND> iconToolTips(HWND tray) {
  std::vector<HWND> toolTips;
  for (HWND window : topLevelWindows()) {
    if (GetWindow(window, GW_OWNER) == tray && lstrcmpiA(className(window).c_str(), TOOLTIPS_CLASSA) == 0) {
      toolTips.push_back(window);
    }
  }
  return toolTips;
}

int iconsShownBy(HWND tray) { return static_cast<int>(iconToolTips(tray).size()); }

std::string utf8(const std::wstring& text) {
  if (text.empty()) return "";
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string result(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr,
                      nullptr);
  return result;
}

// The text of a tooltip's first tool. The control writes it through a pointer in its own process, so
// the record and the text buffer are made there; a tooltip's messages carry that pointer unchanged.
std::optional<std::wstring> firstToolText(HWND toolTip) {
  constexpr size_t kTextUnits = 1024;  // far more than any tip field
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processOf(toolTip));
  if (process == nullptr) return std::nullopt;
  std::optional<std::wstring> text;
  const size_t bytes = sizeof(TTTOOLINFOW) + kTextUnits * sizeof(wchar_t);
  auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (remote != nullptr) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof tool);
    std::wstring buffer(kTextUnits, L'\0');
    TTTOOLINFOW filled{};
    LRESULT found = 0;
    // A tool whose text is asked for when shown, or comes from a resource, leaves no text here.
    if (WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr) &&
        WriteProcessMemory(process, tool.lpszText, buffer.data(), kTextUnits * sizeof(wchar_t), nullptr) &&
        sendMessageTimeout(toolTip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote), found) && found != 0 &&
        ReadProcessMemory(process, remote, &filled, sizeof filled, nullptr) && filled.lpszText == tool.lpszText &&
        ReadProcessMemory(process, tool.lpszText, buffer.data(), (kTextUnits - 1) * sizeof(wchar_t), nullptr)) {
      buffer.resize(wcslen(buffer.c_str()));
      text = buffer;
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
  return 0;
}

int showTrayTips(const Arguments& args) {
  if (!args.empty()) return wrongArguments("tray-tips");
  HWND tray = FindWindowA(nullptr, trayWindowTitle);
  if (tray == nullptr) {
    printField("count", 0);
    return 1;
  }
  const std::vector<HWND> toolTips = iconToolTips(tray);
  printField("count", static_cast<long long>(toolTips.size()));
  bool allRead = true;
  for (HWND toolTip : toolTips) {
    const std::optional<std::wstring> text = firstToolText(toolTip);
    allRead = allRead && text.has_value();
    printField("tip", text ? utf8(*text) : "?");
  }
  return allRead ? 0 : 1;
}

// As the shell posts them with the protocol's version 4: the event and the icon id (1) in lParam,
// the point of the screen in wParam (the icon's, for the keyboard's events).
int postTrayEvent(const Arguments& args) {
  if (args.size() != 2 && args.size() != 4) return wrongArguments("tray-event");
  const auto number = [&](size_t i) { return static_cast<int>(std::strtol(args[i].c_str(), nullptr, 0)); };
  const int x = args.size() == 4 ? number(2) : 0;
  const int y = args.size() == 4 ? number(3) : 0;
  const bool posted = PostMessageA(parseHandle(args[0]), WM_MOUSEMOVE, MAKEWPARAM(x, y),
                                   MAKELPARAM(number(1), 1)) != 0;
  printField("posted", posted ? 1 : 0);
  return posted ? 0 : 1;
}

}  // namespace probe
