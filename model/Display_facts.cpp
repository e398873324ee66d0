#include "model/Display_facts.h"

#include "model/Money.h"
#include "model/Structure_planner.h"
#include "model/Tourney.h"

#include <algorithm>
#include <cmath>

static void Gather_Structure_Facts(Display_Facts& d, const CTourney& t, const Clock_Reading& clock,
                                   const QDateTime& now, double chips_in_play);

Display_Facts Gather_Display_Facts(const CTourney& t, const Clock_Reading& clock, const QTime& now)
{
    return Gather_Display_Facts(t, clock, QDateTime(QDate::currentDate(), now));
}

Display_Facts Gather_Display_Facts(const CTourney& t, const Clock_Reading& clock, const QDateTime& now)
{
    Display_Facts d;
    // The record's name is its file name: the room sees it without ".trn".
    d.name = t.Name;
    if (d.name.endsWith(QLatin1String(".trn"), Qt::CaseInsensitive))
        d.name.chop(4);
    d.time_of_day = now.time();
    d.time_left = QString::asprintf("%d:%02d", clock.minutes, clock.seconds);
    d.paused = clock.paused;
    d.flashing_red = clock.flashing_red;
    const int level = std::clamp(clock.level, 0, Level_Count - 1);
    d.level = level + 1;
    d.level_count = Level_Count;
    d.small_blind = t.Blinds[level].SB;
    d.big_blind = t.Blinds[level].BB;
    if (level + 1 < Level_Count) {
        const CBlindLevel& next = t.Blinds[level + 1];
        // A level without blinds is an unused one: there is no next level.
        d.has_next = next.SB != 0 || next.BB != 0;
        d.next_small = next.SB;
        d.next_big = next.BB;
    }
    for (int i = level + 2; i < Level_Count && d.later_levels.size() < 4; ++i)
        if (t.Blinds[i].SB != 0 || t.Blinds[i].BB != 0)
            d.later_levels.push_back({i + 1, t.Blinds[i].SB, t.Blinds[i].BB});
    const int entered = std::clamp(t.Total, 0, Max_Entries);
    d.players_entered = entered;
    for (int i = 0; i < entered; ++i)
        if (t.Players[i].Place == 0)
            ++d.players_left;
    // ---- money: every chip in play, the pool, payouts rounded to the unit ----
    const double chips = Chips_In_Play(t);
    d.chips_set = chips > 0 && d.players_left > 0;
    if (d.chips_set)
        d.average_stack = chips / d.players_left;
    d.prize_pool = Pool_Of(t).Value();
    const QVector<Money_Amount> rounded = Rounded_Payouts(t);
    for (int i = 0; i < Prize_Count && t.Prize[i] > 0; ++i)
        d.payouts << rounded[i].Value();
    // After a deal the players in it are paid what they agreed: those
    // amounts are shown instead, largest first.
    QVector<Money_Amount> agreed;
    for (const Entry_Money& m : t.Money.Entries)
        if (m.Has_Deal())
            agreed << m.Deal;
    if (!agreed.isEmpty()) {
        std::sort(agreed.begin(), agreed.end(), std::greater<>());
        d.deal = true;
        d.payouts.clear();
        for (qsizetype i = 0; i < agreed.size() && i < Prize_Count; ++i)
            d.payouts << agreed[i].Value();
    }
    const QString winner = Winner_Of(t);
    if (!winner.isEmpty()) {
        const Entry_Result r = Tourney_Entry_Results(t).value(winner);
        d.winner = QString(winner).replace(QLatin1Char(','), QLatin1Char(' '));
        d.winner_prize = r.Prize.Value();
        d.winner_deal = t.Money.Of(winner).Has_Deal();
    }
    d.currency = Shown_Currency(t.Money.Settings);
    // ---- end of money ----
    Gather_Structure_Facts(d, t, clock, now, chips);
    return d;
}

// ---- the structure: antes, breaks and the estimated end ----
void Gather_Structure_Facts(Display_Facts& d, const CTourney& t, const Clock_Reading& clock, const QDateTime& now,
                            double chips_in_play)
{
    const CStructure& s = t.Structure;
    const int level = std::clamp(clock.level, 0, Level_Count - 1);
    d.on_break = clock.on_break && s.Break_After(level);
    // In a break the room looks at the level that follows it.
    const int shown = d.on_break ? level + 1 : level;
    if (d.on_break) {
        d.break_note = s.Levels[level].Break_Note;
        d.small_blind = t.Blinds[shown].SB;
        d.big_blind = t.Blinds[shown].BB;
        const bool more = shown + 1 < Level_Count;
        d.has_next = more && (t.Blinds[shown + 1].SB != 0 || t.Blinds[shown + 1].BB != 0);
        d.next_small = more ? t.Blinds[shown + 1].SB : 0;
        d.next_big = more ? t.Blinds[shown + 1].BB : 0;
        // Without a note the next panel shows that level: the list starts after it.
        if (d.break_note.isEmpty() && !d.later_levels.isEmpty() && d.later_levels.front().number == shown + 2)
            d.later_levels.removeFirst();
    }
    d.ante = s.Ante(shown);
    d.next_ante = shown + 1 < Level_Count ? s.Ante(shown + 1) : 0;
    d.minutes = s.Level_Minutes(shown, t.Time);
    d.next_minutes = shown + 1 < Level_Count ? s.Level_Minutes(shown + 1, t.Time) : 0;
    d.ante_text = Ante_Caption(s.Ante_Type, d.ante);
    d.next_ante_text = d.has_next ? Ante_Caption(s.Ante_Type, d.next_ante) : QString();
    const End_Estimate end = Estimate_End(Plan_Of(t, t.Time), {level, d.on_break},
                                          clock.minutes * 60.0 + clock.seconds, chips_in_play, d.players_left);
    // The end moves on with the time of day while the clock is stopped: the
    // time left is then the same, and now is later.
    if (!end.known || d.players_left <= 1)
        return;
    if (end.beyond_schedule) {
        d.end_note = Runs_Out_Text(end.last_level);
        return;
    }
    d.has_estimated_end = true;
    d.estimated_end = End_Time(now, end.minutes);
    d.estimated_end_text = End_Text(now, d.estimated_end);
}
