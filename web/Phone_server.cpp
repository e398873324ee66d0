#include "web/Phone_server.h"

#include "web/Phone_connection.h"
#include "web/Slots.h"
#include "web/Ws_frames.h"

#include <QElapsedTimer>
#include <QMutexLocker>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <limits>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Hands each new connection's descriptor over before any socket object is
// made for it: a refused one costs a close and nothing that lingers.
class Listener final : public QTcpServer {
public:
    Listener(std::function<void(qintptr)> take, QObject* parent) : QTcpServer(parent), take_(std::move(take)) {}

protected:
    void incomingConnection(qintptr descriptor) override { take_(descriptor); }

private:
    std::function<void(qintptr)> take_;
};

QHostAddress Peer_Of(qintptr descriptor)
{
    sockaddr_storage peer{};
    socklen_t size = sizeof peer;
    if (::getpeername(static_cast<int>(descriptor), reinterpret_cast<sockaddr*>(&peer), &size) != 0)
        return QHostAddress();
    return QHostAddress(reinterpret_cast<const sockaddr*>(&peer));
}

// Ends a connection with a reset: nothing of it waits on this side.
void Reset(qintptr descriptor)
{
    const linger now{1, 0};
    ::setsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_LINGER, &now, sizeof now);
    ::close(static_cast<int>(descriptor));
}

} // namespace

Phone_Server::Phone_Server(QObject* parent)
    : QObject(parent), tcp_(new Listener([this](qintptr descriptor) { Accept(descriptor); }, this)),
      chores_(new QTimer(this)), tell_host_(new QTimer(this))
{
    since_.start();
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    now_ms_ = [since] { return since->elapsed(); };
    // A device that reconnects without pause must not fill the system's
    // queue of new connections: a phone's would be dropped and come again
    // only a second later.
    tcp_->setListenBacklogSize(Listen_Backlog);
    tell_host_->setSingleShot(true);
    tell_host_->setInterval(Tell_Host_Ms);
    connect(tell_host_, &QTimer::timeout, this, &Phone_Server::Remote_Changed);
    chores_->setInterval(Chores_Ms);
    connect(chores_, &QTimer::timeout, this, &Phone_Server::Chores);
}

Phone_Server::~Phone_Server() { Stop(); }

bool Phone_Server::Start(quint16 port, const QHostAddress& on)
{
    Stop();
    Set_Pin(Phone_Remote::New_Pin());
    remote_ = {};
    Remote_Lists_Changed();
    log_ = {};
    if (!tcp_->listen(on, port)) {
        Set_Status(false, 0, tcp_->errorString());
        return false;
    }
    names_ = Phone_Http::Served_Names::Of_This_Machine(tcp_->serverPort());
    local_ = Local_Prefixes();
    chores_->start();
    Set_Status(true, tcp_->serverPort(), QString());
    return true;
}

void Phone_Server::Stop()
{
    tcp_->close();
    chores_->stop();
    // The counts not written yet. (No clock is asked: a test's may be gone
    // when the server stops at the end.)
    Log(log_.Flush(std::numeric_limits<qint64>::max() / 2));
    const QList<Phone_Connection*> all = connections_.keys();
    connections_.clear();
    per_source_.clear();
    for (Phone_Connection* connection : all) {
        connection->disconnect(this);
        connection->Abort();
        connection->deleteLater();
    }
    open_ = 0;
    pages_ = 0;
    // The next start draws a new PIN: no phone keeps the remote across it.
    remote_ = {};
    Remote_Lists_Changed();
    tell_host_->stop();
    emit Remote_Changed();
    Set_Status(false, 0, Error());
}

void Phone_Server::Set_Status(bool running, quint16 port, const QString& error)
{
    const QMutexLocker lock(&status_);
    running_ = running;
    port_ = port;
    error_ = error;
}

void Phone_Server::Set_Pin(const QString& pin)
{
    const QMutexLocker lock(&status_);
    pin_ = pin;
}

bool Phone_Server::Is_Running() const
{
    const QMutexLocker lock(&status_);
    return running_;
}

quint16 Phone_Server::Port() const
{
    const QMutexLocker lock(&status_);
    return port_;
}

QString Phone_Server::Pin() const
{
    const QMutexLocker lock(&status_);
    return pin_;
}

QString Phone_Server::Error() const
{
    const QMutexLocker lock(&status_);
    return error_;
}

void Phone_Server::Set_Max_Connections(int bound) { max_open_ = std::clamp(bound, 1, Max_Connections); }

