#include "web/Http_request.h"

#include "web/Phone_page.h"
#include "web/Ws_frames.h"

#include <QHostInfo>
#include <QList>
#include <QNetworkInterface>
#include <algorithm>

namespace Phone_Http {
namespace {

QByteArray Reason(int status)
{
    switch (status) {
    case 101: return "Switching Protocols";
    case 200: return "OK";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 413: return "Content Too Large";
    case 421: return "Misdirected Request";
    case 426: return "Upgrade Required";
    case 431: return "Request Header Fields Too Large";
    case 505: return "HTTP Version Not Supported";
    default: return "Error";
    }
}

Decision Error(int status)
{
    return {Verdict::Answer, status, Response(status, "text/plain; charset=utf-8", Reason(status) + '\n')};
}

bool Is_Token_Char(char c)
{
    if (c >= 'a' && c <= 'z')
        return true;
    if (c >= 'A' && c <= 'Z')
        return true;
    if (c >= '0' && c <= '9')
        return true;
    return QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool Is_Token(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (char c : text)
        if (!Is_Token_Char(c))
            return false;
    return true;
}

// Visible characters, spaces and tabs only: no NUL, no bare CR or LF.
bool Is_Field_Value(QByteArrayView text)
{
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t') || u == 0x7F)
            return false;
    }
    return true;
}

// The headers the server looks at; any one given twice makes the request bad.
struct Head {
    QByteArray method, target, version;
    QByteArray host, upgrade, connection, key, ws_version, origin, content_length;
    bool transfer_encoding = false;
};

bool Contains_Token(QByteArrayView list, QByteArrayView token)
{
    for (const QByteArray& part : list.toByteArray().split(','))
        if (part.trimmed().compare(token, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Reads the request line and the header lines; false when they are malformed.
bool Read_Head(QByteArrayView text, Head& head)
{
    const QList<QByteArray> lines = text.toByteArray().split('\n');
    for (const QByteArray& line : lines)
        if (!line.endsWith('\r'))
            return false;
    const QByteArray request = lines.front().chopped(1);
    const QList<QByteArray> parts = request.split(' ');
    if (parts.size() != 3 || !Is_Token(parts[0]) || !Is_Field_Value(parts[1]))
        return false;
    head.method = parts[0];
    head.target = parts[1];
    head.version = parts[2];
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].chopped(1);
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || !Is_Token(QByteArrayView(line).first(colon)))
            return false;
        const QByteArray name = line.first(colon).toLower();
        const QByteArray value = line.sliced(colon + 1).trimmed();
        if (!Is_Field_Value(value))
            return false;
        QByteArray* field = nullptr;
        if (name == "host")
            field = &head.host;
        else if (name == "upgrade")
            field = &head.upgrade;
        else if (name == "connection")
            field = &head.connection;
        else if (name == "sec-websocket-key")
            field = &head.key;
        else if (name == "sec-websocket-version")
            field = &head.ws_version;
        else if (name == "origin")
            field = &head.origin;
        else if (name == "content-length")
            field = &head.content_length;
        else if (name == "transfer-encoding")
            head.transfer_encoding = true;
        if (field) {
            if (!field->isNull())
                return false;
            *field = value.isNull() ? QByteArray("") : value;
        }
    }
    return true;
}

// A page of another site may not open the WebSocket: the origin, when the
// browser names one, is this server's own address, the one in Host.
bool Same_Origin(const Head& head)
{
    if (head.origin.isNull())
        return true;
    const QByteArray scheme = "http://";
    if (!head.origin.startsWith(scheme) || head.host.isEmpty())
        return false;
    return head.origin.sliced(scheme.size()).compare(head.host, Qt::CaseInsensitive) == 0;
}

// A key is 16 random bytes in base64.
bool Is_Key(const QByteArray& key)
{
    const auto decoded = QByteArray::fromBase64Encoding(key, QByteArray::AbortOnBase64DecodingErrors);
    return decoded && decoded.decoded.size() == 16;
}

Decision Switch_To_Socket(const Head& head)
{
    const QByteArray reply = "HTTP/1.1 101 Switching Protocols\r\n"
                             "Upgrade: websocket\r\n"
                             "Connection: Upgrade\r\n"
                             "Sec-WebSocket-Accept: " + Phone_Ws::Accept_Key(head.key) + "\r\n\r\n";
    return {Verdict::Upgrade, 101, reply};
}

// A bare line feed, or a request line that is complete and cannot be
// HTTP/1.x, is refused at once: waiting for the end of such a head would only
// hold its connection open.
bool Broken_Early(QByteArrayView received)
{
    for (qsizetype i = 0; i < received.size(); ++i)
        if (received[i] == '\n' && (i == 0 || received[i - 1] != '\r'))
            return true;
    const qsizetype line_end = received.indexOf(QByteArrayView("\r\n"));
    const QByteArrayView line = line_end >= 0 ? received.first(line_end) : received;
    const qsizetype space = line.indexOf(' ');
    for (char c : space >= 0 ? line.first(space) : line)
        if (!Is_Token_Char(c))
            return true;
    if (line_end < 0)
        return false;
    const QList<QByteArray> parts = line.toByteArray().split(' ');
    return parts.size() != 3 || parts[0].isEmpty() || !parts[2].startsWith("HTTP/");
}

Decision Route(const Head& head)
{
    QByteArray path = head.target;
    const qsizetype query = path.indexOf('?');
    if (query >= 0)
        path.truncate(query);
    // HEAD is answered as GET is (Decide leaves the body out).
    const bool get = head.method == "GET" || head.method == "HEAD";
    if (path == "/" || path == "/index.html") {
        if (!get)
            return Error(405);
        return {Verdict::Answer, 200, Response(200, "text/html; charset=utf-8", Phone_Page())};
    }
    if (path == Socket_Path) {
        if (!get)
            return Error(405);
        if (head.method == "HEAD")   // no socket without a GET
            return Error(426);
        const bool handshake = head.upgrade.compare("websocket", Qt::CaseInsensitive) == 0 &&
                               Contains_Token(head.connection, "upgrade") && !head.key.isEmpty();
        if (!handshake || head.ws_version != "13")
            return Error(426);
        if (!Same_Origin(head))
            return Error(403);
        if (!Is_Key(head.key))
            return Error(400);
        return Switch_To_Socket(head);
    }
    return Error(404);
}

} // namespace

QByteArray Response(int status, const QByteArray& content_type, const QByteArray& body)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + Reason(status) + "\r\n";
    out += "Content-Type: " + content_type + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    if (status == 405)
        out += "Allow: GET, HEAD\r\n";
    out += "Connection: close\r\n"
           "Cache-Control: no-store\r\n"
           "X-Content-Type-Options: nosniff\r\n"
           "Referrer-Policy: no-referrer\r\n"
           "Content-Security-Policy: default-src 'none'; style-src 'unsafe-inline'; "
           "script-src 'unsafe-inline'; connect-src 'self'; img-src data:\r\n"
           "\r\n";
    return out + body;
}

