#pragma once
// Random seating: the seat counts per table, the program's 32-bit random
// generator and the draw that hands every player a table and a seat. No
// windows here; the seating dialog passes the clock's value as the seed.
#include <QDateTime>
#include <cstdint>
#include <vector>

constexpr int Max_Tables = 10;

// The linear congruential generator of the random seating: a 32-bit state,
// state = state * 22695477 + 1 at every draw, bits 16 to 30 of the new state
// as the result (0 to 32767). Seeding sets the state and makes one draw whose
// result is thrown away.
class Seating_Random {
public:
    explicit Seating_Random(uint32_t seed);
    int Next();
    uint32_t State() const { return state_; }

private:
    uint32_t state_;
};

// The seed for a press of "Random": the local date and time counted in whole
// seconds since 1 January 1970 (the low 32 bits), so two presses within the
// same second draw the same seating.
uint32_t Seating_Seed(const QDateTime& local_now);

// Seats per table for players at tables (tables is taken as 1 to 10): every
// table gets players / tables, and the first players % tables tables one more.
// The result has one count per table.
std::vector<int> Table_Capacities(int players, int tables);

struct Seat_Assignment {
    int Table; // 0-based
    int Seat;  // 0-based
};

// A number from 0 to n - 1 (n from 1 to 32768), every one equally likely:
// draws from the last whole multiple of n up are drawn again, and the rest is
// cut into n equal runs, the run the draw falls in being the result.
int Uniform_Draw(Seating_Random& random, int n);

// Draws the seating of players (in entry order) at tables, in two steps with
// one generator:
// 1. Tables: each player draws a table (next random number modulo tables,
//    drawn again while that table is full), which hands the seats out from
//    each table's highest down.
// 2. Seats: then, table by table from the first, the seats handed out at that
//    table are shuffled (Fisher-Yates from the last seat down, one
//    Uniform_Draw each) and its players, in entry order, take them in the
//    shuffled order.
// Every player gets a distinct seat; table sizes differ by at most one; the
// tables are those of step 1 alone, whatever step 2 draws.
std::vector<Seat_Assignment> Draw_Seating(int players, int tables, uint32_t seed);
