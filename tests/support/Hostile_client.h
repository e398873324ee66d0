#pragma once
// Hostile clients of the phone view for the tests: raw sockets bound to a
// chosen source address on loopback (127.x.y.z, ::1), speaking just enough
// HTTP and WebSocket to do harm. A Raw_Page talks in blocking steps; a Flood
// keeps many connections busy from a thread of its own, reconnecting each
// one the server ends.
#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace Hostile {

using Steady = std::chrono::steady_clock;

// Whether ::1 can be used here.
bool Ipv6_Loopback();
// "127.a.b.c" for the n-th of many sources in a /16 of its own.
std::string Source(int network, int n);
// Connects from source (IPv4 or IPv6 text) to the server's port on loopback;
// -1 when it cannot.
int Connect_From(const std::string& source, quint16 port, bool blocking, int receive_buffer = 0);
// Ends a connection at once (a reset, no lingering).
void Drop(int fd);
// The handshake of the live socket, with the Host and an optional Origin.
QByteArray Handshake(quint16 port, const QByteArray& host = QByteArray(), const QByteArray& origin = QByteArray());
// A page's frame: final and masked.
QByteArray Masked(quint8 opcode, const QByteArray& payload);
// Everything the server sends back for the request, until it closes (blocking, bounded).
QByteArray Exchange(const std::string& source, quint16 port, const QByteArray& request);

// One page's live connection, in blocking steps of at most a few seconds.
class Raw_Page {
public:
    ~Raw_Page() { Drop(fd_); }
    // Connects and completes the handshake.
    bool Open(const std::string& source, quint16 port);
    bool Send(const QByteArray& bytes);
    // The type of the next message that is not a state ("wrong", "wait",
    // ...); empty when the connection ended first.
    QString Next_Reply();
    // That message as a whole.
    QJsonObject last;

private:
    bool Fill();
    int fd_ = -1;
    QByteArray in_;
};

// Many connections, each from its source, each sending its opening bytes
// and then its repeat bytes again and again (every interval, or as fast as
// the server takes them), from a thread of its own, until stopped.
struct Flood_Plan {
    std::vector<std::string> sources;   // one connection per entry
    QByteArray opening;
    QByteArray repeat;
    int interval_ms = 0;                // 0: as fast as it goes
    int paced_every = 0;                // only every n-th connection keeps the interval (0: all)
    bool read = false;                  // read and throw away what comes (false: never read)
    int receive_buffer = 0;             // a small window makes the server's output wait
    bool reconnect = false;             // hang up once the opening is sent, and connect again at once
    bool answer_pings = false;          // read, and answer the server's pings as a browser does
};

class Flood {
public:
    Flood(quint16 port, Flood_Plan plan);
    ~Flood() { Stop(); }
    void Stop();

    std::atomic<long> connects{0};
    std::atomic<long> ended{0};             // by the server (or refused)
    std::atomic<long> bytes_sent{0};
    std::atomic<long> longest_ms{0};        // the longest a connection lived
    std::atomic<long> lived_over_1s{0};     // connections that were let in for long

private:
    void Run();
    quint16 port_;
    Flood_Plan plan_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace Hostile
