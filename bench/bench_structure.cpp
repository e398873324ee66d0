// The structure: the planner answers any input within 50 ms, and a page switch
// (the save-and-reload cycle) with every level's ante, length and break filled
// stays as quick as the documented cycle, 150 players entered.
#include "Recording_player.h"
#include "Scripted_host.h"
#include "Test_folder.h"

#include "forms/artwork/Picture_files.h"
#include "forms/main_window/Main_form.h"
#include "forms/main_window/Structure_page.h"
#include "model/Player.h"
#include "model/Structure_planner.h"
#include "model/Tourney.h"
#include "platform/Program_folder.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Typical home games, and the extremes the dialog allows.
Planner_Input Planner_Case(int which)
{
    Planner_Input in;
    switch (which) {
    case 0: in.players = 10; in.starting_stack = 10000; in.smallest_chip = 25; in.wanted_minutes = 240; break;
    case 1: in.players = 25; in.starting_stack = 20000; in.smallest_chip = 25; in.wanted_minutes = 300; break;
    case 2: in.players = 6; in.starting_stack = 1500; in.smallest_chip = 5; in.wanted_minutes = 120; in.level_minutes = 15; break;
    case 3: in.players = 150; in.starting_stack = 10'000'000; in.smallest_chip = 1; in.wanted_minutes = 24 * 60;
            in.growing = true; break;
    default: in.players = 2; in.starting_stack = 10; in.smallest_chip = 1'000'000; in.wanted_minutes = 30; break;
    }
    return in;
}

void BM_Structure_Planner(benchmark::State& state)
{
    const Planner_Input in = Planner_Case(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Planned_Structure plan = Plan_Structure(in);
        benchmark::DoNotOptimize(plan.end.minutes);
    }
}
BENCHMARK(BM_Structure_Planner)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void Fill_Everything(const Test_Folder& folder)
{
    QDir().mkpath(folder.data());
    for (int i = 0; i < Max_Players; ++i) {
        CPlayer p;
        p.Empty = 0;
        Set_Field(p.First, Player_Text_Size, QStringLiteral("First%1").arg(i));
        Set_Field(p.Last, Player_Text_Size, QStringLiteral("Last%1").arg(i));
        Player_DB.Add(p);
    }
    CTourney t;
    t.Load_File(QStringLiteral("Default.trn"));
    for (int i = 0; i < Max_Entries; ++i)
        t.Enter_Player(QStringLiteral("First%1,Last%1").arg(i));
    for (int i = 0; i < 40; ++i)
        t.Set_Out(QStringLiteral("First%1,Last%1").arg(i * 3));
    t.Chips[2].Quanity = 50;
    t.Structure.Ante_Type = Ante_Kind::Per_Player;
    for (int k = 0; k < Level_Count; ++k) {
        t.Structure.Levels[k].Ante = 25 * (k + 1);
        t.Structure.Levels[k].Minutes = 15 + k;
        t.Structure.Levels[k].Break_Minutes = k + 1 < Level_Count ? 10 : 0;
        t.Structure.Levels[k].Break_Note = k + 1 < Level_Count ? QStringLiteral("Colour up after level %1").arg(k + 1) : QString();
    }
    t.Save_File(QStringLiteral("Default.trn"));
}

void BM_Save_Setup_Cycle_With_Structure(benchmark::State& state)
{
    Test_Folder folder;
    Scripted_Host script;
    Write_Default_Chip_Pictures(Program_Folder());
    Fill_Everything(folder);
    auto form = std::make_unique<TMainForm>();
    form->Set_Media_Player(std::make_unique<Recording_Player>());
    for (auto _ : state)
        form->Save_Setup->trigger();
    const CStructure& s = form->Current_Tourney->Structure;
    if (form->Current_Tourney->Total != Max_Entries || !script.messages.empty() || s.Levels[18].Break_Minutes != 10
        || form->Structure_Extras->Note_Edit[3]->text() != QStringLiteral("Colour up after level 4"))
        state.SkipWithError("the cycle did not keep the tournament and its structure");
    form.reset();
}
BENCHMARK(BM_Save_Setup_Cycle_With_Structure)->Unit(benchmark::kMicrosecond);

} // namespace
