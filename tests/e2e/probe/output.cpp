#include "probe.h"

#include <cstdio>
#include <cstdlib>

namespace probe {

void printField(const std::string& key, const std::string& value) {
  // One line per field: line breaks inside a text are written as \r and \n.
  std::string line = key + "=";
  for (char c : value) {
    if (c == '\r') line += "\\r";
    else if (c == '\n') line += "\\n";
    else line += c;
  }
  std::printf("%s\n", line.c_str());
}

void printField(const std::string& key, long long value) { printField(key, std::to_string(value)); }

std::string handleText(HWND window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)));
  return text;
}

std::string rectText(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
         std::to_string(rect.bottom);
}

HWND parseHandle(const std::string& text) {
  return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(text.c_str(), nullptr, 0)));
}

int wrongArguments(const char* command) {
  std::fprintf(stderr, "probe %s: wrong arguments (run probe alone for the usage)\n", command);
  return 2;
}

std::string className(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool sendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  DWORD_PTR answer = 0;
  const bool answered =
      SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer) != 0;
  result = static_cast<LRESULT>(answer);
  return answered;
}

std::string windowText(HWND window) {
  LRESULT length = 0;
  if (!sendMessageTimeout(window, WM_GETTEXTLENGTH, 0, 0, length) || length <= 0) return "";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied = 0;
  sendMessageTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), copied);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace probe
