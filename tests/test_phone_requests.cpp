// The phone view's request handling and remote rules without sockets: what
// each request head gets, and how PINs and commands are decided.
#include "model/Display_facts.h"
#include "web/Http_request.h"
#include "web/Phone_page.h"
#include "web/Remote.h"
#include "web/Ws_frames.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

using Phone_Http::Decide;
using Phone_Http::Verdict;

QByteArray Get(const QByteArray& target, const QByteArray& extra = {})
{
    return "GET " + target + " HTTP/1.1\r\nHost: 10.0.0.5:8080\r\n" + extra + "\r\n";
}

QByteArray Handshake(const QByteArray& extra = {})
{
    return Get("/live", "Upgrade: websocket\r\nConnection: keep-alive, Upgrade\r\n"
                        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n" + extra);
}

QString Type_Of(const QByteArray& reply)
{
    return QJsonDocument::fromJson(reply).object().value(QStringLiteral("type")).toString();
}

TEST(Phone_Requests, ThePageAndTheSocketAreAnsweredAndNothingElse)
{
    const auto page = Decide(Get("/"));
    EXPECT_EQ(page.verdict, Verdict::Answer);
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(page.reply.startsWith("HTTP/1.1 200 OK\r\n"));
    EXPECT_TRUE(page.reply.endsWith(Phone_Page()));
    EXPECT_TRUE(page.reply.contains("Content-Length: " + QByteArray::number(Phone_Page().size()) + "\r\n"));
    EXPECT_TRUE(page.reply.contains("Connection: close\r\n"));
    EXPECT_EQ(Decide(Get("/?from=qr")).status, 200);
    EXPECT_EQ(Decide("GET / HTTP/1.0\r\n\r\n").status, 200);   // 1.0 needs no Host

    EXPECT_EQ(Decide(Handshake()).verdict, Verdict::Upgrade);
    EXPECT_EQ(Decide(Handshake("Origin: http://10.0.0.5:8080\r\n")).verdict, Verdict::Upgrade);
    // Another site's page may not open the socket of this one.
    EXPECT_EQ(Decide(Handshake("Origin: http://evil.example\r\n")).status, 403);
    // The socket's path without a handshake, or an old protocol version.
    EXPECT_EQ(Decide(Get("/live")).status, 426);
    EXPECT_EQ(Decide(Get("/live", "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: x\r\n"
                                  "Sec-WebSocket-Version: 8\r\n")).status, 426);

    for (const char* method : {"POST", "PUT", "DELETE", "OPTIONS"}) {
        const auto d = Decide(QByteArray(method) + " / HTTP/1.1\r\nHost: a\r\n\r\n");
        EXPECT_EQ(d.status, 405) << method;
        EXPECT_TRUE(d.reply.contains("Allow: GET, HEAD\r\n"));
    }
}

// The statement of the page's script that fills the element with this id.
QByteArray Script_Filling(const QByteArray& id)
{
    const QByteArray& page = Phone_Page();
    const qsizetype at = page.indexOf("text(\"" + id + "\",");
    return at < 0 ? QByteArray() : page.mid(at, page.indexOf('\n', at) - at);
}

TEST(Phone_Requests, ThePageShowsChipsWithoutTheCurrencyAndABreakAsOnTheDisplay)
{
    // The average stack is chips: the currency symbol is for the pool and
    // the payouts only.
    const QByteArray average = Script_Filling("average");
    ASSERT_FALSE(average.isEmpty());
    EXPECT_FALSE(average.contains("money(")) << average.constData();
    EXPECT_FALSE(average.contains("currency")) << average.constData();
    EXPECT_TRUE(Script_Filling("pool").contains("money("));
    // A break is headed as the main window and the display head it.
    EXPECT_TRUE(Script_Filling("level").contains("\"BREAK, then level \"")) << Script_Filling("level").constData();
    // A stopped clock has the display's word.
    EXPECT_TRUE(Script_Filling("state").contains("\"" + QByteArray(Stopped_Clock_Word) + "\"")) << Script_Filling("state").constData();
}

TEST(Phone_Requests, NoPathReachesAFile)
{
    for (const char* target : {"/velmora.ini", "/../velmora.ini", "/Data/Default.trn", "/%2e%2e/%2e%2e/etc/passwd",
                               "//etc/passwd", "/./", "/index.html/..", "/live/../velmora.ini", "/favicon.ico",
                               "/\\..\\velmora.ini", "/Data/PdB.data"}) {
        const auto d = Decide(Get(target));
        EXPECT_EQ(d.verdict, Verdict::Answer) << target;
        EXPECT_EQ(d.status, 404) << target;
        EXPECT_LT(d.reply.size(), 800) << target;   // a short error, never a file
    }
    // A target that is not a path at all.
    EXPECT_EQ(Decide(Get("http://10.0.0.5/")).status, 400);
    EXPECT_EQ(Decide(Get("*")).status, 400);
}

TEST(Phone_Requests, IncompleteOversizeAndMalformedHeads)
{
    EXPECT_EQ(Decide("").verdict, Verdict::Need_More);
    EXPECT_EQ(Decide("GET / HTTP/1.1\r\nHost: a\r\n").verdict, Verdict::Need_More);
    // A head that never ends within the bound is refused, not buffered on.
    const QByteArray endless = "GET / HTTP/1.1\r\nX: " + QByteArray(Phone_Http::Max_Request_Bytes, 'a');
    EXPECT_EQ(Decide(endless).status, 431);
    EXPECT_EQ(Decide(endless + "\r\n\r\n").status, 431);
    EXPECT_EQ(Decide(QByteArray(Phone_Http::Max_Request_Bytes - 1, 'a')).verdict, Verdict::Need_More);

    const QByteArray bad[] = {
        "\r\n\r\n",
        "GET /\r\n\r\n",
        "GET  / HTTP/1.1\r\nHost: a\r\n\r\n",
        "GET / HTTP/1.1\nHost: a\r\n\r\n",              // a bare line feed
        "GET / HTTP/1.1\r\nHost a\r\n\r\n",             // no colon
        "GET / HTTP/1.1\r\n Host: a\r\n\r\n",           // a folded line
        "GET / HTTP/1.1\r\nHo st: a\r\n\r\n",
        QByteArray("GET / HTTP/1.1\r\nHost: a\0b\r\n\r\n", sizeof "GET / HTTP/1.1\r\nHost: a\0b\r\n\r\n" - 1),
        "GET / HTTP/1.1\r\nHost: a\r\nHost: b\r\n\r\n", // said twice
        "GET / HTTP/1.1\r\n\r\n",                       // 1.1 without Host
        "GET / FTP/1.1\r\nHost: a\r\n\r\n",
        "GET / HTTP/1.1\r\nHost: a\r\nContent-Length: -1\r\n\r\n",
        "GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 1x\r\n\r\n",
        "G\xc3\xa9T / HTTP/1.1\r\nHost: a\r\n\r\n",
    };
    for (const QByteArray& head : bad) {
        const auto d = Decide(head);
        EXPECT_EQ(d.verdict, Verdict::Answer) << head.toStdString();
        EXPECT_EQ(d.status, 400) << head.toStdString();
    }
    EXPECT_EQ(Decide("GET / HTTP/2.0\r\nHost: a\r\n\r\n").status, 505);
    // Nothing takes a body.
    EXPECT_EQ(Decide(Get("/", "Content-Length: 10\r\n")).status, 413);
    EXPECT_EQ(Decide(Get("/", "Transfer-Encoding: chunked\r\n")).status, 413);
    EXPECT_EQ(Decide(Get("/", "Content-Length: 0\r\n")).status, 200);
}

TEST(Phone_Remote_Rules, MessagesAreReadStrictly)
{
    using Phone_Remote::Command;
    using Phone_Remote::Parse_Message;
    EXPECT_EQ(Parse_Message(R"({"command":"start"})").command, Command::Start_Stop);
    EXPECT_EQ(Parse_Message(R"({"command":"next"})").command, Command::Next_Level);
    EXPECT_EQ(Parse_Message(R"({"command":"prev"})").command, Command::Prev_Level);
    const auto pin = Parse_Message(R"({"pin":"012345"})");
    EXPECT_TRUE(pin.valid);
    EXPECT_EQ(pin.pin, QStringLiteral("012345"));
    const auto token = Parse_Message(R"({"token":"0123456789abcdef0123456789abcdef"})");
    EXPECT_EQ(token.kind, Phone_Remote::Message::Token);
    EXPECT_EQ(token.token, QByteArray("0123456789abcdef0123456789abcdef"));
    EXPECT_EQ(Parse_Message(R"({"ask":"remote"})").kind, Phone_Remote::Message::Ask);
    for (const char* text : {"", "{}", "[]", "null", R"({"command":"reset"})", R"({"command":1})", R"({"pin":123456})",
                             R"({"pin":"123456","command":"next"})", "{\"command\":\"next\"", "\xff\xfe",
                             R"({"token":"0123456789ABCDEF0123456789abcdef"})", R"({"token":"0123456789abcdef"})",
                             R"({"ask":"pin"})", R"({"ask":true})"})
        EXPECT_FALSE(Parse_Message(text).valid) << text;
    const QByteArray big = R"({"pin":")" + QByteArray(600, '1') + R"("})";
    EXPECT_FALSE(Parse_Message(big).valid);
}

TEST(Phone_Remote_Rules, APinIsSixDigitsAndDrawnAnew)
{
    QSet<QString> seen;
    for (int i = 0; i < 20; ++i) {
        const QString pin = Phone_Remote::New_Pin();
        ASSERT_EQ(pin.size(), 6);
        for (QChar c : pin)
            EXPECT_TRUE(c.isDigit()) << pin.toStdString();
        seen.insert(pin);
    }
    EXPECT_GT(seen.size(), 15);
}

TEST(Phone_Remote_Rules, CommandsNeedThePinAndGuessingIsSlowedPerAddress)
{
    using Phone_Remote::Command;
    Phone_Remote::State state;
    const QString pin = QStringLiteral("482913");
    const QString guesser = QStringLiteral("10.0.0.9");
    qint64 now = 1'000'000;
    // Each message on a connection of its own: the source's count holds them all back.
    auto handle = [&](const QByteArray& text, const QString& source, qint64 at, const QString& drawn = QStringLiteral("482913")) {
        Phone_Remote::Page_State page;
        return Phone_Remote::Handle(text, drawn, page, source, at, state);
    };

    auto locked = handle(R"({"command":"next"})", guesser, now);
    EXPECT_EQ(locked.run, Command::None);
    EXPECT_EQ(Type_Of(locked.reply), QStringLiteral("locked"));

    for (int i = 0; i < Phone_Remote::Max_Tries; ++i) {
        auto wrong = handle(R"({"pin":"000000"})", guesser, now + i * 1000);
        EXPECT_FALSE(wrong.unlock);
        EXPECT_TRUE(wrong.log_wrong_pin);
        EXPECT_EQ(Type_Of(wrong.reply), QStringLiteral("wrong"));
    }
    // The sixth try within the minute is not even checked: the right PIN waits too.
    auto held = handle(R"({"pin":"482913"})", guesser, now + 10'000);
    EXPECT_FALSE(held.unlock);
    EXPECT_EQ(Type_Of(held.reply), QStringLiteral("wait"));
    EXPECT_EQ(QJsonDocument::fromJson(held.reply).object().value(QStringLiteral("seconds")).toInt(), 50);
    // Another address is not held back by the guesser.
    EXPECT_TRUE(handle(R"({"pin":"482913"})", QStringLiteral("10.0.0.7"), now + 10'000).unlock);
    // A minute after the first wrong try, one more try is free.
    Phone_Remote::Page_State page;
    auto later = Phone_Remote::Handle(R"({"pin":"482913"})", pin, page, guesser, now + 60'000, state);
    EXPECT_TRUE(later.unlock);
    EXPECT_EQ(Type_Of(later.reply), QStringLiteral("unlocked"));

    // Holding the remote, each command runs; a malformed message runs nothing.
    EXPECT_EQ(Phone_Remote::Handle(R"({"command":"start"})", pin, page, guesser, now, state).run, Command::Start_Stop);
    EXPECT_EQ(Phone_Remote::Handle(R"({"command":"prev"})", pin, page, guesser, now, state).run, Command::Prev_Level);
    EXPECT_EQ(Phone_Remote::Handle(R"({"command":"prev")", pin, page, guesser, now, state).run, Command::None);
    // No PIN drawn (server off) unlocks nothing, not even an empty one.
    EXPECT_FALSE(handle(R"({"pin":""})", QStringLiteral("10.0.0.8"), now, QString()).unlock);
}

TEST(Phone_Remote_Rules, TheBrakeForgetsOldTriesAndStaysBounded)
{
    Phone_Remote::Pin_Brake brake;
    for (int i = 0; i < Phone_Remote::Max_Addresses + 50; ++i)
        brake.Wrong(QStringLiteral("10.%1.%2.1").arg(i / 256).arg(i % 256), 0);
    EXPECT_LE(brake.Addresses(), Phone_Remote::Max_Addresses);
    brake.Wrong(QStringLiteral("192.168.0.1"), Phone_Remote::Try_Window_Ms);
    EXPECT_EQ(brake.Addresses(), 1);
    EXPECT_TRUE(brake.May_Try(QStringLiteral("192.168.0.1"), Phone_Remote::Try_Window_Ms));
}

TEST(Phone_Requests, OnlyThisMachinesNamesAreAnswered)
{
    Phone_Http::Served_Names names;
    names.addresses = {QHostAddress(QStringLiteral("10.0.0.5")), QHostAddress(QStringLiteral("2001:db8::5"))};
    names.names = {QStringLiteral("localhost"), QStringLiteral("den-pc"), QStringLiteral("den-pc.local")};
    names.port = 8080;
    auto status = [&](const QByteArray& host) {
        return Decide("GET / HTTP/1.1\r\nHost: " + host + "\r\n\r\n", &names).status;
    };
    for (const char* host : {"10.0.0.5:8080", "10.0.0.5", "localhost:8080", "DEN-PC.local:8080", "den-pc:8080",
                             "den-pc.local.:8080", "127.0.0.1:8080", "127.8.9.10:8080", "[::1]:8080",
                             "[2001:db8::5]:8080", "[2001:DB8:0::5]"})
        EXPECT_EQ(status(host), 200) << host;
    for (const char* host : {"rebound.example:8080", "10.0.0.6:8080", "10.0.0.5:8081", "10.0.0.5:", "10.0.0.5:80800",
                             "den-pc.local.rebound.example", "den-pc.lan", "[localhost]:8080", "2001:db8::5",
                             "[2001:db8::6]:8080", "[2001:db8::5", "10.0.0.5:8080:8080", ":8080"})
        EXPECT_EQ(status(host), 421) << host;
    // HTTP/1.0 may name no host at all; without names the Host is not looked at.
    EXPECT_EQ(Decide("GET / HTTP/1.0\r\n\r\n", &names).status, 200);
    EXPECT_EQ(Decide(Get("/"), nullptr).status, 200);

    // The socket: a rebound Host is refused before anything else, and the
    // origin must be this server as the Host names it.
    const QByteArray shake = "GET /live HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                             "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n";
    auto socket = [&](const QByteArray& host, const QByteArray& origin) {
        return Decide(shake + "Host: " + host + "\r\n" + (origin.isEmpty() ? QByteArray() : "Origin: " + origin + "\r\n")
                          + "\r\n", &names);
    };
    EXPECT_EQ(socket("rebound.example:8080", "http://rebound.example:8080").status, 421);
    EXPECT_EQ(socket("10.0.0.5:8080", "http://rebound.example:8080").status, 403);
    EXPECT_EQ(socket("10.0.0.5:8080", "https://10.0.0.5:8080").status, 403);
    EXPECT_EQ(socket("10.0.0.5:8080", "null").status, 403);
    const auto ok = socket("10.0.0.5:8080", "http://10.0.0.5:8080");
    ASSERT_EQ(ok.verdict, Verdict::Upgrade);
    EXPECT_EQ(ok.status, 101);
    // The accept key of the protocol's own example.
    EXPECT_TRUE(ok.reply.startsWith("HTTP/1.1 101 Switching Protocols\r\n"));
    EXPECT_TRUE(ok.reply.contains("\r\nSec-WebSocket-Accept: s3pPLMBiTxaQ9kYGzzhZRbK+xOo=\r\n"));
    EXPECT_TRUE(ok.reply.endsWith("\r\n\r\n"));
    // Frames sent right behind the head are not part of it.
    const QByteArray head = shake + "Host: localhost:8080\r\n\r\n";
    EXPECT_EQ(Decide(head + "\x81\x85", &names).head_size, head.size());
    EXPECT_EQ(Decide(Handshake().replace("dGhlIHNhbXBsZSBub25jZQ==", "c2hvcnQ="), &names).status, 400);

    // The machine's own list knows it by loopback and "localhost".
    const auto mine = Phone_Http::Served_Names::Of_This_Machine(8080);
    EXPECT_TRUE(mine.Accepts("127.0.0.1:8080"));
    EXPECT_TRUE(mine.Accepts("localhost"));
    EXPECT_FALSE(mine.Accepts("rebound.example:8080"));
}

TEST(Phone_Requests, HeadsThatCannotBeHttpAreRefusedWithoutWaitingForTheirEnd)
{
    for (const char* start : {"GET /\r\n", "GET / HTTP/1.1\n", "GET / HTTP/1.1\r\nHost: a\n", "\x16\x03\x01",
                              "GET / SPDY/3\r\n", "\r\n", "G\x01", "GET / HTTP/1.1 x\r\n"}) {
        const auto d = Decide(start);
        EXPECT_EQ(d.verdict, Verdict::Answer) << start;
        EXPECT_EQ(d.status, 400) << start;
    }
    for (const char* start : {"G", "GET", "GET / HTTP/1.1", "GET / HTTP/1.1\r", "GET / HTTP/1.1\r\nHost: a\r\n"})
        EXPECT_EQ(Decide(start).verdict, Verdict::Need_More) << start;
}

// A page's frame as a browser sends it: final, masked with the key.
QByteArray Client_Frame(quint8 opcode, const QByteArray& payload, bool final = true, bool masked = true)
{
    QByteArray out;
    out.append(char((final ? 0x80 : 0) | opcode));
    const char mask_bit = masked ? char(0x80) : char(0);
    if (payload.size() < 126) {
        out.append(char(mask_bit | payload.size()));
    } else {
        out.append(char(mask_bit | 126));
        out.append(char(payload.size() >> 8));
        out.append(char(payload.size() & 0xFF));
    }
    const QByteArray key = "\x12\x34\x56\x78";
    if (masked)
        out.append(key);
    for (qsizetype i = 0; i < payload.size(); ++i)
        out.append(masked ? char(payload[i] ^ key[i % 4]) : payload[i]);
    return out;
}

QList<Phone_Ws::Event> Read_All(const QByteArray& bytes, qsizetype step = 0)
{
    Phone_Ws::Frame_Reader reader(Phone_Remote::Max_Message_Bytes);
    QList<Phone_Ws::Event> events;
    for (qsizetype at = 0; at < bytes.size(); at += step ? step : bytes.size()) {
        reader.Feed(QByteArrayView(bytes).sliced(at, std::min(step ? step : bytes.size(), bytes.size() - at)), events);
        EXPECT_LE(reader.Held_Bytes(), 14 + Phone_Remote::Max_Message_Bytes);
    }
    return events;
}

TEST(Phone_Frames, APagesFramesAreReadWhateverPiecesTheyComeIn)
{
    using Phone_Ws::Event;
    const QByteArray stream = Client_Frame(0x1, R"({"pin":"123456"})") + Client_Frame(0x9, "are you there")
                              + Client_Frame(0x1, "{\"com", false) + Client_Frame(0xA, "") + Client_Frame(0x0, "mand\":", false)
                              + Client_Frame(0x0, "\"next\"}") + Client_Frame(0x1, QByteArray(300, 'x'))
                              + Client_Frame(0x8, "\x03\xe8" "bye") + Client_Frame(0x1, "after the close");
    for (qsizetype step : {0, 1, 3, 7}) {
        const QList<Event> events = Read_All(stream, step);
        ASSERT_EQ(events.size(), 8) << step;
        EXPECT_EQ(events[0].kind, Event::Text);
        EXPECT_EQ(events[0].data, R"({"pin":"123456"})");
        EXPECT_EQ(events[1].kind, Event::Ping);
        EXPECT_EQ(events[1].data, "are you there");
        EXPECT_EQ(events[2].kind, Event::Part);
        EXPECT_EQ(events[3].kind, Event::Pong);   // a control frame between the pieces of a message
        EXPECT_EQ(events[4].kind, Event::Part);
        EXPECT_EQ(events[5].data, R"({"command":"next"})");
        EXPECT_EQ(events[6].data, QByteArray(300, 'x'));
        EXPECT_EQ(events[7].kind, Event::Close);
        EXPECT_EQ(events[7].code, 1000);
    }
    // The server's own frames: final, unmasked, with the length in the form its size needs.
    EXPECT_EQ(Phone_Ws::Text_Frame("hi"), QByteArray("\x81\x02hi"));
    EXPECT_EQ(Phone_Ws::Text_Frame(QByteArray(300, 'a')).left(4), QByteArray("\x81\x7e\x01\x2c"));
    EXPECT_EQ(Phone_Ws::Text_Frame(QByteArray(70000, 'a')).left(10), QByteArray("\x81\x7f\0\0\0\0\0\x01\x11\x70", 10));
    EXPECT_EQ(Phone_Ws::Pong_Frame("p"), QByteArray("\x8a\x01p"));
    EXPECT_EQ(Phone_Ws::Close_Frame(1009), QByteArray("\x88\x02\x03\xf1"));
}

TEST(Phone_Frames, WhatAPageNeverSendsEndsItsConnection)
{
    using Phone_Ws::Event;
    struct Case {
        const char* what;
        QByteArray bytes;
        quint16 code;
    };
    const Case cases[] = {
        // Told from the head alone: no payload is waited for or kept.
        {"unmasked", Client_Frame(0x1, "{}", true, false).left(2), Phone_Ws::Protocol_Error},
        {"binary", Client_Frame(0x2, "\x01\x02").left(6), Phone_Ws::Unsupported_Data},
        {"oversize", Client_Frame(0x1, QByteArray(513, 'x')).left(8), Phone_Ws::Too_Big},
        {"64-bit length", QByteArray("\x81\xff\x80\0\0\0\0\0\0\0\1\2\3\4", 14), Phone_Ws::Too_Big},
        {"reserved bits", QByteArray("\xc1\x80\1\2\3\4", 6), Phone_Ws::Protocol_Error},
        {"unknown opcode", Client_Frame(0x3, ""), Phone_Ws::Protocol_Error},
        {"stray continuation", Client_Frame(0x0, "x"), Phone_Ws::Protocol_Error},
        {"text inside a message", Client_Frame(0x1, "a", false) + Client_Frame(0x1, "b"), Phone_Ws::Protocol_Error},
        {"long ping", Client_Frame(0x9, QByteArray(126, 'p')).left(8), Phone_Ws::Protocol_Error},
        {"fragmented ping", Client_Frame(0x9, "p", false), Phone_Ws::Protocol_Error},
        {"pieces too big together", Client_Frame(0x1, QByteArray(300, 'x'), false) + Client_Frame(0x0, QByteArray(300, 'y')),
         Phone_Ws::Too_Big},
        {"not UTF-8", Client_Frame(0x1, "\xff\xfe"), Phone_Ws::Invalid_Data},
        {"one-byte close", Client_Frame(0x8, "\x03"), Phone_Ws::Protocol_Error},
    };
    for (const Case& c : cases) {
        Phone_Ws::Frame_Reader reader(Phone_Remote::Max_Message_Bytes);
        QList<Event> events;
        reader.Feed(c.bytes + Client_Frame(0x1, "never read"), events);
        ASSERT_FALSE(events.isEmpty()) << c.what;
        EXPECT_EQ(events.back().kind, Event::Fail) << c.what;
        EXPECT_EQ(events.back().code, c.code) << c.what;
        EXPECT_TRUE(reader.Done()) << c.what;
        EXPECT_EQ(reader.Held_Bytes(), 0) << c.what;
    }
}

TEST(Phone_Frames, APageIsHeldToTwentyFramesASecond)
{
    Phone_Ws::Frame_Rate rate;
    int allowed = 0;
    while (allowed < 100 && rate.Allow(1000))
        ++allowed;
    EXPECT_EQ(allowed, Phone_Ws::Frame_Rate::Max_Frames);   // a burst of one second's worth
    EXPECT_TRUE(rate.Allow(1050));
    EXPECT_FALSE(rate.Allow(1060));
    // Steady at the rate, for a minute: never refused.
    Phone_Ws::Frame_Rate steady;
    for (qint64 t = 0; t < 60'000; t += 1000 / Phone_Ws::Frame_Rate::Max_Frames)
        ASSERT_TRUE(steady.Allow(t)) << t;
    // A quarter faster: refused within seconds.
    Phone_Ws::Frame_Rate fast;
    qint64 t = 0;
    while (t < 60'000 && fast.Allow(t))
        t += 40;
    EXPECT_LT(t, 10'000);
}

TEST(Phone_Remote_Rules, NoNumberOfSourcesGetsAroundTheLimitInTotal)
{
    using Phone_Remote::Handle;
    Phone_Remote::State state;
    const QString pin = QStringLiteral("482913");
    int wrong = 0, held = 0, redraws = 0;
    // 5,000 sources in one minute, each with a page of its own.
    for (int i = 0; i < 5000; ++i) {
        Phone_Remote::Page_State page;
        const auto out = Handle(R"({"pin":"000000"})", pin, page, QStringLiteral("10.%1.%2.1").arg(i / 250).arg(i % 250),
                                i * 10, state);
        wrong += Type_Of(out.reply) == QLatin1String("wrong");
        held += Type_Of(out.reply) == QLatin1String("wait");
        redraws += out.redraw_pin;
        EXPECT_TRUE(out.log_wrong_pin);
    }
    EXPECT_EQ(wrong, Phone_Remote::Max_Tries_In_Total);
    EXPECT_EQ(held, 5000 - Phone_Remote::Max_Tries_In_Total);
    EXPECT_EQ(redraws, 1);   // at the twentieth in a row
    EXPECT_LE(state.brake.Addresses(), Phone_Remote::Max_Tries_In_Total);
    // While the total is spent the right PIN waits too; a minute after the first wrong one it is checked.
    Phone_Remote::Page_State owner;
    const auto waiting = Handle(R"({"pin":"482913"})", pin, owner, QStringLiteral("10.99.0.1"), 59'000, state);
    EXPECT_EQ(Type_Of(waiting.reply), QStringLiteral("wait"));
    EXPECT_EQ(QJsonDocument::fromJson(waiting.reply).object().value(QStringLiteral("seconds")).toInt(), 1);
    EXPECT_TRUE(Handle(R"({"pin":"482913"})", pin, owner, QStringLiteral("10.99.0.1"), 60'000, state).unlock);
    EXPECT_TRUE(state.Holds(owner));

    // A right PIN ends the row: 19 wrong, the right one, 19 wrong draw nothing
    // new (slowly enough for the total).
    Phone_Remote::State row;
    int row_redraws = 0;
    for (int i = 0; i < 39; ++i) {
        Phone_Remote::Page_State page;
        const bool right = i == 19;
        const auto out = Handle(right ? R"({"pin":"482913"})" : R"({"pin":"000001"})", pin, page,
                                QStringLiteral("10.0.%1.1").arg(i), i * 3000, row);
        row_redraws += out.redraw_pin;
        EXPECT_EQ(out.unlock, right);
    }
    EXPECT_EQ(row_redraws, 0);
    EXPECT_EQ(row.brake.Wrong_In_A_Row(), 19);
}

TEST(Phone_Remote_Rules, SourcesAreAddressesOnTheLocalNetworkAndIpv6SlashSixtyFoursBeyondIt)
{
    using Phone_Remote::Source_Of;
    const Phone_Remote::Prefixes home{{QHostAddress(QStringLiteral("2001:db8:1:2::10")), 64}};
    struct Case {
        const char* address;
        const char* source;
    } const cases[] = {
        {"10.0.0.9", "10.0.0.9"},
        {"::ffff:10.0.0.9", "10.0.0.9"},
        {"2001:db8:1:2::5", "2001:db8:1:2::5"},         // the home network: each phone its own
        {"2001:db8:1:2:ffff:eeee:dddd:1", "2001:db8:1:2:ffff:eeee:dddd:1"},
        {"fe80::1:2", "fe80::1:2"},                     // link-local
        {"::1", "::1"},
        {"2001:db8:7:3::5", "2001:db8:7:3::/64"},        // beyond it: its /64
        {"2001:db8:7:3:ffff::9", "2001:db8:7:3::/64"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Source_Of(QHostAddress(QString::fromLatin1(c.address)), home), QLatin1String(c.source)) << c.address;
    // Without the prefixes known, a global address counts by its /64.
    EXPECT_EQ(Source_Of(QHostAddress(QStringLiteral("2001:db8:1:2::5"))), QStringLiteral("2001:db8:1:2::/64"));

    // Every address of a foreign /64 guesses as one source, over all its pages.
    using Phone_Remote::Handle;
    Phone_Remote::State state;
    const QString pin = QStringLiteral("482913");
    for (int i = 0; i < Phone_Remote::Max_Tries; ++i) {
        Phone_Remote::Page_State page;
        const QHostAddress address(QStringLiteral("2001:db8:7:3::%1").arg(i + 1, 0, 16));
        EXPECT_EQ(Type_Of(Handle(R"({"pin":"000000"})", pin, page, Source_Of(address, home), 0, state).reply),
                  QStringLiteral("wrong"));
    }
    Phone_Remote::Page_State another;
    EXPECT_EQ(Type_Of(Handle(R"({"pin":"482913"})", pin, another, QStringLiteral("2001:db8:7:3::/64"), 1, state).reply),
              QStringLiteral("wait"));
    // A phone of the house is another source.
    Phone_Remote::Page_State owner;
    EXPECT_TRUE(Handle(R"({"pin":"482913"})", pin, owner, QStringLiteral("2001:db8:1:2::5"), 2, state).unlock);

    // PINs are compared whole: one digit off, a prefix or nothing is not the PIN.
    using Phone_Remote::Same_Pin;
    EXPECT_TRUE(Same_Pin(QStringLiteral("004217"), QStringLiteral("004217")));
    EXPECT_FALSE(Same_Pin(QStringLiteral("004218"), QStringLiteral("004217")));
    EXPECT_FALSE(Same_Pin(QStringLiteral("104217"), QStringLiteral("004217")));
    EXPECT_FALSE(Same_Pin(QStringLiteral("00421"), QStringLiteral("004217")));
    EXPECT_FALSE(Same_Pin(QString(), QString()));
}

TEST(Phone_Remote_Rules, RefusedPinsAreLoggedOnceAMinutePerSourceWithACount)
{
    Phone_Remote::Log_Throttle log;
    QStringList written;
    // One source refused every 10 ms for three minutes.
    for (qint64 t = 0; t < 180'000; t += 10)
        written += log.Refused(QStringLiteral("10.0.0.9"), t);
    written += log.Flush(240'000);
    ASSERT_EQ(written.size(), 4) << written.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(written[0], QStringLiteral("Phone view: refused PIN from 10.0.0.9"));
    EXPECT_EQ(written[1], QStringLiteral("Phone view: 6000 more refused PINs from 10.0.0.9"));
    EXPECT_EQ(written[2], QStringLiteral("Phone view: 6000 more refused PINs from 10.0.0.9"));
    EXPECT_EQ(written[3], QStringLiteral("Phone view: 5999 more refused PINs from 10.0.0.9"));
    EXPECT_EQ(log.Flush(300'000), QStringList());
    EXPECT_EQ(log.Sources(), 0);   // forgotten once quiet

    // 5,000 sources in a minute: a few lines, the rest summed up.
    Phone_Remote::Log_Throttle many;
    QStringList lines;
    for (int i = 0; i < 5000; ++i)
        lines += many.Refused(QStringLiteral("10.%1.%2.1").arg(i / 250).arg(i % 250), i * 10);
    lines += many.Flush(61'000);
    EXPECT_EQ(lines.size(), Phone_Remote::Log_Throttle::Max_Lines + 1);
    EXPECT_EQ(lines.back(), QStringLiteral("Phone view: %1 refused PINs from other sources in the last minute")
                                .arg(5000 - Phone_Remote::Log_Throttle::Max_Lines));
    EXPECT_LE(many.Sources(), Phone_Remote::Log_Throttle::Max_Sources);
}

} // namespace
