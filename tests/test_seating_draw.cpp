// The random seating rules: seat counts per table, the generator against a
// hand-computed sequence, the draw's guarantees over every players/tables
// pair, and the seed taken from the local clock in whole seconds.
#include "model/Seating_draw.h"

#include <QTimeZone>
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace {

using Caps = std::vector<int>;

TEST(Seating_Capacities, FirstTablesAreTheFullerOnes)
{
    EXPECT_EQ(Table_Capacities(23, 3), (Caps{8, 8, 7}));
    EXPECT_EQ(Table_Capacities(10, 3), (Caps{4, 3, 3}));
    EXPECT_EQ(Table_Capacities(5, 10), (Caps{1, 1, 1, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Table_Capacities(3, 10), (Caps{1, 1, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Table_Capacities(7, 1), (Caps{7}));
    EXPECT_EQ(Table_Capacities(150, 10), Caps(10, 15));
    // A table count outside the spin box's range is taken into it.
    EXPECT_EQ(Table_Capacities(4, 0), (Caps{4}));
    EXPECT_EQ(Table_Capacities(12, 11).size(), 10u);
}

// Seed 1, worked by hand (all arithmetic modulo 2^32, result = bits 16..30):
//   seeding:  1 * 22695477 + 1                  = 22695478   (discarded)
//   draw 1:   22695478 * 22695477 + 1           = 2156045615 = 0x8082A52F -> 0x8082 & 0x7FFF = 130
//   draw 2:   2156045615 * 22695477 + 1         = 2867233980 = 0xAAE684BC -> 0x2AE6 = 10982
//   draw 3:                                       71484141   = 0x0442C2ED -> 0x0442 = 1090
//   draw 4:                                       2911408402 = 0xAD889112 -> 0x2D88 = 11656
//   draw 5:                                       2613937339 = 0x9BCD84BB -> 0x1BCD = 7117
//   draw 6:                                       1153135800 = 0x44BB74B8 -> 0x44BB = 17595
TEST(Seating_Random, KnownSeedGivesTheHandComputedSequence)
{
    Seating_Random random(1);
    EXPECT_EQ(random.State(), 22695478u);
    const int expected[] = {130, 10982, 1090, 11656, 7117, 17595};
    for (int value : expected)
        EXPECT_EQ(random.Next(), value);
    EXPECT_EQ(random.State(), 1153135800u);
}

// Five players at two tables with seed 1: capacities 3, 2.
// Tables, one draw per player (drawn again while the table is full):
//   player 0: 130 % 2 = 0,  player 1: 10982 % 2 = 0,  player 2: 1090 % 2 = 0,
//   player 3: 11656 % 2 = 0 (full) then 7117 % 2 = 1,  player 4: 17595 % 2 = 1.
// Seats, table 0 then table 1, with the next draws 6415, 22948, 31126
// (0 to n - 1 in runs of 32768 / n, 10922 for n = 3):
//   table 0 [0,1,2]: swap 2 with 6415 / 10922 = 0 -> [2,1,0]; swap 1 with 22948 / 16384 = 1 -> [2,1,0]
//   table 1 [0,1]:   swap 1 with 31126 / 16384 = 1 -> [0,1]
TEST(Seating_Draw, KnownSeedGivesTheHandComputedSeating)
{
    Seating_Random random(1);
    for (int i = 0; i < 6; ++i)
        random.Next();
    EXPECT_EQ(random.Next(), 6415);
    EXPECT_EQ(random.Next(), 22948);
    EXPECT_EQ(random.Next(), 31126);
    const std::vector<Seat_Assignment> seating = Draw_Seating(5, 2, 1);
    ASSERT_EQ(seating.size(), 5u);
    const std::pair<int, int> expected[] = {{0, 2}, {0, 1}, {0, 0}, {1, 0}, {1, 1}};
    for (size_t j = 0; j < 5; ++j) {
        EXPECT_EQ(seating[j].Table, expected[j].first) << "player " << j;
        EXPECT_EQ(seating[j].Seat, expected[j].second) << "player " << j;
    }
}

// The table draw alone, written out again from its rule: the seat shuffle
// that follows it never moves a player to another table.
std::vector<int> Documented_Tables(int players, int tables, uint32_t seed)
{
    std::vector<int> capacity = Table_Capacities(players, tables);
    uint32_t state = seed * 22695477u + 1u;
    std::vector<int> drawn;
    for (int j = 0; j < players; ++j) {
        int t;
        do {
            state = state * 22695477u + 1u;
            t = static_cast<int>((state >> 16) & 0x7FFFu) % static_cast<int>(capacity.size());
        } while (capacity[static_cast<size_t>(t)] == 0);
        --capacity[static_cast<size_t>(t)];
        drawn.push_back(t);
    }
    return drawn;
}

RC_GTEST_PROP(Seating_Draw, TablesAreTheDocumentedDrawAndSeatsAreEachTablesOwn, ())
{
    const int players = *rc::gen::inRange(0, 151);
    const int tables = *rc::gen::inRange(1, 11);
    const auto seed = *rc::gen::arbitrary<uint32_t>();
    const std::vector<Seat_Assignment> seating = Draw_Seating(players, tables, seed);
    std::vector<int> drawn;
    for (const Seat_Assignment& s : seating)
        drawn.push_back(s.Table);
    RC_ASSERT(drawn == Documented_Tables(players, tables, seed));
}

TEST(Seating_Draw, EveryPairUpTo150PlayersAnd10TablesSeatsEveryoneOnce)
{
    for (uint32_t seed : {0u, 1u, 1733616000u, 0xFFFFFFFFu}) {
        for (int tables = 1; tables <= 10; ++tables) {
            for (int players = 0; players <= 150; ++players) {
                const std::vector<Seat_Assignment> seating = Draw_Seating(players, tables, seed);
                ASSERT_EQ(static_cast<int>(seating.size()), players);
                const Caps capacity = Table_Capacities(players, tables);
                Caps seated(static_cast<size_t>(tables), 0);
                std::set<std::pair<int, int>> seats;
                for (const Seat_Assignment& s : seating) {
                    ASSERT_GE(s.Table, 0);
                    ASSERT_LT(s.Table, tables) << players << " players at " << tables << " tables";
                    ASSERT_GE(s.Seat, 0);
                    ASSERT_LT(s.Seat, capacity[static_cast<size_t>(s.Table)]);
                    ASSERT_TRUE(seats.insert({s.Table, s.Seat}).second)
                        << "seat given twice: " << players << " players at " << tables << " tables, seed " << seed;
                    ++seated[static_cast<size_t>(s.Table)];
                }
                ASSERT_EQ(seated, capacity);
                const auto [low, high] = std::minmax_element(seated.begin(), seated.end());
                ASSERT_LE(*high - *low, 1);
            }
        }
    }
}

// Seven players at one table: over many presses every player sits in every
// seat about equally often, and presses in three following seconds give three
// different seatings.
TEST(Seating_Draw, SeatsWithinATableAreShuffled)
{
    constexpr int Presses = 7000;
    int count[7][7] = {};
    for (uint32_t seed = 1733616000u; seed < 1733616000u + Presses; ++seed) {
        const std::vector<Seat_Assignment> seating = Draw_Seating(7, 1, seed);
        for (int j = 0; j < 7; ++j)
            ++count[j][seating[static_cast<size_t>(j)].Seat];
    }
    for (int j = 0; j < 7; ++j)
        for (int seat = 0; seat < 7; ++seat)
            EXPECT_NEAR(count[j][seat], Presses / 7, Presses / 7 / 5) << "player " << j << ", seat " << seat;
    std::set<std::vector<int>> seatings;
    for (uint32_t seed = 1733616000u; seed < 1733616003u; ++seed) {
        std::vector<int> seats;
        for (const Seat_Assignment& s : Draw_Seating(7, 1, seed))
            seats.push_back(s.Seat);
        seatings.insert(seats);
    }
    EXPECT_EQ(seatings.size(), 3u);
    // Different seeds give different tables too (the seed is really used).
    std::set<std::vector<int>> tables_drawn;
    for (uint32_t seed = 100; seed < 110; ++seed)
        tables_drawn.insert(Documented_Tables(20, 4, seed));
    EXPECT_GT(tables_drawn.size(), 5u);
}

TEST(Seating_Seed, LocalWallClockInWholeSeconds)
{
    const QDate day(2024, 3, 1);
    const QDateTime noon(day, QTime(12, 0, 0, 100));
    // Milliseconds do not count: two presses in the same second draw alike.
    EXPECT_EQ(Seating_Seed(noon), Seating_Seed(QDateTime(day, QTime(12, 0, 0, 900))));
    EXPECT_EQ(Seating_Seed(QDateTime(day, QTime(12, 0, 1))), Seating_Seed(noon) + 1);
    // The local reading counted from 1 January 1970, whatever the zone.
    EXPECT_EQ(Seating_Seed(noon), 1709294400u);
    EXPECT_EQ(Seating_Seed(QDateTime(day, QTime(12, 0), QTimeZone(9 * 3600))), 1709294400u);
    EXPECT_EQ(Seating_Seed(QDateTime(day, QTime(12, 0), QTimeZone(-5 * 3600))), 1709294400u);
    const std::vector<Seat_Assignment> a = Draw_Seating(30, 4, Seating_Seed(noon));
    const std::vector<Seat_Assignment> b = Draw_Seating(30, 4, Seating_Seed(noon.addMSecs(700)));
    for (size_t j = 0; j < a.size(); ++j) {
        EXPECT_EQ(a[j].Table, b[j].Table);
        EXPECT_EQ(a[j].Seat, b[j].Seat);
    }
}

} // namespace
