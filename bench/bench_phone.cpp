// The phone view under load: pages on WebSockets (state.range(0) of them,
// in a thread of their own like phones on the network) follow the real
// clock of an offscreen main window for VELMORA_PHONE_SECONDS (default 60).
// Reported: seconds the clock counted against the wall clock (drift), the
// seconds some page missed, and the worst delay from a tick to its arrival
// at the last page.
#include "Recording_player.h"
#include "Scripted_host.h"
#include "Test_folder.h"

#include "forms/main_window/Main_form.h"
#include "web/Phone_service.h"

#include <QAction>
#include <QEventLoop>
#include <QHash>
#include <QLabel>
#include <QThread>
#include <QTimer>
#include <QWebSocket>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int Run_Seconds()
{
    const char* text = std::getenv("VELMORA_PHONE_SECONDS");
    const int seconds = text ? std::atoi(text) : 60;
    return seconds > 0 ? seconds : 60;
}

// The time text of a state message, without parsing the whole JSON.
QString Time_In(const QString& message)
{
    static const QString key = QStringLiteral("\"time\":\"");
    const qsizetype at = message.indexOf(key);
    if (at < 0)
        return QString();
    const qsizetype from = at + key.size();
    return message.mid(from, message.indexOf(QLatin1Char('"'), from) - from);
}

void BM_Phone_Pages(benchmark::State& state)
{
    Test_Folder folder;
    Scripted_Host script;
    folder.Write(QStringLiteral("Data/Default.trn"), "[Setup]\nTime=59\n");
    auto form = std::make_unique<TMainForm>();
    form->Set_Media_Player(std::make_unique<Recording_Player>());
    if (!form->Set_Phone_View(true, 0)) {
        state.SkipWithError("the phone view did not start");
        return;
    }
    const quint16 port = form->Phone_Service()->Port();
    const int pages = static_cast<int>(state.range(0));
    // Every page comes from this machine's one address here, unlike phones.
    form->Phone_Service()->Set_Max_Per_Source(pages + 1);
    const int run_seconds = Run_Seconds();

    // Per page: when each time text first arrived.
    std::vector<QHash<QString, Clock::time_point>> arrivals(pages);
    std::atomic<int> connected{0};
    std::atomic<bool> stop{false};
    QThread* phones = QThread::create([&] {
        QEventLoop loop;
        std::vector<std::unique_ptr<QWebSocket>> sockets;
        for (int i = 0; i < pages; ++i) {
            sockets.push_back(std::make_unique<QWebSocket>());
            QWebSocket* s = sockets.back().get();
            QObject::connect(s, &QWebSocket::connected, [&connected] { ++connected; });
            QObject::connect(s, &QWebSocket::textMessageReceived, [&arrivals, i](const QString& text) {
                const QString time = Time_In(text);
                if (!time.isEmpty() && !arrivals[i].contains(time))
                    arrivals[i].insert(time, Clock::now());
            });
            s->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(port)));
        }
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (stop)
                loop.quit();
        });
        poll.start(50);
        loop.exec();
    });
    phones->start();
    QEventLoop wait;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (connected == pages)
            wait.quit();
    });
    check.start(20);
    QTimer::singleShot(30'000, &wait, &QEventLoop::quit);
    wait.exec();
    check.stop();

    QHash<QString, Clock::time_point> shown;   // when the window showed each time
    double counted = 0, wall = 0;
    for (auto _ : state) {
        QEventLoop loop;
        // Measured from the first tick on: the timer's phase against the
        // moment of Start is no drift.
        int left_at_first = -1;
        Clock::time_point first, last;
        auto connection = QObject::connect(form->Timer1, &QTimer::timeout, [&] {
            last = Clock::now();
            shown.insert(form->Blind_Timer->text(), last);
            if (left_at_first < 0) {
                left_at_first = form->Clock.Minutes * 60 + form->Clock.Seconds;
                first = last;
            }
            if (std::chrono::duration<double>(last - first).count() >= run_seconds)
                loop.quit();
        });
        form->Toggle_Start->trigger();
        loop.exec();
        QObject::disconnect(connection);
        counted = left_at_first - (form->Clock.Minutes * 60 + form->Clock.Seconds);
        wall = std::chrono::duration<double>(last - first).count();
        state.SetIterationTime(wall);
    }
    // The last tick's push is let through before the pages stop listening.
    QEventLoop settle;
    QTimer::singleShot(600, &settle, &QEventLoop::quit);
    settle.exec();
    stop = true;
    phones->wait();
    delete phones;

    double missed = 0, worst_delay_ms = 0;
    for (auto it = shown.cbegin(); it != shown.cend(); ++it)
        for (const auto& page : arrivals) {
            const auto got = page.constFind(it.key());
            if (got == page.cend()) {
                ++missed;
                continue;
            }
            worst_delay_ms = std::max(worst_delay_ms, std::chrono::duration<double, std::milli>(*got - it.value()).count());
        }
    state.counters["pages"] = pages;
    state.counters["connected"] = connected.load();
    state.counters["clock_s"] = counted;
    state.counters["wall_s"] = wall;
    state.counters["drift_s"] = wall - counted;
    state.counters["missed_page_seconds"] = missed;
    state.counters["worst_delay_ms"] = worst_delay_ms;
    form.reset();
}
BENCHMARK(BM_Phone_Pages)->ArgName("pages")->Arg(0)->Arg(200)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
