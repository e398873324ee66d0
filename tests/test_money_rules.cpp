// The money's invariants over generated evenings: amounts are exact cents
// and read back as written; the places' rounded amounts pay the pool to the
// cent; a deal shares exactly what is left; any order of knock-outs,
// put-backs, rebuys, their undo and credits keeps the places 1..k from the
// bottom and the bounties equal to the knock-outs that happened; saving and
// loading changes nothing.
#include "model/Money.h"
#include "model/Season_standings.h"
#include "model/Tourney.h"
#include "platform/Velmora_error.h"
#include "support/Test_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <sstream>

void PrintTo(const Money_Amount& a, std::ostream* os) { *os << Amount_Text(a).toStdString(); }

namespace {

Money_Amount Any_Amount() { return Money_Amount::Of_Cents(*rc::gen::inRange<int64_t>(0, Most_Money.Cents() + 1)); }

// Whole percentages over one to ten places that add up to 100.
QVector<int> Any_Percentages()
{
    const int places = *rc::gen::inRange(1, Prize_Count + 1);
    QVector<int> cuts{0, 100};
    for (int i = 1; i < places; ++i)
        cuts << *rc::gen::inRange(0, 101);
    std::sort(cuts.begin(), cuts.end());
    QVector<int> shares;
    for (int i = 1; i < cuts.size(); ++i)
        shares << cuts[i] - cuts[i - 1];
    return shares;
}

RC_GTEST_PROP(Money_Amounts, TextReadsBackAsWrittenWithEitherSeparator, ())
{
    const Money_Amount a = Any_Amount();
    for (const QChar point : {QLatin1Char('.'), QLatin1Char(',')}) {
        Money_Amount back;
        RC_ASSERT(Parse_Amount(Amount_Text(a, point), back, point).isEmpty());
        RC_ASSERT(back == a);
    }
}

TEST(Money_Amounts, WhatIsNoAmountIsRefusedWithTheReason)
{
    const struct Case {
        const char* text;
        QChar point;
        const char* cents; // "" refused
    } cases[] = {
        {"10.10", '.', "1010"},   {" 1234.56 ", '.', "123456"}, {"10,5", ',', "1050"},  {"7.500", '.', "750"},
        {"1000000000", '.', "100000000000"}, {".5", '.', "50"}, {"abc", '.', ""},       {"-5", '.', ""},
        {"2e9", '.', ""},         {"10,5", '.', ""},            {"1.234", '.', ""},     {"1000000000.01", '.', ""},
        {"", '.', ""},            {"1.2.3", '.', ""},           {"99999999999999999999999", '.', ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Money_Amount a = 7;
        const QString why = Parse_Amount(QString::fromLatin1(c.text), a, c.point);
        if (*c.cents == '\0') {
            EXPECT_FALSE(why.isEmpty());
            EXPECT_EQ(a, Money_Amount(7)); // nothing stored
        } else {
            EXPECT_TRUE(why.isEmpty()) << why.toStdString();
            EXPECT_EQ(a.Cents(), QByteArray(c.cents).toLongLong());
        }
    }
}

RC_GTEST_PROP(Money_Payouts, PlacesPayThePoolToTheCentAndRoundDownBelowFirst, ())
{
    const Money_Amount pool = Any_Amount();
    const QVector<int> percent = Any_Percentages();
    const Money_Amount unit = Money_Amount::Of_Cents(*rc::gen::element<int64_t>(0, 1, 5, 50, 100, 500, 2500));
    QVector<int> hundredths;
    for (int p : percent)
        hundredths << p * 100;
    const QVector<Money_Amount> paid = Rounded_Shares(pool, hundredths, unit);
    RC_ASSERT(std::accumulate(paid.cbegin(), paid.cend(), Money_Amount()) == pool);
    const int64_t u = std::max<int64_t>(unit.Cents(), 1);
    for (qsizetype i = 1; i < paid.size(); ++i) {
        // pool x percent / 100, rounded down to the unit: exact in ten-thousandths.
        const int64_t exact = pool.Cents() * hundredths[i];
        RC_ASSERT(paid[i].Cents() % u == 0);
        RC_ASSERT(paid[i].Cents() * 10000 <= exact);
        RC_ASSERT(exact < (paid[i].Cents() + u) * 10000);
    }
    RC_ASSERT(paid[0] >= Money_Amount());
}

RC_GTEST_PROP(Money_Deals, SuggestedSharesAreWithinAUnitOfTheFiguresAndAddUpExactly, ())
{
    const int players = *rc::gen::inRange(2, 11);
    const Money_Amount total = Money_Amount::Of_Cents(*rc::gen::inRange<int64_t>(0, 10'000'000'00));
    const Money_Amount unit = Money_Amount::Of_Cents(*rc::gen::element<int64_t>(0, 1, 100, 500));
    // Figures that add up to the total, as ICM's do.
    QVector<double> weights;
    for (int i = 0; i < players; ++i)
        weights << *rc::gen::inRange(1, 1000);
    const double sum = std::accumulate(weights.cbegin(), weights.cend(), 0.0);
    QVector<double> figures;
    for (double w : weights)
        figures << total.Value() * w / sum;
    const QVector<Money_Amount> agreed = Largest_Remainder(figures, total, unit);
    RC_ASSERT(std::accumulate(agreed.cbegin(), agreed.cend(), Money_Amount()) == total);
    const double u = std::max<int64_t>(unit.Cents(), 1) / 100.0;
    for (int i = 0; i < players; ++i)
        RC_ASSERT(std::abs(agreed[i].Value() - figures[i]) < 2 * u); // a unit, and the sub-unit rest of the total
}

// An evening of four to seven players with bounties and rebuys, files and all.
class Money_Evening : public ::testing::Test {
protected:
    Test_Folder folder;
};

// A property over fewer cases: each of these writes the files at every step.
template <typename Property> void Check_Cases(int cases, Property property)
{
    rc::detail::TestParams params = rc::detail::configuration().testParams;
    params.maxSuccess = cases;
    rc::detail::TestMetadata metadata;
    metadata.id = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const auto result = rc::detail::checkTestable(property, metadata, params);
    if (!result.template is<rc::detail::SuccessResult>()) {
        std::ostringstream text;
        rc::detail::printResultMessage(result, text);
        FAIL() << text.str();
    }
}

// Each generated evening starts from no files.
void Fresh(CTourney& t)
{
    QFile::remove(Tourney_File_Path(QStringLiteral("Cup"), QStringLiteral(".trn")));
    QFile::remove(Tourney_File_Path(QStringLiteral("Cup"), QStringLiteral(".plr")));
    t.Load_File("Cup");
}

struct Reference {
    int knock_outs = 0; // credited knock-outs that happened and were not taken back
};

int Credited(const CTourney& t)
{
    int sum = 0;
    for (int i = 0; i < t.Total; ++i)
        sum += Bounties_Won(t, QByteArray(t.Players[i].Name));
    return sum;
}

void Check_Places(const CTourney& t)
{
    QVector<int> out;
    for (int i = 0; i < t.Total; ++i)
        if (t.Players[i].Place != 0)
            out << t.Players[i].Place;
    std::sort(out.begin(), out.end());
    // Those out hold the places Out+1 .. Total, each once.
    RC_ASSERT(t.Out == t.Total - static_cast<int>(out.size()));
    for (int k = 0; k < out.size(); ++k)
        RC_ASSERT(out[k] == t.Out + 1 + k);
}

TEST_F(Money_Evening, AnyOrderOfKnockOutsRebuysAndUndosKeepsPlacesAndBountiesAndSurvivesAReload)
{
    ASSERT_TRUE(QDir().mkpath(folder.data()));
    Check_Cases(30, [] {
        CTourney t;
        Fresh(t);
        const int n = *rc::gen::inRange(4, 8);
        for (int i = 0; i < n; ++i)
            t.Enter_Player(QStringLiteral("P%1,X").arg(i));
        t.Money.Settings.Bounty = 5;
        t.Money.Settings.Rebuy_Until = Level_Count;
        t.Money.Settings.Rebuys_Per_Player = *rc::gen::inRange(0, 3);
        Reference ref;
        const int steps = *rc::gen::inRange(1, 25);
        for (int s = 0; s < steps; ++s) {
            const QString who = QStringLiteral("P%1,X").arg(*rc::gen::inRange(0, n));
            const QString by = QStringLiteral("P%1,X").arg(*rc::gen::inRange(0, n));
            const int slot = t.Find_Entry(who);
            const bool out = t.Players[slot].Place != 0;
            const bool credited = out && !t.Money.Of(who).Knocked_Out_By.isEmpty();
            try {
                switch (*rc::gen::inRange(0, 5)) {
                case 0: // knocked out, credited at once
                    if (out || Last_In(t) == who)
                        break;
                    t.Set_Out(who);
                    try {
                        Credit_Knock_Out(t, who, by, true);
                        ++ref.knock_outs;
                    } catch (const Velmora_Error&) {
                    }
                    break;
                case 1: // marked back in: that knock-out did not happen
                    if (!out)
                        break;
                    t.Set_In(who);
                    ref.knock_outs -= credited ? 1 : 0;
                    break;
                case 2: // rebuy: the credit stays won
                    Rebuy(t, who, 1);
                    break;
                case 3: { // undo of the last rebuy: back out, with the old credit
                    const Entry_Money m = t.Money.Of(who);
                    Undo_Rebuy(t, who);
                    if (!m.Before_Rebuys.isEmpty() && m.Before_Rebuys.back().Place != 0)
                        ref.knock_outs -= credited ? 1 : 0;
                    break;
                }
                case 4: // credit changed later to any other entry
                    if (!out || by == who)
                        break;
                    Credit_Knock_Out(t, who, by);
                    ++ref.knock_outs;
                    ref.knock_outs -= credited ? 1 : 0;
                    break;
                }
            } catch (const Velmora_Error&) {
            }
            Check_Places(t);
            RC_ASSERT(Credited(t) == ref.knock_outs);
            const auto results = Tourney_Entry_Results(t);
            int won = 0;
            for (const Entry_Result& r : results)
                won += r.Bounties_Won;
            RC_ASSERT(won == ref.knock_outs);
        }
        t.Save_File("Cup");
        CTourney again;
        again.Load_File("Cup");
        RC_ASSERT(again.Money.Settings == t.Money.Settings);
        for (int i = 0; i < n; ++i) {
            RC_ASSERT(again.Players[i].Place == t.Players[i].Place);
            RC_ASSERT(again.Money.Of(QByteArray(t.Players[i].Name)) == t.Money.Of(QByteArray(t.Players[i].Name)));
        }
    });
}

TEST_F(Money_Evening, DealsShareWhatIsLeftAndTheNightPaysThePoolExactly)
{
    ASSERT_TRUE(QDir().mkpath(folder.data()));
    Check_Cases(30, [] {
        CTourney t;
        Fresh(t);
        const int n = *rc::gen::inRange(3, 8);
        for (int i = 0; i < n; ++i)
            t.Enter_Player(QStringLiteral("P%1,X").arg(i));
        Set_Pool(t, Any_Amount());
        const QVector<int> percent = Any_Percentages();
        for (int i = 0; i < Prize_Count; ++i)
            t.Prize[i] = i < percent.size() ? static_cast<float>(percent[i]) : 0.0f;
        t.Money.Settings.Rounding = Money_Amount::Of_Cents(*rc::gen::element<int64_t>(0, 100, 500));
        // Some go out, the rest make one or two deals, then play it out.
        const int out = *rc::gen::inRange(0, n - 1);
        for (int i = n - 1; i >= n - out; --i)
            t.Set_Out(QStringLiteral("P%1,X").arg(i));
        const int deals = *rc::gen::inRange(1, 3);
        for (int d = 0; d < deals; ++d) {
            QStringList in;
            for (int i = 0; i < n; ++i)
                if (t.Players[i].Place == 0)
                    in << QStringLiteral("P%1,X").arg(i);
            const QVector<Money_Amount> prizes = Prizes_To_Share(t, static_cast<int>(in.size()));
            const Money_Amount left = Still_To_Win(t);
            RC_ASSERT(std::accumulate(prizes.cbegin(), prizes.cend(), Money_Amount()) <= left);
            const Money_Amount keep = Money_Amount::Of_Cents(*rc::gen::inRange<int64_t>(0, left.Cents() + 1));
            QVector<double> figures;
            for (qsizetype i = 0; i < in.size(); ++i)
                figures << (left - keep).Value() / static_cast<double>(in.size());
            const QVector<Money_Amount> shares = Largest_Remainder(figures, left - keep, 0);
            // One cent too many is refused, and changes nothing.
            QVector<Money_Amount> greedy = shares;
            greedy[0] += Money_Amount::Of_Cents(1);
            RC_ASSERT_THROWS_AS(Write_Deal(t, in, greedy, keep), Velmora_Error);
            Write_Deal(t, in, shares, keep);
            RC_ASSERT(Still_To_Win(t) == keep);
        }
        for (int i = 0; i < n; ++i)
            t.Set_Out(QStringLiteral("P%1,X").arg(i));
        Money_Amount paid;
        for (const Entry_Result& r : Tourney_Entry_Results(t))
            paid += r.Prize;
        // Every place that was paid, every deal and what was kept: the pool,
        // when the places' percentages pay all of it.
        RC_ASSERT(paid == Pool_Of(t));
        t.Save_File("Cup");
        CTourney again;
        again.Load_File("Cup");
        RC_ASSERT(Pool_Of(again) == Pool_Of(t));
        for (int i = 0; i < n; ++i)
            RC_ASSERT(again.Money.Of(QByteArray(t.Players[i].Name)) == t.Money.Of(QByteArray(t.Players[i].Name)));
    });
}

} // namespace

namespace {

// Hand-edited money sections: every line is read whatever comes before it,
// a line whose counts or deal cannot be read is dropped whole, and the pool
// keeps what the entries paid.
TEST_F(Money_Evening, HandEditedLinesAreReadWholeAndBadOnesDropped)
{
    const struct Case {
        const char* name;
        const char* money;
        const char* entries;
        int rebuys_of_b; // -1: no line kept
        bool pool_from_entries;
    } cases[] = {
        {"gap", "Pool From Entries=yes\nBuy-in=25\nRebuy Price=25\nRebuy Until Level=5\n", "Entry 1=B,b;2;0;;\n", 2, true},
        {"empty first", "Pool From Entries=true\nBuy-in=25\nRebuy Price=25\n", "Entry 0=\nEntry 1=B,b;2;0;;\n", 2, true},
        {"negative", "Pool From Entries=1\nBuy-in=25\n", "Entry 0=B,b;-3;0;;\n", -1, true},
        {"bad deal", "Pool From Entries=no\nBuy-in=25\n", "Entry 0=B,b;1;0;;abc\n", -1, false},
        {"held at most", "Buy-in=25\n", "Entry 3=B,b;5000;0;;\n", 999, false},
        {"kept beyond the pool", "Pool From Entries=yes\nBuy-in=25\nDeal Kept=1000\n", "Entry 0=B,b;0;0;;10\n", 0, true},
    };
    ASSERT_TRUE(QDir().mkpath(folder.data()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTourney t;
        Fresh(t);
        t.Enter_Player("A,a");
        t.Enter_Player("B,b");
        t.Save_File("Cup");
        QFile file(Tourney_File_Path(QStringLiteral("Cup"), QStringLiteral(".trn")));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(QByteArray("[Money]\n") + c.money + "[Money Entries]\n" + c.entries);
        file.close();
        CTourney again;
        again.Load_File("Cup");
        EXPECT_EQ(again.Money.Entries.contains("B,b") ? again.Money.Of(QByteArray("B,b")).Rebuys : -1, c.rebuys_of_b);
        EXPECT_EQ(again.Money.Settings.Pool_From_Entries, c.pool_from_entries);
        // Deals and what they kept never come to more than the pool.
        EXPECT_LE(std::max(again.Money.Of(QByteArray("B,b")).Deal, Money_Amount()) + again.Money.Settings.Deal_Kept, Pool_Of(again));
        if (c.pool_from_entries) {
            EXPECT_EQ(Pool_Of(again), Money_Amount(50) + again.Money.Settings.Rebuy_Price * std::max(c.rebuys_of_b, 0));
        }
    }
}

TEST_F(Money_Evening, RebuysStopAtThePlayersLimit)
{
    ASSERT_TRUE(QDir().mkpath(folder.data()));
    CTourney t;
    Fresh(t);
    t.Enter_Player("A,a");
    t.Money.Settings.Rebuy_Until = 3;
    t.Money.Settings.Rebuys_Per_Player = 2;
    Rebuy(t, "A,a", 1);
    Rebuy(t, "A,a", 2);
    EXPECT_EQ(Rebuy_Refusal(t, "A,a", 2), QStringLiteral("No rebuy for A a: 2 rebuys per player are allowed."));
    EXPECT_THROW(Rebuy(t, "A,a", 2), Velmora_Error);
    t.Money.Settings.Rebuys_Per_Player = 0; // no limit
    EXPECT_TRUE(Rebuy_Refusal(t, "A,a", 3).isEmpty());
    EXPECT_FALSE(Rebuy_Refusal(t, "A,a", 4).isEmpty());
}

} // namespace

namespace {

// The season counts an evening's money as its results pay it: a deal made by
// players still in counts for each of them (the last one in with what was
// kept), so the evening pays its pool and no more; knock-outs credited count
// without any amounts.
TEST_F(Money_Evening, TheSeasonCountsDealsWhoeverMadeThemAndKnockOutsWithoutAmounts)
{
    ASSERT_TRUE(QDir().mkpath(folder.data()));
    const struct Case {
        const char* name;
        int out_after_deal; // of P3, P2 in that order
        int keep;
        int winnings[3];
    } cases[] = {
        {"full chop, all still in", 0, 0, {450, 330, 220}},
        {"the winner left in", 2, 100, {550, 280, 170}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTourney t;
        Fresh(t);
        for (const char* name : {"P1,X", "P2,X", "P3,X"})
            t.Enter_Player(QString::fromLatin1(name));
        Set_Pool(t, 1000);
        t.Prize[0] = 50, t.Prize[1] = 30, t.Prize[2] = 20;
        const QVector<Money_Amount> shares{c.winnings[0] - c.keep, c.winnings[1], c.winnings[2]};
        Write_Deal(t, {"P1,X", "P2,X", "P3,X"}, shares, c.keep);
        for (int k = 0; k < c.out_after_deal; ++k)
            t.Set_Out(k == 0 ? QStringLiteral("P3,X") : QStringLiteral("P2,X"));
        t.Save_File("Cup");
        Evening evening;
        ASSERT_TRUE(Read_Evening(Season_Tourney{QStringLiteral("Cup"), QDate(2026, 1, 9)}, evening).isEmpty());
        ASSERT_EQ(evening.entries.size(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(evening.entries[i].winnings, c.winnings[i]) << i;
    }

    // No amounts at all, two knock-outs credited to P1.
    CTourney t;
    Fresh(t);
    for (const char* name : {"P1,X", "P2,X", "P3,X"})
        t.Enter_Player(QString::fromLatin1(name));
    t.Set_Out("P3,X");
    Credit_Knock_Out(t, "P3,X", "P1,X", true);
    t.Set_Out("P2,X");
    Credit_Knock_Out(t, "P2,X", "P1,X", true);
    t.Save_File("Cup");
    Evening evening;
    ASSERT_TRUE(Read_Evening(Season_Tourney{QStringLiteral("Cup"), QDate(2026, 1, 9)}, evening).isEmpty());
    EXPECT_EQ(evening.entries[0].bounties, 2);
}

} // namespace
