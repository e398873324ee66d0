// The phone view's request handling and remote rules without sockets: what
// each request head gets, and how PINs and commands are decided.
#include "web/Http_request.h"
#include "web/Phone_page.h"
#include "web/Remote.h"

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

    for (const char* method : {"POST", "PUT", "DELETE", "HEAD", "OPTIONS"}) {
        const auto d = Decide(QByteArray(method) + " / HTTP/1.1\r\nHost: a\r\n\r\n");
        EXPECT_EQ(d.status, 405) << method;
        EXPECT_TRUE(d.reply.contains("Allow: GET\r\n"));
    }
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
    for (const char* text : {"", "{}", "[]", "null", R"({"command":"reset"})", R"({"command":1})", R"({"pin":123456})",
                             R"({"pin":"123456","command":"next"})", "{\"command\":\"next\"", "\xff\xfe"})
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
    using Phone_Remote::Handle;
    Phone_Remote::Pin_Brake brake;
    const QString pin = QStringLiteral("482913");
    const QString guesser = QStringLiteral("10.0.0.9");
    qint64 now = 1'000'000;

    auto locked = Handle(R"({"command":"next"})", pin, false, guesser, now, brake);
    EXPECT_EQ(locked.run, Command::None);
    EXPECT_EQ(Type_Of(locked.reply), QStringLiteral("locked"));

    for (int i = 0; i < Phone_Remote::Max_Tries; ++i) {
        auto wrong = Handle(R"({"pin":"000000"})", pin, false, guesser, now + i * 1000, brake);
        EXPECT_FALSE(wrong.unlock);
        EXPECT_TRUE(wrong.log_wrong_pin);
        EXPECT_EQ(Type_Of(wrong.reply), QStringLiteral("wrong"));
    }
    // The sixth try within the minute is not even checked: the right PIN waits too.
    auto held = Handle(R"({"pin":"482913"})", pin, false, guesser, now + 10'000, brake);
    EXPECT_FALSE(held.unlock);
    EXPECT_EQ(Type_Of(held.reply), QStringLiteral("wait"));
    EXPECT_EQ(QJsonDocument::fromJson(held.reply).object().value(QStringLiteral("seconds")).toInt(), 50);
    // Another address is not held back by the guesser.
    EXPECT_TRUE(Handle(R"({"pin":"482913"})", pin, false, QStringLiteral("10.0.0.7"), now + 10'000, brake).unlock);
    // A minute after the first wrong try, one more try is free.
    auto later = Handle(R"({"pin":"482913"})", pin, false, guesser, now + 60'000, brake);
    EXPECT_TRUE(later.unlock);
    EXPECT_EQ(Type_Of(later.reply), QStringLiteral("unlocked"));

    // Unlocked, each command runs; a malformed message runs nothing.
    EXPECT_EQ(Handle(R"({"command":"start"})", pin, true, guesser, now, brake).run, Command::Start_Stop);
    EXPECT_EQ(Handle(R"({"command":"prev"})", pin, true, guesser, now, brake).run, Command::Prev_Level);
    EXPECT_EQ(Handle(R"({"command":"prev")", pin, true, guesser, now, brake).run, Command::None);
    // No PIN drawn (server off) unlocks nothing, not even an empty one.
    EXPECT_FALSE(Handle(R"({"pin":""})", QString(), false, QStringLiteral("10.0.0.8"), now, brake).unlock);
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

} // namespace
