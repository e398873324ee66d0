#include "model/Structure_planner.h"

#include "model/Tourney.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int64_t Most_Amount = 1'000'000'000;
const double Round_Steps[] = {1, 1.5, 2, 2.5, 3, 4, 5, 6, 7.5, 8};

// Every round amount that is a whole number of unit chips, ascending.
QVector<int64_t> Round_Amounts(int unit)
{
    QVector<int64_t> out{unit};
    for (int64_t power = 1; power <= Most_Amount; power *= 10)
        for (double step : Round_Steps) {
            const double x = step * static_cast<double>(power);
            if (x != std::floor(x) || x > static_cast<double>(Most_Amount))
                continue;
            const auto v = static_cast<int64_t>(x);
            if (v > unit && v % unit == 0)
                out << v;
        }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// The amount nearest by ratio: of the two around the wanted one, the one
// whose ratio to it is smaller.
int64_t Nearest(const QVector<int64_t>& amounts, double wanted)
{
    const auto it = std::lower_bound(amounts.begin(), amounts.end(), wanted,
                                     [](int64_t v, double w) { return static_cast<double>(v) < w; });
    if (it == amounts.begin())
        return amounts.front();
    if (it == amounts.end())
        return amounts.back();
    const double above = static_cast<double>(*it), below = static_cast<double>(*(it - 1));
    return above / wanted < wanted / below ? *it : *(it - 1);
}

// The round amounts a big blind may take: each is two small blinds of whole
// unit chips, and so is the first of them even when it is not round.
QVector<int64_t> Big_Amounts(int unit)
{
    QVector<int64_t> out{2 * static_cast<int64_t>(unit)};
    for (int64_t v : Round_Amounts(unit))
        if (v > 2 * unit && v % (2 * unit) == 0)
            out << v;
    return out;
}

// The big blind after `previous`: a step of Lowest_Step to Highest_Step that
// is nearest the wanted amount; where the chips allow none, the least above.
int64_t Next_Big(const QVector<int64_t>& bigs, int64_t previous, double wanted)
{
    int64_t best = 0;
    double best_gap = std::numeric_limits<double>::max();
    for (int64_t v : bigs) {
        const double step = static_cast<double>(v) / static_cast<double>(previous);
        if (step < Lowest_Step - 1e-9)
            continue;
        if (step > Highest_Step + 1e-9)
            break;
        const double gap = std::fabs(std::log(static_cast<double>(v) / wanted));
        if (gap < best_gap) {
            best_gap = gap;
            best = v;
        }
    }
    if (best > 0)
        return best;
    const auto it = std::upper_bound(bigs.begin(), bigs.end(), previous);
    return it == bigs.end() ? std::max(previous, bigs.back()) : *it;
}

QString Hours_Text(double minutes)
{
    const int m = static_cast<int>(std::lround(minutes));
    return QStringLiteral("%1 h %2 min").arg(m / 60).arg(m % 60, 2, 10, QLatin1Char('0'));
}

struct Chip_Units {
    QVector<int> values;                 // ascending
    QVector<QVector<int64_t>> amounts;   // the round amounts of each
    QVector<QVector<int64_t>> bigs;      // the big blinds of each
};

Chip_Units Units_Of(const Planner_Input& in)
{
    QVector<int> chips = in.chips.isEmpty() ? Usual_Chips(in.smallest_chip) : in.chips;
    chips.erase(std::remove_if(chips.begin(), chips.end(), [](int c) { return c <= 0 || c > Most_Amount; }),
                chips.end());
    if (chips.isEmpty())
        chips = Usual_Chips(std::max(1, in.smallest_chip));
    std::sort(chips.begin(), chips.end());
    chips.erase(std::unique(chips.begin(), chips.end()), chips.end());
    Chip_Units u;
    u.values = chips;
    for (int c : chips) {
        u.amounts << Round_Amounts(c);
        u.bigs << Big_Amounts(c);
    }
    return u;
}

// The schedule for a first big blind and a step; the levels' lengths,
// breaks and antes follow the input. The smallest chip goes at a break once
// the next level's small blind is three of the next chip: that level is
// then built of the bigger chips.
Plan Build(const Planner_Input& in, const Chip_Units& units, int64_t first_big, double step)
{
    const int block = in.break_every > 0 ? in.break_every : 4;
    const int ante_from = in.break_every > 0 && in.break_every < Level_Count ? in.break_every : 3;
    Plan plan(Level_Count);
    int unit = 0;
    int64_t big = 0, ante = 0;
    auto wanted = [&](int k) { return std::min(static_cast<double>(first_big) * std::pow(step, k), 2e9); };
    auto next_big = [&](int k) {
        return k == 0 ? Nearest(units.bigs[unit], wanted(0)) : Next_Big(units.bigs[unit], big, wanted(k));
    };
    int64_t coming = next_big(0);
    for (int k = 0; k < Level_Count; ++k) {
        big = std::min<int64_t>(coming, Most_Amount);
        Plan_Level& lv = plan[k];
        lv.ante_kind = in.ante_kind;
        lv.big_blind = static_cast<int32_t>(big);
        lv.small_blind = static_cast<int32_t>(big / 2);
        if (in.antes && k >= ante_from) {
            const QVector<int64_t>& amounts = units.amounts[unit];
            const int64_t due = in.ante_kind == Ante_Kind::Big_Blind ? big : Nearest(amounts, big / 8.0);
            // An ante never falls, and after a colour-up it is paid in the chips left.
            if (ante % units.values[unit] != 0) {
                const auto it = std::lower_bound(amounts.begin(), amounts.end(), ante);
                ante = it == amounts.end() ? amounts.back() : *it;
            }
            ante = std::max(ante, due);
            lv.ante = static_cast<int32_t>(ante);
        }
        const int growth = in.growing ? 5 * (k / block) : 0;
        lv.minutes = std::clamp(in.level_minutes + growth, Min_Level_Minutes, Max_Level_Minutes);
        if (k + 1 == Level_Count)
            break;
        coming = next_big(k + 1);
        const bool pause = in.break_every > 0 && (k + 1) % in.break_every == 0;
        if (!pause)
            continue;
        lv.break_minutes = std::clamp(in.break_minutes, 1, Max_Break_Minutes);
        QStringList gone;
        while (unit + 1 < units.values.size() && coming / 2 >= 3 * static_cast<int64_t>(units.values[unit + 1])) {
            gone << QString::number(units.values[unit]) + QLatin1Char('s');
            ++unit;
            coming = next_big(k + 1);
            // Rounded to the bigger chips it must still be three of them.
            const int64_t least = 6 * static_cast<int64_t>(units.values[unit]);
            if (coming < least) {
                const auto it = std::lower_bound(units.bigs[unit].begin(), units.bigs[unit].end(), least);
                coming = it == units.bigs[unit].end() ? units.bigs[unit].back() : *it;
            }
        }
        if (!gone.isEmpty())
            lv.break_note = QStringLiteral("Colour up the %1").arg(gone.join(QStringLiteral(" and the ")));
    }
    return plan;
}

// The steps outside the planner's range, by level (0-based).
QVector<int> Odd_Steps(const Plan& plan)
{
    QVector<int> odd;
    for (int k = 1; k < plan.size(); ++k) {
        if (plan[k - 1].big_blind <= 0)
            break;
        const double step = static_cast<double>(plan[k].big_blind) / plan[k - 1].big_blind;
        if (step < Lowest_Step - 1e-9 || step > Highest_Step + 1e-9)
            odd << k;
    }
    return odd;
}

// How far a start lies outside the usual depth, as a ratio's logarithm.
double Start_Off(double depth)
{
    return std::max({0.0, std::log(Least_Start_Depth / depth), std::log(depth / Most_Start_Depth)});
}

} // namespace

