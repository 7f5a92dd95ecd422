// Other programs can send and post messages to the program's windows, and a message carrying a
// pointer then carries theirs: it is not marshalled, so reading through it could crash the program
// or change its state. These checks say which messages are not to be trusted.
#pragma once

#include <windows.h>

namespace win32 {

// A message taken from the queue (so posted, by anyone) that carries a pointer the window procedure,
// the system's controls or DispatchMessage itself would follow: a notification, a DPI change, data
// to copy, a window's creation or placement record, an edit control's buffer, a timer with a
// callback. The program posts none of them; every message loop drops them.
bool isForgedPostedMessage(const MSG& message);

// Whether the message being handled was sent from another thread: the program sends its windows
// nothing from another thread, so it comes from another program. Inside the handling of such a
// message, the program's own nested messages are reported the same way.
bool sentFromAnotherThread();

}  // namespace win32
