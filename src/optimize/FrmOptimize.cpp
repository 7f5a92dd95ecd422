#include "optimize/FrmOptimize.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "app/FrmMain.h"
#include "app/MainLayout.h"
#include "app/ModIEOpen.h"
#include "app/Program.h"
#include "app/Timestamps.h"

namespace quillmere {

using Kind = forms::Control::Kind;

namespace {

constexpr int kClientWidth = 5865;
constexpr int kClientHeight = 1095;
constexpr int kDesignLeft = 4590;
constexpr int kDesignTop = 4740;
constexpr float kRunMax = 410.0F;
constexpr int kSlideStep = 80;

const std::vector<ControlSpec>& optimizeLayout() {
    static const std::vector<ControlSpec> layout = {
        // The artwork: a navy panel shading to a lighter blue, under the white text.
        {.kind = Kind::PictureBox, .name = "Picture1", .container = nullptr, .rect = {45, 60, 5775, 960},
         .picture = {{{0, 0, 385, 64}, palette::kDarkBlue, palette::kTitleBlue},
                     {{0, 0, 385, 1}, palette::kLightBlue, palette::kLightBlue}}},
        {.kind = Kind::Label, .name = "Label1", .container = "Picture1", .rect = {75, 135, 5595, 210},
         .text = "Optimizing Physical RAM. Please wait ....!", .font = {"Verdana", 9, true, false},
         .foreColor = 0xFFFFFF, .alignment = forms::Alignment::Center},
        {.kind = Kind::ProgressBar, .name = "PgbOptimizing", .container = "Picture1", .rect = {90, 525, 5580, 255}},
    };
    return layout;
}

forms::Control& buildOptimizeWindow(forms::Form& form) {
    buildLayout(form, optimizeLayout());
    return *form.find("Picture1");
}

// Writes every byte of a block: a text of spaces in two-byte characters. The written part is
// copied onto the rest, doubling each time.
void fillWithSpaces(void* block) {
    auto* bytes = static_cast<unsigned char*>(block);
    bytes[0] = 0x20;
    bytes[1] = 0x00;
    for (std::size_t done = 2; done < RunBlocks::kBlockBytes;) {
        const std::size_t copy = std::min(done, RunBlocks::kBlockBytes - done);
        std::memcpy(bytes + done, bytes, copy);
        done += copy;
    }
}

}  // namespace

void RunBlocks::allocate(std::size_t slot) {
    void* block = allocator_.allocate(kBlockBytes);
    slots_.at(slot) = block;
    if (block != nullptr) {
        fillWithSpaces(block);
    }
}

void RunBlocks::release(std::size_t slot) {
    if (void*& block = slots_.at(slot); block != nullptr) {
        allocator_.release(block);
        block = nullptr;
    }
}

void RunBlocks::releaseAll() {
    for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
        release(slot);
    }
}

