// Seasons: the points rules against tables worked by hand, the tie-breaks,
// standings read from tournament files (missing and unreadable ones named,
// the rest counted), the season file's round trip and damaged files, the
// season report's lines and a player's record across the data folder.
#include "Record_images.h"
#include "Test_folder.h"

#include "model/Money.h"
#include "model/Season.h"
#include "model/Season_standings.h"
#include "model/Tourney.h"
#include "platform/Velmora_error.h"
#include "reports/Season_report.h"

#include "model/Player_names.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <numeric>
#include <rapidcheck/gtest.h>

namespace {

Evening Evening_Of(const QString& name, int field, const QVector<QPair<QString, int>>& places,
                   const QVector<int>& bounties = {})
{
    Evening e;
    e.tourney = name;
    e.date = QDate(2026, 9, 4);
    e.field = field;
    for (int i = 0; i < places.size(); ++i)
        e.entries << Evening_Entry{places[i].first, places[i].second, 0, bounties.value(i)};
    return e;
}

const Standing* Row_Of(const QVector<Standing>& rows, const QString& key)
{
    for (const Standing& s : rows)
        if (s.key == key)
            return &s;
    return nullptr;
}

QStringList Keys(const QVector<Standing>& rows)
{
    QStringList keys;
    for (const Standing& s : rows)
        keys << QStringLiteral("%1 %2").arg(s.rank).arg(s.key);
    return keys;
}

// An entry file of named players with their places (0: still in).
QByteArray Plr(const QVector<QPair<QByteArray, int>>& entries)
{
    QByteArray bytes;
    for (const auto& e : entries)
        bytes += Entry_Record(e.first, 0, 0, e.second);
    return bytes;
}

} // namespace

TEST(Season_Points, EachRuleGivesTheHandWorkedPoints)
{
    Points_Rule table;
    // 25 18 15 12 10 8 6 4 2 1, nothing past tenth.
    EXPECT_EQ(table.Points(1, 12, 0), 25);
    EXPECT_EQ(table.Points(4, 12, 0), 12);
    EXPECT_EQ(table.Points(10, 12, 0), 1);
    EXPECT_EQ(table.Points(11, 12, 0), 0);
    table.table = {7, 3};
    table.taking_part = 2;
    table.per_bounty = 3;
    EXPECT_EQ(table.Points(1, 5, 0), 9);  // 7 + 2
    EXPECT_EQ(table.Points(2, 5, 2), 11); // 3 + 2 + 2 x 3
    EXPECT_EQ(table.Points(5, 5, 1), 5);  // 0 + 2 + 3

    Points_Rule minus;
    minus.formula = Points_Formula::Field_Minus_Place;
    EXPECT_EQ(minus.Points(1, 8, 0), 8);
    EXPECT_EQ(minus.Points(5, 8, 0), 4);
    EXPECT_EQ(minus.Points(8, 8, 0), 1);

    Points_Rule root;
    root.formula = Points_Formula::Field_Root;
    // 10 x sqrt(9) = 30 divided by sqrt(place): 30, 21.21, 17.32, 15, 10.
    EXPECT_EQ(root.Points(1, 9, 0), 30);
    EXPECT_EQ(root.Points(2, 9, 0), 21);
    EXPECT_EQ(root.Points(3, 9, 0), 17);
    EXPECT_EQ(root.Points(4, 9, 0), 15);
    EXPECT_EQ(root.Points(9, 9, 0), 10);
    // A field of 20: 44.72 for the winner, 44.72 / sqrt(5) = 20 for fifth.
    EXPECT_EQ(root.Points(1, 20, 0), 45);
    EXPECT_EQ(root.Points(5, 20, 0), 20);
}

