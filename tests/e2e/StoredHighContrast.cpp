// The high-contrast setting read from where the system stores it for the user,
// HKCU\Control Panel\Accessibility\HighContrast "Flags" (a decimal text of HCF_ flags), in place of
// SPI_GETHIGHCONTRAST, which Wine always answers with "off".
#include "win32/Contrast.h"

#include <cwchar>

namespace win32 {

bool highContrastSetting() {
    wchar_t flags[32] = {};
    DWORD size = sizeof(flags);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags", RRF_RT_REG_SZ,
                     nullptr, flags, &size) != ERROR_SUCCESS) {
        return false;
    }
    return (std::wcstoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace win32
