// The memory display formats six figures and strips six texts every second; these measure one call each.
#include "monitor/Numbers.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace quillmere {
namespace {

// Figures of a running machine: bytes, a fraction of a kilobyte, 32-bit counts, 64 GB of RAM
// plus a few bytes, and a 64-bit process's 128 TB of virtual address space.
constexpr std::array<double, 6> kSizes = {
    512.0, 1000.0, 2147483647.0, 4294967295.0, 68719489081.0, 140737488355328.0,
};
constexpr NumberFormat kComma{','};

template <std::string (*Formatter)(double, NumberFormat)>
void BM_SizeFormatter(benchmark::State& state)
{
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Formatter(kSizes[next], kComma));
        next = (next + 1) % kSizes.size();
    }
}

void BM_GetFileSizeInMB(benchmark::State& state)
{
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetFileSizeInMB(kSizes[next]));
        next = (next + 1) % kSizes.size();
    }
}

void BM_GetFileSizeWithoutUnit(benchmark::State& state)
{
    const std::array<std::string, 4> texts = {"999 bytes", "2097151,99902344 KB", "134217728 MB", "  1,5 gb "};
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetFileSizeWithoutUnit(texts[next]));
        next = (next + 1) % texts.size();
    }
}

BENCHMARK(BM_SizeFormatter<GetFileSizeInKB>)->Name("BM_GetFileSizeInKB");
BENCHMARK(BM_GetFileSizeInMB);
BENCHMARK(BM_SizeFormatter<GetFileSizeInGB>)->Name("BM_GetFileSizeInGB");
BENCHMARK(BM_GetFileSizeWithoutUnit);

}  // namespace
}  // namespace quillmere
