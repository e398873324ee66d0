// The phone view's rules without sockets: who gives way when the server is
// full, and (further down) the remote's grants, requests and sources.
#include "web/Grants.h"
#include "web/Http_request.h"
#include "web/Phone_page.h"
#include "web/Remote.h"
#include "web/Slots.h"
#include "web/Ws_frames.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <tuple>
#include <QMap>
#include <QSet>
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

namespace {

// Open connections of a few sources, and a newcomer from one of them or a new one.
struct Crowd {
    QList<Phone_Slots::Holder> open;
    QString source;
    int per_source = 1;
    bool came_back = false;
};

Crowd Any_Crowd()
{
    Crowd c;
    c.per_source = *rc::gen::inRange(1, 9);
    const int size = *rc::gen::inRange(0, 40);
    for (int i = 0; i < size; ++i)
        c.open.append({QStringLiteral("s%1").arg(*rc::gen::inRange(0, 6)), *rc::gen::inRange<qint64>(0, 5000),
                       *rc::gen::arbitrary<bool>(), *rc::gen::arbitrary<bool>(), *rc::gen::arbitrary<bool>()});
    c.came_back = *rc::gen::arbitrary<bool>();
    c.source = QStringLiteral("s%1").arg(*rc::gen::inRange(0, 8));   // s6, s7: new sources
    return c;
}

RC_GTEST_PROP(Phone_Slots, ANewcomerTakesOnlyFromTheSourceHoldingTheMostAndNeverFromOneHoldingLittle, ())
{
    const Crowd c = Any_Crowd();
    QHash<QString, int> held;
    for (const auto& h : c.open)
        ++held[h.source];
    const int mine = std::max(held.value(c.source), c.came_back ? 1 : 0);
    const int most = held.isEmpty() ? 0 : *std::max_element(held.cbegin(), held.cend());
    const int victim = Phone_Slots::Victim(c.open, c.source, c.per_source, c.came_back);
    if (held.value(c.source) >= c.per_source) {
        RC_ASSERT(victim == -1);
        return;
    }
    // A new source always gets a place while any is held; one that holds
    // some (or lost one a moment ago) only from a source holding two more.
    const bool may = mine == 0 ? most >= 1 : most >= mine + 2;
    RC_ASSERT((victim >= 0) == may);
    if (victim < 0)
        return;
    const auto& v = c.open[victim];
    RC_ASSERT(held.value(v.source) == most);
    for (const auto& other : c.open)
        if (held.value(other.source) == most) {
            // Those holding the remote go last; stale ones first, heads
            // before pages, then the oldest.
            const auto rank = [](const Phone_Slots::Holder& h) { return std::tuple(!h.kept, h.stale, !h.page, h.age_ms); };
            RC_ASSERT(rank(other) <= rank(v));
        }
}

// Any order of grants and revocations: a token stands for its own grant,
// only from its own address, only until it is revoked; the record stays
// bounded, the oldest grant giving way.
RC_GTEST_PROP(Phone_Grants, ATokenCountsFromItsAddressUntilRevoked, ())
{
    Phone_Remote::Grants grants;
    struct Given {
        QByteArray token;
        QString source;
        bool live = true;
    };
    QMap<int, Given> given;   // the model
    const int steps = *rc::gen::inRange(1, 120);
    for (int step = 0; step < steps; ++step) {
        const int what = *rc::gen::inRange(0, 10);
        if (what < 7) {
            const QString source = QStringLiteral("10.0.0.%1").arg(*rc::gen::inRange(1, 5));
            const auto g = grants.Give(source, what == 0);
            RC_ASSERT(Phone_Remote::Is_Token_Text(g.token));
            for (const Given& other : given)
                RC_ASSERT(other.token != g.token);
            given.insert(g.id, {g.token, source});
            // Beyond the bound the oldest live grant gave way.
            while (std::count_if(given.begin(), given.end(), [](const Given& x) { return x.live; }) > Phone_Remote::Max_Grants)
                std::find_if(given.begin(), given.end(), [](const Given& x) { return x.live; })->live = false;
        } else if (what < 9 && !given.isEmpty()) {
            const int id = given.keys()[*rc::gen::inRange<qsizetype>(0, given.size())];
            grants.Revoke(id);
            given[id].live = false;
        } else if (what == 9) {
            grants.Revoke_All();
            for (Given& g : given)
                g.live = false;
        }
    }
    int live = 0;
    for (auto it = given.cbegin(); it != given.cend(); ++it) {
        live += it->live;
        RC_ASSERT(grants.Check(it->token, it->source) == (it->live ? it.key() : -1));
        RC_ASSERT(grants.Check(it->token, QStringLiteral("10.0.0.9")) == -1);
        QByteArray tampered = it->token;
        tampered[0] = tampered[0] == 'a' ? 'b' : 'a';
        RC_ASSERT(grants.Check(tampered, it->source) == -1);
        RC_ASSERT(grants.Holds(it.key()) == it->live);
    }
    RC_ASSERT(grants.Size() == live);
}

// Pages that stay connected and send the PIN (right or wrong), their token
// or ask, in any order: each grant the host sees is
// held by a page, so a phone giving the PIN again never piles up holders
// that push the operator's grant out.
RC_GTEST_PROP(Phone_Grants, EveryGrantListedIsHeldByALivePage, ())
{
    Phone_Remote::State state;
    QString pin = Phone_Remote::New_Pin();
    const int count = *rc::gen::inRange(1, 5);
    QList<Phone_Remote::Page_State> pages(count);
    QList<QByteArray> tokens(count);
    for (int i = 0; i < count; ++i)
        pages[i].serial = quint64(i + 1);
    const QString source = QStringLiteral("10.0.0.7");
    qint64 now = 0;
    const int steps = *rc::gen::inRange(1, 80);
    for (int step = 0; step < steps; ++step, now += Phone_Remote::Try_Window_Ms) {
        const int i = *rc::gen::inRange(0, count);
        QByteArray text;
        switch (*rc::gen::inRange(0, 4)) {
        case 0: text = "{\"pin\":\"" + pin.toLatin1() + "\"}"; break;
        case 1: text = R"({"pin":"abcdef"})"; break;
        case 2: text = tokens[i].isEmpty() ? R"({"ask":"remote"})" : "{\"token\":\"" + tokens[i] + "\"}"; break;
        default: text = R"({"ask":"remote"})"; break;
        }
        const Phone_Remote::Outcome out = Phone_Remote::Handle(text, pin, pages[i], source, now, state);
        if (out.redraw_pin)
            pin = Phone_Remote::New_Pin();
        const QJsonObject reply = QJsonDocument::fromJson(out.reply).object();
        if (reply.contains(QStringLiteral("token")))
            tokens[i] = reply.value(QStringLiteral("token")).toString().toLatin1();
    }
    QSet<int> held;
    for (const Phone_Remote::Page_State& page : pages)
        if (state.Holds(page))
            held.insert(page.grant);
    RC_ASSERT(state.grants.Size() == held.size());
}

// Pages asking, leaving and being answered in any order: one request per
// page, codes that no two pending requests share, each taken once.
RC_GTEST_PROP(Phone_Requests_Pending, EachPageAsksOnceWithACodeOfItsOwn, ())
{
    Phone_Remote::Requests requests;
    QMap<quint64, int> asked;   // page: its pending request
    const int steps = *rc::gen::inRange(1, 150);
    for (int step = 0; step < steps; ++step) {
        const quint64 page = *rc::gen::inRange<quint64>(1, 40);
        switch (*rc::gen::inRange(0, 3)) {
        case 0: {
            const auto& r = requests.Ask(page, QStringLiteral("10.0.0.1"));
            RC_ASSERT(r.code.size() == Phone_Remote::Code_Chars);
            RC_ASSERT(!asked.contains(page) || asked[page] == r.id);   // asking again keeps it
            asked[page] = r.id;
            break;
        }
        case 1:
            requests.Forget(page);
            asked.remove(page);
            break;
        default: {
            Phone_Remote::Request_Info taken;
            const int id = asked.value(page, -1);
            RC_ASSERT(requests.Take(id, taken) == (id >= 0));
            if (id >= 0) {
                RC_ASSERT(taken.page == page);
                RC_ASSERT(!requests.Take(id, taken));
            }
            asked.remove(page);
        }
        }
    }
    QSet<QString> codes;
    for (const Phone_Remote::Request_Info& r : requests.List()) {
        RC_ASSERT(asked.value(r.page) == r.id);
        codes.insert(r.code);
    }
    RC_ASSERT(requests.Size() == asked.size());
    RC_ASSERT(codes.size() == requests.Size());
}

// A close frame from a page: the codes a peer may send are answered with a
// normal close, every other code (and a reason that is not UTF-8) ends the
// connection with the error it is.
TEST(Phone_Frames, CloseCodesAndReasonsAreChecked)
{
    struct Case {
        const char* name;
        QByteArray payload;
        Phone_Ws::Event::Kind kind;
        quint16 code;
    } const cases[] = {
        {"no code", {}, Phone_Ws::Event::Close, 1005},
        {"1000", QByteArray("\x03\xe8", 2), Phone_Ws::Event::Close, 1000},
        {"1001 with a reason", QByteArray("\x03\xe9") + "bye \xc3\xa9", Phone_Ws::Event::Close, 1001},
        {"1011", QByteArray("\x03\xf3", 2), Phone_Ws::Event::Close, 1011},
        {"3000", QByteArray("\x0b\xb8", 2), Phone_Ws::Event::Close, 3000},
        {"4999", QByteArray("\x13\x87", 2), Phone_Ws::Event::Close, 4999},
        {"0", QByteArray("\x00\x00", 2), Phone_Ws::Event::Fail, Phone_Ws::Protocol_Error},
        {"999", QByteArray("\x03\xe7", 2), Phone_Ws::Event::Fail, Phone_Ws::Protocol_Error},
        {"1004", QByteArray("\x03\xec", 2), Phone_Ws::Event::Fail, Phone_Ws::Protocol_Error},
        {"1005", QByteArray("\x03\xed", 2), Phone_Ws::Event::Fail, Phone_Ws::Protocol_Error},
        {"1006", QByteArray("\x03\xee", 2), Phone_Ws::Event::Fail, Phone_Ws::Protocol_Error},
        {"1015", QByteArray("\x03\xf7", 2), Phone_Ws::Event::Fail, Phone_Ws::Protocol_Error},
        {"2999", QByteArray("\x0b\xb7", 2), Phone_Ws::Event::Fail, Phone_Ws::Protocol_Error},
        {"5000", QByteArray("\x13\x88", 2), Phone_Ws::Event::Fail, Phone_Ws::Protocol_Error},
        {"65535", QByteArray("\xff\xff", 2), Phone_Ws::Event::Fail, Phone_Ws::Protocol_Error},
        {"one byte", QByteArray("\x03", 1), Phone_Ws::Event::Fail, Phone_Ws::Protocol_Error},
        {"reason not UTF-8", QByteArray("\x03\xe8") + "\xff\xfe", Phone_Ws::Event::Fail, Phone_Ws::Invalid_Data},
        {"reason cut in a character", QByteArray("\x03\xe8") + "\xc3", Phone_Ws::Event::Fail, Phone_Ws::Invalid_Data},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray frame;
        frame.append(char(0x88)).append(char(0x80 | c.payload.size())).append(QByteArray(4, '\0')).append(c.payload);
        Phone_Ws::Frame_Reader reader(512);
        QList<Phone_Ws::Event> events;
        reader.Feed(frame, events);
        ASSERT_EQ(events.size(), 1);
        EXPECT_EQ(events[0].kind, c.kind);
        EXPECT_EQ(events[0].code, c.code);
    }
}

// HEAD gets GET's head (its length too) and no body, on every path.
TEST(Phone_Requests, HeadIsAnsweredAsGetWithoutTheBody)
{
    for (const QByteArray target : {"/", "/index.html", "/live", "/nothing"}) {
        SCOPED_TRACE(target.toStdString());
        const QByteArray rest = " " + target + " HTTP/1.1\r\nHost: 10.0.0.5\r\n\r\n";
        const Phone_Http::Decision get = Phone_Http::Decide("GET" + rest);
        const Phone_Http::Decision head = Phone_Http::Decide("HEAD" + rest);
        EXPECT_EQ(head.verdict, Phone_Http::Verdict::Answer);
        EXPECT_EQ(head.status, get.status);
        EXPECT_TRUE(head.reply.endsWith("\r\n\r\n"));
        EXPECT_EQ(head.reply, get.reply.left(head.reply.size()));
    }
    EXPECT_TRUE(Phone_Http::Decide("HEAD / HTTP/1.1\r\nHost: a\r\n\r\n").reply.contains(
        "Content-Length: " + QByteArray::number(Phone_Page().size()) + "\r\n"));
    EXPECT_TRUE(Phone_Http::Decide("POST / HTTP/1.1\r\nHost: a\r\n\r\n").reply.contains("Allow: GET, HEAD\r\n"));
}

} // namespace
