// The three HTML reports with 150 players in the tournament and the database:
// building the pages and writing them into the Reports folder.
#include "Test_folder.h"

#include "model/Player.h"
#include "model/Tourney.h"
#include "platform/Program_folder.h"
#include "reports/Report_gen.h"

#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

// 150 players in the database and the tournament: ten tables of fifteen,
// sixty of them out.
void Fill(const Test_Folder& folder, CTourney& t)
{
    QDir().mkpath(folder.data());
    for (int i = 0; i < Max_Entries; ++i) {
        CPlayer p;
        Set_Field(p.First, Player_Text_Size, QStringLiteral("First%1").arg(i));
        Set_Field(p.Last, Player_Text_Size, QStringLiteral("Last%1").arg(i));
        Set_Field(p.Phone, Player_Text_Size, QStringLiteral("555-01%1").arg(i, 3, 10, QLatin1Char('0')));
        Player_DB.Add(p);
        CTourneyPlayer& e = t.Players[i];
        std::memset(&e, 0, sizeof e);
        Set_Field(e.Name, Entry_Name_Size, p.Key());
        e.Table = i % 10;
        e.Seat = i / 10;
        e.Place = i < 60 ? Max_Entries - i : 0;
    }
    t.Total = Max_Entries;
    t.Out = Max_Entries - 60;
}

void BM_Reports_All_Three(benchmark::State& state)
{
    Test_Folder folder;
    CTourney t;
    Fill(folder, t);
    for (auto _ : state) {
        Write_Contact_List(t.Players, t.Total, Player_DB);
        Write_Top10(t);
        Write_Seating(t);
    }
    // Every player must be in every page, or the figure means nothing.
    const QString reports = Reports_Folder();
    const QByteArray contact = folder.Read(QStringLiteral("Reports/Contact.htm"));
    const QByteArray seating = folder.Read(QStringLiteral("Reports/Seating.htm"));
    const QByteArray top10 = folder.Read(QStringLiteral("Reports/Top10.htm"));
    if (contact.count("<tr><td>First") != Max_Entries || seating.count("</td><td>First") != Max_Entries
        || top10.count("</td><td>First") != 60 || top10.count("Still Playing") != 90)
        state.SkipWithError("a report is missing players");
}
BENCHMARK(BM_Reports_All_Three)->Unit(benchmark::kMicrosecond);

// The same pages built in memory only: what the files add is the difference.
void BM_Reports_Pages_Only(benchmark::State& state)
{
    Test_Folder folder;
    CTourney t;
    Fill(folder, t);
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = Contact_List_Page(t.Players, t.Total, Player_DB).size() + Top10_Page(t).size() + Seating_Page(t).size();
        benchmark::DoNotOptimize(bytes);
    }
    if (bytes < 3 * 150 * 20)
        state.SkipWithError("the pages are missing players");
}
BENCHMARK(BM_Reports_Pages_Only)->Unit(benchmark::kMicrosecond);

} // namespace
