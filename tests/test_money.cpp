// The money of a tournament: the pool from the entries, rebuys and add-ons in
// their windows, bounties credited and given back, rounded payouts, what the
// tournament file holds of it, the results per entry, and the chip model of a
// deal.
#include "model/Display_facts.h"
#include "model/Icm.h"
#include "model/Money.h"
#include "model/Tourney.h"
#include "platform/Velmora_error.h"
#include "reports/Results_report.h"
#include "support/Test_folder.h"

#include <QDir>
#include <QLocale>
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <memory>
#include <numeric>

namespace {

class Money_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(folder.data()));
        t = std::make_unique<CTourney>();
        t->Load_File("Cup");
    }
    void Enter(const QStringList& names)
    {
        for (const QString& n : names)
            t->Enter_Player(n);
    }
    std::unique_ptr<CTourney> Reloaded() const
    {
        auto again = std::make_unique<CTourney>();
        again->Load_File("Cup");
        return again;
    }
    QString Trn() const { return QString::fromUtf8(folder.Read("Data/Cup.trn")); }

    Test_Folder folder;
    std::unique_ptr<CTourney> t;
};

TEST_F(Money_Test, PoolCountsEntriesRebuysAddOnsAndAddedMoneyButNotFeesOrBounties)
{
    Enter({"A,a", "B,b", "C,c", "D,d", "E,e"});
    Money_Settings& s = t->Money.Settings;
    s.Buy_In = 30, s.Fee = 3, s.Bounty = 5;
    s.Rebuy_Price = 20, s.Rebuy_Until = 4;
    s.Addon_Price = 10, s.Addon_Until = 5;
    s.Added_Money = 100;
    s.Pool_From_Entries = true;
    t->Save_File("Cup");
    EXPECT_TRUE(Trn().contains(QStringLiteral("[Prizes]\nTotal=210\n"))) << Trn().toStdString();

    Rebuy(*t, "A,a", 1);
    Rebuy(*t, "A,a", 4);
    Rebuy(*t, "C,c", 2);
    Addon(*t, "B,b", 5);
    Addon(*t, "C,c", 5);
    // 5 x (30 - 3 - 5) + 3 x 20 + 2 x 10 + 100
    EXPECT_EQ(Pool_From_Entries(*t), Money_Amount(290));
    EXPECT_FLOAT_EQ(t->Prize_Total, 290.0f);
    EXPECT_EQ(Total_Rebuys(*t), 3);
    EXPECT_EQ(Total_Addons(*t), 2);

    // Every rebuy and add-on is in the file at once, and the pool follows.
    auto again = Reloaded();
    EXPECT_EQ(again->Money.Of(QStringLiteral("A,a")).Rebuys, 2);
    EXPECT_EQ(again->Money.Of(QStringLiteral("C,c")).Addons, 1);
    EXPECT_FLOAT_EQ(again->Prize_Total, 290.0f);

    // Taking them back lowers the pool; with the option off the pool is the typed one.
    Undo_Rebuy(*t, "A,a");
    Undo_Addon(*t, "B,b");
    EXPECT_EQ(Pool_From_Entries(*t), Money_Amount(260));
    t->Money.Settings.Pool_From_Entries = false;
    t->Prize_Total = 77;
    Keep_Pool(*t);
    EXPECT_FLOAT_EQ(t->Prize_Total, 77.0f);
    EXPECT_THROW(Undo_Addon(*t, "B,b"), Velmora_Error);
    EXPECT_THROW(Undo_Rebuy(*t, "E,e"), Velmora_Error);
}