void Phone_Server::Set_Max_Per_Source(int bound) { max_per_source_ = std::clamp(bound, 1, Max_Connections); }

void Phone_Server::Set_Idle_Limit(int ms) { idle_limit_ms_ = std::clamp(ms, 300, Phone_Connection::Idle_Limit_Ms); }

QList<Phone_Remote::Holder_Info> Phone_Server::Holders() const
{
    const QMutexLocker lock(&status_);
    return holders_;
}

QList<Phone_Remote::Request_Info> Phone_Server::Requests() const
{
    const QMutexLocker lock(&status_);
    return requests_;
}

void Phone_Server::Remote_Lists_Changed()
{
    {
        const QMutexLocker lock(&status_);
        holders_ = remote_.grants.List();
        requests_ = remote_.requests.List();
    }
    // A page whose grant is gone learns it at once.
    for (auto it = connections_.begin(); it != connections_.end(); ++it)
        if (it->grant >= 0 && !remote_.Holds(*it)) {
            it->grant = -1;
            it.key()->Send(Phone_Ws::Text_Frame(Phone_Remote::Revoked_Reply()));
        }
    // However fast pages ask, the window hears of it a few times a second.
    if (!tell_host_->isActive())
        tell_host_->start();
}

Phone_Connection* Phone_Server::Page_Of(quint64 serial) const
{
    for (auto it = connections_.cbegin(); it != connections_.cend(); ++it)
        if (it->serial == serial)
            return it.key();
    return nullptr;
}

bool Phone_Server::Approve(int request)
{
    Phone_Remote::Request_Info asked;
    if (!remote_.requests.Take(request, asked))
        return false;
    Phone_Connection* page = Page_Of(asked.page);
    if (page) {
        if (const int held = connections_[page].grant; held >= 0)
            remote_.grants.Revoke(held);
        const Phone_Remote::Given given = remote_.grants.Give(asked.source, true);
        connections_[page].grant = given.id;
        page->Send(Phone_Ws::Text_Frame(Phone_Remote::Unlocked_Reply(given.token)));
    }
    Remote_Lists_Changed();
    return page != nullptr;
}

void Phone_Server::Refuse(int request)
{
    Phone_Remote::Request_Info asked;
    if (!remote_.requests.Take(request, asked))
        return;
    if (Phone_Connection* page = Page_Of(asked.page))
        page->Send(Phone_Ws::Text_Frame(Phone_Remote::Refused_Reply()));
    Remote_Lists_Changed();
}

void Phone_Server::Revoke(int holder)
{
    if (holder < 0)
        remote_.grants.Revoke_All();
    else
        remote_.grants.Revoke(holder);
    Remote_Lists_Changed();
}

void Phone_Server::Draw_New_Pin()
{
    Set_Pin(Phone_Remote::New_Pin());
    Revoke(-1);
    emit Pin_Changed();
}

QString Phone_Server::Local_Address()
{
    for (const QNetworkInterface& in : QNetworkInterface::allInterfaces()) {
        const auto flags = in.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : in.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() == QAbstractSocket::IPv4Protocol && !ip.isLoopback() && !ip.isLinkLocal())
                return ip.toString();
        }
    }
    return QStringLiteral("127.0.0.1");
}

