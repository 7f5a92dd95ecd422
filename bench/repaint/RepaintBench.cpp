// The main window's once-a-second repaint under the real Win32 renderer, against a repaint of the
// whole window after the same tick. Each tick the memory figures and the time move on, as they do
// on a working machine, and nothing else changes. For each way the benchmark reports the time of a
// tick with its painting and the pixels repainted, summed over the window and its child windows.
//   repaint-bench [TICKS]      (default 500 of each)
// It is a console program run under Wine on a virtual display (measure.sh beside it does that), not
// a Google Benchmark: Debian packages that library for the native build only, and the renderer
// runs only in the Windows build.
#include "app/FrmMain.h"
#include "app/Program.h"
#include "win32/Services.h"
#include "win32/Win32Backend.h"
// After the services: <windows.h> renames the API names they implement.
#include "win32/Render.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The machine's own figures, with available memory shrinking by a page per tick.
class SteppingMemory : public platform::Memory {
public:
    explicit SteppingMemory(platform::MemoryStatus start) : status_(start) {}
    platform::MemoryStatus GlobalMemoryStatusEx() override { return status_; }
    void step() {
        status_.ullAvailPhys -= 4096;
        status_.ullAvailPageFile -= 4096;
        status_.ullAvailVirtual -= 65536;
    }

private:
    platform::MemoryStatus status_;
};

// A clock one second further on at every tick.
class SteppingClock : public platform::Clock {
public:
    explicit SteppingClock(platform::LocalTime start) : time_(start) {}
    platform::LocalTime now() override { return time_; }
    void step() {
        time_.second = (time_.second + 1) % 60;
        if (time_.second == 0) {
            time_.minute = (time_.minute + 1) % 60;
        }
    }

private:
    platform::LocalTime time_;
};

// The benchmark's window runs beside any copy of the program, and never asks one to come forward.
class AloneInSession : public platform::Instances {
public:
    bool claimSession() override { return true; }
    void askFirstToComeForward() override {}
};

long long regionPixels(HRGN region) {
    long long pixels = 0;
    for (const RECT& rect : win32::regionRects(region)) {
        pixels += static_cast<long long>(rect.right - rect.left) * (rect.bottom - rect.top);
    }
    return pixels;
}

// The pixels waiting to be painted in a window and every window inside it.
long long pendingPixels(HWND window) {
    struct Sum {
        HRGN region;
        long long pixels;
    } sum{CreateRectRgn(0, 0, 0, 0), 0};
    const auto add = [](HWND each, LPARAM data) -> BOOL {
        auto& total = *reinterpret_cast<Sum*>(data);
        if (GetUpdateRgn(each, total.region, FALSE) > NULLREGION) {
            total.pixels += regionPixels(total.region);
        }
        return TRUE;
    };
    add(window, reinterpret_cast<LPARAM>(&sum));
    EnumChildWindows(window, add, reinterpret_cast<LPARAM>(&sum));
    DeleteObject(sum.region);
    return sum.pixels;
}

struct Result {
    double microsecondsPerTick;
    double pixelsPerTick;
};

// Runs TICKS ticks; with `whole`, each tick's painting covers the whole window and its children.
Result measure(quillmere::FrmMain& main, HWND window, SteppingMemory& memory, SteppingClock& clock, int ticks,
               bool whole) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    long long pixels = 0;
    long long elapsed = 0;
    for (int i = 0; i < ticks; ++i) {
        memory.step();
        clock.step();
        QueryPerformanceCounter(&start);
        main.TmrMemoryCount_Timer();
        if (whole) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
        QueryPerformanceCounter(&end);
        elapsed += end.QuadPart - start.QuadPart;
        // Counting is not timed: it only reads what the tick left to paint.
        pixels += pendingPixels(window);
        QueryPerformanceCounter(&start);
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        QueryPerformanceCounter(&end);
        elapsed += end.QuadPart - start.QuadPart;
    }
    return {static_cast<double>(elapsed) * 1e6 / static_cast<double>(frequency.QuadPart) / ticks,
            static_cast<double>(pixels) / ticks};
}

}  // namespace

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 500;
    if (ticks <= 0) {
        std::fprintf(stderr, "usage: repaint-bench [TICKS]\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    win32::SystemServices system;
    const platform::Services real = system.services();
    SteppingMemory memory(real.memory.GlobalMemoryStatusEx());
    SteppingClock clock(real.clock.now());
    AloneInSession alone;
    platform::Services services{memory,        real.settings, real.registry, real.notifyIcon,
                                real.windows,  clock,         real.locale,   real.process,
                                real.blocks,   real.shell,    real.files,    alone};
    win32::Win32Backend backend(GetModuleHandleW(nullptr));
    quillmere::Program program(services, backend);
    program.start();
    quillmere::FrmMain& main = program.main();
    const auto window = reinterpret_cast<HWND>(backend.handleOf(main));
    if (window == nullptr) {
        std::fprintf(stderr, "repaint-bench: the main window did not come up\n");
        return 1;
    }
    // The window is shown and painted once, and its timer is left out: the benchmark ticks itself.
    backend.doEvents();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    main.TmrMemoryCount.setEnabled(false);
    RECT client;
    GetClientRect(window, &client);

    // A first round of each warms the caches of fonts and brushes; the second is reported.
    measure(main, window, memory, clock, ticks / 10 + 1, false);
    measure(main, window, memory, clock, ticks / 10 + 1, true);
    const Result changed = measure(main, window, memory, clock, ticks, false);
    const Result whole = measure(main, window, memory, clock, ticks, true);
    std::printf("main window client area: %ld x %ld pixels, %d ticks each\n", client.right, client.bottom, ticks);
    std::printf("%-28s %12s %18s\n", "repaint", "us per tick", "pixels per tick");
    std::printf("%-28s %12.1f %18.0f\n", "what changed (the program)", changed.microsecondsPerTick,
                changed.pixelsPerTick);
    std::printf("%-28s %12.1f %18.0f\n", "the whole window", whole.microsecondsPerTick, whole.pixelsPerTick);
    std::printf("whole / changed: %.1f x the time, %.1f x the pixels\n",
                whole.microsecondsPerTick / changed.microsecondsPerTick, whole.pixelsPerTick / changed.pixelsPerTick);
    return 0;
}
