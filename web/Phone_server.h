#pragma once
// The phone view's server: the page and its WebSocket on one port of the
// local network. Every connected page gets the state published last at once
// and every later one; a page that gave the PIN may run the clock's commands.
// Bounded: Max_Connections sockets at a time, Phone_Http::Max_Request_Bytes per
// request head, a few seconds to send it, small WebSocket messages, and a slow
// page that falls far behind is dropped.
#include "web/Remote.h"

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <algorithm>
#include <functional>

class QTcpServer;
class QTcpSocket;
class QWebSocket;
class QWebSocketServer;

class Phone_Server : public QObject {
    Q_OBJECT
public:
    static constexpr int Max_Connections = 256;
    static constexpr int Request_Timeout_Ms = 10'000;
    static constexpr qint64 Max_Backlog_Bytes = 1 << 20;

    explicit Phone_Server(QObject* parent = nullptr);
    ~Phone_Server() override;

    // Listens on the port (0: any free one) of every interface, or of the
    // given one; a new PIN is drawn. False with Error() set when the port
    // cannot be taken.
    bool Start(quint16 port, const QHostAddress& on = QHostAddress::Any);
    void Stop();   // closes every connection
    bool Is_Running() const;
    quint16 Port() const;
    QString Pin() const { return pin_; }
    QString Error() const { return error_; }
    int Open_Connections() const { return open_; }
    // Lowers the bound on sockets (tests); never above Max_Connections.
    void Set_Max_Connections(int bound) { max_open_ = std::clamp(bound, 1, Max_Connections); }
    int Live_Pages() const { return static_cast<int>(pages_.size()); }

    // The state every page shows (a JSON text); sent now to every page and
    // later to every page that connects.
    void Publish(const QByteArray& state);

    // The milliseconds the PIN brake counts by (tests drive their own).
    void Set_Monotonic_Clock(std::function<qint64()> now) { now_ms_ = std::move(now); }

    // The address a phone on the local network reaches this machine at.
    static QString Local_Address();

signals:
    // A page with the PIN asked for one of the clock's commands.
    void Command_Received(Phone_Remote::Command command);

private:
    void Accept();
    void Read_Request(QTcpSocket* socket);
    void Page_Connected();
    void Page_Message(QWebSocket* page, const QString& text);
    static QString Address_Of(const QHostAddress& address);

    QTcpServer* tcp_ = nullptr;
    QWebSocketServer* sockets_ = nullptr;
    QHash<QWebSocket*, bool> pages_;   // each page and whether it gave the PIN
    QByteArray state_;
    QString pin_;
    QString error_;
    int open_ = 0;
    int max_open_ = Max_Connections;
    Phone_Remote::Pin_Brake brake_;
    std::function<qint64()> now_ms_;
};
