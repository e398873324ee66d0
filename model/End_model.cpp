#include "model/End_model.h"

#include <QLocale>
#include <QTimeZone>
#include <algorithm>
#include <cmath>

double Effective_Big_Blind(const Plan_Level& level, double seated)
{
    const double big = level.big_blind;
    if (big <= 0)
        return 0;
    const double small = level.small_blind > 0 ? level.small_blind : big / 2;
    const double antes = level.ante_kind == Ante_Kind::Per_Player ? level.ante * std::max(1.0, seated) : level.ante;
    return (small + big + std::max(0.0, antes)) / 1.5;
}

namespace {

// Plays `minutes` of one level with p players left; the minutes until one
// is left, or a negative number when they run out first.
double Play_Level(const Plan_Level& level, double chips, double& players, double minutes)
{
    using namespace End_Model;
    double t = 0;
    while (t < minutes) {
        const double dt = std::min(1.0, minutes - t);
        const double tables = std::max(1.0, std::ceil(players / Table_Seats - 1e-9));
        const double big = Effective_Big_Blind(level, players / tables);
        if (big <= 0)
            return -1;
        const double depth = chips / (players * big);
        const double per_knockout = Knockout_Minutes * std::max(1.0, depth / Field_Depth);
        const double rate = tables / per_knockout;
        if (players - rate * dt <= 1) {
            const double needed = (players - 1) / rate;
            players = 1;
            return t + needed;
        }
        // A step ends where a table breaks up: past it the field plays at
        // one table fewer, so a bigger field never overtakes a smaller one.
        const double table_breaks = (tables - 1) * Table_Seats;
        if (tables > 1 && players - rate * dt < table_breaks) {
            t += (players - table_breaks) / rate;
            players = table_breaks;
            continue;
        }
        players -= rate * dt;
        t += dt;
    }
    return -1;
}

} // namespace

End_Estimate Estimate_End(const Plan& plan, Clock_Position from, double seconds_left, double chips, int players_left)
{
    End_Estimate e;
    if (plan.isEmpty() || chips <= 0 || players_left < 1 || from.level < 0 || from.level >= plan.size())
        return e;
    int last = -1;
    while (last + 1 < plan.size() && plan[last + 1].big_blind > 0)
        ++last;
    if (last < 0)
        return e;
    e.known = true;
    e.last_level = last;
    e.level = from.level;
    if (players_left == 1)
        return e;
    double players = players_left;
    double elapsed = 0;
    double left = std::max(0.0, seconds_left) / 60.0;
    Clock_Position p = from;
    bool beyond = p.level > last;
    while (elapsed < End_Model::Longest_Minutes) {
        if (!p.on_break) {
            const double done = Play_Level(plan[std::min(p.level, last)], chips, players, left);
            if (done >= 0 && elapsed + done < End_Model::Longest_Minutes) {
                e.minutes = elapsed + done;
                e.level = beyond ? -1 : p.level;
                e.beyond_schedule = beyond;
                return e;
            }
        }
        elapsed += left;
        // The clock walks the breaks as they are set, the one after the last
        // level with blinds too; past that level it plays it again and again.
        if (beyond) {
            p = {last, false};
        } else if (!p.on_break && plan[p.level].break_minutes > 0 && p.level + 1 < plan.size()) {
            p = {p.level, true};
        } else if (p.level >= last) {
            beyond = true;
            p = {last, false};
        } else {
            p = {p.level + 1, false};
        }
        left = p.on_break ? plan[p.level].break_minutes : plan[p.level].minutes;
        if (left <= 0 && !p.on_break)
            left = 1; // a level of no length still passes
    }
    // Two days on: past the schedule the end never comes; inside it (dinner
    // breaks of hours each) no end is worth giving.
    e.minutes = End_Model::Longest_Minutes;
    e.level = -1;
    e.beyond_schedule = beyond;
    e.known = beyond;
    return e;
}

QString Runs_Out_Text(int last_level)
{
    return QStringLiteral("the blinds stop rising at level %1: add levels").arg(last_level + 1);
}

QDateTime End_Time(const QDateTime& now, double minutes)
{
    const double end_ms = static_cast<double>(now.toMSecsSinceEpoch()) + std::clamp(minutes, 0.0, 1e7) * 60000.0;
    const qint64 whole_minutes = std::llround(end_ms / 60000.0);
    return QDateTime::fromMSecsSinceEpoch(whole_minutes * 60000, now.timeZone());
}

QString End_Text(const QDateTime& now, const QDateTime& end)
{
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    format.remove(QStringLiteral(":ss"));
    const QString time = QLocale().toString(end.time(), format);
    if (now.secsTo(end) < 12 * 3600)
        return time;
    return QLocale().toString(end, QStringLiteral("ddd")) + QLatin1Char(' ') + time;
}