TEST(Season_Points, StandingsAddTheEveningsAndCountBountiesWins)
{
    Points_Rule rule;
    rule.formula = Points_Formula::Field_Minus_Place;
    rule.taking_part = 1;
    rule.per_bounty = 2;
    QVector<Evening> evenings{
        Evening_Of("A", 4, {{"Ann,Lee", 1}, {"Bob,Ray", 2}, {"Cat,Poe", 3}, {"Dan,Orr", 4}}, {2, 1, 0, 0}),
        Evening_Of("B", 3, {{"Bob,Ray", 1}, {"Ann,Lee", 3}, {"Cat,Poe", 2}}, {0, 0, 1}),
    };
    evenings[0].entries[0].winnings = 60;
    evenings[0].entries[1].winnings = 40;
    const QVector<Standing> rows = Rank_Players(evenings, rule);
    // Ann: (4+1+4) + (1+1+0) = 11; Bob: (3+1+2) + (3+1) = 10; Cat: (2+1) + (2+1+2) = 8; Dan: 1+1 = 2.
    EXPECT_EQ(Keys(rows), (QStringList{"1 Ann,Lee", "2 Bob,Ray", "3 Cat,Poe", "4 Dan,Orr"}));
    const Standing* ann = Row_Of(rows, "Ann,Lee");
    ASSERT_NE(ann, nullptr);
    EXPECT_EQ(ann->points, 11);
    EXPECT_EQ(ann->evenings, 2);
    EXPECT_EQ(ann->wins, 1);
    EXPECT_EQ(ann->best, 1);
    EXPECT_EQ(ann->bounties, 2);
    EXPECT_EQ(ann->in_money, 1);
    EXPECT_DOUBLE_EQ(ann->winnings, 60);
    ASSERT_EQ(ann->record.size(), 2);
    EXPECT_EQ(ann->record[1].evening, 1);
    EXPECT_EQ(ann->record[1].place, 3);
    EXPECT_EQ(ann->record[1].points, 2);
    EXPECT_EQ(Row_Of(rows, "Bob,Ray")->points, 10);
    EXPECT_EQ(Row_Of(rows, "Cat,Poe")->points, 8);
    EXPECT_EQ(Row_Of(rows, "Cat,Poe")->bounties, 1);
}

TEST(Season_Points, TiesGoToWinsThenBestFinishThenFewerEveningsAndOtherwiseShareTheRank)
{
    Points_Rule rule;
    rule.table = {10, 6, 4, 3, 2, 1};
    // Wins: Ann 10 (a win) against Bob 6 + 4 = 10 (no win).
    QVector<Evening> evenings{Evening_Of("1", 6, {{"Ann,Lee", 1}, {"Bob,Ray", 2}}),
                              Evening_Of("2", 6, {{"Bob,Ray", 3}, {"Ann,Lee", 6}})};
    evenings[1].entries[1].place = 7; // outside the table: no points
    EXPECT_EQ(Keys(Rank_Players(evenings, rule)), (QStringList{"1 Ann,Lee", "2 Bob,Ray"}));

    // Best finish: Cat 6 + 4 (2nd, 3rd) against Dan 4 + 3 + 3 (3rd, 4th, 4th): both 10, no wins.
    rule.table = {10, 6, 4, 3};
    evenings = {Evening_Of("1", 5, {{"Dan,Orr", 3}, {"Cat,Poe", 2}}), Evening_Of("2", 5, {{"Dan,Orr", 4}, {"Cat,Poe", 3}}),
                Evening_Of("3", 5, {{"Dan,Orr", 4}})};
    EXPECT_EQ(Keys(Rank_Players(evenings, rule)), (QStringList{"1 Cat,Poe", "2 Dan,Orr"}));

    // Fewer evenings: Eve 4 + 2 (3rd, 4th) against Fay 4 + 1 + 1 (3rd, 5th, 5th); same best.
    rule.table = {10, 6, 4, 2, 1};
    evenings = {Evening_Of("1", 5, {{"Fay,Ho", 3}, {"Eve,Ng", 3}}), Evening_Of("2", 5, {{"Fay,Ho", 5}, {"Eve,Ng", 4}}),
                Evening_Of("3", 5, {{"Fay,Ho", 5}})};
    EXPECT_EQ(Keys(Rank_Players(evenings, rule)), (QStringList{"1 Eve,Ng", "2 Fay,Ho"}));

    // Level on everything: the same rank, listed by name; the next rank skips.
    evenings = {Evening_Of("1", 3, {{"zed,A", 2}, {"Abe,B", 1}}), Evening_Of("2", 3, {{"Abe,B", 2}, {"zed,A", 1}}),
                Evening_Of("3", 3, {{"Guy,C", 3}})};
    EXPECT_EQ(Keys(Rank_Players(evenings, rule)), (QStringList{"1 Abe,B", "1 zed,A", "3 Guy,C"}));
}

