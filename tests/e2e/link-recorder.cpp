// Stands in for the web browser and the mail program in the end-to-end tests. Each start appends one
// line to received.txt beside the program: the show command it was started with (10 when none was
// given), a blank and its whole command line. Then it ends, showing nothing.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  std::string log(path, length);
  log.erase(log.find_last_of('\\') + 1);
  log += "received.txt";

  const std::string line = std::to_string(show) + " " + GetCommandLineA() + "\r\n";
  HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const bool wrote = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) != 0;
  CloseHandle(file);
  return wrote && written == line.size() ? 0 : 1;
}
