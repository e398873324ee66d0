// The clock's drift against the wall clock: the real Timer1 of an offscreen
// main window runs for VELMORA_DRIFT_SECONDS (default 120) while another
// thread keeps the second core busy. Reported: the seconds the clock counted,
// the wall-clock seconds, their difference, and the same projected to an hour.
#include "Recording_player.h"
#include "Scripted_host.h"
#include "Test_folder.h"

#include "forms/main_window/Main_form.h"

#include <QAction>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <thread>

namespace {

int Drift_Seconds()
{
    const char* text = std::getenv("VELMORA_DRIFT_SECONDS");
    const int seconds = text ? std::atoi(text) : 120;
    return seconds > 0 ? seconds : 120;
}

int Seconds_Left(const Level_Clock& clock) { return clock.Minutes * 60 + clock.Seconds; }

// state.range(0): seconds the window thread is blocked every 30 seconds (0: never).
void BM_Clock_Drift(benchmark::State& state)
{
    Test_Folder folder;
    Scripted_Host script;
    folder.Write(QStringLiteral("Data/Default.trn"), "[Setup]\nTime=59\n");
    auto form = std::make_unique<TMainForm>();
    form->Set_Media_Player(std::make_unique<Recording_Player>());

    std::atomic<bool> busy{true};
    std::thread load([&busy] {
        volatile double x = 1;
        while (busy.load(std::memory_order_relaxed))
            x = std::sqrt(x + 1.0);
    });

    using Clock = std::chrono::steady_clock;
    const int run_seconds = Drift_Seconds();
    const auto block = std::chrono::seconds(state.range(0));
    double counted = 0, wall = 0, worst_late_ms = 0, worst_behind_s = 0;
    for (auto _ : state) {
        QEventLoop loop;
        auto start = Clock::now();
        auto last = start;
        auto last_block = start;
        int events = 0;
        const int left_at_start = Seconds_Left(form->Clock);
        // Runs after the clock's own handler on every timer event.
        auto connection = QObject::connect(form->Timer1, &QTimer::timeout, [&] {
            const auto now = Clock::now();
            if (events++ > 0) {
                const double gap_ms = std::chrono::duration<double, std::milli>(now - last).count();
                worst_late_ms = std::max(worst_late_ms, gap_ms - 1000.0);
            }
            last = now;
            const double elapsed = std::chrono::duration<double>(now - start).count();
            worst_behind_s = std::max(worst_behind_s, elapsed - (left_at_start - Seconds_Left(form->Clock)));
            if (elapsed >= run_seconds) {
                loop.quit();
                return;
            }
            if (block.count() > 0 && now - last_block >= std::chrono::seconds(30)) {
                std::this_thread::sleep_for(block); // a slow disk, a busy machine
                last_block = Clock::now();
            }
        });
        form->Toggle_Start->trigger();
        start = Clock::now();
        last_block = start;
        loop.exec();
        QObject::disconnect(connection);
        // The clock's own count, from its display state, not our tick count.
        counted = left_at_start - Seconds_Left(form->Clock);
        wall = std::chrono::duration<double>(last - start).count();
        state.SetIterationTime(wall);
    }
    busy = false;
    load.join();

    state.counters["clock_s"] = counted;
    state.counters["wall_s"] = wall;
    state.counters["drift_s"] = wall - counted;
    state.counters["drift_per_hour_s"] = (wall - counted) * 3600.0 / std::max(wall, 1.0);
    state.counters["worst_late_ms"] = worst_late_ms;
    // After each timer event: how far the display was behind the wall clock.
    state.counters["worst_behind_s"] = worst_behind_s;
    form.reset();
}
BENCHMARK(BM_Clock_Drift)->ArgName("block_s")->Arg(0)->Arg(3)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
