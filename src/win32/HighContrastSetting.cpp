// The program's reading of the high-contrast setting; kept apart so that the end-to-end tests can
// build the program with another reading under Wine, whose system always answers "off".
#include "win32/Contrast.h"

namespace win32 {

bool highContrastSetting() {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof(setting);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0) != FALSE &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace win32
