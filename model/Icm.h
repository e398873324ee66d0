#pragma once
// Splitting what is left of a prize pool among the players still in:
// the independent chip model (Malmuth-Harville: the chance of finishing
// first is one's share of the chips, and so on down among those left),
// exact for up to Icm_Most_Players players, and the plain chip chop.
#include <QVector>

constexpr int Icm_Most_Players = 10;

// Each player's expected prize. stacks: chips per player (each above 0);
// prizes: for places 1, 2, ... (more prizes than players: the extra ones are
// paid to nobody; fewer: the lower places get nothing). Empty when there are
// no players, more than Icm_Most_Players, or a stack is not above 0.
QVector<double> Icm_Values(const QVector<double>& stacks, const QVector<double>& prizes);

// The prizes' sum shared by the chips.
QVector<double> Chip_Chop_Values(const QVector<double>& stacks, const QVector<double>& prizes);
