// The small progress window in which an optimization run takes place.
#pragma once

#include "forms/Forms.h"
#include "platform/Services.h"

namespace quillmere {

class Program;

class FrmOptimize : public forms::Form {
public:
    explicit FrmOptimize(Program& program);

    void Form_Load();
    // The run: allocates, touches and releases the blocks, then ends the optimization.
    void Timer1_Timer();
    // One step of the slide-in from below the screen's bottom edge.
    void tmrMenuPopup_Timer();

    forms::Control& Picture1;
    forms::Control& Label1;
    forms::ProgressBar& PgbOptimizing;
    forms::Timer& Timer1;
    forms::Timer& tmrMenuPopup;

    // The top, in twips, at which the slide-in stops.
    int FinalTop = 0;

    static constexpr int kBlocks = 201;
    static constexpr std::size_t kBlockCharacters = 1'000'000;
    static constexpr std::size_t kBlockBytes = 2 * kBlockCharacters;  // two-byte characters

private:
    void placeBelowTaskbar();

    Program& program_;
};

namespace modStartup {
// Puts a window into the topmost band when the flag is exactly -1, takes it out otherwise.
void SetTopMost(platform::Windows& windows, forms::NativeHandle window, std::int16_t onTop);
}  // namespace modStartup

}  // namespace quillmere
