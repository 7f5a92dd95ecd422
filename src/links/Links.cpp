#include "links/Links.h"

#include "monitor/Numbers.h"

namespace quillmere::ModIEOpen {

namespace {

constexpr std::size_t kBufferLength = 255;
constexpr const char* kProbeContent = "\"\"\r\n";

// The found program's path: everything up to and including the first ".EXE", in any case.
std::optional<std::string> programPath(const std::string& found) {
    const std::size_t exe = upperCase(found).find(".EXE");
    if (exe == std::string::npos) {
        return std::nullopt;
    }
    return trimSpaces(std::string_view(found).substr(0, exe + 4));
}

}  // namespace

void OpenURLInBrowser(platform::Services& services, forms::NativeHandle window, const std::string& url,
                      const std::string& extension) {
    const std::string address = trimSpaces(url);
    std::string folder(kBufferLength, ' ');
    const std::size_t length = services.shell.GetTempPath(folder);
    if (length == 0) {
        return;
    }
    const std::string probe = folder.substr(0, std::min(length, kBufferLength)) + "temphtm." + extension;
    services.files.writeFile(probe, kProbeContent);

    std::string found(kBufferLength, ' ');
    if (services.shell.FindExecutable(probe, "", found) > 32) {
        if (const std::optional<std::string> program = programPath(found)) {
            services.shell.ShellExecute(window, "open", *program, "\"" + address + "\"", "",
                                        platform::Shell::SW_SHOWMAXIMIZED);
        } else {
            // A handler that is not an .exe still opens the page: the shell is handed the address.
            services.shell.ShellExecute(window, "open", address, "", "", platform::Shell::SW_SHOWMAXIMIZED);
        }
    }
    services.files.deleteFile(probe);
}

void MailSupport(platform::Services& services, forms::NativeHandle window) {
    services.shell.ShellExecute(window, "", SupportMailLink, "", "", platform::Shell::SW_SHOWNORMAL);
}

}  // namespace quillmere::ModIEOpen
