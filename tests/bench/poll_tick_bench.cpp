// How much one idle tick of the hotkey poller costs: the poller runs four
// times a second for the whole life of the program, mostly with nothing
// pressed. And what the pointer costs on its way through the form model.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "announcer/frm_announce.h"
#include "mainwindow/forms.h"
#include "mainwindow/frm_main.h"
#include "sim_desktop.h"

namespace {

std::atomic<long long> g_allocations{0};

// Called through pointers the optimiser cannot see through, so that it does not
// pair the replaced operators with malloc and free and warn about a mismatch.
void* (*volatile g_allocate)(std::size_t) = std::malloc;
void (*volatile g_release)(void*) = std::free;

}  // namespace

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = g_allocate(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    g_release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    g_release(p);
}

namespace {

void BM_IdlePollTick(benchmark::State& state) {
    tw::sim::SimDesktop desktop;
    desktop.AddPlayer();
    tw::Forms forms(desktop);
    tw::FrmMain& main = forms.Load<tw::FrmMain>();

    // Counted over a fixed run of ticks of their own, so that the benchmark
    // library's bookkeeping does not show up as the poller's.
    constexpr int kCountedTicks = 1000;
    const int readsBefore = desktop.keyStateReads;
    const int lookupsBefore = desktop.windowLookups;
    const long long allocationsBefore = g_allocations.load();
    for (int tick = 0; tick < kCountedTicks; ++tick) {
        main.Timer1_Timer();
    }
    state.counters["allocations_per_tick"] =
        static_cast<double>(g_allocations.load() - allocationsBefore) / kCountedTicks;
    state.counters["key_reads_per_tick"] =
        static_cast<double>(desktop.keyStateReads - readsBefore) / kCountedTicks;
    state.counters["player_lookups_per_tick"] =
        static_cast<double>(desktop.windowLookups - lookupsBefore) / kCountedTicks;

    for (auto _ : state) {
        main.Timer1_Timer();
    }
}
BENCHMARK(BM_IdlePollTick);

// A drag of the announcer by its title strip, as the pointer delivers it: a
// press, one move and a release, each through the form model's hit test and
// capture down to the window's handlers.
void BM_TitleStripDrag(benchmark::State& state) {
    tw::sim::SimDesktop desktop;
    tw::Forms forms(desktop);
    forms.Load<tw::FrmAnnounce>();
    tw::sim::SimForm& form = *desktop.FindForm("frmAnnounce");

    int step = 0;
    for (auto _ : state) {
        const tw::platform::PixelPoint grab = form.At(tw::FrmAnnounce::Label1, 20, 5);
        // Back and forth, so the window stays on the screen.
        const int dx = (step++ % 2 == 0) ? 3 : -3;
        desktop.Press(grab);
        desktop.Move({grab.x + dx, grab.y + 1});
        desktop.Release({grab.x + dx, grab.y + 1});
    }
}
BENCHMARK(BM_TitleStripDrag);

}  // namespace

BENCHMARK_MAIN();
