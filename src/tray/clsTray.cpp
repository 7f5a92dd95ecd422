#include "tray/clsTray.h"

namespace quillmere {

using platform::NotifyIcon;

std::string tipText(const std::string& text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80) {
            continue;  // the rest of a character already counted
        }
        units += byte >= 0xF0 ? 2 : 1;  // four UTF-8 bytes make a surrogate pair
        if (units > platform::NotifyIconData::kTipUnits) {
            return text.substr(0, i);
        }
    }
    return text;
}

void clsTray::ShowIcon(const forms::Form& window, const std::string& tip) {
    record_.hWnd = window.hWnd();
    record_.uID = kIconId;
    record_.uFlags = NotifyIcon::NIF_MESSAGE | NotifyIcon::NIF_ICON | NotifyIcon::NIF_TIP;
    record_.uCallbackMessage = kCallbackMessage;
    record_.hIcon = window.icon();
    record_.szTip = tipText(tip);
    iconInTray_ = shell_.Shell_NotifyIcon(NotifyIcon::NIM_ADD, record_) ||
                  shell_.Shell_NotifyIcon(NotifyIcon::NIM_MODIFY, record_);
    if (iconInTray_) {
        // The version belongs to the icon: every icon added is told it anew. Without it the icon
        // still works from the mouse.
        record_.uVersion = NotifyIcon::NOTIFYICON_VERSION_4;
        shell_.Shell_NotifyIcon(NotifyIcon::NIM_SETVERSION, record_);
    }
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
