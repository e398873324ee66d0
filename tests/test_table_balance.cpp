// Table balancing: worked examples, the move text, and many random
// tournaments checked against the rule and a brute-force count of moves.
#include "model/Seating_draw.h"
#include "model/Table_balance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <set>

namespace {

// Players in at the tables given, seats 0, 1, 2... at each.
std::vector<Balance_Seat> Tables_Of(const std::vector<int>& sizes)
{
    std::vector<Balance_Seat> entries;
    for (size_t t = 0; t < sizes.size(); ++t)
        for (int s = 0; s < sizes[t]; ++s)
            entries.push_back({static_cast<int>(t), s, true});
    return entries;
}

std::vector<Balance_Seat> Apply(std::vector<Balance_Seat> entries, const std::vector<Balance_Move>& moves)
{
    for (const Balance_Move& m : moves) {
        entries[static_cast<size_t>(m.Entry)].Table = m.To_Table;
        entries[static_cast<size_t>(m.Entry)].Seat = m.To_Seat;
    }
    return entries;
}

TEST(Table_Balance, MoveTextNamesBothSeatsCountedFromOneWithAnArrow)
{
    const QString text = Balance_Move_Text(QStringLiteral("Ann,Lee"), {0, 2, 1, 0, 6});
    EXPECT_EQ(text.toUtf8(), QByteArray("Ann,Lee: table 3 seat 2 \xE2\x86\x92 table 1 seat 7"));
}

TEST(Table_Balance, WorkedExamples)
{
    // Even tables, one table, no players: nothing moves.
    EXPECT_TRUE(Balance_Tables(Tables_Of({5, 4, 5})).empty());
    EXPECT_TRUE(Balance_Tables(Tables_Of({9})).empty());
    EXPECT_TRUE(Balance_Tables({}).empty());

    // 7, 7, 3 at seats with gaps at table 3: one player from each full table,
    // the last seats, into the lowest free seats 2 and 4 (counted from 1).
    std::vector<Balance_Seat> e = Tables_Of({7, 7});
    for (int seat : {0, 2, 5})
        e.push_back({2, seat, true});
    std::vector<Balance_Move> moves = Balance_Tables(e);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].From_Table, 0);
    EXPECT_EQ(moves[0].From_Seat, 6);
    EXPECT_EQ(moves[0].To_Table, 2);
    EXPECT_EQ(moves[0].To_Seat, 1);
    EXPECT_EQ(moves[1].From_Table, 1);
    EXPECT_EQ(moves[1].From_Seat, 6);
    EXPECT_EQ(moves[1].To_Table, 2);
    EXPECT_EQ(moves[1].To_Seat, 3);

    // 5, 4, 1: ten players fit at two tables of five, so table 3 breaks and
    // its player takes table 2's free seat.
    moves = Balance_Tables(Tables_Of({5, 4, 1}));
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].From_Table, 2);
    EXPECT_EQ(moves[0].To_Table, 1);
    EXPECT_EQ(moves[0].To_Seat, 4);

    // 10, 2, 2, 2: sixteen fit at two tables of ten: tables 3 and 4 break,
    // table 1 gives up two so that both keep eight.
    moves = Balance_Tables(Tables_Of({10, 2, 2, 2}));
    EXPECT_EQ(moves.size(), 6u);
    EXPECT_EQ(Table_Sizes(Apply(Tables_Of({10, 2, 2, 2}), moves)), (std::vector<int>{8, 8, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Table_Balance, PlayersOutNeitherCountNorMoveAndKeepTheirSeats)
{
    // Table 1: six in, four out at seats 0 to 3; table 2: six in.
    // Table 3: two in. Fourteen in: 5, 5, 4 after one move each from 1 and 2.
    std::vector<Balance_Seat> e;
    for (int s = 0; s < 10; ++s)
        e.push_back({0, s, s >= 4});
    for (int s = 0; s < 6; ++s)
        e.push_back({1, s, true});
    e.push_back({2, 0, true});
    e.push_back({2, 1, true});
    e.push_back({2, 2, false}); // out: seat 3 stays his
    const std::vector<Balance_Move> moves = Balance_Tables(e);
    ASSERT_EQ(moves.size(), 2u);
    for (const Balance_Move& m : moves)
        EXPECT_TRUE(e[static_cast<size_t>(m.Entry)].In);
    EXPECT_EQ(moves[0].To_Table, 2);
    EXPECT_EQ(moves[0].To_Seat, 3);
    EXPECT_EQ(moves[1].To_Table, 2);
    EXPECT_EQ(moves[1].To_Seat, 4);
    EXPECT_EQ(Table_Sizes(Apply(e, moves))[2], 4);
}

TEST(Table_Balance, UnevenMeansTwoOrMoreBetweenOccupiedTables)
{
    EXPECT_FALSE(Tables_Uneven(Tables_Of({5, 4, 4})));
    EXPECT_FALSE(Tables_Uneven(Tables_Of({5, 0, 4}))); // an empty table is no table
    EXPECT_TRUE(Tables_Uneven(Tables_Of({6, 4})));
    std::vector<Balance_Seat> e = Tables_Of({6, 5});
    e[0].In = false; // 5 and 5
    EXPECT_FALSE(Tables_Uneven(e));
}

// The fewest players to move so that the kept tables differ by at most one,
// by trying every way of placing the players at the kept tables.
int Brute_Force_Moves(const std::vector<int>& table_of_player, const std::vector<int>& kept)
{
    const size_t n = table_of_player.size();
    const size_t k = kept.size();
    std::vector<size_t> choice(n, 0);
    int best = -1;
    while (true) {
        std::vector<int> sizes(k, 0);
        int moved = 0;
        for (size_t p = 0; p < n; ++p) {
            ++sizes[choice[p]];
            moved += kept[choice[p]] != table_of_player[p];
        }
        const auto [lo, hi] = std::minmax_element(sizes.begin(), sizes.end());
        if (*hi - *lo <= 1 && (best < 0 || moved < best))
            best = moved;
        size_t p = 0;
        while (p < n && ++choice[p] == k)
            choice[p++] = 0;
        if (p == n)
            break;
    }
    return best;
}

TEST(Table_Balance, RandomTournamentsAreBalancedByTheRuleWithTheFewestMoves)
{
    std::mt19937 random(20260314);
    int brute_forced = 0;
    for (int round = 0; round < 3000; ++round) {
        const bool small = round % 2 == 0;
        const int tables = 1 + static_cast<int>(random() % (small ? 4 : Max_Tables));
        const int entries_count = static_cast<int>(random() % (small ? 9 : 120));
        std::vector<Balance_Seat> e;
        std::map<int, std::set<int>> seats_used;
        for (int i = 0; i < entries_count; ++i) {
            Balance_Seat s;
            s.Table = static_cast<int>(random() % static_cast<unsigned>(tables));
            s.Seat = static_cast<int>(random() % 12);
            s.In = random() % 4 != 0;
            e.push_back(s);
        }
        const std::vector<int> before = Table_Sizes(e);
        const std::vector<Balance_Move> moves = Balance_Tables(e);
        const std::vector<Balance_Seat> after = Apply(e, moves);
        const std::vector<int> sizes = Table_Sizes(after);
        SCOPED_TRACE(round);

        // Kept: the lowest-numbered occupied tables, as many as the players
        // need at the fullest table's size.
        const int players = std::accumulate(before.begin(), before.end(), 0);
        std::vector<int> occupied;
        for (int t = 0; t < Max_Tables; ++t)
            if (before[static_cast<size_t>(t)] > 0)
                occupied.push_back(t);
        if (players == 0) {
            EXPECT_TRUE(moves.empty());
            continue;
        }
        const int fullest = *std::max_element(before.begin(), before.end());
        const size_t keep = std::min(occupied.size(), static_cast<size_t>((players + fullest - 1) / fullest));
        const std::vector<int> kept(occupied.begin(), occupied.begin() + static_cast<long>(keep));

        // Balanced at exactly the kept tables, every player still in placed.
        int low = players, high = 0;
        for (int t = 0; t < Max_Tables; ++t) {
            const bool is_kept = std::find(kept.begin(), kept.end(), t) != kept.end();
            if (!is_kept) {
                ASSERT_EQ(sizes[static_cast<size_t>(t)], 0) << "table " << t;
                continue;
            }
            low = std::min(low, sizes[static_cast<size_t>(t)]);
            high = std::max(high, sizes[static_cast<size_t>(t)]);
        }
        ASSERT_LE(high - low, 1);
        ASSERT_EQ(std::accumulate(sizes.begin(), sizes.end(), 0), players);

        // Each move: a player in, to another table, into the lowest seat free
        // at that moment (players out keep theirs; players who left free theirs).
        std::vector<Balance_Seat> now = e;
        std::set<int> moved;
        for (const Balance_Move& m : moves) {
            ASSERT_TRUE(e[static_cast<size_t>(m.Entry)].In);
            ASSERT_NE(m.From_Table, m.To_Table);
            ASSERT_TRUE(moved.insert(m.Entry).second) << "moved twice";
            std::set<int> taken;
            for (const Balance_Seat& s : now)
                if (s.Table == m.To_Table)
                    taken.insert(s.Seat);
            int lowest = 0;
            while (taken.count(lowest))
                ++lowest;
            ASSERT_EQ(m.To_Seat, lowest);
            now[static_cast<size_t>(m.Entry)].Table = m.To_Table;
            now[static_cast<size_t>(m.Entry)].Seat = m.To_Seat;
        }

        if (small && players <= 8) {
            std::vector<int> table_of_player;
            for (const Balance_Seat& s : e)
                if (s.In)
                    table_of_player.push_back(s.Table);
            ASSERT_EQ(static_cast<int>(moves.size()), Brute_Force_Moves(table_of_player, kept));
            ++brute_forced;
        }
    }
    EXPECT_GT(brute_forced, 1000);
}

} // namespace
