// The hot path: every page switch saves and reloads the whole tournament.
// Measured with 150 players in the database, all of them entered in the
// tournament (both roster lists, the in/out grid and the table lists full), and
// the five chip pictures beside the program.
#include "Recording_player.h"
#include "Scripted_host.h"
#include "Test_folder.h"

#include "forms/main_window/Main_form.h"
#include "forms/widgets/Spin_box.h"
#include "forms/artwork/Picture_files.h"
#include "forms/dialogs/Playlist_editor.h"
#include "model/Player.h"
#include "model/Tourney.h"
#include "platform/Program_folder.h"

#include <QAction>
#include <QListWidget>
#include <QTableWidget>
#include <QDir>
#include <QLabel>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void Fill_Player_Database(const Test_Folder& folder)
{
    QDir().mkpath(folder.data());
    for (int i = 0; i < Max_Players; ++i) {
        CPlayer p;
        p.Empty = 0;
        Set_Field(p.First, Player_Text_Size, QStringLiteral("First%1").arg(i));
        Set_Field(p.Last, Player_Text_Size, QStringLiteral("Last%1").arg(i));
        Set_Field(p.Phone, Player_Text_Size, QStringLiteral("555-01%1").arg(i, 3, 10, QLatin1Char('0')));
        Player_DB.Add(p);
    }
}

// A tournament with 150 entries, some of them out, saved under Default.trn.
void Fill_Tournament(CTourney& t)
{
    for (int i = 0; i < Max_Entries; ++i) {
        const QString key = QStringLiteral("First%1,Last%1").arg(i);
        t.Enter_Player(key);
    }
    for (int i = 0; i < 40; ++i)
        t.Set_Out(QStringLiteral("First%1,Last%1").arg(i * 3));
    t.Sound = QStringLiteral("/music/night.m3u");
    t.Warning = QStringLiteral("/sounds/chime.wav");
    for (int i = 0; i < Prize_Count; ++i)
        t.Prize[i] = 10.5f - i;
    t.Prize_Total = 1234.5f;
    t.Save_File(QStringLiteral("Default.trn"));
}

void BM_Tourney_Files_And_Database(benchmark::State& state)
{
    Test_Folder folder;
    Fill_Player_Database(folder);
    {
        CTourney t;
        t.Load_File(QStringLiteral("Default.trn"));
        Fill_Tournament(t);
    }
    CTourney t;
    t.Load_File(QStringLiteral("Default.trn"));
    for (auto _ : state) {
        t.Save_File(QStringLiteral("Default.trn"));
        t.Load_File(QStringLiteral("Default.trn"));
        Player_DB.Load();
        benchmark::DoNotOptimize(t.Total);
    }
    if (t.Total != Max_Entries || Player_DB.Count != Max_Players)
        state.SkipWithError("the data did not survive the cycle");
}
BENCHMARK(BM_Tourney_Files_And_Database)->Unit(benchmark::kMicrosecond);

void BM_Main_Window_Save_Setup_Cycle(benchmark::State& state)
{
    Test_Folder folder;
    Scripted_Host script;
    Fill_Player_Database(folder);
    Write_Default_Chip_Pictures(Program_Folder());
    {
        CTourney t;
        t.Load_File(QStringLiteral("Default.trn"));
        t.Chips[2].Quanity = 50;
        Fill_Tournament(t);
    }
    auto form = std::make_unique<TMainForm>();
    form->Set_Media_Player(std::make_unique<Recording_Player>());
    for (auto _ : state)
        form->Save_Setup->trigger();
    if (form->Current_Tourney->Total != Max_Entries || !script.messages.empty())
        state.SkipWithError("the cycle did not keep the tournament");
    else if (form->Available_List->count() != Max_Players || form->Playing_List->count() != Max_Entries
             || form->All_Grid->rowCount() != Max_Entries)
        state.SkipWithError("the cycle did not fill the roster and the grid");
    for (int k = 0; k < Chip_Count; ++k)
        if (form->Chip_Image[k]->pixmap().isNull() || form->Chip_Image2[k]->pixmap().isNull())
            state.SkipWithError("a chip picture is not shown");
    if (form->Chip_Quanity[2]->value() != 50)
        state.SkipWithError("the chip quantities did not survive the cycle");
    form.reset();
}
BENCHMARK(BM_Main_Window_Save_Setup_Cycle)->Unit(benchmark::kMicrosecond);

} // namespace
