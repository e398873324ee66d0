#include "model/Seating_draw.h"

#include <algorithm>

Seating_Random::Seating_Random(uint32_t seed) : state_(seed)
{
    Next();
}

int Seating_Random::Next()
{
    state_ = state_ * 22695477u + 1u; // unsigned arithmetic wraps modulo 2^32
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
}

uint32_t Seating_Seed(const QDateTime& local_now)
{
    // The wall-clock reading of the local zone taken as if it were UTC.
    const qint64 seconds = local_now.toSecsSinceEpoch() + local_now.offsetFromUtc();
    return static_cast<uint32_t>(seconds);
}

std::vector<int> Table_Capacities(int players, int tables)
{
    tables = std::clamp(tables, 1, Max_Tables);
    players = std::max(players, 0);
    const int base = players / tables;
    const int extra = players - tables * base;
    std::vector<int> capacity(static_cast<size_t>(tables), base);
    for (int t = 0; t < extra; ++t)
        ++capacity[static_cast<size_t>(t)];
    return capacity;
}

int Uniform_Draw(Seating_Random& random, int n)
{
    constexpr int Range = 0x8000; // Next() gives 0 to 32767
    n = std::clamp(n, 1, Range);
    const int limit = Range - Range % n;
    int r;
    do
        r = random.Next();
    while (r >= limit);
    // The number's high bits choose: between presses a second apart the
    // generator's draws move in steps that its low bits repeat, so the
    // remainder would favour some seatings many times over.
    return r / (limit / n);
}

namespace {

// Step 2 of the draw: the seats of every table in a random order, its players
// (in entry order) taking them one after the other.
void Shuffle_Seats(std::vector<Seat_Assignment>& seating, int table_count, Seating_Random& random)
{
    for (int t = 0; t < table_count; ++t) {
        std::vector<Seat_Assignment*> at_table;
        for (Seat_Assignment& s : seating)
            if (s.Table == t)
                at_table.push_back(&s);
        std::vector<int> seats(at_table.size());
        for (size_t k = 0; k < seats.size(); ++k)
            seats[k] = static_cast<int>(k);
        for (int i = static_cast<int>(seats.size()) - 1; i > 0; --i)
            std::swap(seats[static_cast<size_t>(i)], seats[static_cast<size_t>(Uniform_Draw(random, i + 1))]);
        for (size_t k = 0; k < seats.size(); ++k)
            at_table[k]->Seat = seats[k];
    }
}

} // namespace

std::vector<Seat_Assignment> Draw_Seating(int players, int tables, uint32_t seed)
{
    std::vector<int> capacity = Table_Capacities(players, tables);
    const int table_count = static_cast<int>(capacity.size());
    Seating_Random random(seed);
    std::vector<Seat_Assignment> seating;
    seating.reserve(static_cast<size_t>(std::max(players, 0)));
    // The capacities add up to the number of players, so a table with a free
    // seat is always left while players wait.
    for (int j = 0; j < players; ++j) {
        int t;
        do
            t = random.Next() % table_count;
        while (capacity[static_cast<size_t>(t)] == 0);
        int& free_seats = capacity[static_cast<size_t>(t)];
        seating.push_back({t, free_seats - 1});
        --free_seats;
    }
    Shuffle_Seats(seating, table_count, random);
    return seating;
}