namespace {

// The answer to a complete head that was read.
Decision Answer_Head(const Head& head, qsizetype head_size, const Served_Names* names)
{
    if (head.version != "HTTP/1.1" && head.version != "HTTP/1.0")
        return head.version.startsWith("HTTP/") ? Error(505) : Error(400);
    if (head.version == "HTTP/1.1" && head.host.isEmpty())
        return Error(400);
    if (!head.target.startsWith('/'))
        return Error(400);
    // Nothing the server answers takes a body.
    if (head.transfer_encoding)
        return Error(413);
    if (!head.content_length.isNull()) {
        bool number = false;
        const qlonglong length = head.content_length.toLongLong(&number);
        if (!number || length < 0)
            return Error(400);
        if (length > 0)
            return Error(413);
    }
    // A Host naming another machine; HTTP/1.0 may name none.
    if (names && !head.host.isNull() && !names->Accepts(head.host))
        return Error(421);
    Decision decision = Route(head);
    if (decision.verdict == Verdict::Upgrade)
        decision.head_size = head_size;
    return decision;
}

} // namespace

Decision Decide(QByteArrayView received, const Served_Names* names)
{
    const QByteArrayView window = received.first(std::min(received.size(), Max_Request_Bytes));
    const qsizetype end = window.indexOf(QByteArrayView("\r\n\r\n"));
    if (Broken_Early(end >= 0 ? window.first(end + 2) : window))
        return Error(400);
    if (end < 0)
        return received.size() >= Max_Request_Bytes ? Error(431) : Decision{};
    Head head;
    // The head up to its closing empty line, each line ending in "\r".
    if (!Read_Head(window.first(end + 1), head))
        return Error(400);
    Decision decision = Answer_Head(head, end + 4, names);
    // A HEAD request gets the head GET would get, without the body.
    if (head.method == "HEAD")
        decision.reply.truncate(decision.reply.indexOf("\r\n\r\n") + 4);
    return decision;
}

Served_Names Served_Names::Of_This_Machine(quint16 port)
{
    Served_Names served;
    served.port = port;
    served.addresses = QNetworkInterface::allAddresses();
    for (QHostAddress& address : served.addresses)
        address.setScopeId(QString());
    served.names << QStringLiteral("localhost");
    const QString host = QHostInfo::localHostName().toLower();
    if (!host.isEmpty()) {
        const QString bare = host.endsWith(QLatin1String(".local")) ? host.chopped(6) : host;
        served.names << bare << bare + QStringLiteral(".local");
    }
    return served;
}

bool Served_Names::Accepts(QByteArrayView host) const
{
    QByteArray name = host.trimmed().toByteArray().toLower();
    QByteArray given_port;
    const bool bracketed = name.startsWith('[');
    const qsizetype colon = bracketed ? name.indexOf("]:") + 1 : name.lastIndexOf(':');
    if (colon > 0) {
        given_port = name.sliced(colon + 1);
        name.truncate(colon);
        if (given_port.isEmpty() || given_port.size() > 5 || !std::all_of(given_port.begin(), given_port.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        if (port != 0 && given_port.toUInt() != port)
            return false;
    }
    if (bracketed) {
        if (!name.endsWith(']'))
            return false;
        name = name.sliced(1, name.size() - 2);
    }
    if (name.endsWith('.'))
        name.chop(1);
    if (name.isEmpty() || name.contains(':') != bracketed)
        return false;
    QHostAddress ip;
    if (ip.setAddress(QString::fromLatin1(name))) {
        if (ip.isLoopback())
            return true;
        ip.setScopeId(QString());
        return std::any_of(addresses.begin(), addresses.end(), [&ip](const QHostAddress& mine) {
            return mine.isEqual(ip, QHostAddress::ConvertV4MappedToIPv4);
        });
    }
    return !bracketed && names.contains(QString::fromLatin1(name));
}

} // namespace Phone_Http
