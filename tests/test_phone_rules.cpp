// The phone view's rules without sockets: who gives way when the server is
// full, and (further down) the remote's grants, requests and sources.
#include "web/Slots.h"

#include <QHash>
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

namespace {

// Open connections of a few sources, and a newcomer from one of them or a new one.
struct Crowd {
    QList<Phone_Slots::Holder> open;
    QString source;
    int per_source = 1;
};

Crowd Any_Crowd()
{
    Crowd c;
    c.per_source = *rc::gen::inRange(1, 9);
    const int size = *rc::gen::inRange(0, 40);
    for (int i = 0; i < size; ++i)
        c.open.append({QStringLiteral("s%1").arg(*rc::gen::inRange(0, 6)), *rc::gen::inRange<qint64>(0, 5000),
                       *rc::gen::arbitrary<bool>(), *rc::gen::arbitrary<bool>()});
    c.source = QStringLiteral("s%1").arg(*rc::gen::inRange(0, 8));   // s6, s7: new sources
    return c;
}

RC_GTEST_PROP(Phone_Slots, ANewcomerTakesOnlyFromTheSourceHoldingTheMostAndNeverFromOneHoldingLittle, ())
{
    const Crowd c = Any_Crowd();
    QHash<QString, int> held;
    for (const auto& h : c.open)
        ++held[h.source];
    const int mine = held.value(c.source);
    const int most = held.isEmpty() ? 0 : *std::max_element(held.cbegin(), held.cend());
    const int victim = Phone_Slots::Victim(c.open, c.source, c.per_source);
    if (mine >= c.per_source) {
        RC_ASSERT(victim == -1);
        return;
    }
    // A new source always gets a place while any is held; one that holds
    // some only from a source holding two more.
    const bool may = mine == 0 ? most >= 1 : most >= mine + 2;
    RC_ASSERT((victim >= 0) == may);
    if (victim < 0)
        return;
    const auto& v = c.open[victim];
    RC_ASSERT(held.value(v.source) == most);
    for (const auto& other : c.open)
        if (held.value(other.source) == most) {
            // Those holding the remote go last, pages after heads; then the
            // longest silent first.
            RC_ASSERT(!(v.kept && !other.kept));
            if (v.kept == other.kept)
                RC_ASSERT(!(v.page && !other.page));
            if (v.kept == other.kept && v.page == other.page)
                RC_ASSERT(other.idle_ms <= v.idle_ms);
        }
}

} // namespace
