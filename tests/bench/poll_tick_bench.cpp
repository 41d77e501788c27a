// How much one idle tick of the hotkey poller costs: the poller runs four
// times a second for the whole life of the program, mostly with nothing pressed.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "mainwindow/forms.h"
#include "mainwindow/frm_main.h"
#include "sim_desktop.h"

namespace {

std::atomic<long long> g_allocations{0};

}  // namespace

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

void BM_IdlePollTick(benchmark::State& state) {
    tw::sim::SimDesktop desktop;
    desktop.AddPlayer();
    tw::Forms forms(desktop);
    tw::FrmMain& main = forms.frmMain();

    const int readsBefore = desktop.keyStateReads;
    const int lookupsBefore = desktop.windowLookups;
    const long long allocationsBefore = g_allocations.load();
    for (auto _ : state) {
        main.Timer1_Timer();
    }
    const auto ticks = static_cast<double>(state.iterations());
    state.counters["key_reads_per_tick"] = (desktop.keyStateReads - readsBefore) / ticks;
    state.counters["allocations_per_tick"] =
        static_cast<double>(g_allocations.load() - allocationsBefore) / ticks;
    state.counters["player_lookups_per_tick"] = (desktop.windowLookups - lookupsBefore) / ticks;
}
BENCHMARK(BM_IdlePollTick);

}  // namespace

BENCHMARK_MAIN();
