#include "win32/ExitRequest.h"

namespace win32 {

bool isExitRequest(UINT message) {
    static const UINT registered = RegisterWindowMessageW(kExitRequestName);
    // 0 means the system could not register it: no message is the request then (0 is WM_NULL).
    return registered != 0 && message == registered;
}

void answerExitRequest(forms::Form& form) noexcept {
    if (!form.ExitRequested) {
        return;
    }
    try {
        form.ExitRequested();
    } catch (...) {  // NOLINT(bugprone-empty-catch): the window procedure must not unwind
    }
}

}  // namespace win32
