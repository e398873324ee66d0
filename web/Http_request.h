#pragma once
// What the phone view's server answers to the bytes a browser sent, decided
// without a socket so that every request can be checked (and fuzzed) on its
// own. The server answers only its page and the WebSocket; every other path,
// method or malformed request gets a short error and the connection closes.
#include <QByteArray>
#include <QByteArrayView>
#include <QHostAddress>
#include <QList>
#include <QStringList>

namespace Phone_Http {

// The most a request head may take; a browser's GET stays far below it.
constexpr qsizetype Max_Request_Bytes = 8 * 1024;
// The path of the WebSocket that carries the live state and the remote.
inline constexpr char Socket_Path[] = "/live";

enum class Verdict {
    Need_More,    // the head is not complete yet: wait for more bytes
    Answer,       // send reply, then close the connection
    Upgrade,      // a WebSocket handshake for Socket_Path: send reply, then frames follow
};

struct Decision {
    Verdict verdict = Verdict::Need_More;
    int status = 0;        // the HTTP status of reply (0 for Need_More, 101 for Upgrade)
    QByteArray reply;      // the whole response, head and body
    qsizetype head_size = 0;   // Upgrade: the bytes of the request head (what follows are frames)
};

// The names this machine is asked for by: its IP addresses (any loopback
// address too), "localhost", and its host name with or without ".local".
// A request naming anything else in its Host may come from a page of another
// site whose name was pointed at this machine (DNS rebinding): it is refused.
struct Served_Names {
    QList<QHostAddress> addresses;
    QStringList names;     // lower case
    quint16 port = 0;      // a port given in Host must be this one (0: any)

    // This machine's names now, for a server on the port.
    static Served_Names Of_This_Machine(quint16 port);
    // Whether a Host header's value ("10.0.0.5:8080", "[fe80::1]", "pc.local") names this machine.
    bool Accepts(QByteArrayView host) const;
};

// Decides on the bytes received so far on one connection. A head longer than
// Max_Request_Bytes, a request with a body, a path outside the server's own
// or a head that is not HTTP/1.x is answered with an error; a request line
// that cannot become one is refused at once, without waiting for the rest.
// With names, a Host (and a WebSocket's Origin) naming another machine is
// refused too; without, the Host is not looked at.
Decision Decide(QByteArrayView received, const Served_Names* names = nullptr);

// A complete response with the given status, type and body; the connection
// closes after it.
QByteArray Response(int status, const QByteArray& content_type, const QByteArray& body);

} // namespace Phone_Http