void Phone_Server::Accept(qintptr descriptor)
{
    const QHostAddress peer = Peer_Of(descriptor);
    if (peer.isNull()) {   // gone already
        Reset(descriptor);
        return;
    }
    const QString source = Phone_Remote::Source_Of(peer, local_);
    const int held = per_source_.value(source);
    if (held >= max_per_source_) {
        Reset(descriptor);
        return;
    }
    // Full: the new one takes the place of a source holding more, or is
    // refused (cheaply, before the connections are looked at one by one).
    if (open_ >= max_open_) {
        if (held > 0 && std::none_of(per_source_.cbegin(), per_source_.cend(), [held](int n) { return n >= held + 2; })) {
            Reset(descriptor);
            return;
        }
        QList<Phone_Slots::Holder> open;
        QList<Phone_Connection*> order;
        open.reserve(connections_.size());
        order.reserve(connections_.size());
        for (auto it = connections_.cbegin(); it != connections_.cend(); ++it) {
            const Phone_Connection* c = it.key();
            // An answer on its way goes by itself in a moment; one the client
            // does not take may be made room for.
            if (c->Is_Closing() && !c->Is_Stale())
                continue;
            open.append({c->Source(), c->Age_Ms(), remote_.Holds(it.value()), c->Is_Page(), c->Is_Stale()});
            order.append(it.key());
        }
        const qint64 now = since_.elapsed();
        const auto lost = lost_place_.constFind(source);
        const bool came_back = lost != lost_place_.cend() && now - *lost < Came_Back_Ms;
        const int victim = Phone_Slots::Victim(open, source, max_per_source_, came_back);
        if (victim < 0) {
            Reset(descriptor);
            return;
        }
        // Remembered a while, so that it does not take the next place back at once.
        if (lost_place_.size() >= Max_Lost_Places)
            lost_place_.removeIf([now](const auto& e) { return now - e.value() >= Came_Back_Ms; });
        if (lost_place_.size() >= Max_Lost_Places)
            lost_place_.clear();
        lost_place_.insert(order[victim]->Source(), now);
        order[victim]->Abort();   // forgotten at once
    }
    auto* socket = new QTcpSocket;
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        Reset(descriptor);
        return;
    }
    ++per_source_[source];
    ++open_;
    auto* connection = new Phone_Connection(socket, source, names_, this);
    connection->Set_Idle_Limit(idle_limit_ms_);
    connections_.insert(connection, {++serial_, -1});
    connect(connection, &Phone_Connection::Became_Page, this, [this, connection] {
        ++pages_;
        if (!state_frame_.isEmpty())
            connection->Send_State(state_frame_);
    });
    connect(connection, &Phone_Connection::Message, this,
            [this, connection](const QByteArray& text) { Page_Message(connection, text); });
    connect(connection, &Phone_Connection::Finished, this, [this, connection] { Forget(connection); });
}

void Phone_Server::Forget(Phone_Connection* connection)
{
    const auto it = connections_.constFind(connection);
    if (it == connections_.cend())
        return;
    const quint64 serial = it->serial;
    connections_.erase(it);
    if (connection->Is_Page())
        --pages_;
    --open_;
    auto count = per_source_.find(connection->Source());
    if (count != per_source_.end() && --*count <= 0)
        per_source_.erase(count);
    connection->deleteLater();
    // Its request goes with it.
    const int asked = remote_.requests.Size();
    remote_.requests.Forget(serial);
    if (remote_.requests.Size() != asked)
        Remote_Lists_Changed();
}

void Phone_Server::Page_Message(Phone_Connection* page, const QByteArray& text)
{
    auto state = connections_.find(page);
    if (state == connections_.end())
        return;
    const qint64 now = now_ms_();
    const Phone_Remote::Outcome out = Phone_Remote::Handle(text, Pin(), *state, page->Source(), now, remote_);
    if (out.log_wrong_pin)
        Log(log_.Refused(page->Source(), now));
    if (out.redraw_pin) {
        // Guessers get a new PIN to find; the phones holding the remote keep
        // it (strangers' guesses never take it from the operator).
        Set_Pin(Phone_Remote::New_Pin());
        emit Pin_Changed();
    }
    if (out.run != Phone_Remote::Command::None)
        emit Command_Received(out.run);
    page->Send(Phone_Ws::Text_Frame(out.reply));
    if (out.lists_changed)
        Remote_Lists_Changed();
}

void Phone_Server::Publish(const QByteArray& state)
{
    state_frame_ = Phone_Ws::Text_Frame(state);
    // A page dropped on the way leaves the table at once.
    const QList<Phone_Connection*> all = connections_.keys();
    for (Phone_Connection* connection : all)
        if (connections_.contains(connection) && connection->Is_Page())
            connection->Send_State(state_frame_);
}

void Phone_Server::Chores()
{
    Log(log_.Flush(now_ms_()));
    // An address may come or go in an evening (a new lease, a second network).
    names_ = Phone_Http::Served_Names::Of_This_Machine(Port());
    local_ = Local_Prefixes();
}

Phone_Remote::Prefixes Phone_Server::Local_Prefixes()
{
    Phone_Remote::Prefixes prefixes;
    for (const QNetworkInterface& in : QNetworkInterface::allInterfaces())
        for (const QNetworkAddressEntry& entry : in.addressEntries())
            if (entry.ip().protocol() == QAbstractSocket::IPv6Protocol && entry.prefixLength() > 0) {
                QHostAddress ip = entry.ip();
                ip.setScopeId(QString());
                prefixes.append({ip, entry.prefixLength()});
            }
    return prefixes;
}

void Phone_Server::Log(const QStringList& lines)
{
    for (const QString& line : lines)
        qWarning("%s", qPrintable(line));
}
