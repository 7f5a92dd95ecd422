// Messages from outside, as any other program could send or post them: raw parameters, and a paste
// of a text through the clipboard.
#include "probe.h"

#include <cstdlib>

namespace probe {

namespace {

struct RawMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

RawMessage parseMessage(const Arguments& args) {
  return {parseHandle(args[0]), static_cast<UINT>(std::strtoul(args[1].c_str(), nullptr, 0)),
          static_cast<WPARAM>(std::strtoull(args[2].c_str(), nullptr, 0)),
          static_cast<LPARAM>(std::strtoll(args[3].c_str(), nullptr, 0))};
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

int sendRawMessage(const Arguments& args) {
  if (args.size() != 4) return wrongArguments("send");
  const RawMessage raw = parseMessage(args);
  LRESULT result = 0;
  SetLastError(0);
  const bool answered = sendMessageTimeout(raw.window, raw.message, raw.wParam, raw.lParam, result);
  printField("answered", answered ? 1 : 0);
  printField("result", static_cast<long long>(result));
  if (!answered) printField("error", static_cast<long long>(GetLastError()));
  return answered ? 0 : 1;
}

int postRawMessage(const Arguments& args) {
  if (args.size() != 4) return wrongArguments("post");
  const RawMessage raw = parseMessage(args);
  const bool posted = PostMessageA(raw.window, raw.message, raw.wParam, raw.lParam) != 0;
  printField("posted", posted ? 1 : 0);
  if (!posted) printField("error", static_cast<long long>(GetLastError()));
  return posted ? 0 : 1;
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
