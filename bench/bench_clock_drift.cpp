// The clock's drift against the wall clock: the real Timer1 of an offscreen
// main window runs for VELMORA_DRIFT_SECONDS (default 120) while another
// thread keeps the second core busy. Reported: the seconds the clock counted,
// the wall-clock seconds, their difference, and the same projected to an hour.
#include "Recording_player.h"
#include "Scripted_host.h"
#include "Test_folder.h"

#include "forms/Main_form.h"

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

    const int run_seconds = Drift_Seconds();
    double counted = 0, wall = 0, worst_late_ms = 0;
    for (auto _ : state) {
        // Start on a tick boundary so that a whole number of ticks fits.
        QEventLoop loop;
        auto start = std::chrono::steady_clock::now();
        auto last = start;
        int ticks = 0;
        const int left_at_start = Seconds_Left(form->Clock);
        auto connection = QObject::connect(form->Timer1, &QTimer::timeout, [&] {
            const auto now = std::chrono::steady_clock::now();
            if (ticks > 0) {
                const double gap_ms = std::chrono::duration<double, std::milli>(now - last).count();
                worst_late_ms = std::max(worst_late_ms, gap_ms - 1000.0);
            }
            last = now;
            if (++ticks > run_seconds)
                loop.quit();
        });
        form->Toggle_Start->trigger();
        start = std::chrono::steady_clock::now();
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
    form.reset();
}
BENCHMARK(BM_Clock_Drift)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
