#include "win32/OutsideRequests.h"

#include <windows.h>

namespace win32 {

unsigned int comeForwardMessage() {
    static const UINT message = RegisterWindowMessageW(kComeForwardRequestName);
    return message;
}

unsigned int exitRequestMessage() {
    static const UINT message = RegisterWindowMessageW(kExitRequestName);
    return message;
}

}  // namespace win32