TEST_F(Money_Test, RebuysAndAddOnsOnlyInTheirWindowAndARebuyBringsAPlayerBack)
{
    Enter({"A,a", "B,b", "C,c", "D,d"});
    Money_Settings& s = t->Money.Settings;
    EXPECT_THROW(Rebuy(*t, "A,a", 1), Velmora_Error); // no rebuys set up
    EXPECT_THROW(Addon(*t, "A,a", 1), Velmora_Error);
    s.Rebuy_Until = 3, s.Addon_Until = 4, s.Rebuy_Price = 10;

    try {
        Rebuy(*t, "A,a", 4);
        FAIL() << "a rebuy after its window";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), QStringLiteral("No rebuy for A a: rebuys ended with level 3."));
    }
    EXPECT_EQ(t->Money.Of(QStringLiteral("A,a")).Rebuys, 0);
    EXPECT_THROW(Rebuy(*t, "Nobody,x", 1), Velmora_Error);

    // D goes out (4), then B (3); D rebuys: D is in, B closes up to 4.
    t->Set_Out("D,d");
    t->Set_Out("B,b");
    Credit_Knock_Out(*t, "D,d", "A,a");
    Rebuy(*t, "D,d", 3);
    EXPECT_EQ(t->Players[t->Find_Entry("D,d")].Place, 0);
    EXPECT_EQ(t->Players[t->Find_Entry("B,b")].Place, 4);
    EXPECT_EQ(t->Out, 3);
    EXPECT_EQ(t->Money.Of(QStringLiteral("D,d")).Rebuys, 1);
    EXPECT_EQ(Bounties_Won(*t, "A,a"), 1); // paid at the table: the rebuy does not take it back

    // One add-on per player still in, until the end of its level.
    Addon(*t, "A,a", 4);
    EXPECT_THROW(Addon(*t, "A,a", 4), Velmora_Error);
    EXPECT_THROW(Addon(*t, "B,b", 2), Velmora_Error); // B is out
    EXPECT_THROW(Addon(*t, "C,c", 5), Velmora_Error);
    EXPECT_EQ(Total_Addons(*t), 1);
}

TEST_F(Money_Test, BountyGoesToTheKnockerAndBackOnIn)
{
    Enter({"A,a", "B,b", "C,c"});
    t->Money.Settings.Bounty = 5;
    t->Set_Out("C,c");
    EXPECT_THROW(Credit_Knock_Out(*t, "C,c", "C,c"), Velmora_Error);
    EXPECT_THROW(Credit_Knock_Out(*t, "A,a", "B,b"), Velmora_Error); // A is still in
    Credit_Knock_Out(*t, "C,c", "B,b");
    EXPECT_EQ(Bounties_Won(*t, "B,b"), 1);
    t->Set_Out("B,b");
    EXPECT_THROW(Credit_Knock_Out(*t, "B,b", "C,c", true), Velmora_Error); // C is out at the knock-out
    Credit_Knock_Out(*t, "B,b", "A,a");

    auto results = Tourney_Entry_Results(*t);
    EXPECT_EQ(results["B,b"].Bounties_Won, 1);
    EXPECT_EQ(results["A,a"].Bounty_Money, Money_Amount(5));

    // Marked back in: the bounty goes back, and stays back after a reload.
    t->Set_In("C,c");
    EXPECT_EQ(Bounties_Won(*t, "B,b"), 0);
    t->Save_File("Cup");
    EXPECT_EQ(Bounties_Won(*Reloaded(), "B,b"), 0);
    EXPECT_EQ(Bounties_Won(*Reloaded(), "A,a"), 1);
}