TEST(Season_Places, PlayersStillInShareTheNextPlaceAndTheLastOneInWins)
{
    EXPECT_EQ(Resolved_Places({5, 0, 4, 3, 2}), (QVector<int>{5, 1, 4, 3, 2}));
    EXPECT_EQ(Resolved_Places({0, 5, 0, 4, 0}), (QVector<int>{3, 5, 3, 4, 3}));
    EXPECT_EQ(Resolved_Places({9, 1, 2}), (QVector<int>{1, 1, 2})); // a place past the field counts as in
}

class Season_Files : public ::testing::Test {
protected:
    Test_Folder folder;

    void Tourney(const QString& name, const QVector<QPair<QByteArray, int>>& entries, const QByteArray& prizes = {})
    {
        folder.Write("Data/" + name + ".plr", Plr(entries));
        folder.Write("Data/" + name + ".trn", "[Players]\nTotal=3\n" + prizes);
    }
    Season Three_Fridays()
    {
        Tourney("Fri 1", {{"Ann,Lee", 3}, {"Bob,Ray", 0}, {"Cat,Poe", 2}},
                "[Prizes]\nTotal=200\nPrize 0=50\nPrize 1=30\nPrize 2=20\n");
        Tourney("Fri 2", {{"Bob,Ray", 2}, {"Ann,Lee", 0}});
        Tourney("Fri 3", {{"Cat,Poe", 0}, {"Dan,Orr", 2}, {"Ann,Lee", 3}});
        Season s;
        s.name = QStringLiteral("Autumn");
        s.tourneys = {{"Fri 1.trn", QDate(2026, 9, 4)}, {"Fri 2.trn", QDate(2026, 9, 18)}, {"Fri 3.trn", QDate(2026, 10, 2)}};
        return s;
    }
};

TEST_F(Season_Files, StandingsComeFromThePlacesAndThePayoutOfEachEvening)
{
    Season s = Three_Fridays();
    Season_Table t = Season_Standings(s);
    EXPECT_TRUE(t.problems.isEmpty());
    ASSERT_EQ(t.evenings.size(), 3);
    EXPECT_EQ(t.evenings[0].field, 3);
    // Ann 15 + 25 + 15 = 55 (a win); Bob 25 + 18 = 43; Cat 18 + 25 = 43 (a win, fewer... same evenings, same best):
    // Bob and Cat: one win each, best 1st, two evenings each: level.
    EXPECT_EQ(Keys(t.rows), (QStringList{"1 Ann,Lee", "2 Bob,Ray", "2 Cat,Poe", "4 Dan,Orr"}));
    const Standing* ann = Row_Of(t.rows, "Ann,Lee");
    EXPECT_EQ(ann->points, 55);
    EXPECT_EQ(ann->final_tables, 3);
    // Pool 200: first 100, second 60, third 40, only on the first Friday.
    EXPECT_DOUBLE_EQ(ann->winnings, 40);
    EXPECT_EQ(ann->in_money, 1);
    EXPECT_DOUBLE_EQ(Row_Of(t.rows, "Bob,Ray")->winnings, 100);
    EXPECT_DOUBLE_EQ(Row_Of(t.rows, "Cat,Poe")->winnings, 60);
    EXPECT_EQ(Row_Of(t.rows, "Cat,Poe")->in_money, 1);

    // Taking a tournament out of the season takes its evening out of every row.
    s.tourneys.removeAt(1);
    t = Season_Standings(s);
    EXPECT_EQ(Row_Of(t.rows, "Ann,Lee")->points, 30);
    EXPECT_EQ(Row_Of(t.rows, "Ann,Lee")->evenings, 2);
    EXPECT_EQ(Row_Of(t.rows, "Bob,Ray")->evenings, 1);
    // And adding one puts a new player in.
    Tourney("Fri 4", {{"Eve,Ng", 0}, {"Ann,Lee", 2}});
    s.tourneys << Season_Tourney{"Fri 4.trn", QDate(2026, 10, 16)};
    t = Season_Standings(s);
    EXPECT_EQ(Row_Of(t.rows, "Eve,Ng")->wins, 1);
    EXPECT_EQ(Row_Of(t.rows, "Ann,Lee")->points, 48);
}

