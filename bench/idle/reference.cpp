// idle-reference.exe: the barest Win32 program that shows what Quillmere's main window shows, once a
// second, so that the idle cost of quillmere.exe can be set against it. One window, plain STATIC
// controls, a one-second timer and the system's own drawing; nothing else.
#include <windows.h>

#include <cwchar>

namespace {

constexpr int clientWidth = 737;
constexpr int clientHeight = 557;
constexpr UINT_PTR refreshTimer = 1;
constexpr UINT refreshIntervalMs = 1000;

// The lines rewritten every second; the date line below them is written once, at start-up.
enum Line {
    TimeLine,
    TotalPhysicalLine,
    AvailablePhysicalLine,
    PhysicalPercentLine,
    TotalVirtualLine,
    AvailableVirtualLine,
    VirtualPercentLine,
    TotalPageFileLine,
    AvailablePageFileLine,
    PageFilePercentLine,
    LineCount
};

HWND lines[LineCount];

constexpr unsigned long long kilobyte = 1024;
constexpr unsigned long long megabyte = 1024 * 1024;

unsigned long long percentOf(unsigned long long part, unsigned long long whole) {
    return whole == 0 ? 0 : part * 100 / whole;
}

HWND createLine(HWND parent, int row) {
    constexpr int left = 20;
    constexpr int top = 20;
    constexpr int height = 20;
    constexpr int spacing = 30;
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, left, top + row * spacing,
                           clientWidth - 2 * left, height, parent, nullptr, nullptr, nullptr);
}

template <typename... Values>
void writeLine(Line line, const wchar_t* format, Values... values) {
    wchar_t text[96];
    std::swprintf(text, sizeof text / sizeof text[0], format, values...);
    SetWindowTextW(lines[line], text);
}

void refresh() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    writeLine(TimeLine, L"Time: %02u:%02u:%02u", unsigned{now.wHour}, unsigned{now.wMinute},
              unsigned{now.wSecond});

    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    writeLine(TotalPhysicalLine, L"Total physical memory: %llu KB", status.ullTotalPhys / kilobyte);
    writeLine(AvailablePhysicalLine, L"Available physical memory: %llu KB", status.ullAvailPhys / kilobyte);
    writeLine(PhysicalPercentLine, L"Physical RAM %llu%% available",
              percentOf(status.ullAvailPhys, status.ullTotalPhys));
    writeLine(TotalVirtualLine, L"Total virtual memory: %llu MB", status.ullTotalVirtual / megabyte);
    writeLine(AvailableVirtualLine, L"Available virtual memory: %llu MB", status.ullAvailVirtual / megabyte);
    writeLine(VirtualPercentLine, L"Virtual RAM %llu%% available",
              percentOf(status.ullAvailVirtual, status.ullTotalVirtual));
    writeLine(TotalPageFileLine, L"Total page file: %llu KB", status.ullTotalPageFile / kilobyte);
    writeLine(AvailablePageFileLine, L"Available page file: %llu KB", status.ullAvailPageFile / kilobyte);
    writeLine(PageFilePercentLine, L"Page File %llu%% available",
              percentOf(status.ullAvailPageFile, status.ullTotalPageFile));
}

void createLines(HWND window) {
    for (int line = 0; line < LineCount; ++line) {
        lines[line] = createLine(window, line);
    }
    wchar_t date[80];
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, date, sizeof date / sizeof date[0]) == 0) {
        date[0] = L'\0';
    }
    SetWindowTextW(createLine(window, LineCount), date);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        createLines(window);
        refresh();
        SetTimer(window, refreshTimer, refreshIntervalMs, nullptr);
        return 0;
    case WM_TIMER:
        refresh();
        return 0;
    case WM_DESTROY:
        KillTimer(window, refreshTimer);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"QuillmereIdleReference";
    if (RegisterClassW(&windowClass) == 0) {
        return 1;
    }

    // A fixed frame with a minimize box, sized so that the client area is the main window's.
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Quillmere idle reference", style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, show);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
