#include "web/Phone_server.h"

#include "web/Http_request.h"

#include <QElapsedTimer>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>

Phone_Server::Phone_Server(QObject* parent)
    : QObject(parent), tcp_(new QTcpServer(this)),
      sockets_(new QWebSocketServer(QStringLiteral("Velmora"), QWebSocketServer::NonSecureMode, this))
{
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    now_ms_ = [since] { return since->elapsed(); };
    tcp_->setMaxPendingConnections(Max_Connections);
    sockets_->setHandshakeTimeout(std::chrono::milliseconds(Request_Timeout_Ms));
    connect(tcp_, &QTcpServer::newConnection, this, &Phone_Server::Accept);
    connect(sockets_, &QWebSocketServer::newConnection, this, &Phone_Server::Page_Connected);
}

Phone_Server::~Phone_Server() { Stop(); }

bool Phone_Server::Start(quint16 port, const QHostAddress& on)
{
    Stop();
    pin_ = Phone_Remote::New_Pin();
    if (!tcp_->listen(on, port)) {
        error_ = tcp_->errorString();
        return false;
    }
    error_.clear();
    return true;
}

void Phone_Server::Stop()
{
    tcp_->close();
    const QList<QWebSocket*> pages = pages_.keys();
    pages_.clear();
    for (QWebSocket* page : pages) {
        page->disconnect(this);
        page->abort();
        page->deleteLater();
    }
    for (QTcpSocket* socket : findChildren<QTcpSocket*>(QString(), Qt::FindDirectChildrenOnly)) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
    open_ = 0;
}

bool Phone_Server::Is_Running() const { return tcp_->isListening(); }

quint16 Phone_Server::Port() const { return tcp_->serverPort(); }

QString Phone_Server::Address_Of(const QHostAddress& address)
{
    bool v4 = false;
    const quint32 ip = address.toIPv4Address(&v4);
    return v4 ? QHostAddress(ip).toString() : address.toString();
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

void Phone_Server::Accept()
{
    while (QTcpSocket* socket = tcp_->nextPendingConnection()) {
        if (open_ >= max_open_) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++open_;
        socket->setParent(this);
        // The head never needs more than this: a longer one is refused.
        socket->setReadBufferSize(Phone_Http::Max_Request_Bytes + 1);
        auto* deadline = new QTimer(socket);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, socket, &QTcpSocket::abort);
        deadline->start(Request_Timeout_Ms);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read_Request(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            socket->disconnect(this);
            socket->deleteLater();
            --open_;
        });
        if (socket->bytesAvailable() > 0)
            Read_Request(socket);
    }
}

void Phone_Server::Read_Request(QTcpSocket* socket)
{
    // Only looked at: a WebSocket handshake is read again by the WebSocket server.
    const QByteArray received = socket->peek(Phone_Http::Max_Request_Bytes + 1);
    const Phone_Http::Decision decision = Phone_Http::Decide(received);
    switch (decision.verdict) {
    case Phone_Http::Verdict::Need_More:
        return;
    case Phone_Http::Verdict::Answer:
        // Whatever else the client sends is not read.
        disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
        socket->write(decision.reply);
        socket->disconnectFromHost();
        return;
    case Phone_Http::Verdict::Upgrade:
        socket->disconnect(this);
        qDeleteAll(socket->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly));
        socket->setParent(nullptr);
        socket->setReadBufferSize(0);
        --open_;   // counted again as a page
        sockets_->handleConnection(socket);
        return;
    }
}

void Phone_Server::Page_Connected()
{
    while (QWebSocket* page = sockets_->nextPendingConnection()) {
        if (open_ >= max_open_ || !tcp_->isListening()) {
            page->abort();
            page->deleteLater();
            continue;
        }
        ++open_;
        page->setParent(this);
        page->setMaxAllowedIncomingMessageSize(Phone_Remote::Max_Message_Bytes);
        page->setMaxAllowedIncomingFrameSize(Phone_Remote::Max_Message_Bytes);
        pages_.insert(page, false);
        connect(page, &QWebSocket::textMessageReceived, this, [this, page](const QString& text) {
            Page_Message(page, text);
        });
        // The page sends only text: anything else ends its connection.
        connect(page, &QWebSocket::binaryMessageReceived, page, [page] {
            page->close(QWebSocketProtocol::CloseCodeDatatypeNotSupported);
        });
        connect(page, &QWebSocket::disconnected, this, [this, page] {
            if (pages_.remove(page))
                --open_;
            page->deleteLater();
        });
        if (!state_.isEmpty())
            page->sendTextMessage(QString::fromUtf8(state_));
    }
}

void Phone_Server::Page_Message(QWebSocket* page, const QString& text)
{
    const QString address = Address_Of(page->peerAddress());
    const Phone_Remote::Outcome out =
        Phone_Remote::Handle(text.toUtf8(), pin_, pages_.value(page), address, now_ms_(), brake_);
    if (out.log_wrong_pin)
        qWarning("Phone view: wrong PIN from %s", qPrintable(address));
    if (out.unlock)
        pages_[page] = true;
    page->sendTextMessage(QString::fromUtf8(out.reply));
    if (out.run != Phone_Remote::Command::None)
        emit Command_Received(out.run);
}

void Phone_Server::Publish(const QByteArray& state)
{
    state_ = state;
    const QString text = QString::fromUtf8(state);
    const QList<QWebSocket*> pages = pages_.keys();
    for (QWebSocket* page : pages) {
        // A page that stopped reading is not kept filling memory.
        if (page->bytesToWrite() > Max_Backlog_Bytes) {
            page->abort();
            continue;
        }
        page->sendTextMessage(text);
    }
}