// A tournament with money: the prizes are the rounded amounts of its results
// and every bounty won counts, also in the points.
TEST_F(Season_Files, MoneyGivesTheRoundedPrizesAndTheBountiesOfEachEvening)
{
    // Bob, still in, wins; he knocked out Cat (2nd) and Ann (3rd).
    Tourney("Fri 1", {{"Ann,Lee", 3}, {"Bob,Ray", 0}, {"Cat,Poe", 2}},
            "[Prizes]\nTotal=200\nPrize 0=50\nPrize 1=30\nPrize 2=20\n"
            "[Money]\nBounty=5\nRounding=30\n"
            "[Money Entries]\nEntry 0=Ann,Lee;0;0;Bob,Ray;\nEntry 1=Cat,Poe;0;0;Bob,Ray;\n");
    Season s;
    s.name = QStringLiteral("Autumn");
    s.rule.per_bounty = 3;
    s.tourneys = {{"Fri 1.trn", QDate(2026, 9, 4)}};
    const Season_Table t = Season_Standings(s);
    ASSERT_TRUE(t.problems.isEmpty());
    const Standing* bob = Row_Of(t.rows, "Bob,Ray");
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(bob->bounties, 2);
    EXPECT_EQ(bob->points, 25 + 2 * 3);
    // 100, 60, 40 rounded down to 30s: 90, 60, 30, the 20 left over to first.
    EXPECT_DOUBLE_EQ(bob->winnings, 110);
    EXPECT_DOUBLE_EQ(Row_Of(t.rows, "Cat,Poe")->winnings, 60);
    EXPECT_DOUBLE_EQ(Row_Of(t.rows, "Ann,Lee")->winnings, 30);
    EXPECT_EQ(Row_Of(t.rows, "Ann,Lee")->bounties, 0);
}

// A player withdrawn from a tournament with money takes his counts and the
// bounties credited to him along: the season never sees him, and the pool
// and the prizes it counts are those of the entries left.
TEST_F(Season_Files, AWithdrawnPlayersMoneyLeavesTheSeasonWithHim)
{
    ASSERT_TRUE(QDir().mkpath(folder.data()));
    {
        CTourney t;
        t.Load_File(QStringLiteral("Fri 1.trn"));
        for (const char* name : {"Ann,Lee", "Bob,Ray", "Cat,Poe", "Dan,Orr"})
            t.Enter_Player(QString::fromLatin1(name));
        Money_Settings& m = t.Money.Settings;
        m.Buy_In = 25, m.Bounty = 5, m.Rebuy_Price = 20, m.Rebuy_Chips = 1000, m.Rebuy_Until = 5;
        m.Rounding = 1, m.Pool_From_Entries = true;
        t.Prize[0] = 60, t.Prize[1] = 40;
        Rebuy(t, QStringLiteral("Dan,Orr"), 1);
        t.Set_Out(QStringLiteral("Cat,Poe"));
        Credit_Knock_Out(t, QStringLiteral("Cat,Poe"), QStringLiteral("Dan,Orr"));
        t.Set_Out(QStringLiteral("Ann,Lee"));
        Credit_Knock_Out(t, QStringLiteral("Ann,Lee"), QStringLiteral("Bob,Ray"));
        t.Withdraw_Player(QStringLiteral("Dan,Orr"));
        t.Save_File(QStringLiteral("Fri 1.trn"));
    }
    Season s;
    s.name = QStringLiteral("Autumn");
    s.rule.per_bounty = 3;
    s.tourneys = {{"Fri 1.trn", QDate(2026, 9, 4)}};
    const Season_Table t = Season_Standings(s);
    ASSERT_TRUE(t.problems.isEmpty());
    ASSERT_EQ(t.evenings.size(), 1);
    EXPECT_EQ(t.evenings[0].field, 3);
    EXPECT_EQ(Row_Of(t.rows, "Dan,Orr"), nullptr);
    // Pool: 3 x (25 - 5), Dan's rebuy gone with him; 60 % and 40 %.
    const Standing* bob = Row_Of(t.rows, "Bob,Ray");
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(bob->wins, 1);
    EXPECT_EQ(bob->bounties, 1);
    EXPECT_DOUBLE_EQ(bob->winnings, 36);
    EXPECT_DOUBLE_EQ(Row_Of(t.rows, "Ann,Lee")->winnings, 24);
    EXPECT_EQ(Row_Of(t.rows, "Ann,Lee")->record.front().place, 2);
    EXPECT_EQ(Row_Of(t.rows, "Cat,Poe")->record.front().place, 3);
    EXPECT_EQ(Row_Of(t.rows, "Cat,Poe")->bounties, 0);
    int bounties = 0;
    for (const Standing& row : t.rows)
        bounties += row.bounties;
    EXPECT_EQ(bounties, 1); // Cat's bounty went with the player credited with it
}

