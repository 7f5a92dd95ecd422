#include "win32/Services.h"
#include "win32/OutsideRequests.h"

#include <windows.h>

namespace win32 {

namespace {

// "Local\": the namespace of the logon session, so other users' sessions run their own copies.
constexpr const wchar_t* kSessionObject = L"Local\\Quillmere.SingleInstance";
// The first copy's window may not exist yet when it was started a moment before this one.
constexpr int kWindowWaitSteps = 100;
constexpr DWORD kWindowWaitStepMs = 100;

}  // namespace

SessionInstances::~SessionInstances() {
    if (session_ != nullptr) {
        CloseHandle(session_);
    }
}

bool SessionInstances::claimSession() {
    SetLastError(ERROR_SUCCESS);
    HANDLE object = CreateMutexW(nullptr, FALSE, kSessionObject);
    const DWORD error = GetLastError();
    if (object == nullptr) {
        // Denied: a copy started with other rights (elevated) holds it. Any other failure leaves no
        // way to tell, and a program that runs twice is better than one that does not run.
        return error != ERROR_ACCESS_DENIED;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(object);
        return false;
    }
    session_ = object;
    return true;
}

void SessionInstances::askFirstToComeForward() {
    for (int step = 0; step < kWindowWaitSteps; ++step) {
        if (HWND window = FindWindowW(kMainWindowClass, nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            // This start was the user's own act, so it may hand the foreground on to the copy.
            AllowSetForegroundWindow(process);
            PostMessageW(window, comeForwardMessage(), 0, 0);
            return;
        }
        Sleep(kWindowWaitStepMs);
    }
}

}  // namespace win32
