// The phone view against devices that want its places or its remote, played
// over loopback from many source addresses (127.x.y.z). Each test measures
// one figure and prints it ("figure: ..."). Short here; `make phone-hostile`
// runs them long:
//   VELMORA_HOSTILE_SECONDS            held places are tried this long (default 3)
//   VELMORA_HOSTILE_RECONNECT_SECONDS  the reconnect flood lasts this long (default 3)
#include "Hostile_fixture.h"

#include "web/Phone_server.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A page's frame that is not the last of its message.
QByteArray Unfinished(quint8 opcode, const QByteArray& payload)
{
    QByteArray frame = Hostile::Masked(opcode, payload);
    frame[0] = char(quint8(frame[0]) & 0x7F);
    return frame;
}

// 256 pages from 32 addresses (8 each, the most one source may hold) that
// never send a thing or that answer pings as a phone does, and 256 from as
// many addresses: every second a fresh phone still gets its page and its
// live state.
TEST_F(Hostile_Phone_Test, PagesHeldByThirtyTwoAddressesKeepNoFreshPhoneOut)
{
    Service()->Publish(form->Phone_State());
    const int seconds = Flood_Seconds();
    enum Kind { Silent, Answering_Pings };
    struct Variant {
        int addresses;
        Kind kind;
    } const variants[] = {{32, Silent}, {32, Answering_Pings}, {256, Answering_Pings}};
    const QString names[] = {QStringLiteral("silent pages"), QStringLiteral("pages answering pings")};
    for (const auto& [addresses, kind] : variants) {
        SCOPED_TRACE(names[kind].toStdString());
        Hostile::Flood_Plan plan;
        for (int s = 0; s < Phone_Server::Max_Connections; ++s)
            plan.sources.push_back(Hostile::Source(40 + addresses / 32 + kind * 10, s % addresses));
        plan.opening = Hostile::Handshake(port);
        plan.read = true;
        plan.answer_pings = kind == Answering_Pings;
        double slowest = 0;
        int served = 0, asked = 0, most_open = 0;
        long connects = 0;
        {
            Hostile::Flood flood(port, plan);
            EXPECT_TRUE(QTest::qWaitFor([&] { return Service()->Open_Connections() >= Phone_Server::Max_Connections; },
                                        5000));
            most_open = Service()->Open_Connections();
            for (int i = 0; i < seconds; ++i) {
                const double took = Fresh_Phone_Seconds(Hostile::Source(50, i));
                slowest = std::max(slowest, took);
                served += took < 99.0;
                ++asked;
                QTest::qWait(300);
            }
            flood.Stop();
            connects = flood.connects;
        }
        Figure(QStringLiteral("256 %1 from %7 addresses held %2 places (%3 connects): %4 of %5 fresh phones "
                              "served, the slowest in %6 s")
                   .arg(names[kind])
                   .arg(most_open).arg(connects).arg(served).arg(asked).arg(slowest, 0, 'f', 2).arg(addresses));
        EXPECT_EQ(served, asked);
#ifndef __SANITIZE_ADDRESS__
        EXPECT_LT(slowest, 2.0);
#endif
        EXPECT_TRUE(QTest::qWaitFor([&] { return Service()->Open_Connections() == 0; }, 5000));
    }
}

// With a short limit on silence: pages that send nothing, or only pieces of
// a message they never end, are closed; pages that answer pings stay.
TEST_F(Hostile_Phone_Test, SilentPagesAreClosedAndPagesThatAnswerPingsStay)
{
    constexpr int Limit_Ms = 900;
    Service()->Set_Idle_Limit(Limit_Ms);
    Hostile::Flood_Plan silent, pieces, phones;
    for (int c = 0; c < 4; ++c) {
        silent.sources.push_back(Hostile::Source(60, c));
        pieces.sources.push_back(Hostile::Source(61, c));
        phones.sources.push_back(Hostile::Source(62, c));
    }
    silent.opening = phones.opening = Hostile::Handshake(port);
    pieces.opening = Hostile::Handshake(port) + Unfinished(0x1, "{");
    pieces.repeat = Unfinished(0x0, "");
    pieces.interval_ms = 100;
    silent.read = pieces.read = phones.read = true;
    phones.answer_pings = pieces.answer_pings = true;
    QWebSocket browser;
    browser.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(port)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return browser.state() == QAbstractSocket::ConnectedState; }, 3000));
    long silent_ended = 0, pieces_ended = 0, phones_ended = 0, longest = 0;
    {
        Hostile::Flood a(port, silent), b(port, pieces), c(port, phones);
        QTest::qWait(3 * Limit_Ms + 2'500);
        a.Stop();
        b.Stop();
        c.Stop();
        silent_ended = a.ended;
        pieces_ended = b.ended;
        phones_ended = c.ended;
        longest = std::max(a.longest_ms.load(), b.longest_ms.load());
    }
    Figure(QStringLiteral("with a %1 s limit: %2 silent pages and %3 that never end a message closed (the longest "
                          "held %4 s); %5 of 4 pages that answer pings closed, the browser's socket %6")
               .arg(Limit_Ms / 1000.0).arg(silent_ended).arg(pieces_ended).arg(longest / 1000.0, 0, 'f', 1)
               .arg(phones_ended)
               .arg(browser.state() == QAbstractSocket::ConnectedState ? QStringLiteral("open") : QStringLiteral("closed")));
    EXPECT_GE(silent_ended, 4);
    EXPECT_GE(pieces_ended, 4);
    EXPECT_EQ(phones_ended, 0);
    EXPECT_EQ(browser.state(), QAbstractSocket::ConnectedState);
    // Closed within the limit, a ping's third and the close frame's wait.
    EXPECT_LE(longest, Limit_Ms + Limit_Ms / 3 + Phone_Connection::Close_Timeout_Ms + 1000);
}

