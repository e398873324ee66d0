#pragma once
// Table balancing: after knock-outs the tables are evened out by moving the
// fewest players, so that the numbers of players still in at any two tables
// differ by at most one. When the players left fit at one table fewer (at
// most as many per table as the fullest table has now), the highest-numbered
// table is broken, and again while they fit. Each moved player takes the
// lowest free seat of the table that is shortest at that moment. Players out
// (a finishing place) neither count nor move; they keep their seat in the
// record (the seating report lists them), so a moved player never takes it.
// No windows here; the seating dialog applies the moves.
#include <QString>
#include <vector>

struct Balance_Seat {
    int Table = 0; // 0-based; outside 0 to 9 the player is left alone
    int Seat = 0;  // 0-based
    bool In = true;
};

struct Balance_Move {
    int Entry;      // index into the entries given
    int From_Table; // all 0-based
    int From_Seat;
    int To_Table;
    int To_Seat;
};

// Players still in per table, ten counts.
std::vector<int> Table_Sizes(const std::vector<Balance_Seat>& entries);
// Two tables with players differ by two or more.
bool Tables_Uneven(const std::vector<Balance_Seat>& entries);
// The moves, in the order to announce them; none when the tables are even.
std::vector<Balance_Move> Balance_Tables(const std::vector<Balance_Seat>& entries);
// "Ann,Lee: table 3 seat 2 → table 1 seat 7" (numbers counted from 1).
QString Balance_Move_Text(const QString& name, const Balance_Move& move);
