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
    return seating;
}
