#include "model/Icm.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>
#include <vector>

namespace {

bool Usable(const QVector<double>& stacks)
{
    if (stacks.isEmpty() || stacks.size() > Icm_Most_Players)
        return false;
    return std::all_of(stacks.cbegin(), stacks.cend(), [](double s) { return s > 0; });
}

} // namespace

// Over the sets of players who took the top places (in any order): reach[set]
// is the chance that exactly they hold places 1 to |set|. The next place goes
// to each other player by his share of the chips not in the set.
QVector<double> Icm_Values(const QVector<double>& stacks, const QVector<double>& prizes)
{
    if (!Usable(stacks))
        return {};
    const int n = static_cast<int>(stacks.size());
    const uint32_t all = (1u << n) - 1;
    const int paid = std::min<int>(n, static_cast<int>(prizes.size()));
    std::vector<double> reach(all + 1, 0.0), chips_in(all + 1, 0.0);
    for (uint32_t set = 1; set <= all; ++set) {
        const int lowest = std::countr_zero(set);
        chips_in[set] = chips_in[set & (set - 1)] + stacks[lowest];
    }
    QVector<double> value(n, 0.0);
    reach[0] = 1.0;
    for (uint32_t set = 0; set < all; ++set) {
        if (reach[set] == 0)
            continue;
        const int place = std::popcount(set);
        if (place >= paid)
            continue; // nobody below here is paid
        // The chips of the others summed as they are: a difference of the
        // totals cancels to 0 when a stack is tiny beside the rest.
        const double left = chips_in[all & ~set];
        for (int i = 0; i < n; ++i) {
            if (set & (1u << i))
                continue;
            const double chance = reach[set] * (stacks[i] / left); // a share first: no underflow
            value[i] += chance * prizes[place];
            reach[set | (1u << i)] += chance;
        }
    }
    return value;
}

QVector<double> Chip_Chop_Values(const QVector<double>& stacks, const QVector<double>& prizes)
{
    if (!Usable(stacks))
        return {};
    const double total = std::accumulate(stacks.cbegin(), stacks.cend(), 0.0);
    const qsizetype paid = std::min(stacks.size(), prizes.size());
    const double money = std::accumulate(prizes.cbegin(), prizes.cbegin() + paid, 0.0);
    QVector<double> value(stacks.size());
    for (qsizetype i = 0; i < stacks.size(); ++i)
        value[i] = money * stacks[i] / total;
    return value;
}
