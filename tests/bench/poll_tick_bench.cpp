// How much one idle tick of the hotkey poller costs: the poller runs four
// times a second for the whole life of the program, mostly with nothing
// pressed. And what the pointer costs on its way through the form model.
#include <benchmark/benchmark.h>

#include <memory>

#include "allocation_count.h"
#include "announcer/frm_announce.h"
#include "core/forms.h"
#include "mainwindow/frm_main.h"
#include "sim_desktop.h"

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
    const long long allocationsBefore = tw::test::AllocationCount();
    for (int tick = 0; tick < kCountedTicks; ++tick) {
        main.Timer1_Timer();
    }
    state.counters["allocations_per_tick"] =
        static_cast<double>(tw::test::AllocationCount() - allocationsBefore) / kCountedTicks;
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