TEST_F(Money_Test, RoundingPaysTheRestToFirstPlace)
{
    // 333 at 33/33/34 to fives: 105 and 110 down from 109.89 and 113.22; first takes the 118 left.
    EXPECT_EQ(Rounded_Shares(333, {3300, 3300, 3400}, 5), (QVector<Money_Amount>{118, 105, 110}));
    EXPECT_EQ(Rounded_Shares(Money_Amount::Of_Cents(123456), {5000, 5000}, 0),
              (QVector<Money_Amount>{Money_Amount::Of_Cents(61728), Money_Amount::Of_Cents(61728)}));

    t->Prize_Total = 1234.56f; // set on its own: its nearest cent is the pool
    t->Prize[0] = 50, t->Prize[1] = 30, t->Prize[2] = 20;
    t->Money.Settings.Rounding = 10;
    const QVector<Money_Amount> paid = Rounded_Payouts(*t);
    EXPECT_EQ(paid.mid(0, 4), (QVector<Money_Amount>{Money_Amount::Of_Cents(62456), 370, 240, 0}));

    // What the display and the phone show: the rounded figures, the chips of rebuys counted.
    Enter({"A,a", "B,b", "C,c", "D,d"});
    t->Chips[0].Value = 25, t->Chips[0].Quanity = 40; // 1000 a player
    for (int k = 1; k < Chip_Count; ++k)
        t->Chips[k].Quanity = 0;
    t->Money.Settings.Rebuy_Chips = 1000, t->Money.Settings.Addon_Chips = 2000;
    t->Money.Entries["A,a"].Rebuys = 2;
    t->Money.Entries["B,b"].Addons = 1;
    t->Set_Out("D,d");
    t->Money.Settings.Currency = QStringLiteral("kr");
    const Display_Facts d = Gather_Display_Facts(*t, Clock_Reading(), QTime(20, 0));
    EXPECT_DOUBLE_EQ(d.average_stack, (4 * 1000 + 2 * 1000 + 2000) / 3.0);
    EXPECT_EQ(d.payouts, (QVector<double>{624.56, 370, 240}));
    EXPECT_EQ(d.currency, QStringLiteral("kr"));
}

TEST_F(Money_Test, SuggestedTablesPayAHundredPercentToAtMostTenPlaces)
{
    int last_places = 0;
    for (int entries = 0; entries <= Max_Entries; ++entries) {
        const QVector<int> shares = Suggested_Percentages(entries);
        SCOPED_TRACE(entries);
        EXPECT_EQ(std::accumulate(shares.cbegin(), shares.cend(), 0), 100);
        EXPECT_LE(shares.size(), Prize_Count);
        EXPECT_LE(shares.size(), std::max(entries, 1));
        EXPECT_GE(shares.size(), last_places); // more entries never pay fewer places
        EXPECT_TRUE(std::is_sorted(shares.crbegin(), shares.crend()));
        last_places = static_cast<int>(shares.size());
    }
    EXPECT_EQ(Suggested_Percentages(9), (QVector<int>{50, 30, 20}));
}

// Names with every character the database allows that an INI file or our
// own fields could stumble over.
TEST_F(Money_Test, EntryCountsSurviveAnyNameAndFollowTheEntriesWhenPlayersLeave)
{
    const QStringList names = {QStringLiteral("Ann,Lee"), QStringLiteral("a=b,[x]"), QStringLiteral(" Jo;%20,Ng "),
                               QStringLiteral("Zo\u00eb,M\u00fcller"), QStringLiteral("#c,;d")};
    Enter(names);
    for (int i = 0; i < names.size(); ++i) {
        Entry_Money& m = t->Money.Entries[names[i].toLatin1()];
        m.Rebuys = i + 1;
        m.Addons = i % 2;
    }
    t->Set_Out(names[4]);
    Credit_Knock_Out(*t, names[4], names[3]);
    t->Money.Settings.Rebuy_Until = 2;
    t->Save_File("Cup");

    auto again = Reloaded();
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(again->Money.Of(names[i]), t->Money.Of(names[i])) << names[i].toStdString();
    EXPECT_EQ(Bounties_Won(*again, names[3].toLatin1()), 1);
    // The documented sections stay as they were; the money has its own.
    EXPECT_TRUE(Trn().contains(QStringLiteral("[Money Entries]\nEntry 0=Ann,Lee;1;0;;\n")));
    EXPECT_TRUE(Trn().contains(QStringLiteral("Entry 1=a%3Db,%5Bx%5D;2;1;;\n")));

    // Withdrawing the second player moves the others up a slot; their counts go with them.
    again->Withdraw_Player(names[1]);
    again->Withdraw_Player(names[3]); // the bounty he won goes with him
    again->Save_File("Cup");
    auto third = Reloaded();
    EXPECT_EQ(third->Money.Of(names[0]).Rebuys, 1);
    EXPECT_EQ(third->Money.Of(names[2]).Rebuys, 3);
    EXPECT_EQ(third->Money.Of(names[4]).Rebuys, 5);
    EXPECT_TRUE(third->Money.Of(names[4]).Knocked_Out_By.isEmpty());
    EXPECT_EQ(third->Money.Of(names[1]), Entry_Money());
    EXPECT_FALSE(Trn().contains(QStringLiteral("Entry 3=")));

    // Entering a player of that name again starts him afresh.
    third->Enter_Player(names[1]);
    EXPECT_EQ(third->Money.Of(names[1]), Entry_Money());
}

