// Seasons and CSV players: the standings of a season of 200 tournaments of 150
// entries each, the files looked at included (without and with money; goal
// under 50 ms: unchanged files are not read again), the same with every file
// read afresh, and importing 150 players from a CSV file into an empty
// database (preview, one write of the database).
#include "Test_folder.h"

#include "model/Player.h"
#include "model/Player_csv.h"
#include "model/Season_standings.h"
#include "model/Tourney.h"
#include "platform/Record_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

constexpr int Season_Evenings = 200;

QByteArray Evening_Entries(int evening)
{
    QByteArray bytes;
    for (int i = 0; i < Max_Entries; ++i) {
        CTourneyPlayer e;
        std::memset(&e, 0, sizeof e);
        // A pool of 300 regulars, 150 of whom come each night.
        const int player = (evening * 37 + i * 2) % 300;
        Set_Field(e.Name, Entry_Name_Size, QStringLiteral("Player%1,N%2").arg(player).arg(player % 7));
        e.Place = i == 0 ? 0 : 1 + (i * 7 + evening) % Max_Entries; // the first one still in
        bytes.append(reinterpret_cast<const char*>(&e), sizeof e);
    }
    return bytes;
}

// Every evening with money: settings, and each entry's rebuys, add-ons and
// who knocked the player out (the bounties the standings count).
QByteArray Evening_Money(int evening)
{
    QByteArray text = "[Money]\nBuy-in=50\nFee=5\nBounty=10\nRebuy Price=40\nRebuy Chips=5000\n"
                      "Rebuy Until Level=6\nRounding=5\nPool From Entries=1\n[Money Entries]\n";
    for (int i = 1; i < Max_Entries; ++i) {
        const int player = (evening * 37 + i * 2) % 300;
        const int by = (evening * 37 + (i - 1) * 2) % 300;
        text += "Entry " + QByteArray::number(i - 1) + "=Player" + QByteArray::number(player) + ",N"
                + QByteArray::number(player % 7) + ";" + QByteArray::number(i % 3) + ";0;Player" + QByteArray::number(by)
                + ",N" + QByteArray::number(by % 7) + ";\n";
    }
    return text;
}

Season Big_Season(const Test_Folder& folder, bool money = false)
{
    QDir().mkpath(folder.data());
    Season season;
    season.name = QStringLiteral("Big");
    for (int n = 0; n < Season_Evenings; ++n) {
        const QString name = QStringLiteral("Night %1").arg(n);
        Write_File_Atomic(folder.data() + name + ".plr", Evening_Entries(n));
        Write_File_Atomic(folder.data() + name + ".trn",
                          "[Players]\nTotal=150\nOut=1\n[Prizes]\nTotal=3000\nPrize 0=40\nPrize 1=25\nPrize 2=15\n"
                          "Prize 3=10\nPrize 4=10\n" + (money ? Evening_Money(n) : QByteArray()));
        season.tourneys << Season_Tourney{name + ".trn", QDate(2026, 1, 1).addDays(7 * n)};
        // Written some time ago, as a season's files are (files written in
        // the last seconds are read again each time).
        for (const char* ext : {".plr", ".trn"}) {
            QFile file(folder.data() + name + ext);
            if (file.open(QIODevice::ReadWrite))
                file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
        }
    }
    return season;
}

void BM_Season_Standings_200_Tournaments(benchmark::State& state)
{
    Test_Folder folder;
    const Season season = Big_Season(folder);
    Season_Table table;
    for (auto _ : state) {
        table = Season_Standings(season);
        benchmark::DoNotOptimize(table.rows.data());
    }
    if (table.evenings.size() != Season_Evenings || !table.problems.isEmpty() || table.rows.size() != 300)
        state.SkipWithError("the season was not read whole");
}
BENCHMARK(BM_Season_Standings_200_Tournaments)->Unit(benchmark::kMillisecond);

// The same season with money in every tournament: the rounded prizes and the
// bounties of each evening are read from its tournament file too.
void BM_Season_Standings_200_Tournaments_With_Money(benchmark::State& state)
{
    Test_Folder folder;
    const Season season = Big_Season(folder, true);
    Season_Table table;
    for (auto _ : state) {
        table = Season_Standings(season);
        benchmark::DoNotOptimize(table.rows.data());
    }
    int bounties = 0;
    for (const Standing& row : table.rows)
        bounties += row.bounties;
    if (table.evenings.size() != Season_Evenings || !table.problems.isEmpty() || bounties == 0)
        state.SkipWithError("the season's money was not read");
}
BENCHMARK(BM_Season_Standings_200_Tournaments_With_Money)->Unit(benchmark::kMillisecond);

// The first reading of that season: every file read and its money counted.
void BM_Season_Standings_200_Tournaments_With_Money_First_Reading(benchmark::State& state)
{
    Test_Folder folder;
    const Season season = Big_Season(folder, true);
    Season_Table table;
    for (auto _ : state) {
        Forget_Read_Evenings();
        table = Season_Standings(season);
        benchmark::DoNotOptimize(table.rows.data());
    }
    if (table.evenings.size() != Season_Evenings || !table.problems.isEmpty())
        state.SkipWithError("the season was not read whole");
}
BENCHMARK(BM_Season_Standings_200_Tournaments_With_Money_First_Reading)->Unit(benchmark::kMillisecond);

QByteArray Phone_List()
{
    QByteArray csv = "first,last,aka,phone,cell\r\n";
    for (int i = 0; i < Max_Players; ++i)
        csv += QStringLiteral("First%1,\"Last, %1\",Aka %1,555-01%1,\"(07) %1\"\r\n").arg(i).toUtf8();
    return csv;
}

void BM_Import_150_Players(benchmark::State& state)
{
    Test_Folder folder;
    QDir().mkpath(folder.data());
    const QByteArray csv = Phone_List();
    for (auto _ : state) {
        state.PauseTiming();
        folder.Write(QStringLiteral("Data/PdB.data"), QByteArray());
        Player_DB.Count = 0;
        state.ResumeTiming();
        const Import_Preview preview = Preview_Import(csv, Player_DB);
        Import_Players(Player_DB, preview);
    }
    if (Player_DB.Count != Max_Players)
        state.SkipWithError("not every player was imported");
}
BENCHMARK(BM_Import_150_Players)->Unit(benchmark::kMillisecond);

} // namespace