int64_t Round_Amount(double wanted, int unit)
{
    return Nearest(Round_Amounts(std::clamp(unit, 1, static_cast<int>(Most_Amount))), wanted);
}

QVector<int> Usual_Chips(int smallest)
{
    // The sets hosts own, by their smallest chip.
    static const QVector<QVector<int>> Sets = {
        {1, 5, 25, 100, 500},          {5, 25, 100, 500, 1000},          {10, 50, 100, 500, 1000},
        {25, 100, 500, 1000, 5000},    {50, 100, 500, 1000, 5000},       {100, 500, 1000, 5000, 25000},
        {500, 1000, 5000, 25000, 100000}, {1000, 5000, 25000, 100000, 500000}};
    const int c = std::clamp(smallest, 1, 1'000'000);
    for (const QVector<int>& set : Sets)
        if (set.front() == c)
            return set;
    // Any other smallest chip: the usual chips above it that are whole
    // numbers of it, each at least twice the one before; five times the
    // last where the usual ones run out.
    static const int Usual[] = {5, 10, 25, 50, 100, 500, 1000, 5000, 10000, 25000, 100000, 500000, 1000000};
    QVector<int> set{c};
    for (int u : Usual)
        if (set.size() < 5 && u >= 2 * set.back() && u % set.back() == 0)
            set << u;
    while (set.size() < 5)
        set << (set.back() <= 200'000'000 ? 5 * set.back() : set.back() + 1);
    return set;
}

Plan Plan_Of(const CTourney& t, int tourney_minutes)
{
    Plan plan(Level_Count);
    for (int k = 0; k < Level_Count; ++k) {
        Plan_Level& lv = plan[k];
        lv.small_blind = t.Blinds[k].SB;
        lv.big_blind = t.Blinds[k].BB;
        lv.ante = t.Structure.Ante(k);
        lv.ante_kind = t.Structure.Ante_Type;
        lv.minutes = t.Structure.Level_Minutes(k, tourney_minutes);
        if (t.Structure.Break_After(k)) {
            lv.break_minutes = t.Structure.Levels[k].Break_Minutes;
            lv.break_note = t.Structure.Levels[k].Break_Note;
        }
    }
    return plan;
}