TEST_F(Money_Test, AFileOfTheDocumentedFormatHasNoMoneyAndWritesNone)
{
    const QByteArray documented = "[Players]\nTotal=2\nOut=2\n[Prizes]\nTotal=300\nPrize 0=60\nPrize 1=40\n";
    folder.Write("Data/Cup.trn", documented);
    auto plain = Reloaded();
    EXPECT_FALSE(plain->Money.Any());
    EXPECT_TRUE(Shown_Currency(plain->Money.Settings).isEmpty());
    EXPECT_FLOAT_EQ(plain->Prize_Total, 300.0f); // the typed pool
    plain->Save_File("Cup");
    EXPECT_FALSE(Trn().contains(QStringLiteral("Money")));

    // Garbage in the money sections reads as sensible values.
    folder.Write("Data/Cup.trn", documented + "[Money]\nBuy-in=abc\nFee=-5\nRebuy Until Level=99\nRounding=2,5\n"
                                              "Bounty=1e300\n[Money Entries]\nEntry 0=;;\nEntry 1=x\n");
    auto odd = Reloaded();
    EXPECT_EQ(odd->Money.Settings.Buy_In, 0);
    EXPECT_EQ(odd->Money.Settings.Fee, 0);
    EXPECT_EQ(odd->Money.Settings.Rebuy_Until, Level_Count);
    EXPECT_EQ(odd->Money.Settings.Rounding, Money_Amount::Of_Cents(250));
    EXPECT_EQ(odd->Money.Settings.Bounty, 0); // beyond the largest amount: refused, not held at it
    EXPECT_TRUE(odd->Money.Entries.isEmpty());
    // Once there is money, the symbol is the stored one or the locale's.
    EXPECT_EQ(Shown_Currency(odd->Money.Settings), QLocale().currencySymbol());
}

TEST_F(Money_Test, ResultsPerEntryFromTheFileForSeasons)
{
    Enter({"A,a", "B,b", "C,c", "D,d"});
    t->Money.Settings.Bounty = 10, t->Money.Settings.Rebuy_Until = 2, t->Money.Settings.Rounding = 5;
    t->Prize_Total = 401;
    t->Prize[0] = 60, t->Prize[1] = 40;
    t->Set_Out("D,d");
    Credit_Knock_Out(*t, "D,d", "A,a");
    Rebuy(*t, "C,c", 1);
    t->Set_Out("C,c");
    t->Set_Out("B,b");
    Credit_Knock_Out(*t, "B,b", "A,a");
    t->Set_Out("A,a");
    t->Save_File("Cup");

    const auto r = Tourney_Entry_Results_From_File(folder.data() + "Cup.trn");
    ASSERT_EQ(r.size(), 4);
    EXPECT_EQ(r["A,a"].Place, 1);
    EXPECT_EQ(r["A,a"].Prize, 241); // 240.6 to first with the remainder
    EXPECT_EQ(r["B,b"].Prize, 160);
    EXPECT_EQ(r["A,a"].Bounties_Won, 2);
    EXPECT_EQ(r["C,c"].Rebuys, 1);
    EXPECT_EQ(r["C,c"].Prize, 0);
    EXPECT_TRUE(Tourney_Entry_Results_From_File(folder.data() + "None.trn").isEmpty());

    // A deal replaces the places' prizes; the winner takes what was kept too.
    t->Set_In("A,a");
    t->Set_In("B,b");
    t->Money.Entries["A,a"].Deal = 200;
    t->Money.Entries["B,b"].Deal = 171;
    t->Money.Settings.Deal_Kept = 30;
    t->Set_Out("A,a");
    const auto dealt = Tourney_Entry_Results(*t);
    EXPECT_EQ(dealt["A,a"].Prize, 200);
    EXPECT_EQ(dealt["B,b"].Prize, 171); // still in, winner to be: not yet the kept part
    t->Set_Out("B,b");
    EXPECT_EQ(Tourney_Entry_Results(*t)["B,b"].Prize, 201);
}

