// The phone view over loopback: the dialog and the settings file, the page
// and the state a WebSocket client receives while the clock is driven, the
// remote with its PIN, and requests that must be refused without harming
// the pages already connected.
#include "Display_fixture.h"
#include "Roster_data.h"

#include "forms/dialogs/Phone_view_dlg.h"
#include "forms/widgets/Spin_box.h"
#include "web/Phone_server.h"
#include "web/Phone_service.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QFileInfo>
#include <QMap>
#include <QScopeGuard>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWebSocket>
#include <atomic>
#include <memory>

namespace {

// A page's connection: every JSON message it received, in order.
class Client {
public:
    explicit Client(quint16 port)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& text) {
            received << QJsonDocument::fromJson(text.toUtf8()).object();
        });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(port)));
    }
    // Waits (on events, at most a few seconds) for a message of that type
    // matching the test; returns it, or an empty object.
    QJsonObject Wait_For(const QString& type, const std::function<bool(const QJsonObject&)>& test = nullptr)
    {
        QJsonObject found;
        auto match = [&] {
            for (qsizetype i = seen; i < received.size(); ++i)
                if (received[i].value(QStringLiteral("type")).toString() == type && (!test || test(received[i]))) {
                    found = received[i];
                    seen = i + 1;
                    return true;
                }
            return false;
        };
        if (!QTest::qWaitFor(match, 5000))
            ADD_FAILURE() << "no \"" << type.toStdString() << "\" message came";
        return found;
    }
    void Send(const QByteArray& json) { socket.sendTextMessage(QString::fromUtf8(json)); }

    QWebSocket socket;
    QList<QJsonObject> received;
    qsizetype seen = 0;
};

// What a raw TCP client gets back for the bytes it sends, until the server
// closes (the server runs in this thread: the client waits on events).
QByteArray Raw_Exchange(quint16 port, const QByteArray& bytes)
{
    QTcpSocket s;
    QByteArray reply;
    QObject::connect(&s, &QTcpSocket::readyRead, [&] { reply += s.readAll(); });
    s.connectToHost(QHostAddress::LocalHost, port);
    if (!QTest::qWaitFor([&] { return s.state() == QAbstractSocket::ConnectedState; }, 3000))
        return "<no connection>";
    s.write(bytes);
    if (!QTest::qWaitFor([&] { return s.state() == QAbstractSocket::UnconnectedState; }, 5000))
        return "<still open> " + reply;
    return reply + s.readAll();
}

class Phone_View_Test : public Display_Fixture {
protected:
    quint16 Start_Serving()
    {
        Start_Tourney(Chips_And_Prizes());
        // Port 0: any free port, so parallel tests never collide.
        EXPECT_TRUE(form->Set_Phone_View(true, 0));
        return form->Phone_Service()->Port();
    }
};

QString Time_Of(const QJsonObject& state) { return state.value(QStringLiteral("time")).toString(); }

