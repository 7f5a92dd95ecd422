// Window helpers shared by the program's windows: the progress bars' colours and the pause.
#pragma once

#include "forms/Forms.h"
#include "platform/Services.h"

namespace quillmere::ModIEOpen {

void SetBarColor(platform::Windows& windows, forms::NativeHandle bar, forms::Color color);
void SetBarBackColor(platform::Windows& windows, forms::NativeHandle bar, forms::Color color);

// Yields to the message loop 1999 times in a row.
void PauseWithEvents(forms::Backend& backend);

}  // namespace quillmere::ModIEOpen
