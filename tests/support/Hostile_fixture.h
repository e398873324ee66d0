#pragma once
// The hostile-client tests' common ground: a main window serving the phone
// view on a free port, the knobs that make `make phone-hostile` run long,
// the figure each test prints, the program's resident memory, and how long
// a fresh phone takes to get its page and its live state.
#include "Display_fixture.h"
#include "Hostile_client.h"

#include "web/Phone_service.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QWebSocket>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

inline int Knob(const char* name, int fallback)
{
    const char* text = std::getenv(name);
    const int value = text ? std::atoi(text) : fallback;
    return value >= 0 ? value : fallback;
}

inline int Flood_Seconds() { return std::max(1, Knob("VELMORA_HOSTILE_SECONDS", 3)); }

inline void Figure(const QString& text) { std::printf("figure: %s\n", qPrintable(text)); std::fflush(stdout); }

inline qint64 Resident_Bytes()
{
    FILE* statm = std::fopen("/proc/self/statm", "r");
    long size = 0, resident = 0;
    if (statm) {
        if (std::fscanf(statm, "%ld %ld", &size, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return qint64(resident) * ::sysconf(_SC_PAGESIZE);
}

class Hostile_Phone_Test : public Display_Fixture {
protected:
    quint16 port = 0;

    void SetUp() override
    {
        Start_Tourney(Chips_And_Prizes());
        ASSERT_TRUE(form->Set_Phone_View(true, 0));
        port = form->Phone_Service()->Port();
    }
    Phone_Service_Interface* Service() { return form->Phone_Service(); }

    // Seconds until a fresh phone (its page and its live state) is served.
    // (The page comes from `from`, the live socket from 127.0.0.1.)
    double Fresh_Phone_Seconds(const std::string& from = "127.0.0.3")
    {
        QElapsedTimer took;
        took.start();
        QTcpSocket page;
        QByteArray reply;
        QObject::connect(&page, &QTcpSocket::readyRead, [&] { reply += page.readAll(); });
        page.bind(QHostAddress(QString::fromStdString(from)));
        page.connectToHost(QHostAddress::LocalHost, port);
        page.write("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        const bool loaded = QTest::qWaitFor([&] { return reply.contains("</html>"); }, 5000);
        QWebSocket live;
        bool state = false;
        QObject::connect(&live, &QWebSocket::textMessageReceived, [&](const QString& text) {
            state = state || text.contains(QLatin1String("\"type\":\"state\""));
        });
        live.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(port)));
        const bool live_ok = QTest::qWaitFor([&] { return state; }, 5000);
        return loaded && live_ok ? took.elapsed() / 1000.0 : 99.0;
    }
};

