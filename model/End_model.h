#pragma once
// When will the night end? One model answers it for the Action page, the
// players' display, the phone and the planner.
//
// The chips in play C stay the same all night. The field is played down
// table by table: each table loses a player every Knockout_Minutes while its
// players hold Field_Depth big blinds or fewer on average, and more slowly the
// deeper they sit (twice as deep, twice as slow). Tables of Table_Seats play
// side by side, so a big field loses many players at once and only the final
// table's knock-outs come one after another. The big blind counts with what
// goes into every pot: the small blind and the antes (a big-blind ante once
// per table, a per-player ante from every seat), so antes make the play faster.
// Breaks take their time and nobody goes out. The night is over when one
// player is left.
//
// The schedule runs out after the last level with blinds (level 20, or the
// one before an unused level): past level 20 the clock repeats it, and an
// unused level shows no blinds at all. The model plays the break after that
// level, if any, and then the level on and on; an end that falls there is
// said to be past the schedule rather than given as a time.
#include "model/Structure.h"

#include <QDateTime>
#include <QString>
#include <QVector>
#include <cstdint>

namespace End_Model {
constexpr double Knockout_Minutes = 5;   // a table's knock-out at the usual depth, and the least it takes
constexpr double Field_Depth = 10;       // big blinds each player holds on the way
constexpr int Table_Seats = 10;          // players at a full table
constexpr double Decided_Depth = 5;      // a mark on the planner's chart: the last two are that short near the end
constexpr double Longest_Minutes = 48 * 60; // an end further away is never reached
} // namespace End_Model

// One level of a schedule as the model sees it.
struct Plan_Level {
    int32_t small_blind = 0, big_blind = 0, ante = 0;
    Ante_Kind ante_kind = Ante_Kind::Big_Blind;
    int minutes = 20;
    int break_minutes = 0; // after this level
    QString break_note;
};
using Plan = QVector<Plan_Level>;

struct End_Estimate {
    bool known = false;
    double minutes = 0;          // from the moment asked
    int level = -1;              // 0-based level it falls in; -1 past the schedule
    bool beyond_schedule = false; // it falls after the last level with blinds (or never comes)
    int last_level = -1;         // 0-based: the last level with blinds, where they stop rising
};

// What a level's pots cost in big blinds of a table of `seated` players: the
// blinds and the antes of one round, over the one and a half big blinds of
// the blinds alone.
double Effective_Big_Blind(const Plan_Level& level, double seated);

// From a place in the schedule with seconds of it left, with these chips in
// play and players left. Unknown without chips, players or blinds.
End_Estimate Estimate_End(const Plan& plan, Clock_Position from, double seconds_left, double chips, int players_left);

// "the blinds stop rising at level 20: add levels" (level 0-based).
QString Runs_Out_Text(int last_level);

// The end as the room reads it: "23:40" in the Action page's form (the
// locale's short time), with the day ("Sat 01:00") when it is twelve hours
// or more away, so that a far end never reads as a time that wraps.
QString End_Text(const QDateTime& now, const QDateTime& end);
// Now plus the minutes, to the nearest whole minute.
QDateTime End_Time(const QDateTime& now, double minutes);
