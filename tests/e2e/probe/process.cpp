#include "probe.h"

// Version 2 names the calls after their kernel32 exports, so no further library is needed.
#define PSAPI_VERSION 2
#include <psapi.h>

#include <cstdlib>

namespace probe {

// Wine fills the working set and its peak from the process's resident memory; it leaves the private
// bytes at 0, so they are not shown.
int showProcessMemory(const Arguments& args) {
  if (args.size() != 1) return wrongArguments("process-memory");
  const DWORD processId = std::strtoul(args[0].c_str(), nullptr, 10);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) {
    printField("found", 0);
    return 1;
  }
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  const bool read = GetProcessMemoryInfo(process, &counters, sizeof counters) != 0;
  CloseHandle(process);
  printField("found", read ? 1 : 0);
  if (!read) return 1;
  printField("working_set", static_cast<long long>(counters.WorkingSetSize));
  printField("peak_working_set", static_cast<long long>(counters.PeakWorkingSetSize));
  return 0;
}

}  // namespace probe
