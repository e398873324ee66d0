#include "web/Slots.h"

#include <QHash>
#include <algorithm>
#include <tuple>

namespace Phone_Slots {

int Victim(const QList<Holder>& open, const QString& source, int per_source, bool came_back)
{
    QHash<QString, int> held;
    for (const Holder& h : open)
        ++held[h.source];
    const int mine = std::max(held.value(source), came_back ? 1 : 0);
    if (held.value(source) >= per_source)
        return -1;
    // A new source may take from any source; one that holds some only from
    // a source that would still hold more than it afterwards.
    const int least = mine == 0 ? 1 : mine + 2;
    int victim = -1;
    std::tuple<int, bool, bool, bool, qint64> best{};
    for (qsizetype i = 0; i < open.size(); ++i) {
        const int count = held.value(open[i].source);
        if (count < least)
            continue;
        const Holder& h = open[i];
        const std::tuple<int, bool, bool, bool, qint64> rank{count, !h.kept, h.stale, !h.page, h.age_ms};
        if (victim < 0 || rank > best) {
            victim = static_cast<int>(i);
            best = rank;
        }
    }
    return victim;
}

} // namespace Phone_Slots
