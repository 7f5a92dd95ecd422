#include "tray/clsTray.h"

namespace quillmere {

using platform::NotifyIcon;

std::string tipText(const std::string& text) {
    // Cut after 63 characters, counting UTF-8 sequences as one character each.
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && characters++ == clsTray::kTipCharacters) {
            return text.substr(0, i);
        }
    }
    return text;
}

void clsTray::ShowIcon(const forms::Form& window) {
    record_.hWnd = window.hWnd();
    record_.uID = kIconId;
    record_.uFlags = NotifyIcon::NIF_MESSAGE | NotifyIcon::NIF_ICON | NotifyIcon::NIF_TIP;
    record_.uCallbackMessage = kCallbackMessage;
    record_.hIcon = window.icon();
    record_.szTip = tipText(window.caption());
    iconInTray_ = shell_.Shell_NotifyIcon(NotifyIcon::NIM_ADD, record_) ||
                  shell_.Shell_NotifyIcon(NotifyIcon::NIM_MODIFY, record_);
    bRunningInTray_ = true;
}

void clsTray::RemoveIcon(const forms::Form& window) {
    record_.hWnd = window.hWnd();
    record_.uID = kIconId;
    record_.uFlags = NotifyIcon::NIF_MESSAGE | NotifyIcon::NIF_ICON | NotifyIcon::NIF_TIP;
    record_.hIcon = window.icon();
    record_.szTip.clear();
    shell_.Shell_NotifyIcon(NotifyIcon::NIM_DELETE, record_);
    iconInTray_ = false;
    bRunningInTray_ = false;
}

void clsTray::ChangeToolTip(const forms::Form& window, const std::string& text) {
    if (!bRunningInTray_) {
        return;
    }
    record_.hWnd = window.hWnd();
    record_.szTip = tipText(text);
    shell_.Shell_NotifyIcon(NotifyIcon::NIM_MODIFY, record_);
}

}  // namespace quillmere
