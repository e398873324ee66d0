#include "model/Display_facts.h"

#include "model/Money.h"
#include "model/Tourney.h"

#include <algorithm>

Display_Facts Gather_Display_Facts(const CTourney& t, const Clock_Reading& clock, const QTime& now)
{
    Display_Facts d;
    // The record's name is its file name: the room sees it without ".trn".
    d.name = t.Name;
    if (d.name.endsWith(QLatin1String(".trn"), Qt::CaseInsensitive))
        d.name.chop(4);
    d.time_of_day = now;
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
    d.prize_pool = t.Prize_Total;
    const QVector<double> rounded = Rounded_Payouts(t);
    for (int i = 0; i < Prize_Count && t.Prize[i] > 0; ++i)
        d.payouts << rounded[i];
    d.currency = Shown_Currency(t.Money.Settings);
    // ---- end of money ----
    return d;
}
