#include "probe.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

namespace probe {

namespace {

// The program marks each windowed control with this property; its value is a global atom that
// holds the control's name.
constexpr const char* controlNameProperty = "QuillmereControl";

std::string caption(HWND window) {
  char text[512] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string controlName(HWND window) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, controlNameProperty)));
  if (atom == 0) return "";
  char name[256] = "";
  GlobalGetAtomNameA(atom, name, sizeof name);
  return name;
}

void printWindow(HWND window) {
  RECT windowRect{};
  GetWindowRect(window, &windowRect);
  RECT clientRect{};
  GetClientRect(window, &clientRect);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&clientRect), 2);
  printField("hwnd", handleText(window));
  printField("pid", processOf(window));
  printField("class", className(window));
  printField("title", caption(window));
  printField("visible", IsWindowVisible(window) ? 1 : 0);
  printField("minimized", IsIconic(window) ? 1 : 0);
  printField("enabled", IsWindowEnabled(window) ? 1 : 0);
  printField("topmost", (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
  printField("foreground", GetForegroundWindow() == window ? 1 : 0);
  printField("window_rect", rectText(windowRect));
  printField("client_rect", rectText(clientRect));
}

void printControl(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  const std::string kind = className(control);
  printField("name", controlName(control));
  printField("hwnd", handleText(control));
  printField("class", kind);
  printField("text", windowText(control));
  printField("enabled", IsWindowEnabled(control) ? 1 : 0);
  printField("visible", IsWindowVisible(control) ? 1 : 0);
  printField("window_rect", rectText(rect));
  LRESULT value = 0;
  if (lstrcmpiA(kind.c_str(), WC_BUTTONA) == 0 && sendMessageTimeout(control, BM_GETCHECK, 0, 0, value)) {
    printField("checked", value);
  }
  if (lstrcmpiA(kind.c_str(), PROGRESS_CLASSA) == 0) {
    if (sendMessageTimeout(control, PBM_GETPOS, 0, 0, value)) printField("pos", value);
    if (sendMessageTimeout(control, PBM_GETRANGE, TRUE, 0, value)) printField("range_low", value);
    if (sendMessageTimeout(control, PBM_GETRANGE, FALSE, 0, value)) printField("range_high", value);
  }
}

}  // namespace

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND window, LPARAM found) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> descendants(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM found) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

DWORD processOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

int listWindows(const Arguments& args) {
  std::string wantedClass, wantedTitle;
  bool byClass = false, byTitle = false, byProcess = false;
  DWORD wantedProcess = 0;
  for (size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return wrongArguments("windows");
    if (args[i] == "--class") byClass = true, wantedClass = args[i + 1];
    else if (args[i] == "--title") byTitle = true, wantedTitle = args[i + 1];
    else if (args[i] == "--pid") byProcess = true, wantedProcess = std::strtoul(args[i + 1].c_str(), nullptr, 10);
    else return wrongArguments("windows");
  }
  int count = 0;
  for (HWND window : topLevelWindows()) {
    if (byClass && className(window) != wantedClass) continue;
    if (byTitle && caption(window) != wantedTitle) continue;
    if (byProcess && processOf(window) != wantedProcess) continue;
    printWindow(window);
    std::printf("\n");
    ++count;
  }
  printField("count", count);
  return 0;
}

int showControl(const Arguments& args) {
  if (args.size() != 2) return wrongArguments("control");
  for (HWND control : descendants(parseHandle(args[0]))) {
    if (controlName(control) == args[1]) {
      printField("found", 1);
      printControl(control);
      return 0;
    }
  }
  printField("found", 0);
  return 1;
}

int listControls(const Arguments& args) {
  if (args.size() != 1) return wrongArguments("controls");
  int count = 0;
  for (HWND control : descendants(parseHandle(args[0]))) {
    if (controlName(control).empty()) continue;
    printControl(control);
    std::printf("\n");
    ++count;
  }
  printField("count", count);
  return 0;
}

int postClose(const Arguments& args) {
  if (args.size() != 1) return wrongArguments("close");
  const bool posted = PostMessageA(parseHandle(args[0]), WM_CLOSE, 0, 0) != 0;
  printField("posted", posted ? 1 : 0);
  return posted ? 0 : 1;
}

int pressOk(const Arguments& args) {
  if (args.size() != 1) return wrongArguments("press-ok");
  for (HWND window : topLevelWindows()) {
    if (className(window) != "#32770" || caption(window) != args[0] || !IsWindowVisible(window)) continue;
    HWND button = GetDlgItem(window, IDOK);
    if (button == nullptr) continue;
    // The dialog's own answer to its OK button, as a click on it would send.
    const bool posted =
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
    printField("pressed", posted ? 1 : 0);
    return posted ? 0 : 1;
  }
  printField("pressed", 0);
  return 1;
}

}  // namespace probe