TEST_F(Phone_View_Test, TheToolsMenuDialogTurnsTheViewOnAndTheSettingsFileRemembersIt)
{
    Start_Tourney(Chips_And_Prizes());
    ASSERT_NE(form->PhoneView1, nullptr);
    EXPECT_EQ(form->PhoneView1->text(), QStringLiteral("Phone View..."));
    EXPECT_FALSE(form->Phone_Service()->Is_Running());   // off by default
    EXPECT_TRUE(form->Phone_Address().isEmpty());

    QString address, pin;
    bool has_code = false;
    int free_port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::Any, 0));
        free_port = probe.serverPort();
    }
    script.modal_scripts[QStringLiteral("Phone_View_Dlg")] = [&](QDialog* d) {
        auto* dlg = static_cast<TPhone_View_Dlg*>(d);
        EXPECT_EQ(dlg->Port_Spin->Value(), 8080);
        EXPECT_FALSE(dlg->Serve_Check->isChecked());
        dlg->Port_Spin->Set_Value(free_port);
        dlg->Serve_Check->setChecked(true);
        address = dlg->Address_Label->text();
        pin = dlg->Pin_Label->text();
        has_code = !dlg->Qr_Label->pixmap().isNull();
        return int(QDialog::Accepted);
    };
    form->PhoneView1->trigger();
    ASSERT_TRUE(form->Phone_Service()->Is_Running()) << form->Phone_Service()->Error().toStdString();
    const quint16 port = form->Phone_Service()->Port();
    EXPECT_EQ(address, QStringLiteral("http://%1:%2/").arg(Phone_Server::Local_Address()).arg(port));
    EXPECT_EQ(pin, form->Phone_Service()->Pin());
    EXPECT_TRUE(has_code);
    // The QR code is square with its quiet zone, and shown on the players' display too.
    const QImage qr = form->Phone_Qr();
    EXPECT_EQ(qr.width(), qr.height());
    EXPECT_GE(qr.width(), 21 + 8);
    EXPECT_EQ(Setting("Phone View", "Enabled"), QStringLiteral("1"));
    EXPECT_EQ(Setting("Phone View", "Port"), QString::number(port));
    TPlayers_Display* d = Open_Display();
    Frame(d, QSize(1920, 1080));
    const Display_Text* shown = Text(d->Last_Frame(), QStringLiteral("phone"));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text, QStringLiteral("%1:%2").arg(Phone_Server::Local_Address()).arg(port));

    // The next start of the program serves again, with a new PIN drawn.
    form->Set_Phone_View(false, port);
    EXPECT_EQ(Setting("Phone View", "Enabled"), QStringLiteral("0"));
    form->Set_Phone_View(true, port);
    Finish();
    Start();
    EXPECT_TRUE(form->Phone_Service()->Is_Running());
    EXPECT_EQ(form->Phone_Service()->Port(), port);
}

TEST_F(Phone_View_Test, ATakenPortLeavesTheViewOffWithTheReason)
{
    Start_Tourney(Chips_And_Prizes());
    QTcpServer squatter;
    ASSERT_TRUE(squatter.listen(QHostAddress::Any, 0));
    EXPECT_FALSE(form->Set_Phone_View(true, squatter.serverPort()));
    EXPECT_FALSE(form->Phone_Service()->Is_Running());
    EXPECT_FALSE(form->Phone_Service()->Error().isEmpty());
    EXPECT_EQ(Setting("Phone View", "Enabled"), QStringLiteral("0"));
}

