#pragma once
// The phone view's server: the page and its WebSocket on one port of the
// local network. Every connected page gets the state published last at once
// and every later one; a page that gave the PIN may run the clock's commands.
//
// Nothing a client sends is trusted: Max_Connections connections at a time,
// shared out by source when they run short (see Phone_Slots), and
// Max_Per_Source from one source (see Phone_Remote::Source_Of), each
// bounded in what it may send, how fast, and what may wait for it (see
// Phone_Connection); the PIN rules of Phone_Remote; refused PINs logged
// through Phone_Remote::Log_Throttle; only this machine's names answered.
//
// The server may run in a thread of its own (the phone module's service
// does so): Start, Stop, Publish and Set_Monotonic_Clock are then called on
// that thread; the other public functions from any thread.
#include "web/Http_request.h"
#include "web/Phone_connection.h"
#include "web/Remote.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QMutex>
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>

class QTcpServer;
class QTimer;

class Phone_Server : public QObject {
    Q_OBJECT
public:
    static constexpr int Max_Connections = 256;
    static constexpr int Max_Per_Source = 8;
    static constexpr int Chores_Ms = 10'000;   // the log's counts, this machine's names
    static constexpr int Listen_Backlog = 1024;
    static constexpr int Tell_Host_Ms = 100;   // Remote_Changed comes at most this often
    // A source that lost a place to a newcomer is not new again this long.
    static constexpr qint64 Came_Back_Ms = 10'000;
    static constexpr int Max_Lost_Places = 1024;

    explicit Phone_Server(QObject* parent = nullptr);
    ~Phone_Server() override;

    // Listens on the port (0: any free one) of every interface, or of the
    // given one; a new PIN is drawn. False with Error() set when the port
    // cannot be taken.
    bool Start(quint16 port, const QHostAddress& on = QHostAddress::Any);
    void Stop();   // closes every connection
    // The state every page shows (a JSON text); sent now to every page and
    // later to every page that connects.
    void Publish(const QByteArray& state);
    // The milliseconds the PIN brake counts by (tests drive their own).
    void Set_Monotonic_Clock(std::function<qint64()> now) { now_ms_ = std::move(now); }

    bool Is_Running() const;
    quint16 Port() const;
    QString Pin() const;
    QString Error() const;
    int Open_Connections() const { return open_; }
    int Live_Pages() const { return pages_; }
    // The phones holding the remote, and those asking for it (the host's
    // view, as the server last changed it).
    QList<Phone_Remote::Holder_Info> Holders() const;
    QList<Phone_Remote::Request_Info> Requests() const;
    // The host gives the asking phone the remote; false when it is gone.
    bool Approve(int request);
    void Refuse(int request);
    // The host takes the remote back from one phone (-1: from all).
    void Revoke(int holder);
    // A new PIN, and every phone loses the remote.
    void Draw_New_Pin();
    // Lowers the bound on connections (tests); never above Max_Connections.
    void Set_Max_Connections(int bound);
    // Sets the bound on connections from one source (tests, benchmarks).
    void Set_Max_Per_Source(int bound);
    // How long a page may stay silent before it is closed (tests shorten it).
    void Set_Idle_Limit(int ms);

    // The address a phone on the local network reaches this machine at.
    static QString Local_Address();
    // The IPv6 prefixes of this machine's interfaces.
    static Phone_Remote::Prefixes Local_Prefixes();

signals:
    // A page with the PIN asked for one of the clock's commands.
    void Command_Received(Phone_Remote::Command command);
    // Too many wrong PINs in a row: a new one was drawn.
    void Pin_Changed();
    // The phones holding the remote or asking for it changed.
    void Remote_Changed();

private:
    void Accept(qintptr descriptor);
    void Remote_Lists_Changed();
    Phone_Connection* Page_Of(quint64 serial) const;
    void Forget(Phone_Connection* connection);
    void Page_Message(Phone_Connection* page, const QByteArray& text);
    void Chores();
    void Set_Status(bool running, quint16 port, const QString& error);
    void Set_Pin(const QString& pin);
    static void Log(const QStringList& lines);

    QTcpServer* tcp_ = nullptr;
    QTimer* chores_ = nullptr;
    QTimer* tell_host_ = nullptr;
    QHash<Phone_Connection*, Phone_Remote::Page_State> connections_;
    QHash<QString, int> per_source_;   // open connections of each source
    QHash<QString, qint64> lost_place_;   // when each source last lost a place to a newcomer
    QElapsedTimer since_;
    Phone_Http::Served_Names names_;
    Phone_Remote::Prefixes local_;
    QByteArray state_frame_;           // the last state, as the frame every page gets
    Phone_Remote::State remote_;
    quint64 serial_ = 0;
    Phone_Remote::Log_Throttle log_;
    std::function<qint64()> now_ms_;

    mutable QMutex status_;            // guards the six below
    QString pin_;
    QList<Phone_Remote::Holder_Info> holders_;
    QList<Phone_Remote::Request_Info> requests_;
    QString error_;
    quint16 port_ = 0;
    bool running_ = false;
    std::atomic<int> open_{0};
    std::atomic<int> pages_{0};
    std::atomic<int> max_open_{Max_Connections};
    std::atomic<int> max_per_source_{Max_Per_Source};
    std::atomic<int> idle_limit_ms_{Phone_Connection::Idle_Limit_Ms};
};
