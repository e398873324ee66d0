// The money: ICM for ten players (a deal must be worked out at once), and a
// knock-out in a tournament of 150 entries with money and bounties: the
// places and the bounty stored in the files, and the facts the display and
// the phones show gathered again.
#include "Test_folder.h"

#include "model/Display_facts.h"
#include "model/Icm.h"
#include "model/Money.h"
#include "model/Tourney.h"

#include <QDir>
#include <benchmark/benchmark.h>

namespace {

void BM_Icm_10_Players(benchmark::State& state)
{
    const QVector<double> stacks = {41000, 33500, 27000, 22000, 19500, 15000, 12500, 9000, 6500, 4000};
    const QVector<double> prizes = {1900, 1150, 800, 600, 450, 350, 280, 220, 160, 90};
    QVector<double> values;
    for (auto _ : state) {
        values = Icm_Values(stacks, prizes);
        benchmark::DoNotOptimize(values.data());
    }
    if (values.size() != 10)
        state.SkipWithError("no values");
}
BENCHMARK(BM_Icm_10_Players)->Unit(benchmark::kMillisecond);

void BM_Knock_Out_With_Money(benchmark::State& state)
{
    Test_Folder folder;
    QDir().mkpath(folder.data());
    CTourney t;
    t.Load_File(QStringLiteral("Cup.trn"));
    for (int i = 0; i < Max_Entries; ++i)
        t.Enter_Player(QStringLiteral("First%1,Last%1").arg(i));
    Money_Settings& s = t.Money.Settings;
    s.Buy_In = 50, s.Fee = 5, s.Bounty = 10, s.Rebuy_Price = 40, s.Rebuy_Chips = 5000, s.Rebuy_Until = 6;
    s.Addon_Price = 20, s.Addon_Chips = 5000, s.Addon_Until = 6, s.Rounding = 5, s.Pool_From_Entries = true;
    for (int i = 0; i < Max_Entries; i += 2)
        t.Money.Entries[QStringLiteral("First%1,Last%1").arg(i).toLatin1()].Rebuys = 1 + i % 3;
    for (int i = 0; i < 60; ++i) {
        t.Set_Out(QStringLiteral("First%1,Last%1").arg(149 - i));
        t.Money.Entries[QStringLiteral("First%1,Last%1").arg(149 - i).toLatin1()].Knocked_Out_By =
            QStringLiteral("First%1,Last%1").arg(i).toLatin1();
    }
    t.Prize[0] = 40, t.Prize[1] = 25, t.Prize[2] = 15, t.Prize[3] = 12, t.Prize[4] = 8;
    Keep_Pool(t);
    t.Save_File(QStringLiteral("Cup.trn"));
    const QString out = QStringLiteral("First70,Last70");
    const QString by = QStringLiteral("First3,Last3");
    Display_Facts facts;
    for (auto _ : state) {
        t.Set_Out(out);
        Credit_Knock_Out(t, out, by);
        facts = Gather_Display_Facts(t, Clock_Reading(), QTime(21, 0));
        state.PauseTiming();
        t.Set_In(out);
        state.ResumeTiming();
    }
    if (facts.payouts.size() != 5 || facts.players_left != 89)
        state.SkipWithError("the knock-out was not shown");
}
// CPU time of the thread: the writes' waits for the disk are not counted.
BENCHMARK(BM_Knock_Out_With_Money)->Unit(benchmark::kMillisecond);

} // namespace