TEST_F(Phone_View_Test, PagesFollowTheDrivenClockAndTheTournament)
{
    Store_Player(QStringLiteral("P1"), QStringLiteral("X"), QStringLiteral("555-0199"), QString(), QStringLiteral("555-0142"));
    const quint16 port = Start_Serving();
    const QByteArray page = Raw_Exchange(port, "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    EXPECT_TRUE(page.startsWith("HTTP/1.1 200 OK"));
    EXPECT_TRUE(page.contains("Find my seat"));

    Client phone(port);
    const QJsonObject first = phone.Wait_For(QStringLiteral("state"));
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(Time_Of(first), QStringLiteral("20:00"));
    EXPECT_TRUE(first.value(QStringLiteral("paused")).toBool());
    EXPECT_EQ(first.value(QStringLiteral("level")).toInt(), 1);
    EXPECT_EQ(first.value(QStringLiteral("left")).toInt(), 9);
    EXPECT_EQ(first.value(QStringLiteral("entered")).toInt(), 12);
    EXPECT_DOUBLE_EQ(first.value(QStringLiteral("pool")).toDouble(), 1200);
    EXPECT_EQ(first.value(QStringLiteral("payouts")).toArray(), (QJsonArray{600.0, 360.0, 240.0}));
    const QJsonArray seats = first.value(QStringLiteral("seats")).toArray();
    ASSERT_EQ(seats.size(), 12);
    EXPECT_EQ(seats[0].toObject().value(QStringLiteral("name")).toString(), QStringLiteral("P1 X"));
    EXPECT_EQ(seats[4].toObject().value(QStringLiteral("seat")).toInt(), 5);
    EXPECT_TRUE(seats[11].toObject().value(QStringLiteral("out")).toBool());
    // Contact details never leave the program.
    EXPECT_FALSE(form->Phone_State().contains("555-01"));

    // Every second of the running clock reaches the page.
    form->Toggle_Start->trigger();
    for (const char* expected : {"19:59", "19:58", "19:57"}) {
        form->Timer1Timer();
        EXPECT_FALSE(phone.Wait_For(QStringLiteral("state"), [&](const QJsonObject& s) {
            return Time_Of(s) == QLatin1String(expected);
        }).isEmpty()) << expected;
    }
    form->Next_Blind->trigger();
    const QJsonObject level2 = phone.Wait_For(QStringLiteral("state"), [](const QJsonObject& s) {
        return s.value(QStringLiteral("level")).toInt() == 2;
    });
    EXPECT_FALSE(level2.isEmpty());

    // A page that connects later gets the state at once.
    Client late(port);
    EXPECT_EQ(late.Wait_For(QStringLiteral("state")).value(QStringLiteral("level")).toInt(), 2);
}

TEST_F(Phone_View_Test, TheRemoteRunsTheClockCommandsOnlyAfterTheRightPin)
{
    const quint16 port = Start_Serving();
    std::atomic<qint64> brake_ms{0};   // read on the server's thread
    form->Phone_Service()->Set_Monotonic_Clock([&] { return brake_ms.load(); });
    Client phone(port);
    phone.Wait_For(QStringLiteral("state"));

    phone.Send(R"({"command":"start"})");
    EXPECT_FALSE(phone.Wait_For(QStringLiteral("locked")).isEmpty());
    EXPECT_TRUE(form->Clock.Paused);

    const QString pin = form->Phone_Service()->Pin();
    const QString wrong = pin == QLatin1String("000000") ? QStringLiteral("111111") : QStringLiteral("000000");
    for (int i = 0; i < 5; ++i) {
        phone.Send(QStringLiteral(R"({"pin":"%1"})").arg(wrong).toUtf8());
        EXPECT_FALSE(phone.Wait_For(QStringLiteral("wrong")).isEmpty());
    }
    phone.Send(QStringLiteral(R"({"pin":"%1"})").arg(pin).toUtf8());
    EXPECT_FALSE(phone.Wait_For(QStringLiteral("wait")).isEmpty());
    brake_ms += 60'000;
    phone.Send(QStringLiteral(R"({"pin":"%1"})").arg(pin).toUtf8());
    EXPECT_FALSE(phone.Wait_For(QStringLiteral("unlocked")).isEmpty());

    phone.Send(R"({"command":"start"})");
    EXPECT_FALSE(phone.Wait_For(QStringLiteral("done")).isEmpty());
    // The command comes to the window's thread as a queued call.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Clock.Paused; }, 3000));
    EXPECT_EQ(form->Toggle_Start->text(), QStringLiteral("Stop"));
    phone.Send(R"({"command":"next"})");
    phone.Wait_For(QStringLiteral("done"));
    phone.Send(R"({"command":"next"})");
    phone.Wait_For(QStringLiteral("done"));
    phone.Send(R"({"command":"prev"})");
    phone.Wait_For(QStringLiteral("done"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->CurrentLevel == 1; }, 3000));
    EXPECT_EQ(form->Level_Label->text(), QStringLiteral("Level 2 of 20"));

    // Another page is not unlocked by the first.
    Client other(port);
    other.Wait_For(QStringLiteral("state"));
    other.Send(R"({"command":"next"})");
    EXPECT_FALSE(other.Wait_For(QStringLiteral("locked")).isEmpty());
    EXPECT_EQ(form->CurrentLevel, 1);
}