// Counts edited by hand: a name listed twice keeps its first counts (a line
// without any counts holds no place), somebody who is no entry is dropped, and
// a bounty credited to nobody of the tournament, or to the player himself, is
// nobody's.
TEST_F(Money_Test, HandEditedCountsKeepTheFirstOfEachEntryAndOnlyEntriesWinBounties)
{
    Enter({"A,a", "B,b", "C,c", "D,d"});
    t->Money.Settings.Bounty = 10;
    t->Set_Out("D,d");
    t->Set_Out("C,c");
    t->Set_Out("B,b");
    t->Save_File("Cup");
    folder.Write("Data/Cup.trn", folder.Read("Data/Cup.trn")
                                     + "[Money Entries]\nEntry 0=A,a;0;0;;\nEntry 1=A,a;2;0;;\nEntry 2=A,a;5;1;;\n"
                                       "Entry 3=Z,z;1;1;;\nEntry 4=D,d;0;0;A,a;\nEntry 5=D,d;3;0;;\n"
                                       "Entry 6=C,c;0;0;Z,z;\nEntry 7=B,b;1;0;B,b;\n");
    const auto again = Reloaded();
    EXPECT_EQ(again->Money.Of(QStringLiteral("A,a")).Rebuys, 2);
    EXPECT_EQ(again->Money.Of(QStringLiteral("A,a")).Addons, 0);
    EXPECT_EQ(again->Money.Of(QStringLiteral("D,d")).Knocked_Out_By, QByteArray("A,a"));
    EXPECT_EQ(again->Money.Of(QStringLiteral("D,d")).Rebuys, 0);
    EXPECT_FALSE(again->Money.Entries.contains("Z,z"));
    EXPECT_FALSE(again->Money.Entries.contains("C,c")); // its only count was a bounty to no entry
    EXPECT_TRUE(again->Money.Of(QStringLiteral("B,b")).Knocked_Out_By.isEmpty());
    EXPECT_EQ(again->Money.Of(QStringLiteral("B,b")).Rebuys, 1);
    const auto r = Tourney_Entry_Results(*again);
    EXPECT_EQ(r["A,a"].Bounties_Won, 1);
    EXPECT_EQ(r["A,a"].Bounty_Money, 10);
    EXPECT_EQ(r["B,b"].Bounties_Won + r["C,c"].Bounties_Won + r["D,d"].Bounties_Won, 0);
    EXPECT_EQ(Total_Rebuys(*again), 3);
}

TEST_F(Money_Test, ResultsReportEscapesNamesAndItsTotalsAddUpToThePool)
{
    Enter({"A&b,<c>", "Bo,\"Q\"", "Cy,Oh"});
    t->Money.Settings.Currency = QStringLiteral("\u20ac");
    t->Money.Settings.Rounding = 10;
    t->Money.Settings.Bounty = Money_Amount::Of_Cents(250);
    t->Prize_Total = 333;
    t->Prize[0] = 33, t->Prize[1] = 33, t->Prize[2] = 34;
    t->Set_Out("Cy,Oh");
    Credit_Knock_Out(*t, "Cy,Oh", "A&b,<c>");
    t->Set_Out("Bo,\"Q\"");
    t->Set_Out("A&b,<c>");
    const QByteArray page = Results_Page(*t);
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(page.contains("<img class=\"logo\" src=\"logo.jpg\""));
    // 109.89 and 113.22 down to tens; first takes the 123 left. Text is UTF-8.
    // The winner's bounty money holds the one he won and his own.
    const QByteArray euro = "\xE2\x82\xAC";
    EXPECT_TRUE(page.contains("<tr><td>1</td><td class=\"name\">A&amp;b,<wbr>&lt;c&gt;</td><td class=\"num\">" + euro
                              + "123</td><td class=\"num\">1 <span class=\"paid\">(" + euro + "5)</span></td>"))
        << page.constData();
    EXPECT_TRUE(page.contains("<tr><td>2</td><td class=\"name\">Bo,<wbr>&quot;Q&quot;</td><td class=\"num\">" + euro + "100</td>"));
    EXPECT_TRUE(page.contains("<tr><td>3</td><td class=\"name\">Cy,<wbr>Oh</td><td class=\"num\">" + euro + "110</td>"));
    EXPECT_TRUE(page.contains("Prize pool: " + euro + "333<br>Prizes: " + euro + "333<br>Still to be paid: " + euro
                              + "0<br>Bounties paid (not in the pool): " + euro + "5</p>"));
    EXPECT_TRUE(page.endsWith("</body></html>\r\n"));
}

