// The maker's pages and support address, and the procedure that opens a web page.
#pragma once

#include <string>

#include "forms/Forms.h"
#include "platform/Services.h"

namespace quillmere {

inline constexpr const char* HomePageUrl = "https://www.tarnholt.com/";
inline constexpr const char* ContactPageUrl = "https://www.tarnholt.com/contact.html";
inline constexpr const char* SupportAddress = "support@tarnholt.com";
inline constexpr const char* SupportMailLink = "mailto:support@tarnholt.com";

namespace ModIEOpen {

// Opens a page in the program that opens files of the given extension, maximized, with the
// address in quotation marks. The program is found through a small probe file in the temporary
// folder, which is gone again when the procedure returns.
void OpenURLInBrowser(platform::Services& services, forms::NativeHandle window, const std::string& url,
                      const std::string& extension);

// A new mail to the support address, through the shell's default verb.
void MailSupport(platform::Services& services, forms::NativeHandle window);

}  // namespace ModIEOpen
}  // namespace quillmere