TEST_F(Phone_View_Test, TooManyWrongPinsInARowDrawANewPinThatTheDialogShows)
{
    const quint16 port = Start_Serving();
    std::atomic<qint64> brake_ms{0};   // read on the server's thread
    form->Phone_Service()->Set_Monotonic_Clock([&] { return brake_ms.load(); });
    const QString first_pin = form->Phone_Service()->Pin();
    const QByteArray wrong = first_pin == QLatin1String("000000") ? R"({"pin":"111111"})" : R"({"pin":"000000"})";
    auto pin_message = [](const QString& pin) { return QStringLiteral(R"({"pin":"%1"})").arg(pin).toUtf8(); };
    Client holder(port);
    holder.Wait_For(QStringLiteral("state"));
    holder.Send(pin_message(first_pin));
    ASSERT_FALSE(holder.Wait_For(QStringLiteral("unlocked")).isEmpty());

    // Wrong PINs in a row, each from a page of its own (this address may try
    // five a minute), while the dialog is open.
    QString shown_before, shown_after;
    script.modal_scripts[QStringLiteral("Phone_View_Dlg")] = [&](QDialog* d) {
        auto* dlg = static_cast<TPhone_View_Dlg*>(d);
        shown_before = dlg->Pin_Label->text();
        for (int i = 0; i < Phone_Remote::Redraw_After; ++i) {
            if (i % Phone_Remote::Max_Tries == 0)
                brake_ms += Phone_Remote::Try_Window_Ms;
            Client page(port);
            page.Wait_For(QStringLiteral("state"));
            page.Send(wrong);
            EXPECT_FALSE(page.Wait_For(QStringLiteral("wrong")).isEmpty()) << i;
            if (i + 1 < Phone_Remote::Redraw_After) {
                EXPECT_EQ(dlg->Pin_Label->text(), shown_before) << i;
            }
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return dlg->Pin_Label->text() != shown_before; }, 3000));
        shown_after = dlg->Pin_Label->text();
        return int(QDialog::Accepted);
    };
    form->PhoneView1->trigger();
    EXPECT_EQ(shown_before, first_pin);
    EXPECT_NE(shown_after, first_pin);
    EXPECT_EQ(shown_after, form->Phone_Service()->Pin());

    // Guessers do not take the remote from the phone holding it; any other
    // page needs the new PIN.
    holder.Send(R"({"command":"next"})");
    EXPECT_FALSE(holder.Wait_For(QStringLiteral("done")).isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->CurrentLevel == 1; }, 3000));
    brake_ms += Phone_Remote::Try_Window_Ms;
    Client late(port);
    late.Wait_For(QStringLiteral("state"));
    late.Send(pin_message(first_pin));
    EXPECT_FALSE(late.Wait_For(QStringLiteral("wrong")).isEmpty());
    late.Send(pin_message(shown_after));
    EXPECT_FALSE(late.Wait_For(QStringLiteral("unlocked")).isEmpty());
}

