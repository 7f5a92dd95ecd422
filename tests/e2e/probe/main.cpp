#include "probe.h"

#include <cstdio>

namespace {

struct Command {
  const char* name;
  const char* usage;
  int (*run)(const probe::Arguments&);
};

const Command commands[] = {
    {"windows", "windows [--class NAME] [--title TEXT] [--pid PID]   top-level windows", probe::listWindows},
    {"control", "control HWND NAME        the child control of HWND named NAME", probe::showControl},
    {"controls", "controls HWND            every named child control of HWND", probe::listControls},
    {"close", "close HWND               post WM_CLOSE", probe::postClose},
    {"press-ok", "press-ok CAPTION         press OK on the message box titled CAPTION", probe::pressOk},
    {"message-box", "message-box CAPTION      the text and buttons of the message box titled CAPTION",
     probe::showMessageBox},
    {"watch", "watch PID CLASS SECONDS  every change of PID's window of CLASS and of its progress bar, until it goes",
     probe::watchWindow},
    {"post", "post HWND MESSAGE [WPARAM [LPARAM]]   post a message (numbers in C notation)", probe::postToWindow},
    {"send", "send HWND MESSAGE [WPARAM [LPARAM]]   send a message and print its result", probe::sendToWindow},
    {"quit-thread", "quit-thread HWND         post WM_QUIT to the thread of HWND", probe::quitThread},
    {"post-on-appear", "post-on-appear PID CLASS SECONDS MESSAGE WPARAM...   post to PID's window of CLASS once it exists",
     probe::postOnAppear},
    {"tray", "tray HWND                the tray icon of HWND (uID 1) and the icons in the tray", probe::showTray},
    {"tray-tips", "tray-tips                the tip of every icon in the tray, one tip= line each", probe::showTrayTips},
    {"tray-event", "tray-event HWND CODE [X Y]   post the tray callback WM_MOUSEMOVE((X, Y), (CODE, 1))",
     probe::postTrayEvent},
    {"keys", "keys HWND [shift+]KEY...   press keys (tab enter space escape up down left right f10 apps)",
     probe::pressKeys},
    {"memory", "memory                   the system's physical memory", probe::showMemory},
    {"hold-memory", "hold-memory MB SECONDS   take MB of memory, written in full, for SECONDS", probe::holdMemory},
    {"start", "start EXE [TAIL]         run \"EXE\" followed by the raw TAIL", probe::startProgram},
    {"running", "running PID              whether the process PID is still running", probe::showRunning},
    {"process-memory", "process-memory PID       the working set of process PID, now and at its peak",
     probe::showProcessMemory},
    {"paste", "paste HWND TEXT          put TEXT on the clipboard and send WM_PASTE", probe::pasteText},
    {"icons", "icons EXE                the images of the first icon in EXE's resources", probe::showIcons},
    {"high-contrast", "high-contrast on|off     turn high contrast on or off and tell every window",
     probe::setHighContrast},
    {"accessible", "accessible HWND          HWND's accessible object (OBJID_CLIENT) and its children, one child= line each",
     probe::showAccessible},
    {"accessible-press", "accessible-press HWND NAME   the default action of HWND's accessible child named NAME",
     probe::pressAccessible},
    {"accessible-hold", "accessible-hold HWND NAME    the same, then, holding the object until HWND goes, its name's result",
     probe::pressAndHoldAccessible},
};

int usage() {
  std::fprintf(stderr, "usage: probe COMMAND ...\n");
  for (const Command& command : commands) std::fprintf(stderr, "  probe %s\n", command.usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string name = argv[1];
  const probe::Arguments args(argv + 2, argv + argc);
  for (const Command& command : commands) {
    if (name == command.name) {
      const int result = command.run(args);
      std::fflush(stdout);
      return result;
    }
  }
  return usage();
}