// 200 addresses × 8 connections: half hang up and connect again as fast as
// they can, half send a head that never ends. What the refused and the
// evicted leave behind stays small, and phones still get in.
TEST_F(Hostile_Phone_Test, AReconnectFloodFromTwoHundredAddressesGrowsMemoryByLittle)
{
    const int seconds = std::max(1, Knob("VELMORA_HOSTILE_RECONNECT_SECONDS", 3));
    Service()->Publish(form->Phone_State());
    QTest::qWait(200);
    const qint64 before = Resident_Bytes();
    Hostile::Flood_Plan quick, slow;
    for (int s = 0; s < 200; ++s)
        for (int c = 0; c < 4; ++c) {
            quick.sources.push_back(Hostile::Source(70, s));
            slow.sources.push_back(Hostile::Source(70, s));
        }
    quick.reconnect = true;
    slow.opening = "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    slow.repeat = "X";
    slow.interval_ms = 1000;
    slow.read = true;
    qint64 peak = before;
    long connects = 0;
    int served = 0, asked = 0;
    double slowest = 0;
    {
        Hostile::Flood a(port, quick), b(port, slow);
        QElapsedTimer running;
        running.start();
        while (running.elapsed() < seconds * 1000) {
            QTest::qWait(100);
            peak = std::max(peak, Resident_Bytes());
            if (running.elapsed() / 1000 >= asked) {
                const double took = Fresh_Phone_Seconds(Hostile::Source(71, asked));
                slowest = std::max(slowest, took);
                served += took < 99.0;
                ++asked;
            }
        }
        a.Stop();
        b.Stop();
        connects = a.connects + b.connects;
    }
    QTest::qWait(500);
    peak = std::max(peak, Resident_Bytes());
    Figure(QStringLiteral("a %1 s reconnect flood from 200 addresses × 8 (%2 connects a second): memory grew by %3 MiB "
                          "at most; %4 of %5 fresh phones served, the slowest in %6 s")
               .arg(seconds).arg(connects / seconds).arg((peak - before) / 1048576.0, 0, 'f', 1).arg(served).arg(asked)
               .arg(slowest, 0, 'f', 2));
    EXPECT_GT(connects, 1000L * seconds);   // it was a flood
    EXPECT_EQ(served, asked);
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LE(peak - before, qint64(64) << 20);
#endif
}

// A message on a page of its own from the source; the reply's type and the reply.
QJsonObject Say(const std::string& source, quint16 port, const QByteArray& json)
{
    Hostile::Raw_Page page;
    if (!page.Open(source, port) || !page.Send(Hostile::Masked(0x1, json)) || page.Next_Reply().isEmpty())
        return {};
    return page.last;
}

QString Type(const QJsonObject& reply) { return reply.value(QStringLiteral("type")).toString(); }

QByteArray Pin_Json(const QString& pin) { return QStringLiteral(R"({"pin":"%1"})").arg(pin).toUtf8(); }

QString Wrong_Pin(const QString& pin) { return QStringLiteral("%1").arg((pin.toInt() + 1) % 1'000'000, 6, 10, QLatin1Char('0')); }

