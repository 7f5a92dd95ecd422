#include "app/ModIEOpen.h"

namespace quillmere::ModIEOpen {

void SetBarColor(platform::Windows& windows, forms::NativeHandle bar, forms::Color color) {
    windows.SendMessage(bar, platform::Windows::PBM_SETBARCOLOR, 0, static_cast<std::intptr_t>(color));
}

void SetBarBackColor(platform::Windows& windows, forms::NativeHandle bar, forms::Color color) {
    windows.SendMessage(bar, platform::Windows::PBM_SETBKCOLOR, 0, static_cast<std::intptr_t>(color));
}

void PauseWithEvents(forms::Backend& backend) {
    for (int i = 1; i < 2000; ++i) {
        backend.doEvents();
    }
}

}  // namespace quillmere::ModIEOpen
