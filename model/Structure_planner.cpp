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

int64_t Above(const QVector<int64_t>& amounts, int64_t floor)
{
    const auto it = std::upper_bound(amounts.begin(), amounts.end(), floor);
    return it == amounts.end() ? amounts.back() : *it;
}

QString Hours_Text(double minutes)
{
    const int m = static_cast<int>(std::lround(minutes));
    return QStringLiteral("%1 h %2 min").arg(m / 60).arg(m % 60, 2, 10, QLatin1Char('0'));
}

struct Chip_Units {
    QVector<int> values;                 // ascending
    QVector<QVector<int64_t>> amounts;   // the round amounts of each
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
    for (int c : chips)
        u.amounts << Round_Amounts(c);
    return u;
}

// The schedule for a first small blind and a step; the levels' lengths,
// breaks and antes follow the input.
Plan Build(const Planner_Input& in, const Chip_Units& units, int64_t first_small, double step)
{
    const int block = in.break_every > 0 ? in.break_every : 4;
    const int ante_from = in.break_every > 0 && in.break_every < Level_Count ? in.break_every : 3;
    Plan plan(Level_Count);
    int unit = 0;
    int64_t small = 0, ante = 0;
    for (int k = 0; k < Level_Count; ++k) {
        const QVector<int64_t>& amounts = units.amounts[unit];
        const double wanted = std::min(static_cast<double>(first_small) * std::pow(step, k), 1e9);
        int64_t next = std::max(Nearest(amounts, wanted), amounts.front());
        if (next <= small)
            next = Above(amounts, small);
        small = std::max(small, next);
        Plan_Level& lv = plan[k];
        lv.ante_kind = in.ante_kind;
        lv.small_blind = static_cast<int32_t>(small);
        lv.big_blind = static_cast<int32_t>(std::min<int64_t>(2 * small, 2 * Most_Amount));
        if (in.antes && k >= ante_from) {
            const int64_t due = in.ante_kind == Ante_Kind::Big_Blind ? lv.big_blind : Nearest(amounts, lv.big_blind / 8.0);
            ante = std::max(ante, due);
            lv.ante = static_cast<int32_t>(ante);
        }
        const int growth = in.growing ? 5 * (k / block) : 0;
        lv.minutes = std::clamp(in.level_minutes + growth, Min_Level_Minutes, Max_Level_Minutes);
        const bool pause = in.break_every > 0 && (k + 1) % in.break_every == 0 && k + 1 < Level_Count;
        if (!pause)
            continue;
        lv.break_minutes = std::clamp(in.break_minutes, 1, Max_Break_Minutes);
        // The smallest chip goes once the next level needs only bigger ones.
        const double coming = static_cast<double>(first_small) * std::pow(step, k + 1);
        if (unit + 1 < units.values.size() && coming >= 3.0 * units.values[unit + 1]) {
            lv.break_note = QStringLiteral("Colour up the %1s").arg(units.values[unit]);
            ++unit;
        }
    }
    return plan;
}

double Biggest_Step(const Plan& plan, int through)
{
    double most = 1;
    for (int k = 1; k <= through && k < plan.size(); ++k)
        if (plan[k - 1].big_blind > 0)
            most = std::max(most, static_cast<double>(plan[k].big_blind) / plan[k - 1].big_blind);
    return most;
}

} // namespace

int64_t Round_Amount(double wanted, int unit)
{
    return Nearest(Round_Amounts(std::clamp(unit, 1, static_cast<int>(Most_Amount))), wanted);
}

QVector<int> Usual_Chips(int smallest)
{
    const int c = std::clamp(smallest, 1, 1'000'000);
    return {c, 4 * c, 20 * c, 40 * c, 200 * c};
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
    for (int64_t first : units.amounts.front()) {
        const double depth = in.starting_stack / (2.0 * static_cast<double>(first));
        if (depth > 400)
            continue;
        if (depth < 10 && first != units.amounts.front().front())
            break;
        for (double step = 1.25; step <= 1.7501; step += 0.025) {
            Plan plan = Build(in, units, first, step);
            const End_Estimate end = Estimate_End(plan, {0, false}, plan[0].minutes * 60.0, chips, in.players);
            if (!end.known)
                continue;
            const int through = end.level >= 0 ? end.level : Level_Count - 1;
            const double score = std::fabs(end.minutes - wanted) / wanted + 0.04 * std::fabs(std::log(depth / 100))
                                 + 0.3 * std::max(0.0, step - 1.6) + 0.3 * std::max(0.0, 1.3 - step)
                                 + 0.1 * std::max(0.0, Biggest_Step(plan, through) - 2.0)
                                 + (end.beyond_schedule ? 1.0 : 0.0);
            if (score < best_score) {
                best_score = score;
                best.levels = plan;
                best.end = end;
            }
        }
    }
    if (best.levels.isEmpty()) {
        best.levels = Build(in, units, units.amounts.front().front(), 1.5);
        best.end = Estimate_End(best.levels, {0, false}, best.levels[0].minutes * 60.0, chips, in.players);
    }
    best.ante_kind = in.ante_kind;
    for (const Plan_Level& lv : best.levels)
        best.depth << Average_Depth(chips, in.players, lv.big_blind);

    const int through = best.end.level >= 0 ? best.end.level : Level_Count - 1;
    for (int k = 1; k <= through; ++k) {
        const double step = static_cast<double>(best.levels[k].big_blind) / best.levels[k - 1].big_blind;
        if (step > 2.0)
            best.warnings << QStringLiteral("Level %1: the blinds go up %2 times at once.")
                                 .arg(k + 1)
                                 .arg(step, 0, 'g', 2);
    }
    if (in.starting_stack < 30 * best.levels[0].big_blind)
        best.warnings << QStringLiteral("The starting stack is only %1 big blinds.")
                             .arg(in.starting_stack / best.levels[0].big_blind);
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
