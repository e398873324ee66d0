#include "model/Table_balance.h"

#include "model/Seating_draw.h"

#include <algorithm>
#include <numeric>
#include <set>

namespace {

bool Seated_In(const Balance_Seat& e)
{
    return e.In && e.Table >= 0 && e.Table < Max_Tables;
}

// The tables that keep playing: the occupied ones, less the highest-numbered
// while the players fit at one table fewer.
std::vector<int> Kept_Tables(const std::vector<int>& sizes)
{
    std::vector<int> kept;
    for (int t = 0; t < Max_Tables; ++t)
        if (sizes[static_cast<size_t>(t)] > 0)
            kept.push_back(t);
    const int players = std::accumulate(sizes.begin(), sizes.end(), 0);
    const int fullest = *std::max_element(sizes.begin(), sizes.end());
    while (kept.size() > 1 && players <= static_cast<int>(kept.size() - 1) * fullest)
        kept.pop_back();
    return kept;
}

} // namespace

std::vector<int> Table_Sizes(const std::vector<Balance_Seat>& entries)
{
    std::vector<int> sizes(Max_Tables, 0);
    for (const Balance_Seat& e : entries)
        if (Seated_In(e))
            ++sizes[static_cast<size_t>(e.Table)];
    return sizes;
}

bool Tables_Uneven(const std::vector<Balance_Seat>& entries)
{
    int low = -1, high = 0;
    for (int size : Table_Sizes(entries)) {
        if (size == 0)
            continue;
        low = low < 0 ? size : std::min(low, size);
        high = std::max(high, size);
    }
    return low >= 0 && high - low >= 2;
}

std::vector<Balance_Move> Balance_Tables(const std::vector<Balance_Seat>& entries)
{
    const std::vector<int> sizes = Table_Sizes(entries);
    const std::vector<int> kept = Kept_Tables(sizes);
    if (kept.empty())
        return {};
    const int players = std::accumulate(sizes.begin(), sizes.end(), 0);

    // Targets: the larger tables keep the extra players, so fewest move.
    std::vector<int> target(Max_Tables, -1); // -1: broken (or empty)
    std::vector<int> by_size = kept;
    std::stable_sort(by_size.begin(), by_size.end(),
                     [&sizes](int a, int b) { return sizes[static_cast<size_t>(a)] > sizes[static_cast<size_t>(b)]; });
    const int base = players / static_cast<int>(kept.size());
    const int extra = players % static_cast<int>(kept.size());
    for (size_t i = 0; i < by_size.size(); ++i)
        target[static_cast<size_t>(by_size[i])] = base + (static_cast<int>(i) < extra ? 1 : 0);

    // Players by table, seats ascending.
    std::vector<std::vector<int>> at_table(Max_Tables);
    for (int i = 0; i < static_cast<int>(entries.size()); ++i)
        if (Seated_In(entries[static_cast<size_t>(i)]))
            at_table[static_cast<size_t>(entries[static_cast<size_t>(i)].Table)].push_back(i);
    for (auto& list : at_table)
        std::stable_sort(list.begin(), list.end(),
                         [&entries](int a, int b) { return entries[static_cast<size_t>(a)].Seat < entries[static_cast<size_t>(b)].Seat; });

    // Seats held by players out stay theirs.
    std::vector<std::set<int>> taken(Max_Tables);
    for (const Balance_Seat& e : entries)
        if (!e.In && e.Table >= 0 && e.Table < Max_Tables)
            taken[static_cast<size_t>(e.Table)].insert(e.Seat);

    // Who moves: everyone at a broken table, then the last seats of a table
    // above its target.
    std::vector<int> movers;
    std::vector<int> count(Max_Tables, 0);
    for (int t = 0; t < Max_Tables; ++t) {
        const auto& list = at_table[static_cast<size_t>(t)];
        const int stay = std::max(target[static_cast<size_t>(t)], 0);
        for (size_t k = 0; k < list.size(); ++k) {
            if (static_cast<int>(k) < stay) {
                taken[static_cast<size_t>(t)].insert(entries[static_cast<size_t>(list[k])].Seat);
                ++count[static_cast<size_t>(t)];
            } else {
                movers.push_back(list[k]);
            }
        }
    }

    std::vector<Balance_Move> moves;
    for (int entry : movers) {
        // The shortest table below its target, the lowest number first.
        int to = -1;
        for (int t : kept) {
            const size_t u = static_cast<size_t>(t);
            if (count[u] < target[u] && (to < 0 || count[u] < count[static_cast<size_t>(to)]))
                to = t;
        }
        const size_t u = static_cast<size_t>(to);
        int seat = 0;
        while (taken[u].count(seat))
            ++seat;
        taken[u].insert(seat);
        ++count[u];
        const Balance_Seat& from = entries[static_cast<size_t>(entry)];
        moves.push_back({entry, from.Table, from.Seat, to, seat});
    }
    return moves;
}

QString Balance_Move_Text(const QString& name, const Balance_Move& move)
{
    return QStringLiteral("%1: table %2 seat %3 \u2192 table %4 seat %5")
        .arg(name)
        .arg(move.From_Table + 1)
        .arg(move.From_Seat + 1)
        .arg(move.To_Table + 1)
        .arg(move.To_Seat + 1);
}
