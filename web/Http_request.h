#pragma once
// What the phone view's server answers to the bytes a browser sent, decided
// without a socket so that every request can be checked (and fuzzed) on its
// own. The server answers only its page and the WebSocket; every other path,
// method or malformed request gets a short error and the connection closes.
#include <QByteArray>
#include <QByteArrayView>

namespace Phone_Http {

// The most a request head may take; a browser's GET stays far below it.
constexpr qsizetype Max_Request_Bytes = 8 * 1024;
// The path of the WebSocket that carries the live state and the remote.
inline constexpr char Socket_Path[] = "/live";

enum class Verdict {
    Need_More,    // the head is not complete yet: wait for more bytes
    Answer,       // send reply, then close the connection
    Upgrade,      // a WebSocket handshake for Socket_Path: hand the socket over
};

struct Decision {
    Verdict verdict = Verdict::Need_More;
    int status = 0;        // the HTTP status of reply (0 for Need_More, Upgrade)
    QByteArray reply;      // the whole response, head and body
};

// Decides on the bytes received so far on one connection. A head longer than
// Max_Request_Bytes, a request with a body, a path outside the server's own
// or a head that is not HTTP/1.x is answered with an error.
Decision Decide(QByteArrayView received);

// A complete response with the given status, type and body; the connection
// closes after it.
QByteArray Response(int status, const QByteArray& content_type, const QByteArray& body);

} // namespace Phone_Http
