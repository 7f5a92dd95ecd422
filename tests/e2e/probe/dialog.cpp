#include "probe.h"

namespace probe {

int showMessageBox(const Arguments& args) {
  if (args.size() != 1) return wrongArguments("message-box");
  HWND box = nullptr;
  while ((box = FindWindowExA(nullptr, box, "#32770", args[0].c_str())) != nullptr && !IsWindowVisible(box)) {
  }
  printField("found", box != nullptr ? 1 : 0);
  if (box == nullptr) return 1;
  printField("hwnd", handleText(box));
  printField("pid", processOf(box));
  // The message is the box's one static control with text; the icon is a static control without.
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string kind = className(child);
    const std::string text = windowText(child);
    if (lstrcmpiA(kind.c_str(), "Static") == 0 && !text.empty()) printField("text", text);
    if (lstrcmpiA(kind.c_str(), "Button") == 0) printField("button", text);
  }
  return 0;
}

}  // namespace probe