TEST_F(Season_Files, TournamentsThatCannotBeReadAreNamedAndTheRestStillCount)
{
    Season s = Three_Fridays();
    s.tourneys << Season_Tourney{"Gone.trn", QDate(2026, 11, 1)} << Season_Tourney{"Broken.trn", QDate(2026, 11, 2)}
               << Season_Tourney{"Letter.trn", QDate(2026, 11, 3)} << Season_Tourney{"Fri 2", QDate(2026, 11, 4)}
               << Season_Tourney{"Note.trn", QDate(2026, 11, 5)};
    ASSERT_TRUE(QDir().mkpath(folder.data() + "Broken.plr")); // a folder where the entry file should be
    folder.Write("Data/Letter.plr", "Dear Ann, this is a letter and no tournament's entries.\n");
    folder.Write("Data/Note.plr", "Hi Ann\n"); // shorter than one entry
    const Season_Table t = Season_Standings(s);
    ASSERT_EQ(t.problems.size(), 5);
    EXPECT_TRUE(t.problems[0].startsWith("Gone.trn: ")) << t.problems[0].toStdString();
    EXPECT_TRUE(t.problems[0].contains("Gone.plr"));
    EXPECT_TRUE(t.problems[1].startsWith("Broken.trn: Unable to read")) << t.problems[1].toStdString();
    EXPECT_EQ(t.problems[2], "Letter.trn: Letter.plr in the data folder is not an entry file of a tournament");
    EXPECT_EQ(t.problems[3], "Fri 2: listed twice in the season (counted once, as Fri 2.trn on 2026-09-18)");
    EXPECT_EQ(t.problems[4], "Note.trn: Note.plr in the data folder is not an entry file of a tournament");
    EXPECT_EQ(Player_Record_Text(Player_Record_In_Data("Dear Ann,")), "No evenings yet");
    EXPECT_EQ(t.evenings.size(), 3);
    EXPECT_EQ(Row_Of(t.rows, "Ann,Lee")->points, 55);
}

