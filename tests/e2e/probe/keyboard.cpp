#include "probe.h"

#include <cctype>
#include <optional>

namespace probe {

namespace {

struct KeyName {
  const char* name;
  WORD key;
};

const KeyName keyNames[] = {
    {"tab", VK_TAB},     {"enter", VK_RETURN}, {"space", VK_SPACE}, {"escape", VK_ESCAPE}, {"up", VK_UP},
    {"down", VK_DOWN},   {"left", VK_LEFT},    {"right", VK_RIGHT}, {"f10", VK_F10},       {"apps", VK_APPS},
};

std::optional<WORD> virtualKey(const std::string& name) {
  for (const KeyName& key : keyNames) {
    if (name == key.name) return key.key;
  }
  return std::nullopt;
}

INPUT keyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

// Real key input, as the keyboard gives it: each argument is a key ("tab", "enter", ...) with an
// optional "shift+" before it, pressed and released in turn. The keys go to the window with the
// focus in the foreground, so WINDOW is brought there first.
int pressKeys(const Arguments& args) {
  if (args.size() < 2) return wrongArguments("keys");
  std::vector<INPUT> inputs;
  for (size_t i = 1; i < args.size(); ++i) {
    std::string name = args[i];
    const bool shift = name.rfind("shift+", 0) == 0;
    if (shift) name = name.substr(6);
    const std::optional<WORD> key = virtualKey(name);
    if (!key) return wrongArguments("keys");
    if (shift) inputs.push_back(keyInput(VK_SHIFT, false));
    inputs.push_back(keyInput(*key, false));
    inputs.push_back(keyInput(*key, true));
    if (shift) inputs.push_back(keyInput(VK_SHIFT, true));
  }
  const HWND window = parseHandle(args[0]);
  SetForegroundWindow(window);
  Sleep(200);
  printField("foreground", GetForegroundWindow() == window ? 1 : 0);
  UINT sent = 0;
  // One key at a time, with a pause, so that each is handled before the next arrives.
  for (size_t i = 0; i < inputs.size(); ++i) {
    sent += SendInput(1, &inputs[i], sizeof(INPUT));
    Sleep(50);
  }
  printField("sent", static_cast<long long>(sent));
  return sent == inputs.size() ? 0 : 1;
}

}  // namespace probe
