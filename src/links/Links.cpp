#include "links/Links.h"

#include "monitor/Numbers.h"

namespace quillmere::ModIEOpen {

namespace {

constexpr const char* kProbeContent = "\"\"\r\n";

// The found program, when it is an .exe: the shell gives its whole path, and a folder on the way
// may hold ".exe" in its name ("C:\My.Exe Tools\browser.exe"), so only the path's end counts.
std::optional<std::string> programPath(const std::string& found) {
    std::string path = trimSpaces(found);
    const std::string_view extension = ".EXE";
    if (path.size() <= extension.size() || !upperCase(path).ends_with(extension)) {
        return std::nullopt;
    }
    return path;
}

}  // namespace

void OpenURLInBrowser(platform::Services& services, forms::NativeHandle window, const std::string& url,
                      const std::string& extension) {
    const std::string address = trimSpaces(url);
    const std::string folder = services.shell.GetTempPath();
    if (folder.empty()) {
        return;
    }
    const std::string probe = folder + "temphtm." + extension;
    services.files.writeFile(probe, kProbeContent);

    std::string found;
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