TEST(Icm, HandWorkedCasesAndSums)
{
    // Two players: 75% of the chips wins 75% of the time.
    QVector<double> two = Icm_Values({3000, 1000}, {100, 50});
    ASSERT_EQ(two.size(), 2);
    EXPECT_NEAR(two[0], 87.5, 1e-9);
    EXPECT_NEAR(two[1], 62.5, 1e-9);

    // Three players 50/30/20 of 100 chips, prizes 50/30/20.
    // A: first .5; second .3*.5/.7 + .2*.5/.8 = .339286; third .160714.
    QVector<double> three = Icm_Values({50, 30, 20}, {50, 30, 20});
    ASSERT_EQ(three.size(), 3);
    const double a_second = 0.3 * 0.5 / 0.7 + 0.2 * 0.5 / 0.8;
    EXPECT_NEAR(three[0], 50 * 0.5 + 30 * a_second + 20 * (1 - 0.5 - a_second), 1e-9);
    EXPECT_NEAR(three[0] + three[1] + three[2], 100, 1e-9);
    EXPECT_GT(three[0], three[1]);
    EXPECT_LT(three[0], Chip_Chop_Values({50, 30, 20}, {50, 30, 20})[0]); // the leader gives up some

    // Equal stacks get equal shares; ten players, exactly.
    QVector<double> ten = Icm_Values(QVector<double>(10, 1500), {400, 250, 150, 100, 50, 25, 15, 10});
    ASSERT_EQ(ten.size(), 10);
    for (double v : ten)
        EXPECT_NEAR(v, 100, 1e-9);

    // Uneven stacks still pay exactly the prizes; more prizes than players pay
    // only the players' places.
    QVector<double> uneven = Icm_Values({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {500, 300, 200, 100});
    EXPECT_NEAR(std::accumulate(uneven.cbegin(), uneven.cend(), 0.0), 1100, 1e-9);
    EXPECT_TRUE(std::is_sorted(uneven.cbegin(), uneven.cend()));
    QVector<double> short_field = Icm_Values({10, 10}, {60, 30, 10});
    EXPECT_NEAR(short_field[0], 45, 1e-9);

    // Nothing for a stack of nothing or more than ten players.
    EXPECT_TRUE(Icm_Values({10, 0}, {10}).isEmpty());
    EXPECT_TRUE(Icm_Values(QVector<double>(11, 1), {10}).isEmpty());
}

// Stacks of any sizes side by side, the tiniest beside the largest: every
// value is finite and they pay the prizes, no more.
RC_GTEST_PROP(Icm, StacksFarApartStillPayThePrizes, ())
{
    const int n = *rc::gen::inRange(2, 7);
    QVector<double> stacks, prizes;
    for (int i = 0; i < n; ++i) {
        stacks << std::ldexp(1.0, *rc::gen::inRange(-1074, 50));
        prizes << *rc::gen::inRange(0, 1000);
    }
    const QVector<double> values = Icm_Values(stacks, prizes);
    RC_ASSERT(values.size() == n);
    for (double v : values)
        RC_ASSERT(std::isfinite(v) && v >= 0);
    const double sum = std::accumulate(prizes.cbegin(), prizes.cend(), 0.0);
    RC_ASSERT(std::abs(std::accumulate(values.cbegin(), values.cend(), 0.0) - sum) <= 1e-9 * std::max(sum, 1.0));
}

} // namespace
