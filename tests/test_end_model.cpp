// The model of the end of the night, as properties over generated schedules
// and evenings: fewer players and antes bring the end nearer, tables play
// side by side, a schedule that runs out is said to, and the end's text and
// the facts every screen shows move on with the time of day.
#include "model/Display_facts.h"
#include "model/End_model.h"
#include "model/Tourney.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cmath>

namespace {

// A schedule of 1 to 20 rising levels (unused ones after them), with lengths,
// breaks up to a dinner and antes of either kind.
Plan Any_Plan(bool antes)
{
    const int used = *rc::gen::inRange(1, Level_Count + 1);
    const Ante_Kind kind = *rc::gen::element(Ante_Kind::Big_Blind, Ante_Kind::Per_Player);
    double big = *rc::gen::inRange(2, 400);
    Plan plan(Level_Count);
    for (int k = 0; k < Level_Count; ++k)
        plan[k].big_blind = plan[k].small_blind = 0;
    for (int k = 0; k < used; ++k) {
        Plan_Level& lv = plan[k];
        lv.big_blind = static_cast<int32_t>(std::lround(big));
        lv.small_blind = lv.big_blind / 2;
        lv.minutes = *rc::gen::inRange(5, 60);
        lv.break_minutes = *rc::gen::element(0, 0, 0, 10, 15, 120);
        lv.ante_kind = kind;
        if (antes && k >= 3)
            lv.ante = kind == Ante_Kind::Big_Blind ? lv.big_blind : lv.big_blind / 8;
        big *= *rc::gen::inRange(125, 200) / 100.0;
    }
    return plan;
}

Plan Without_Antes(Plan plan)
{
    for (Plan_Level& lv : plan)
        lv.ante = 0;
    return plan;
}

RC_GTEST_PROP(End_Model, FewerPlayersLeftNeverPutTheEndLater, ())
{
    const Plan plan = Any_Plan(*rc::gen::arbitrary<bool>());
    const int entered = *rc::gen::inRange(2, 151);
    const int left = *rc::gen::inRange(1, entered + 1);
    const double chips = entered * double(*rc::gen::inRange(1000, 50001));
    const Clock_Position at{*rc::gen::inRange(0, 5), false};
    const End_Estimate all = Estimate_End(plan, at, 600, chips, entered);
    const End_Estimate fewer = Estimate_End(plan, at, 600, chips, left);
    RC_ASSERT(all.known && fewer.known);
    RC_ASSERT(fewer.minutes <= all.minutes + 1e-6);
    // The night is over with one player; with more it takes time.
    RC_ASSERT((fewer.minutes == 0) == (left == 1));
}

RC_GTEST_PROP(End_Model, AntesMakeThePlayFaster, ())
{
    const Plan with = Any_Plan(true);
    const Plan without = Without_Antes(with);
    const int players = *rc::gen::inRange(2, 151);
    const double chips = players * double(*rc::gen::inRange(1000, 50001));
    const End_Estimate a = Estimate_End(with, {0, false}, with[0].minutes * 60.0, chips, players);
    const End_Estimate b = Estimate_End(without, {0, false}, with[0].minutes * 60.0, chips, players);
    RC_ASSERT(a.minutes <= b.minutes + 1e-6);
    // An ante paid before the end brings it sooner.
    double before = 0;
    for (int k = 0; k < Level_Count && with[k].ante == 0; ++k)
        before += with[k].minutes + with[k].break_minutes;
    if (!b.beyond_schedule && b.minutes > before + 1)
        RC_ASSERT(a.minutes < b.minutes);
}

// Tables play side by side: only the final table's knock-outs come one after
// another, so a big field is never held to five minutes a player.
RC_GTEST_PROP(End_Model, KnockOutsTakeTheirTimeOnlyAtTheFinalTable, ())
{
    const Plan plan = Any_Plan(*rc::gen::arbitrary<bool>());
    const int players = *rc::gen::inRange(2, 151);
    const double chips = players * double(*rc::gen::inRange(1000, 50001));
    const End_Estimate e = Estimate_End(plan, {0, false}, plan[0].minutes * 60.0, chips, players);
    const int final_table = std::min(players, End_Model::Table_Seats);
    // One minute of play is the model's step: a knock-out's share may fall in it.
    RC_ASSERT(e.minutes >= (final_table - 1) * End_Model::Knockout_Minutes - 1);
}

TEST(End_Model, AHundredPlayersAtTenTablesCanFinishInAnEvening)
{
    Plan plan(Level_Count);
    for (int k = 0; k < Level_Count; ++k) {
        plan[k].big_blind = static_cast<int32_t>(100 * std::pow(1.5, k));
        plan[k].small_blind = plan[k].big_blind / 2;
        plan[k].minutes = 15;
    }
    const End_Estimate e = Estimate_End(plan, {0, false}, 15 * 60, 100 * 5000.0, 100);
    EXPECT_FALSE(e.beyond_schedule);
    EXPECT_LT(e.minutes, 4 * 60); // 99 knock-outs of five minutes would be 8 h 15 min
}

// The clock plays the last level with blinds again and again: an end past it
// is the schedule running out, and up to it nothing changes.
RC_GTEST_PROP(End_Model, AScheduleThatRunsOutIsSaidToRunOut, ())
{
    const Plan full = Any_Plan(*rc::gen::arbitrary<bool>());
    int used = 0;
    while (used < Level_Count && full[used].big_blind > 0)
        ++used;
    const int kept = *rc::gen::inRange(1, used + 1);
    Plan cut = full;
    for (int k = kept; k < Level_Count; ++k)
        cut[k].big_blind = cut[k].small_blind = cut[k].ante = 0;
    const int players = *rc::gen::inRange(2, 151);
    const double chips = players * double(*rc::gen::inRange(1000, 50001));
    const End_Estimate a = Estimate_End(full, {0, false}, full[0].minutes * 60.0, chips, players);
    const End_Estimate b = Estimate_End(cut, {0, false}, full[0].minutes * 60.0, chips, players);
    RC_ASSERT(b.last_level == kept - 1);
    if (!a.beyond_schedule && a.level < kept) {
        RC_ASSERT(!b.beyond_schedule);
        RC_ASSERT(b.minutes == a.minutes);
    } else {
        RC_ASSERT(b.beyond_schedule);
        RC_ASSERT(b.level == -1);
    }
}

// A break after the last level with blinds is played like any other, and the
// level after it has none: an end past it is the schedule running out, from
// the last level, from the break and from the level after it alike.
RC_GTEST_PROP(End_Model, TheBreakAfterTheLastLevelWithBlindsIsPlayedAndTheEndPastItRunsOut, ())
{
    Plan plan = Any_Plan(*rc::gen::arbitrary<bool>());
    int last = 0;
    while (last + 1 < Level_Count && plan[last + 1].big_blind > 0)
        ++last;
    RC_PRE(last + 1 < Level_Count);
    plan[last].break_minutes = *rc::gen::element(5, 60, 120);
    const int players = *rc::gen::inRange(2, 151);
    const double chips = players * double(*rc::gen::inRange(1000, 50001));
    const End_Estimate level = Estimate_End(plan, {last, false}, plan[last].minutes * 60.0, chips, players);
    const End_Estimate in_break = Estimate_End(plan, {last, true}, plan[last].break_minutes * 60.0, chips, players);
    const End_Estimate after = Estimate_End(plan, {last + 1, false}, plan[last + 1].minutes * 60.0, chips, players);
    RC_ASSERT(in_break.beyond_schedule);
    // Within half a minute: past the break the first repeat of the last level
    // runs the next level's length, and the model steps through it minute by minute.
    RC_ASSERT(std::fabs(in_break.minutes - std::min(End_Model::Longest_Minutes, plan[last].break_minutes + after.minutes)) < 0.5);
    // From the last level the break adds its minutes to an end past it.
    Plan without = plan;
    without[last].break_minutes = 0;
    const End_Estimate no_break = Estimate_End(without, {last, false}, plan[last].minutes * 60.0, chips, players);
    RC_ASSERT(level.beyond_schedule == no_break.beyond_schedule);
    if (no_break.beyond_schedule && no_break.minutes + plan[last].break_minutes < End_Model::Longest_Minutes)
        RC_ASSERT(std::fabs(level.minutes - (no_break.minutes + plan[last].break_minutes)) < 0.5);
}

// The schedule is said to run out only past its last level with blinds, never
// two days on while the blinds still rise (dinner breaks of hours each).
RC_GTEST_PROP(End_Model, AnEndIsPastTheScheduleOnlyAfterItsLastLevel, ())
{
    Plan plan = Any_Plan(false);
    const bool dinners = *rc::gen::arbitrary<bool>();
    if (dinners) // twenty rising levels, each followed by three hours
        for (int k = 0; k < Level_Count; ++k) {
            plan[k].big_blind = 2 << k;
            plan[k].small_blind = 1 << k;
            plan[k].break_minutes = Max_Break_Minutes;
        }
    const int players = *rc::gen::inRange(2, 151);
    const double chips = players * double(dinners ? 1000000000 : *rc::gen::inRange(1000, 50001));
    const End_Estimate e = Estimate_End(plan, {0, false}, plan[0].minutes * 60.0, chips, players);
    double to_last = 0;
    for (int k = 0; k <= e.last_level; ++k)
        to_last += plan[k].minutes + (k < e.last_level ? plan[k].break_minutes : 0);
    RC_ASSERT(!e.known || !e.beyond_schedule || e.minutes >= to_last);
}

RC_GTEST_PROP(End_Model, TheEndReadsToTheMinuteWithItsDayWhenFar, ())
{
    const QDateTime now(QDate(2026, 12, 4).addDays(*rc::gen::inRange(0, 7)),
                        QTime(0, 0).addSecs(*rc::gen::inRange(0, 86400)));
    const double minutes = *rc::gen::inRange(0, 72 * 60 * 10) / 10.0;
    const QDateTime end = End_Time(now, minutes);
    RC_ASSERT(end.time().second() == 0);
    RC_ASSERT(std::fabs(now.secsTo(end) - minutes * 60) <= 30 + 1e-6);
    const QString text = End_Text(now, end);
    const bool far = now.secsTo(end) >= 12 * 3600;
    RC_ASSERT(text.startsWith(QLocale().toString(end, QStringLiteral("ddd")) + QLatin1Char(' ')) == far);
    RC_ASSERT(text.endsWith(QLocale().toString(end.time(), QLocale().timeFormat(QLocale::ShortFormat).remove(QStringLiteral(":ss")))));
}

// Three home evenings by the model, beside what such evenings usually take
// (the README's table): 20-minute levels from 25/50 rising to 10000/20000, a
// 10-minute break every four levels, 10000 chips each.
TEST(End_Model, TypicalHomeEveningsTakeWhatTheReadmeSays)
{
    const int small[Level_Count] = {25,   50,   75,   100,  150,  200,  300,  400,  500,  600,
                                    800,  1000, 1500, 2000, 3000, 4000, 5000, 6000, 8000, 10000};
    struct Evening {
        int players;
        bool antes;          // a big-blind ante from level 5
        int model_minutes;   // as the README gives it
        double usual_low, usual_high; // hours such evenings usually take
    };
    const Evening evenings[] = {{10, false, 231, 3, 4.5}, {27, true, 289, 4, 5.5}, {60, true, 342, 5, 7}};
    for (const Evening& e : evenings) {
        Plan plan(Level_Count);
        for (int k = 0; k < Level_Count; ++k) {
            plan[k].small_blind = small[k];
            plan[k].big_blind = 2 * small[k];
            plan[k].ante = e.antes && k >= 4 ? 2 * small[k] : 0;
            plan[k].break_minutes = k % 4 == 3 ? 10 : 0;
        }
        const End_Estimate end = Estimate_End(plan, {0, false}, 20 * 60, e.players * 10000.0, e.players);
        EXPECT_NEAR(end.minutes, e.model_minutes, 1) << e.players;
        EXPECT_GE(end.minutes, e.usual_low * 60) << e.players;
        EXPECT_LE(end.minutes, e.usual_high * 60) << e.players;
    }
}

// The facts every screen shows: with the clock stopped the end moves on with
// the time of day.
TEST(End_Model, TheEndOnEveryScreenMovesOnWhileTheClockIsStopped)
{
    CTourney t;
    t.Total = 10;
    for (int i = 0; i < 10; ++i)
        qstrncpy(t.Players[i].Name, QStringLiteral("P%1,X").arg(i).toLatin1().constData(), sizeof t.Players[i].Name);
    for (CChips& c : t.Chips)
        c.Quanity = 0;
    t.Chips[0].Value = 25;
    t.Chips[0].Quanity = 400;
    for (int k = 0; k < Level_Count; ++k)
        t.Blinds[k] = CBlindLevel{static_cast<int32_t>(50 * std::pow(1.5, k)), static_cast<int32_t>(25 * std::pow(1.5, k))};
    Clock_Reading stopped;
    stopped.level = 2;
    stopped.minutes = 7;
    stopped.paused = true;
    const QDateTime eight(QDate(2026, 12, 5), QTime(20, 0));
    const Display_Facts a = Gather_Display_Facts(t, stopped, eight);
    const Display_Facts b = Gather_Display_Facts(t, stopped, eight.addSecs(25 * 60));
    ASSERT_TRUE(a.has_estimated_end);
    EXPECT_EQ(a.estimated_end.secsTo(b.estimated_end), 25 * 60);
    EXPECT_EQ(a.estimated_end_text, End_Text(eight, a.estimated_end));
    EXPECT_TRUE(a.end_note.isEmpty());
}

} // namespace
