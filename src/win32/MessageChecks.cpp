#include "win32/MessageChecks.h"

namespace win32 {

namespace {

constexpr UINT kSystemTimer = 0x0118;  // WM_SYSTIMER, the caret's and the controls' own timers

}  // namespace

bool isForgedPostedMessage(const MSG& message) {
    switch (message.message) {
    case WM_CREATE:
    case WM_NCCREATE:
    case WM_NOTIFY:
    case WM_DPICHANGED:
    case WM_COPYDATA:
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETMINMAXINFO:
    case WM_NCCALCSIZE:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
    case EM_GETSEL:
    case EM_GETRECT:
    case EM_SETRECT:
    case EM_SETRECTNP:
    case EM_REPLACESEL:
    case EM_GETLINE:
    case EM_SETTABSTOPS:
        return true;
    case WM_TIMER:
    case kSystemTimer:
        // DispatchMessage calls a timer's lParam as its callback; the program's timers have none.
        return message.lParam != 0;
    default:
        return false;
    }
}

bool sentFromAnotherThread() { return InSendMessageEx(nullptr) != ISMEX_NOSEND; }

}  // namespace win32