FrmOptimize::FrmOptimize(Program& program)
    : forms::Form(program.backend, "FrmOptimize", "", kClientWidth, kClientHeight),
      Picture1(buildOptimizeWindow(*this)),
      Label1(*find("Label1")),
      PgbOptimizing(static_cast<forms::ProgressBar&>(*find("PgbOptimizing"))),
      Timer1(addTimer("Timer1", 1000, false)),
      tmrMenuPopup(addTimer("tmrMenuPopup", 1, false)),
      program_(program),
      blocks_(program.services.blocks) {
    backColor = palette::kLightBlue;
    style.titleBar = false;
    style.showInTaskbar = false;
    move(kDesignLeft, kDesignTop);
    Load = [this] { Form_Load(); };
    QueryUnload = [this](bool& cancel) { Form_Unload(cancel); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    tmrMenuPopup.Tick = [this] { tmrMenuPopup_Timer(); };
}

void FrmOptimize::Form_Load() {
    platform::Windows& windows = program_.services.windows;
    program_.bOptimizing = true;
    tmrMenuPopup.setEnabled(false);
    Timer1.setEnabled(false);
    modStartup::SetTopMost(windows, hWnd(), -1);
    ModIEOpen::SetBarBackColor(windows, PgbOptimizing.hWnd(), 0xFFFFFF);
    ModIEOpen::SetBarColor(windows, PgbOptimizing.hWnd(), 128);
    if (!program_.tray().bRunningInTray()) {
        Timer1.setEnabled(true);
        tmrMenuPopup.setEnabled(false);
    } else {
        placeBelowTaskbar();
        show();
        tmrMenuPopup.setEnabled(true);
        Timer1.setEnabled(false);
    }
    giveUpUnlessWaiting();
}

void FrmOptimize::Form_Unload(bool& cancel) { cancel = true; }

void FrmOptimize::giveUpUnlessWaiting() {
    if (!Timer1.enabled() && !tmrMenuPopup.enabled()) {
        abandonRun();
    }
}

void FrmOptimize::abandonRun() {
    blocks_.releaseAll();
    program_.main().optimizationEnded();
    unload();
}

void FrmOptimize::placeBelowTaskbar() {
    platform::Windows& windows = program_.services.windows;
    // The factors below turn pixels into twips a little short of the true ratio, so that the
    // window ends just above the taskbar; they scale with the display's twips per pixel.
    const double twipsPerPixel = program_.backend.twipsPerPixel();
    const double scale = twipsPerPixel / 15.0;
    const forms::NativeHandle taskbar = windows.FindWindow("shell_TrayWnd", "");
    const std::optional<platform::ClientRect> taskbarRect =
        taskbar != 0 ? windows.GetClientRect(taskbar) : std::nullopt;
    const int taskbarHeight = taskbarRect ? taskbarRect->bottom : 0;
    const platform::ClientRect screen = windows.GetClientRect(windows.GetDesktopWindow()).value_or(platform::ClientRect{});

    const auto taskbarTwips = static_cast<int>(roundHalfEven(taskbarHeight * 14.5 * scale));
    const auto screenTwips = static_cast<int>(roundHalfEven(screen.bottom * 14.5 * scale));
    const int height = outerHeight();
    const int top = height + (screenTwips - taskbarTwips);
    // The window's width in the display's own pixels (391 at 96 dots per inch, 782 at 192).
    const double widthPixels = clientWidth() / twipsPerPixel;
    const auto left = static_cast<int>((screen.right - widthPixels + 10) * 14.7 * scale);
    FinalTop = static_cast<int>(roundHalfEven(screenTwips - (height + 100)));
    move(left, top);
}

void FrmOptimize::tmrMenuPopup_Timer() {
    show();
    if (top() > FinalTop) {
        move(left(), top() - kSlideStep);
        return;
    }
    tmrMenuPopup.setEnabled(false);
    Timer1.setEnabled(true);
    giveUpUnlessWaiting();
}

void FrmOptimize::step() {
    PgbOptimizing.setValue(PgbOptimizing.Value() + 1);
    program_.backend.doEvents();
}

void FrmOptimize::Timer1_Timer() {
    Timer1.setEnabled(false);
    try {
        PgbOptimizing.setValue(0);
        PgbOptimizing.setMax(kRunMax);
        for (std::size_t slot = 0; slot < kBlocks; ++slot) {
            blocks_.allocate(slot);
            step();
        }
        for (std::size_t slot = 0; slot < kBlocks; ++slot) {
            blocks_.release(slot);
            step();
        }
        program_.settings.write(setting::LastOptimized, timestampText(program_.services.clock.now()));
        PgbOptimizing.setValue(PgbOptimizing.Max());

        FrmMain& main = program_.main();
        main.optimizationEnded();
        modStartup::SetTopMost(program_.services.windows, hWnd(), 0);
        if (!program_.tray().bRunningInTray()) {
            // Modal to the main window: a click there goes to the box, not to a second request.
            program_.backend.messageBox(main.visible() ? &main : nullptr, "Optimization done", kAppTitle,
                                        forms::MessageIcon::Information);
        }
        unload();
    } catch (...) {
        // Most likely out of memory with the blocks held: they go back before anything else, and
        // nothing is left frozen.
        abandonRun();
    }
}

void modStartup::SetTopMost(platform::Windows& windows, forms::NativeHandle window, std::int16_t onTop) {
    using platform::Windows;
    windows.SetWindowPos(window, onTop == -1 ? Windows::HWND_TOPMOST : Windows::HWND_NOTOPMOST, 0, 0, 0, 0,
                         Windows::SWP_NOMOVE | Windows::SWP_NOSIZE);
}

}  // namespace quillmere
