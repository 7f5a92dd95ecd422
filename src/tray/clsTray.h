// The notification-area icon of the main window. It remembers whether it has added the icon;
// the rest of the program reads that to know whether the main window lives in the tray.
#pragma once

#include <string>

#include "forms/Forms.h"
#include "platform/Services.h"

namespace quillmere {

class clsTray {
public:
    // The icon's mouse events arrive at the window as mouse-move messages.
    static constexpr std::uint32_t kCallbackMessage = 0x0200;  // WM_MOUSEMOVE
    static constexpr std::uint32_t kIconId = 1;

    explicit clsTray(platform::NotifyIcon& shell) : shell_(shell) {}

    bool bRunningInTray() const { return bRunningInTray_; }
    // Adds the window's icon with the given tip. An add the shell refuses for an icon it already
    // holds leaves the icon in.
    void ShowIcon(const forms::Form& window, const std::string& tip);
    void RemoveIcon(const forms::Form& window);
    void ChangeToolTip(const forms::Form& window, const std::string& text);

    // The icon should be on show but the shell has not taken it (not ready yet at logon, say).
    bool iconMissing() const { return bRunningInTray_ && !iconInTray_; }

    // The record as the last operation left it.
    const platform::NotifyIconData& record() const { return record_; }

private:
    platform::NotifyIcon& shell_;
    platform::NotifyIconData record_;
    bool bRunningInTray_ = false;
    bool iconInTray_ = false;  // the shell took the last add
};

// A tip text cut to what the record's tip field holds, never inside a character. The field counts
// UTF-16 units, so a character beyond the Basic Multilingual Plane takes two of them.
std::string tipText(const std::string& text);

}  // namespace quillmere