// One address sends 30 wrong PINs as fast as it can, each on a connection of
// its own: five are checked, and the operator's PIN from another address
// still works. Then 30 addresses spend the minute's whole budget: the
// operator's PIN waits, but the host's approval of the code the phone shows
// gives it the remote all the same.
TEST_F(Hostile_Phone_Test, NoStrangerLocksTheOperatorOut)
{
    Service()->Publish(form->Phone_State());
    const QString pin = Service()->Pin();
    int checked = 0;
    QElapsedTimer took;
    took.start();
    for (int i = 0; i < Phone_Remote::Max_Tries_In_Total; ++i)
        checked += Type(Say("127.0.80.1", port, Pin_Json(Wrong_Pin(pin)))) == QLatin1String("wrong");
    const double one_address_s = took.elapsed() / 1000.0;
    const QString operator_got = Type(Say("127.0.80.2", port, Pin_Json(Service()->Pin())));

    // Thirty more addresses, five guesses each.
    int total_checked = 0;
    for (int a = 0; a < Phone_Remote::Max_Tries_In_Total; ++a)
        for (int i = 0; i < Phone_Remote::Max_Tries; ++i)
            total_checked += Type(Say(Hostile::Source(81, a), port, Pin_Json(Wrong_Pin(Service()->Pin())))) == QLatin1String("wrong");
    Hostile::Raw_Page phone;
    ASSERT_TRUE(phone.Open("127.0.80.3", port));
    phone.Send(Hostile::Masked(0x1, Pin_Json(Service()->Pin())));
    const QString pin_then = phone.Next_Reply();
    phone.Send(Hostile::Masked(0x1, R"({"ask":"remote"})"));
    const QString asked = phone.Next_Reply();
    const QString code = phone.last.value(QStringLiteral("code")).toString();
    int approved = -1;
    for (const Phone_Remote::Request_Info& r : Service()->Remote_Requests())
        if (r.code == code && r.source == QLatin1String("127.0.80.3"))
            approved = r.id;
    EXPECT_TRUE(Service()->Approve(approved));
    const QString after_approval = phone.Next_Reply();
    const QString token = phone.last.value(QStringLiteral("token")).toString();
    phone.Send(Hostile::Masked(0x1, R"({"command":"next"})"));
    const QString command = phone.Next_Reply();

    Figure(QStringLiteral("30 wrong PINs from one address in %1 s: %2 checked, the operator's PIN from another then "
                          "\"%3\"; 150 from 30 addresses: %4 checked, the operator's PIN \"%5\", the host's approval "
                          "of code %6 \"%7\", a command \"%8\"")
               .arg(one_address_s, 0, 'f', 2).arg(checked).arg(operator_got).arg(total_checked).arg(pin_then)
               .arg(code).arg(after_approval).arg(command));
    EXPECT_EQ(checked, Phone_Remote::Max_Tries);
    EXPECT_EQ(operator_got, QStringLiteral("unlocked"));
    EXPECT_LE(total_checked, Phone_Remote::Max_Tries_In_Total);
    EXPECT_EQ(pin_then, QStringLiteral("wait"));
    EXPECT_EQ(asked, QStringLiteral("asked"));
    EXPECT_EQ(after_approval, QStringLiteral("unlocked"));
    EXPECT_EQ(token.size(), Phone_Remote::Token_Chars);
    EXPECT_EQ(command, QStringLiteral("done"));
}

// Someone who saw a phone's token on the air replays it: from another address
// it is worth nothing; from that very address (posing as the phone) it works
// until the host draws a new PIN, which takes it from the phone at once.
TEST_F(Hostile_Phone_Test, AReplayedTokenIsRefusedFromElsewhereAndAfterANewPin)
{
    Service()->Publish(form->Phone_State());
    Hostile::Raw_Page phone;
    ASSERT_TRUE(phone.Open("127.0.90.1", port));
    phone.Send(Hostile::Masked(0x1, Pin_Json(Service()->Pin())));
    ASSERT_EQ(phone.Next_Reply(), QStringLiteral("unlocked"));
    const QByteArray token = phone.last.value(QStringLiteral("token")).toString().toLatin1();
    const QByteArray replay = R"({"token":")" + token + R"("})";
    int elsewhere_refused = 0;
    constexpr int Replays = 20;
    for (int i = 0; i < Replays; ++i)
        elsewhere_refused += Type(Say(Hostile::Source(91, i), port, replay)) == QLatin1String("revoked");
    const QString same_address = Type(Say("127.0.90.1", port, replay));
    Service()->Draw_New_Pin();
    const QString phone_told = phone.Next_Reply();
    const QString after_redraw = Type(Say("127.0.90.1", port, replay));
    Figure(QStringLiteral("a token replayed from %1 other addresses: %2 refused; from the phone's own address \"%3\"; "
                          "after a new PIN the phone was told \"%4\" and the replay got \"%5\"")
               .arg(Replays).arg(elsewhere_refused).arg(same_address).arg(phone_told).arg(after_redraw));
    EXPECT_EQ(elsewhere_refused, Replays);
    EXPECT_EQ(same_address, QStringLiteral("unlocked"));
    EXPECT_EQ(phone_told, QStringLiteral("revoked"));
    EXPECT_EQ(after_redraw, QStringLiteral("revoked"));
    EXPECT_EQ(form->CurrentLevel, 0);
}

} // namespace
