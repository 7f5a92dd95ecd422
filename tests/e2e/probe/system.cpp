#include "probe.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace probe {

namespace {

std::string kilobytes(DWORDLONG bytes) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4f", static_cast<double>(bytes) / 1024.0);
  return text;
}

}  // namespace

int showMemory(const Arguments& args) {
  if (!args.empty()) return wrongArguments("memory");
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return 1;
  printField("total_phys", static_cast<long long>(status.ullTotalPhys));
  printField("avail_phys", static_cast<long long>(status.ullAvailPhys));
  printField("total_phys_kb", kilobytes(status.ullTotalPhys));
  printField("avail_phys_kb", kilobytes(status.ullAvailPhys));
  return 0;
}

int holdMemory(const Arguments& args) {
  if (args.size() != 2) return wrongArguments("hold-memory");
  const SIZE_T bytes = static_cast<SIZE_T>(std::strtoull(args[0].c_str(), nullptr, 10)) * 1024 * 1024;
  const DWORD seconds = std::strtoul(args[1].c_str(), nullptr, 10);
  void* block = VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (block == nullptr) {
    printField("held", 0);
    return 1;
  }
  // Every page written, so that the system counts it as taken from the available memory.
  std::memset(block, 1, bytes);
  printField("held", 1);
  std::fflush(stdout);
  Sleep(seconds * 1000);
  VirtualFree(block, 0, MEM_RELEASE);
  return 0;
}

int startProgram(const Arguments& args) {
  if (args.empty() || args.size() > 2) return wrongArguments("start");
  const std::string& program = args[0];
  // The command line is the quoted path and then the tail exactly as given, so that the program sees
  // spaces and further words the way the shell or the Run key would pass them.
  std::string commandLine = "\"" + program + "\"" + (args.size() == 2 ? args[1] : "");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    printField("started", 0);
    printField("error", static_cast<long long>(GetLastError()));
    return 1;
  }
  printField("started", 1);
  printField("pid", static_cast<long long>(process.dwProcessId));
  printField("command_line", commandLine);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

int showRunning(const Arguments& args) {
  if (args.size() != 1) return wrongArguments("running");
  const DWORD processId = std::strtoul(args[0].c_str(), nullptr, 10);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  const bool running = process != nullptr && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  if (process != nullptr) CloseHandle(process);
  printField("running", running ? 1 : 0);
  return 0;
}

}  // namespace probe
