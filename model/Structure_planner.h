#pragma once
// The planner that fills the twenty levels so that the night ends when the
// host wants, by the end model of End_model.h.
#include "model/End_model.h"
#include "model/Structure.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

class CTourney;

// The tournament's schedule, each level with its own length or the given one.
Plan Plan_Of(const CTourney& t, int tourney_minutes);

// The players left at a big blind by the model's usual depth, and their
// average stack in big blinds (the planner's chart).
int Projected_Players(double chips, int players_at_start, double big_blind);
double Average_Depth(double chips, int players_at_start, double big_blind);

// The step from one level's big blind to the next that the planner keeps to:
// the round amounts allow no narrower range (4 to 5 is 1.25, 2.5 to 4 is
// 1.6). A step outside it, where the chips allow no other, is warned.
constexpr double Lowest_Step = 1.25;
constexpr double Highest_Step = 1.6;
// A start of 50 to 200 big blinds is usual; the planner warns outside it.
constexpr double Least_Start_Depth = 50;
constexpr double Most_Start_Depth = 200;

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
    double antes_save = 0;       // minutes the antes take off the night (0 without antes)
};

// Fills twenty levels: round big blinds in the chips in play (the small
// blind half of it), a step of Lowest_Step to Highest_Step or a warning,
// colour-ups at breaks, a warning for a start outside 50 to 200 big blinds.
Planned_Structure Plan_Structure(const Planner_Input& input);

// The usual chips for a smallest one, as hosts own them (25: 25, 100, 500,
// 1000, 5000; 100: 100, 500, 1000, 5000, 25000); each a whole number of the
// one before, so every colour-up comes out even.
QVector<int> Usual_Chips(int smallest);
// The nearest round amount (1, 1.5, 2, 2.5, 3, 4, 5, 6, 7.5, 8 times a power of
// ten) that is a whole number of unit chips, at least one.
int64_t Round_Amount(double wanted, int unit);
