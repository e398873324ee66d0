#include "Hostile_client.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace Hostile {

bool Ipv6_Loopback()
{
    const int fd = ::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in6 a{};
    a.sin6_family = AF_INET6;
    a.sin6_addr = in6addr_loopback;
    const bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

std::string Source(int network, int n)
{
    return "127." + std::to_string(network) + "." + std::to_string(n / 250) + "." + std::to_string(n % 250 + 1);
}

int Connect_From(const std::string& source, quint16 port, bool blocking, int receive_buffer)
{
    const bool v6 = source.find(':') != std::string::npos;
    const int fd = ::socket(v6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC | (blocking ? 0 : SOCK_NONBLOCK), 0);
    if (fd < 0)
        return -1;
    if (receive_buffer > 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receive_buffer, sizeof receive_buffer);
    if (blocking) {
        const timeval limit{3, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    }
    int bound = -1, connected = -1;
    if (v6) {
        sockaddr_in6 from{}, to{};
        from.sin6_family = to.sin6_family = AF_INET6;
        ::inet_pton(AF_INET6, source.c_str(), &from.sin6_addr);
        to.sin6_addr = in6addr_loopback;
        to.sin6_port = htons(port);
        bound = ::bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from);
        connected = bound == 0 ? ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) : -1;
    } else {
        sockaddr_in from{}, to{};
        from.sin_family = to.sin_family = AF_INET;
        ::inet_pton(AF_INET, source.c_str(), &from.sin_addr);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(port);
        bound = ::bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from);
        connected = bound == 0 ? ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) : -1;
    }
    if (bound != 0 || (connected != 0 && errno != EINPROGRESS)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void Drop(int fd)
{
    if (fd < 0)
        return;
    const linger now{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &now, sizeof now);
    ::close(fd);
}

QByteArray Handshake(quint16 port, const QByteArray& host, const QByteArray& origin)
{
    const QByteArray name = host.isEmpty() ? "127.0.0.1:" + QByteArray::number(port) : host;
    return "GET /live HTTP/1.1\r\nHost: " + name + "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
           "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n"
           + (origin.isEmpty() ? QByteArray() : "Origin: " + origin + "\r\n") + "\r\n";
}

QByteArray Masked(quint8 opcode, const QByteArray& payload)
{
    QByteArray out;
    out.append(char(0x80 | opcode));
    out.append(char(0x80 | payload.size()));   // short payloads only
    const char key[4] = {0x1f, 0x2e, 0x3d, 0x4c};
    out.append(key, 4);
    for (qsizetype i = 0; i < payload.size(); ++i)
        out.append(char(payload[i] ^ key[i % 4]));
    return out;
}

QByteArray Exchange(const std::string& source, quint16 port, const QByteArray& request)
{
    const int fd = Connect_From(source, port, true);
    if (fd < 0)
        return "<no connection>";
    QByteArray reply;
    if (::send(fd, request.constData(), request.size(), MSG_NOSIGNAL) == request.size()) {
        char buffer[4096];
        ssize_t n = 0;
        while (reply.size() < (1 << 20) && (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0)
            reply.append(buffer, n);
        if (n < 0)
            reply += "<still open>";
    }
    Drop(fd);
    return reply;
}

bool Raw_Page::Open(const std::string& source, quint16 port)
{
    fd_ = Connect_From(source, port, true);
    if (fd_ < 0 || !Send(Handshake(port)))
        return false;
    while (!in_.contains("\r\n\r\n"))
        if (!Fill())
            return false;
    const bool switched = in_.startsWith("HTTP/1.1 101 ");
    in_.remove(0, in_.indexOf("\r\n\r\n") + 4);
    return switched;
}

bool Raw_Page::Send(const QByteArray& bytes)
{
    return ::send(fd_, bytes.constData(), bytes.size(), MSG_NOSIGNAL) == bytes.size();
}

bool Raw_Page::Fill()
{
    char buffer[8192];
    const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
    if (n <= 0)
        return false;
    in_.append(buffer, n);
    return true;
}

QString Raw_Page::Next_Reply()
{
    for (;;) {
        // A server frame: unmasked, with a 7-, 16- or 64-bit length.
        qsizetype head = 2, length = in_.size() >= 2 ? quint8(in_[1]) & 0x7F : -1;
        if (length == 126)
            length = in_.size() >= 4 ? (quint8(in_[2]) << 8 | quint8(in_[3])) : -1, head = 4;
        else if (length == 127)
            length = -1;   // the server never sends 64 KiB here
        if (length < 0 || in_.size() < head + length) {
            if (!Fill())
                return QString();
            continue;
        }
        const int opcode = quint8(in_[0]) & 0x0F;
        const QByteArray payload = in_.mid(head, length);
        in_.remove(0, head + length);
        if (opcode == 0x8)
            return QString();
        const QJsonObject message = QJsonDocument::fromJson(payload).object();
        const QString type = message.value(QStringLiteral("type")).toString();
        if (opcode == 0x1 && type != QLatin1String("state")) {
            last = message;
            return type;
        }
    }
}

Flood::Flood(quint16 port, Flood_Plan plan) : port_(port), plan_(std::move(plan)), thread_([this] { Run(); }) {}

void Flood::Stop()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

void Flood::Run()
{
    // This thread stands for another device: on loopback it must not take
    // the window's processor away as a device on the network could not.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), 15);
    struct Slot {
        int fd = -1;
        QByteArray out;
        qsizetype at = 0;
        Steady::time_point opened, next;
    };
    std::vector<Slot> lines(plan_.sources.size());
    std::vector<pollfd> polls(lines.size());
    auto end = [this](Slot& s, Steady::time_point now) {
        const long lived = std::chrono::duration_cast<std::chrono::milliseconds>(now - s.opened).count();
        longest_ms = std::max(longest_ms.load(), lived);
        lived_over_1s += lived > 1000;
        ++ended;
        Drop(s.fd);
        s.fd = -1;
        s.next = now + std::chrono::milliseconds(2);   // a breath before the next attempt
    };
    char sink[16384];
    while (!stop_) {
        const auto now = Steady::now();
        for (size_t i = 0; i < lines.size(); ++i) {
            Slot& s = lines[i];
            const bool paced = plan_.interval_ms > 0 && (plan_.paced_every == 0 || i % plan_.paced_every == 0);
            if (s.fd < 0 && now >= s.next && (s.fd = Connect_From(plan_.sources[i], port_, false, plan_.receive_buffer)) >= 0) {
                ++connects;
                s.out = plan_.opening;
                s.at = 0;
                s.opened = s.next = now;
            }
            if (s.fd >= 0 && plan_.reconnect && s.at == s.out.size()) {
                Drop(s.fd);
                s.fd = -1;
                s.next = now;
                polls[i] = {-1, 0, 0};
                continue;
            }
            if (s.fd >= 0 && s.at == s.out.size() && now >= s.next) {
                s.out = plan_.repeat;
                s.at = 0;
                s.next = now + std::chrono::milliseconds(paced ? plan_.interval_ms : 0);
            }
            const bool sending = s.fd >= 0 && s.at < s.out.size();
            const bool reading = plan_.read || plan_.answer_pings;
            polls[i] = {s.fd, short((sending ? POLLOUT : 0) | (reading ? POLLIN : 0)), 0};
        }
        ::poll(polls.data(), polls.size(), 5);
        const auto after = Steady::now();
        for (size_t i = 0; i < lines.size(); ++i) {
            Slot& s = lines[i];
            if (s.fd < 0)
                continue;
            const short got = polls[i].revents;
            bool over = got & (POLLERR | POLLHUP | POLLNVAL);
            if (!over && (got & POLLIN)) {
                const ssize_t n = ::recv(s.fd, sink, sizeof sink, MSG_DONTWAIT);
                over = n == 0 || (n < 0 && errno != EAGAIN);
                // A ping (0x89) somewhere in what came: a pong goes back
                // (pages that answer pings send nothing else).
                if (plan_.answer_pings && n > 0 && s.at == s.out.size() && QByteArrayView(sink, n).contains(char(0x89))) {
                    s.out = Masked(0xA, QByteArray());
                    s.at = 0;
                }
            }
            if (!over && (got & POLLOUT) && s.at < s.out.size()) {
                const ssize_t n = ::send(s.fd, s.out.constData() + s.at, s.out.size() - s.at, MSG_NOSIGNAL | MSG_DONTWAIT);
                if (n > 0) {
                    s.at += n;
                    bytes_sent += n;
                }
                over = n < 0 && errno != EAGAIN;
            }
            if (over)
                end(s, after);
        }
    }
    for (Slot& s : lines)
        Drop(s.fd);
}

} // namespace Hostile
