// The refresh tick and the optimization run's memory work, through the headless backend.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "Fakes.h"
#include "optimize/FrmOptimize.h"

namespace {

using quillmere::FrmOptimize;

void BM_RefreshTick(benchmark::State& state) {
    fakes::Machine machine;
    machine.start();
    auto& timer = machine.main().TmrMemoryCount;
    std::uint64_t available = machine.memory.status.ullAvailPhys;
    for (auto _ : state) {
        // A new figure every second, as on a real machine.
        machine.memory.status.ullAvailPhys = available += 4096;
        timer.elapse();
        // Keep the call log from growing without bound.
        machine.log.clear();
    }
}
BENCHMARK(BM_RefreshTick);

// Blocks from the C heap, released at once: the allocator both benchmarks below use.
class HeapBlocks : public platform::BlockAllocator {
public:
    void* allocate(std::size_t bytes) override { return std::malloc(bytes); }
    void release(void* block) override { std::free(block); }
};

void BM_RunMemoryWork(benchmark::State& state) {
    fakes::Machine machine;
    HeapBlocks heap;
    platform::Services services = machine.services;
    platform::Services withHeap{services.memory, services.settings, services.registry, services.notifyIcon,
                                services.windows, services.clock,    services.locale,   services.process,
                                heap,            services.shell,    services.files,    services.instances};
    quillmere::Program program(withHeap, machine.backend);
    program.start();
    for (auto _ : state) {
        program.main().lblOptimizeNow_Click();
        program.optimizeWindow().Timer1_Timer();
        machine.log.clear();
    }
}
BENCHMARK(BM_RunMemoryWork)->Unit(benchmark::kMillisecond);

// The same 201 allocations, written in full and released in order, in a tight loop.
void BM_BareMemoryWork(benchmark::State& state) {
    HeapBlocks heap;
    for (auto _ : state) {
        void* blocks[FrmOptimize::kBlocks];
        for (void*& block : blocks) {
            block = heap.allocate(FrmOptimize::kBlockBytes);
            auto* chars = static_cast<char16_t*>(block);
            std::fill(chars, chars + FrmOptimize::kBlockCharacters, u' ');
        }
        for (void* block : blocks) {
            heap.release(block);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BareMemoryWork)->Unit(benchmark::kMillisecond);

}  // namespace