TEST_F(Season_Files, TheSeasonFileRoundTripsAndADamagedOneIsNamedAndNeverWrittenOver)
{
    Season s = Three_Fridays();
    s.rule.formula = Points_Formula::Field_Root;
    s.rule.table = {5, 3, 1};
    s.rule.taking_part = 2;
    s.rule.per_bounty = 4;
    Save_Season(s);
    const QByteArray text = folder.Read("Seasons/Autumn.season");
    EXPECT_TRUE(text.startsWith("[Season]\nName=Autumn\n\n[Points]\nFormula=Field root\nPlaces=3\nPlace 1=5\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("\n[Tournaments]\nCount=3\nTournament 1=Fri 1.trn\nDate 1=2026-09-04\n"));
    EXPECT_EQ(Load_Season("Autumn"), s);
    EXPECT_EQ(Season_Names(), QStringList{"Autumn"});

    const struct {
        QByteArray text;
        const char* why;
    } damaged[] = {
        {QByteArray("garbage\x01\xff\n[Season]\n"), "line 1"},
        {text.left(text.indexOf("[Tournaments]")), "[Tournaments]"},
        {QByteArray(text).replace("Field root", "Golf"), "Golf"},
        {QByteArray(text).replace("2026-09-04", "4.9.2026"), "4.9.2026"},
        {QByteArray(text).replace("Places=3", "Places=many"), "Places"},
    };
    for (const auto& d : damaged) {
        folder.Write("Seasons/Autumn.season", d.text);
        try {
            Load_Season("Autumn");
            ADD_FAILURE() << "read a damaged file: " << d.why;
        } catch (const Velmora_Error& e) {
            EXPECT_TRUE(e.text().contains("Autumn.season")) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(QString::fromLatin1(d.why))) << e.text().toStdString();
        }
        EXPECT_THROW(Save_Season(s), Velmora_Error);
        EXPECT_EQ(folder.Read("Seasons/Autumn.season"), d.text);
    }
}

TEST_F(Season_Files, SeasonNamesMustMakeFileNames)
{
    EXPECT_TRUE(Season_Name_Problem("Spring 2027").isEmpty());
    for (const char* bad : {"", " Spring", "a/b", "a\\b", "..", "what?"})
        EXPECT_FALSE(Season_Name_Problem(QString::fromLatin1(bad)).isEmpty()) << bad;
    Season s;
    s.name = "a/b";
    EXPECT_THROW(Save_Season(s), Velmora_Error);
    EXPECT_FALSE(QDir(folder.path() + "Seasons/a").exists());
}

TEST_F(Season_Files, TheReportListsTheStandingsAndTheEveningsEscaped)
{
    Tourney("R&B <1>", {{"Al&Co,\"Q\"", 0}, {"Bo,Lu", 2}}, "[Prizes]\nTotal=100\nPrize 0=70\nPrize 1=30\n");
    Season s;
    s.name = QString::fromUtf8("Winter \xE2\x82\xAC");
    s.tourneys = {{"R&B <1>.trn", QDate(2026, 12, 4)}, {"Nope.trn", QDate(2026, 12, 11)}};
    const Season_Table t = Season_Standings(s);
    const QByteArray page = Season_Page(s, t);
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html>\r\n"));
    EXPECT_TRUE(page.contains("<title>Winter \xE2\x82\xAC: Season Standings</title>"));
    EXPECT_TRUE(page.contains("<h1>Winter \xE2\x82\xAC</h1><p class=\"date\">4 December 2026</p>"));
    EXPECT_TRUE(page.contains("<tr><td class=\"num\">1</td><td class=\"name\">Al&amp;Co,<wbr>&quot;Q&quot;</td>"
                              "<td class=\"num\">25</td><td class=\"num\">1</td><td class=\"num\">1</td><td class=\"num\">1</td>"
                              "<td class=\"num\">1</td><td class=\"num\">70</td><td class=\"num\">0</td></tr>\r\n"))
        << page.constData();
    EXPECT_TRUE(page.contains("<tr><td class=\"num\">2</td><td class=\"name\">Bo,<wbr>Lu</td><td class=\"num\">18</td>"));
    EXPECT_TRUE(page.contains("<tr><td>2026-12-04</td><td class=\"name\">R&amp;B &lt;1&gt;.trn</td><td class=\"num\">2</td>"
                              "<td class=\"name\">Al&amp;Co,<wbr>&quot;Q&quot;</td></tr>\r\n"));
    EXPECT_TRUE(page.contains("<p>Not counted: Nope.trn: "));
    EXPECT_TRUE(page.endsWith("</body></html>\r\n"));

    const QString path = Write_Season_Report(s, t);
    EXPECT_EQ(path, folder.path() + "Reports/Season.htm");
    EXPECT_EQ(folder.Read("Reports/Season.htm"), Season_Page(s, t));
}

TEST(Season_Evenings, AnEveningIsOverWithAWinnerOrADealOfThoseStillIn)
{
    struct Case {
        QVector<int> places;
        QVector<bool> in_deal;
        bool over;
    };
    const Case cases[] = {
        {{0, 0, 0}, {}, false},                  // not yet played
        {{0, 0, 3}, {}, false},                  // running
        {{0, 2, 3}, {}, true},                   // the winner is the one still in
        {{1, 2, 3}, {}, true},
        {{0, 0, 3}, {true, true, false}, true},  // a deal of the two still in
        {{0, 0, 3}, {true, false, false}, false},
        {{0}, {}, false},                        // one player is no evening
        {{}, {}, false},
        {{0, 9, 0}, {}, false},                  // a place past the field counts as still in
    };
    for (const Case& c : cases)
        EXPECT_EQ(Evening_Over(c.places, c.in_deal), c.over)
            << ::testing::PrintToString(std::vector<int>(c.places.begin(), c.places.end()));
}

TEST_F(Season_Files, APlayersRecordCoversEveryTournamentInTheDataFolder)
{
    Three_Fridays();
    folder.Write("Data/Odd.plr", Plr({{"Ann,Lee", 5}, {"X,Y", 0}, {"Z,W", 3}, {"V,U", 4}, {"T,S", 2}}));
    const Player_Record ann = Player_Record_In_Data("Ann,Lee");
    EXPECT_EQ(ann.evenings, 4);
    EXPECT_EQ(ann.wins, 1);
    EXPECT_EQ(ann.best, 1);
    EXPECT_EQ(Player_Record_Text(ann), "4 evenings, 1 win, best finish 1st");
    const Player_Record dan = Player_Record_In_Data("Dan,Orr");
    EXPECT_EQ(Player_Record_Text(dan), "1 evening, 0 wins, best finish 2nd");
    EXPECT_EQ(Player_Record_Text(Player_Record_In_Data("ann,lee")), "No evenings yet");
    // Evenings not over count for nobody: one not yet played, one still
    // running; one ended by a deal of the two still in counts.
    folder.Write("Data/Next.plr", Plr({{"Ann,Lee", 0}, {"Dan,Orr", 0}, {"X,Y", 0}}));
    folder.Write("Data/Running.plr", Plr({{"Ann,Lee", 0}, {"Dan,Orr", 0}, {"X,Y", 3}}));
    folder.Write("Data/Dealt.plr", Plr({{"Dan,Orr", 0}, {"Z,W", 0}, {"X,Y", 3}}));
    folder.Write("Data/Dealt.trn", "[Money Entries]\nEntry 0=Dan,Orr;0;0;;120\nEntry 1=Z,W;0;0;;80\n");
    EXPECT_EQ(Player_Record_Text(Player_Record_In_Data("Ann,Lee")), "4 evenings, 1 win, best finish 1st");
    EXPECT_EQ(Player_Record_Text(Player_Record_In_Data("Dan,Orr")), "2 evenings, 0 wins, best finish 2nd");
    EXPECT_EQ(Place_Text(11), "11th");
    EXPECT_EQ(Place_Text(22), "22nd");
    EXPECT_EQ(Place_Text(113), "113th");
}

namespace {

// Person p under spelling v: bit 0 lower case, bit 1 a blank before the
// comma, bit 2 one after it, bit 3 a blank at the end.
QString Spelling(int p, int v)
{
    QString first = QStringLiteral("Pl%1").arg(QChar(QLatin1Char(char('a' + p))));
    QString last = QStringLiteral("Berg%1").arg(p);
    if (v & 1) {
        first = first.toLower();
        last = last.toLower();
    }
    return first + (v & 2 ? " ," : ",") + (v & 4 ? " " : "") + last + (v & 8 ? " " : "");
}

QHash<QString, Standing> By_Person(const QVector<Standing>& rows)
{
    QHash<QString, Standing> out;
    for (const Standing& s : rows)
        out.insert(Person_Of(s.key), s);
    return out;
}

} // namespace

// One person entered under several spellings is one row: ranking the
// evenings as entered gives what ranking them under one spelling each gives,
// shown under the spelling of the latest evening.
RC_GTEST_PROP(Season_People, SpellingsOfOnePersonCountAsOne, ())
{
    const int persons = *rc::gen::inRange(1, 9);
    const int nights = *rc::gen::inRange(1, 7);
    Points_Rule rule;
    rule.formula = *rc::gen::element(Points_Formula::Table, Points_Formula::Field_Minus_Place, Points_Formula::Field_Root);
    QVector<Evening> entered, plain;
    QHash<QString, QString> latest; // person -> spelling of the latest night
    for (int n = 0; n < nights; ++n) {
        std::vector<int> who;
        for (int p = 0; p < persons; ++p)
            if (*rc::gen::arbitrary<bool>())
                who.push_back(p);
        std::vector<int> places(who.size());
        std::iota(places.begin(), places.end(), 1);
        for (size_t i = places.size(); i > 1; --i)
            std::swap(places[i - 1], places[*rc::gen::inRange<size_t>(0, i)]);
        Evening e = Evening_Of(QString::number(n), int(who.size()), {});
        e.date = QDate(2026, 1, 1).addDays(n);
        Evening p = e;
        for (size_t i = 0; i < who.size(); ++i) {
            const QString key = Spelling(who[i], *rc::gen::inRange(0, 16));
            e.entries << Evening_Entry{key, places[i], 0, 0};
            p.entries << Evening_Entry{Spelling(who[i], 0), places[i], 0, 0};
            latest[Person_Of(key)] = key;
        }
        entered << e;
        plain << p;
    }
    const QVector<Standing> rows = Rank_Players(entered, rule);
    const QHash<QString, Standing> want = By_Person(Rank_Players(plain, rule));
    RC_ASSERT(rows.size() == want.size());
    for (const Standing& s : rows) {
        const Standing& w = want.value(Person_Of(s.key));
        RC_ASSERT(s.rank == w.rank);
        RC_ASSERT(s.points == w.points);
        RC_ASSERT(s.evenings == w.evenings);
        RC_ASSERT(s.wins == w.wins);
        RC_ASSERT(s.best == w.best);
        RC_ASSERT(!s.near_duplicate);
        RC_ASSERT(s.key == latest.value(Person_Of(s.key)));
    }
}

// Two spellings of one person in the same evening are two people: they stay
// apart, marked, and no screen shows them under the same text.
TEST(Season_People, SpellingsThatPlayedTheSameEveningStayApartAndShowApart)
{
    const QVector<Evening> evenings{Evening_Of("1", 3, {{"Ann,Berg", 1}, {"Ann ,Berg", 2}, {"Bo,Li", 3}}),
                                    Evening_Of("2", 2, {{"ann,berg", 1}, {"Bo,Li", 2}})};
    const QVector<Standing> rows = Rank_Players(evenings, Points_Rule());
    ASSERT_EQ(rows.size(), 4);
    QStringList keys;
    for (const Standing& s : rows) {
        EXPECT_EQ(s.near_duplicate, s.key != "Bo,Li") << s.key.toStdString();
        keys << s.key;
    }
    const QStringList shown = Distinct_Shown_Names(keys);
    EXPECT_EQ(QSet<QString>(shown.begin(), shown.end()).size(), 4) << shown.join('|').toStdString();
    EXPECT_TRUE(shown.contains("Bo Li"));
    EXPECT_TRUE(shown.contains("\"Ann ,Berg\""));
}

// Points add up in 64 bits: three thousand wins worth a million each.
TEST(Season_People, PointsAddUpWithoutOverflow)
{
    Points_Rule rule;
    rule.table = {Max_Rule_Points, 1};
    rule.per_bounty = Max_Rule_Points;
    QVector<Evening> evenings(3000, Evening_Of("x", 2, {{"Ann,Lee", 1}, {"Bob,Ray", 2}}, {149, 0}));
    const QVector<Standing> rows = Rank_Players(evenings, rule);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].key, "Ann,Lee");
    EXPECT_EQ(rows[0].points, 3000LL * 150 * Max_Rule_Points);
    EXPECT_EQ(rows[1].points, 3000);
}