TEST_F(Phone_View_Test, RefusedRequestsCloseOnlyTheirOwnConnection)
{
    const quint16 port = Start_Serving();
    folder.Write(QStringLiteral("velmora.ini.secret"), "SECRET-CONTENT");
    Client phone(port);
    phone.Wait_For(QStringLiteral("state"));

    EXPECT_TRUE(Raw_Exchange(port, "GET /../Data/Default.trn HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n")
                    .startsWith("HTTP/1.1 404"));
    const QByteArray settings = Raw_Exchange(port, "GET /velmora.ini HTTP/1.1\r\nHost: localhost\r\n\r\n");
    EXPECT_TRUE(settings.startsWith("HTTP/1.1 404"));
    EXPECT_FALSE(settings.contains("Phone View"));
    EXPECT_TRUE(Raw_Exchange(port, "BREW /pot HTCPCP/1.0\r\n\r\n").startsWith("HTTP/1.1 400"));
    EXPECT_TRUE(Raw_Exchange(port, QByteArray(20000, 'A')).startsWith("HTTP/1.1 431"));
    EXPECT_TRUE(Raw_Exchange(port, QByteArray("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03\r\n\r\n", 15))
                    .startsWith("HTTP/1.1 400"));
    // A line that cannot become an HTTP/1.x head is refused at once, not at the deadline.
    EXPECT_TRUE(Raw_Exchange(port, "GET /\r\n").startsWith("HTTP/1.1 400"));
    EXPECT_TRUE(Raw_Exchange(port, "GET / HTTP/1.1\nHost: 127.0.0.1\n\n").startsWith("HTTP/1.1 400"));
    // Another machine's name in Host (a rebound name) is not served.
    EXPECT_TRUE(Raw_Exchange(port, "GET / HTTP/1.1\r\nHost: rebound.example\r\n\r\n").startsWith("HTTP/1.1 421"));
    // A frame a browser never sends, unmasked, ends the connection with a protocol error.
    const QByteArray handshake = "GET /live HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                                 "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
    const QByteArray unmasked = Raw_Exchange(port, handshake + "\x81\x02{}");
    EXPECT_TRUE(unmasked.startsWith("HTTP/1.1 101 ")) << unmasked.left(40).toStdString();
    EXPECT_TRUE(unmasked.endsWith(QByteArray("\x88\x02\x03\xea", 4)));   // close, 1002

    // An oversize WebSocket message ends that page only; binary frames too.
    Client greedy(port);
    greedy.Wait_For(QStringLiteral("state"));
    QSignalSpy closed(&greedy.socket, &QWebSocket::disconnected);
    greedy.socket.sendTextMessage(QString(4096, QLatin1Char('x')));
    EXPECT_TRUE(closed.wait(3000) || closed.count() > 0);
    Client binary(port);
    binary.Wait_For(QStringLiteral("state"));
    QSignalSpy binary_closed(&binary.socket, &QWebSocket::disconnected);
    binary.socket.sendBinaryMessage("\x01\x02");
    EXPECT_TRUE(binary_closed.wait(3000) || binary_closed.count() > 0);

    // The first page still follows the clock.
    form->Toggle_Start->trigger();
    form->Timer1Timer();
    EXPECT_FALSE(phone.Wait_For(QStringLiteral("state"), [](const QJsonObject& s) {
        return Time_Of(s) == QLatin1String("19:59");
    }).isEmpty());
    EXPECT_EQ(phone.socket.state(), QAbstractSocket::ConnectedState);
}

TEST_F(Phone_View_Test, ConnectionsAreBounded)
{
    const quint16 port = Start_Serving();
    constexpr int Bound = 12;
    form->Phone_Service()->Set_Max_Connections(Bound);
    Client phone(port);
    phone.Wait_For(QStringLiteral("state"));
    // Idle connections from as many addresses as there are (127.0.0.0/8 is all this machine).
    std::vector<std::unique_ptr<QTcpSocket>> idle;
    int refused = 0;
    auto open_from = [&](const QString& source) {
        idle.push_back(std::make_unique<QTcpSocket>());
        // Reset at once, or later to make room: either way it ends.
        QObject::connect(idle.back().get(), &QTcpSocket::stateChanged, [&refused](QAbstractSocket::SocketState state) {
            refused += state == QAbstractSocket::UnconnectedState;
        });
        idle.back()->bind(QHostAddress(source));
        idle.back()->connectToHost(QHostAddress::LocalHost, port);
    };
    for (int i = 0; i < Bound + 8; ++i)
        open_from(QStringLiteral("127.0.1.%1").arg(i + 1));
    EXPECT_TRUE(QTest::qWaitFor([&] { return refused == 9; }, 5000)) << refused;
    QTest::qWait(100);
    // Each new address took the place of an older head: the page counts as
    // one of the twelve and stays.
    EXPECT_EQ(refused, 9);
    EXPECT_EQ(form->Phone_Service()->Open_Connections(), Bound);
    // Once the idle ones are gone, pages come in again; the first page never noticed.
    idle.clear();
    refused = 0;
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->Phone_Service()->Open_Connections() == 1; }, 5000));
    Client late(port);
    EXPECT_FALSE(late.Wait_For(QStringLiteral("state")).isEmpty());
    EXPECT_EQ(phone.socket.state(), QAbstractSocket::ConnectedState);

    // One address holds at most Max_Per_Source of them, however many it opens
    // (the others are reset, some before the client saw them connected).
    form->Phone_Service()->Set_Max_Connections(Phone_Server::Max_Connections);
    idle.clear();
    for (int i = 0; i < Phone_Server::Max_Per_Source + 4; ++i)
        open_from(QStringLiteral("127.0.2.1"));
    auto let_in = [&] {
        return std::count_if(idle.begin(), idle.end(), [](const auto& s) { return s->state() == QAbstractSocket::ConnectedState; });
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return let_in() == Phone_Server::Max_Per_Source; }, 5000));
    QTest::qWait(200);
    EXPECT_EQ(let_in(), Phone_Server::Max_Per_Source);
    EXPECT_EQ(form->Phone_Service()->Open_Connections(), 2 + Phone_Server::Max_Per_Source);
}

} // namespace

