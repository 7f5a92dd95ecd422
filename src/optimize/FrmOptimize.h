// The small progress window in which an optimization run takes place.
#pragma once

#include <array>
#include <cstddef>

#include "forms/Forms.h"
#include "platform/Services.h"

namespace quillmere {

class Program;

// The blocks of a run, one slot each. A block that the run has not released at its step (the run
// failed, or the session ends in the middle of it) is released with the rest by releaseAll, and
// at the latest when the slots go.
class RunBlocks {
public:
    static constexpr int kBlocks = 201;
    static constexpr std::size_t kBlockCharacters = 1'000'000;
    static constexpr std::size_t kBlockBytes = 2 * kBlockCharacters;  // two-byte characters

    explicit RunBlocks(platform::BlockAllocator& allocator) : allocator_(allocator) {}
    ~RunBlocks() { releaseAll(); }
    RunBlocks(const RunBlocks&) = delete;
    RunBlocks& operator=(const RunBlocks&) = delete;

    // A new block of spaces in the slot; the slot stays empty when the system has no memory for it.
    void allocate(std::size_t slot);
    void release(std::size_t slot);
    void releaseAll();

private:
    platform::BlockAllocator& allocator_;
    std::array<void*, kBlocks> slots_{};
};

class FrmOptimize : public forms::Form {
public:
    explicit FrmOptimize(Program& program);

    void Form_Load();
    // Close requests (Alt+F4, the system menu, another program): refused. The window goes only by
    // its run's own unload, or the main window would stay frozen with no run to free it.
    void Form_Unload(bool& cancel);
    // The run: allocates, touches and releases the blocks, then ends the optimization.
    void Timer1_Timer();
    // One step of the slide-in from below the screen's bottom edge.
    void tmrMenuPopup_Timer();
    // Gives back whatever blocks the run holds now (the session is ending).
    void releaseBlocks() { blocks_.releaseAll(); }

    forms::Control& Picture1;
    forms::Control& Label1;
    forms::ProgressBar& PgbOptimizing;
    forms::Timer& Timer1;
    forms::Timer& tmrMenuPopup;

    // The top, in twips, at which the slide-in stops.
    int FinalTop = 0;

    static constexpr int kBlocks = RunBlocks::kBlocks;
    static constexpr std::size_t kBlockCharacters = RunBlocks::kBlockCharacters;
    static constexpr std::size_t kBlockBytes = RunBlocks::kBlockBytes;

private:
    void placeBelowTaskbar();
    // Counts a step on the bar and lets the message loop run.
    void step();
    // When neither timer runs, no run will ever come: the request is given up.
    void giveUpUnlessWaiting();
    // The run cannot go on (a failure, or no timer to start it): every block goes back, the main
    // window works again and this window goes.
    void abandonRun();

    Program& program_;
    RunBlocks blocks_;
};

namespace modStartup {
// Puts a window into the topmost band when the flag is exactly -1, takes it out otherwise.
void SetTopMost(platform::Windows& windows, forms::NativeHandle window, std::int16_t onTop);
}  // namespace modStartup

}  // namespace quillmere
