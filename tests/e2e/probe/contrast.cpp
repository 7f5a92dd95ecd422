#include "probe.h"

namespace probe {

namespace {

// Where the system keeps the setting for the user: "Flags", the HCF_ flags as a decimal text.
bool storeFlags(bool on) {
  const wchar_t* flags = on ? L"127" : L"126";
  return RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags", REG_SZ, flags,
                         static_cast<DWORD>((lstrlenW(flags) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace

int setHighContrast(const Arguments& args) {
  if (args.size() != 1 || (args[0] != "on" && args[0] != "off")) return wrongArguments("high-contrast");
  const bool on = args[0] == "on";
  HIGHCONTRASTW state{};
  state.cbSize = sizeof state;
  state.dwFlags = on ? HCF_HIGHCONTRASTON : 0;
  // The system's way: saved for the user, and every top-level window told.
  if (SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof state, &state, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
    printField("set_by", "system");
    return 0;
  }
  // Wine has no such setting: the value is stored where the system keeps it and the windows are
  // told as the system tells them.
  printField("system_error", static_cast<long long>(GetLastError()));
  if (!storeFlags(on)) return 1;
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 5000, &result);
  printField("set_by", "registry");
  return 0;
}

}  // namespace probe