// An entry file read once is kept while its size and time stay: the season
// is not read again, and the first change of either shows.
TEST_F(Season_Files, AnUnchangedTournamentIsNotReadAgain)
{
    Season s = Three_Fridays();
    const QString plr = folder.data() + "Fri 2.plr";
    // Writes the entry file in place (the same file, the same size) with a
    // time of the past, and puts its tournament file in the past too.
    auto write = [&](const QByteArray& bytes, int second) {
        QFile trn(folder.data() + "Fri 2.trn");
        ASSERT_TRUE(trn.open(QIODevice::ReadWrite));
        ASSERT_TRUE(trn.setFileTime(QDateTime(QDate(2025, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime));
        QFile f(plr);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.write(bytes);
        f.flush();
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2025, 1, 1), QTime(12, 0, second)), QFileDevice::FileModificationTime));
    };
    write(Plr({{"Bob,Ray", 2}, {"Ann,Lee", 0}}), 0);
    EXPECT_EQ(Row_Of(Season_Standings(s).rows, "Bob,Ray")->wins, 1);
    write(Plr({{"Bob,Ray", 0}, {"Ann,Lee", 2}}), 0); // what was read stands
    EXPECT_EQ(Row_Of(Season_Standings(s).rows, "Bob,Ray")->wins, 1);
    write(Plr({{"Bob,Ray", 0}, {"Ann,Lee", 2}}), 1); // a new time: read again
    EXPECT_EQ(Row_Of(Season_Standings(s).rows, "Bob,Ray")->wins, 2);
    // Files written a second ago, on a file system whose times move in 2 s
    // steps, can be written again without a new time: they are not kept.
    const QDateTime just_now = QDateTime::currentDateTime().addSecs(-1);
    for (const auto& [bytes, wins] : {std::pair{Plr({{"Bob,Ray", 2}, {"Ann,Lee", 0}}), 1},
                                      std::pair{Plr({{"Bob,Ray", 0}, {"Ann,Lee", 2}}), 2}}) {
        write(bytes, 0);
        for (const char* file : {"Fri 2.plr", "Fri 2.trn"}) {
            QFile f(folder.data() + file);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.setFileTime(just_now, QFileDevice::FileModificationTime));
        }
        EXPECT_EQ(Row_Of(Season_Standings(s).rows, "Bob,Ray")->wins, wins);
    }
    Forget_Read_Evenings();
}