int Projected_Players(double chips, int players_at_start, double big_blind)
{
    if (players_at_start <= 2 || big_blind <= 0)
        return players_at_start;
    const double held = chips / (End_Model::Field_Depth * big_blind);
    return static_cast<int>(std::clamp(std::floor(held), 2.0, static_cast<double>(players_at_start)));
}

double Average_Depth(double chips, int players_at_start, double big_blind)
{
    if (players_at_start < 1 || big_blind <= 0)
        return 0;
    // The field shrinks smoothly here, so the chart has no steps of rounding.
    const double floor = std::min(2.0, static_cast<double>(players_at_start));
    const double players = std::clamp(chips / (End_Model::Field_Depth * big_blind), floor,
                                      static_cast<double>(players_at_start));
    return chips / (players * big_blind);
}

Planned_Structure Plan_Structure(const Planner_Input& raw)
{
    Planner_Input in = raw;
    in.players = std::clamp(in.players, 2, 1000);
    in.starting_stack = std::clamp(in.starting_stack, 1, 10'000'000);
    in.wanted_minutes = std::clamp(in.wanted_minutes, 30, 24 * 60);
    in.level_minutes = std::clamp(in.level_minutes, Min_Level_Minutes, Max_Level_Minutes);
    in.break_every = std::clamp(in.break_every, 0, Level_Count);
    const Chip_Units units = Units_Of(in);
    const double chips = static_cast<double>(in.players) * in.starting_stack;
    const double wanted = in.wanted_minutes;

    Planned_Structure best;
    double best_score = std::numeric_limits<double>::max();
    const QVector<int64_t>& firsts = units.bigs.front();
    for (int64_t first : firsts) {
        const double depth = in.starting_stack / static_cast<double>(first);
        if (depth > 400)
            continue;
        if (depth < 10 && first != firsts.front())
            break;
        for (double step = Lowest_Step; step <= Highest_Step + 1e-9; step += 0.025) {
            Plan plan = Build(in, units, first, step);
            const End_Estimate end = Estimate_End(plan, {0, false}, plan[0].minutes * 60.0, chips, in.players);
            if (!end.known)
                continue;
            const double score = std::fabs(end.minutes - wanted) / wanted + 0.04 * std::fabs(std::log(depth / 100))
                                 + 0.3 * Start_Off(depth) + 0.05 * Odd_Steps(plan).size()
                                 + (end.beyond_schedule ? 1.0 : 0.0);
            if (score < best_score) {
                best_score = score;
                best.levels = plan;
                best.end = end;
            }
        }
    }
    if (best.levels.isEmpty()) {
        best.levels = Build(in, units, firsts.front(), 1.5);
        best.end = Estimate_End(best.levels, {0, false}, best.levels[0].minutes * 60.0, chips, in.players);
    }
    best.ante_kind = in.ante_kind;
    // What the antes are worth: the same levels without them.
    Plan bare = best.levels;
    for (Plan_Level& lv : bare)
        lv.ante = 0;
    const End_Estimate slower = Estimate_End(bare, {0, false}, bare[0].minutes * 60.0, chips, in.players);
    if (!best.end.beyond_schedule && slower.known)
        best.antes_save = std::max(0.0, slower.minutes - best.end.minutes);
    for (const Plan_Level& lv : best.levels)
        best.depth << Average_Depth(chips, in.players, lv.big_blind);

    for (int k : Odd_Steps(best.levels)) {
        const double step = static_cast<double>(best.levels[k].big_blind) / best.levels[k - 1].big_blind;
        best.warnings << (step > Highest_Step ? QStringLiteral("Level %1: the blinds go up %2 times at once.")
                                              : QStringLiteral("Level %1: the blinds go up only %2 times."))
                             .arg(k + 1)
                             .arg(step, 0, 'g', 3);
    }
    const double start_depth = in.starting_stack / static_cast<double>(best.levels[0].big_blind);
    if (Start_Off(start_depth) > 0)
        best.warnings << QStringLiteral("The starting stack is %1 big blinds: %2 to %3 is usual.")
                             .arg(start_depth, 0, 'g', 3)
                             .arg(Least_Start_Depth)
                             .arg(Most_Start_Depth);
    if (best.end.beyond_schedule)
        best.warnings << Runs_Out_Text(best.end.last_level);
    if (best.end.minutes > wanted * 1.15)
        best.warnings << QStringLiteral("The night runs past the wanted length: about %1 instead of %2.")
                             .arg(Hours_Text(best.end.minutes), Hours_Text(wanted));
    else if (best.end.minutes < wanted * 0.85)
        best.warnings << QStringLiteral("The night ends well before the wanted length: about %1 instead of %2.")
                             .arg(Hours_Text(best.end.minutes), Hours_Text(wanted));
    return best;
}
