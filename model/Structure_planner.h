#pragma once
// When will the night end? The model that answers it, and the planner that
// fills the twenty levels so that it ends when the host wants.
//
// The model (the README tells it too): the chips in play C stay the same all
// night. As the blinds rise the field shrinks, the players left keeping about
// Field_Depth big blinds each; once two are left their average falls, and the
// night is decided at the first level whose big blind brings the average of
// the last two down to Decided_Depth big blinds (a big blind of C / 24), in
// the middle of that level. Breaks take their time and raise nothing. A
// knock-out takes at least Knockout_Minutes, so with n players left the end
// is never nearer than (n - 1) of them. A schedule that runs out first goes on
// with its last step, level by level.
#include "model/Structure.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

class CTourney;

namespace End_Model {
constexpr double Decided_Depth = 12;   // big blinds each of the last two hold
constexpr double Field_Depth = 20;     // big blinds each player left holds on the way
constexpr double Knockout_Minutes = 5; // the least time a knock-out takes
} // namespace End_Model

// One level of a schedule as the model sees it.
struct Plan_Level {
    int32_t small_blind = 0, big_blind = 0, ante = 0;
    int minutes = 20;
    int break_minutes = 0; // after this level
    QString break_note;
};
using Plan = QVector<Plan_Level>;

// The tournament's schedule, each level with its own length or the given one.
Plan Plan_Of(const CTourney& t, int tourney_minutes);

struct End_Estimate {
    bool known = false;
    double minutes = 0;          // from the moment asked
    int level = -1;              // 0-based level it falls in; -1 past the schedule
    bool beyond_schedule = false;
};

// From a place in the schedule with seconds of it left, with these chips in
// play and players left. Unknown without chips or players.
End_Estimate Estimate_End(const Plan& plan, Clock_Position from, double seconds_left, double chips, int players_left);

// The players left at a big blind by the model, and their average stack in
// big blinds.
int Projected_Players(double chips, int players_at_start, double big_blind);
double Average_Depth(double chips, int players_at_start, double big_blind);

struct Planner_Input {
    int players = 10;
    int starting_stack = 10000;
    int smallest_chip = 25;
    QVector<int> chips;          // denominations in play; empty: a usual set from the smallest
    int wanted_minutes = 240;
    int level_minutes = 20;
    bool growing = false;        // each block of levels 5 minutes longer than the one before
    int break_every = 4;         // levels between breaks, 0 = none
    int break_minutes = 10;
    bool antes = true;
    Ante_Kind ante_kind = Ante_Kind::Big_Blind;
};

struct Planned_Structure {
    Plan levels;                 // 20 levels, breaks and notes
    Ante_Kind ante_kind = Ante_Kind::Big_Blind;
    End_Estimate end;            // from the start of level 1
    QVector<double> depth;       // average stack in big blinds at each level
    QStringList warnings;
};

// Fills twenty levels with round amounts in the chips in play, a step of about
// 1.3 to 1.6 from level to level, colour-ups at breaks.
Planned_Structure Plan_Structure(const Planner_Input& input);

// The usual chips for a smallest one (25: 25, 100, 500, 1000, 5000).
QVector<int> Usual_Chips(int smallest);
// The nearest round amount (1, 1.5, 2, 2.5, 3, 4, 5, 6, 7.5, 8 times a power of
// ten) that is a whole number of unit chips, at least one.
int64_t Round_Amount(double wanted, int unit);
