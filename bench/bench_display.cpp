// The players' display: one frame at 1920 x 1080 (it must stay well under
// 8 ms so it follows the clock without taking its time), and the page-switch
// cycle with the display open and closed.
#include "Recording_player.h"
#include "Scripted_host.h"
#include "Test_folder.h"

#include "forms/main_window/Main_form.h"
#include "forms/display/Players_display.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

Display_Facts Busy_Facts()
{
    Display_Facts d;
    d.name = QStringLiteral("Friday Night Championship");
    d.time_of_day = QTime(21, 45);
    d.time_left = QStringLiteral("12:34");
    d.paused = false;
    d.level = 7;
    d.small_blind = 250, d.big_blind = 500;
    d.has_next = true, d.next_small = 300, d.next_big = 600;
    d.players_left = 37, d.players_entered = 64;
    d.chips_set = true, d.average_stack = 17297;
    d.prize_pool = 6400;
    d.payouts = {2560, 1600, 1024, 704, 512};
    return d;
}

void BM_Display_Frame_1920x1080(benchmark::State& state)
{
    QImage target(1920, 1080, QImage::Format_RGB32);
    Display_Painter painter;
    Display_Facts facts = Busy_Facts();
    std::vector<Display_Text> texts;
    int second = 0;
    for (auto _ : state) {
        // Every frame shows another second, as the clock does.
        facts.time_left = QString::asprintf("%d:%02d", 12, 59 - second++ % 60);
        QPainter p(&target);
        texts = painter.Paint(p, target.size(), facts);
    }
    if (texts.size() < 20)
        state.SkipWithError("the frame lost texts");
}
// Process time: the painter hands parts of large fills to worker threads.
BENCHMARK(BM_Display_Frame_1920x1080)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// The page switch's save-and-reload with the display closed (0) or open (1)
// and repainted after every switch, as the event loop would.
void BM_Page_Switch_With_Display(benchmark::State& state)
{
    Test_Folder folder;
    Scripted_Host script;
    auto form = std::make_unique<TMainForm>();
    form->Set_Media_Player(std::make_unique<Recording_Player>());
    const bool open = state.range(0) != 0;
    if (open) {
        form->Players_Display->trigger();
        form->Display_Window()->resize(1920, 1080);
    }
    for (auto _ : state) {
        form->Save_Setup->trigger();
        state.PauseTiming();
        if (open)
            form->Display_Window()->grab();
        state.ResumeTiming();
    }
    if (open && form->Display_Window()->Last_Frame().empty())
        state.SkipWithError("the display did not paint");
    form.reset();
}
BENCHMARK(BM_Page_Switch_With_Display)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