namespace {

// A browser driven over its debugging protocol (loopback only): commands go
// out with a number, replies come back under it.
class Devtools {
public:
    explicit Devtools(const QString& url)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& text) {
            const QJsonObject reply = QJsonDocument::fromJson(text.toUtf8()).object();
            if (reply.contains(QStringLiteral("id")))
                replies.insert(reply.value(QStringLiteral("id")).toInt(), reply);
        });
        socket.open(QUrl(url));
    }
    // Sends a command and waits (on events, a few seconds at most) for its result.
    QJsonObject Call(const QString& method, const QJsonObject& params = {}, const QString& session = {})
    {
        QJsonObject command{{QStringLiteral("id"), ++last_id}, {QStringLiteral("method"), method},
                            {QStringLiteral("params"), params}};
        if (!session.isEmpty())
            command.insert(QStringLiteral("sessionId"), session);
        const int id = last_id;
        if (!QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; }, 5000))
            return {};
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(command).toJson(QJsonDocument::Compact)));
        if (!QTest::qWaitFor([&] { return replies.contains(id); }, 5000))
            return {};
        return replies.take(id).value(QStringLiteral("result")).toObject();
    }

    QWebSocket socket;
    QMap<int, QJsonObject> replies;
    int last_id = 0;
};

// The page in a real browser at a phone's size: it loads, opens its live
// connection and shows the clock the first push brings (time, level,
// blinds). Skipped where no browser is installed.
TEST_F(Phone_View_Test, APhoneBrowserShowsTheClockOfTheFirstPush)
{
    // Debian's full browser, or its headless shell (started directly: the
    // wrapper script would stay between the test and the browser it kills).
    QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    const bool full_browser = !browser.isEmpty();
    const QString shell = QStringLiteral("/usr/lib/chromium/chromium-headless-shell");
    if (!full_browser)
        browser = QFileInfo(shell).isExecutable()
                      ? shell
                      : QStandardPaths::findExecutable(QStringLiteral("chromium-headless-shell"));
    if (browser.isEmpty())
        GTEST_SKIP() << "no chromium installed";
    const quint16 port = Start_Serving();
    // Money with a currency and an ante at level 2: amounts carry the
    // currency, chips do not, and the ante stands on a line of its own.
    form->Current_Tourney->Money.Settings.Currency = QStringLiteral("\u20ac");
    form->Current_Tourney->Structure.Levels[1].Ante = 20;
    form->Next_Blind->trigger(); // level 2: what the page shows is not its placeholder
    const CBlindLevel level = form->Current_Tourney->Blinds[1];
    const QString time = form->Blind_Timer->text();

    QTemporaryDir profile;
    QStringList arguments{QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                          QStringLiteral("--disable-background-networking"),
                          QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                          QStringLiteral("--no-first-run"), QStringLiteral("--user-data-dir=") + profile.path(),
                          QStringLiteral("--window-size=390,844"), QStringLiteral("--remote-debugging-port=0"),
                          QStringLiteral("http://127.0.0.1:%1/").arg(port)};
    if (full_browser)
        arguments.prepend(QStringLiteral("--headless"));
    QProcess chromium;
    chromium.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    chromium.start(browser, arguments);
    const auto closing = qScopeGuard([&] {
        chromium.kill();
        chromium.waitForFinished(5000);
    });
    // The browser names its debugging port in its profile once it listens.
    QFile active(profile.filePath(QStringLiteral("DevToolsActivePort")));
    QStringList debugging;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        if (active.open(QIODevice::ReadOnly)) {
            debugging = QString::fromLatin1(active.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            active.close();
        }
        return debugging.size() >= 2;
    }, 30000));
    Devtools tools(QStringLiteral("ws://127.0.0.1:%1%2").arg(debugging[0], debugging[1]));
    QString page_id;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QJsonObject targets = tools.Call(QStringLiteral("Target.getTargets"));
        for (const QJsonValue& t : targets.value(QStringLiteral("targetInfos")).toArray())
            if (t[QStringLiteral("type")].toString() == QStringLiteral("page"))
                page_id = t[QStringLiteral("targetId")].toString();
        return !page_id.isEmpty();
    }, 15000));
    const QString session =
        tools.Call(QStringLiteral("Target.attachToTarget"),
                   {{QStringLiteral("targetId"), page_id}, {QStringLiteral("flatten"), true}})
            .value(QStringLiteral("sessionId"))
            .toString();
    ASSERT_FALSE(session.isEmpty());
    const auto shown = [&](const QString& expression) {
        const QJsonObject params{{QStringLiteral("expression"), expression}, {QStringLiteral("returnByValue"), true}};
        return tools.Call(QStringLiteral("Runtime.evaluate"), params, session)
            .value(QStringLiteral("result")).toObject().value(QStringLiteral("value")).toString();
    };
    const auto text_of = [&](const char* id) {
        return shown(QStringLiteral("(document.getElementById('%1')||{}).textContent||''").arg(QLatin1String(id)));
    };
    // The server runs on this thread: the page's first state arrives while
    // the test waits on events.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const QString shown_time = text_of("time");
        return !shown_time.isEmpty() && shown_time != QStringLiteral("--:--");
    }, 30000));
    EXPECT_GE(form->Phone_Service()->Live_Pages(), 1);
    EXPECT_EQ(text_of("time"), time);
    EXPECT_EQ(text_of("level"), QStringLiteral("Level 2 of %1").arg(Level_Count));
    EXPECT_EQ(text_of("blinds"), QStringLiteral("%1 / %2").arg(level.SB).arg(level.BB));
    EXPECT_EQ(text_of("ante"), QStringLiteral("BB ante 20"));
    const QString average = text_of("average");
    EXPECT_FALSE(average.contains(QChar(0x20ac))) << average.toStdString();
    EXPECT_EQ(QString(average).remove(QRegularExpression(QStringLiteral("[^0-9]"))), QStringLiteral("2667"));
    EXPECT_TRUE(text_of("pool").startsWith(QChar(0x20ac)));
    EXPECT_EQ(text_of("link"), QStringLiteral("live"));
    // The page never shows the players' phone numbers.
    EXPECT_FALSE(shown(QStringLiteral("document.documentElement.outerHTML")).contains(QStringLiteral("555-")));

    // The remote: the PIN once, then a token of the phone's own (never the
    // PIN) holds it, across a reload too.
    const QString commands = QStringLiteral("!document.getElementById('commands').classList.contains('hidden')");
    const QString pin = form->Phone_Service()->Pin();
    shown(QStringLiteral("String((document.getElementById('pin').value='%1',document.getElementById('unlock').click()))").arg(pin));
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown(QStringLiteral("String(%1)").arg(commands)) == QLatin1String("true"); }, 5000));
    EXPECT_EQ(shown(QStringLiteral("String(localStorage.getItem('velmora-remote'))")).size(), Phone_Remote::Token_Chars);
    EXPECT_FALSE(shown(QStringLiteral("JSON.stringify(localStorage)+JSON.stringify(sessionStorage)")).contains(pin));
    shown(QStringLiteral("String((window.before_reload=1,location.reload()))"));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return shown(QStringLiteral("String(window.before_reload===undefined&&document.getElementById('link').textContent==='live'&&%1)")
                         .arg(commands)) == QLatin1String("true");
    }, 10000));
    EXPECT_EQ(form->Phone_Service()->Remote_Holders().size(), 1);
    tools.Call(QStringLiteral("Browser.close"));
}

} // namespace
