#pragma once
// One client of the phone view's server, on the server's thread. First its
// request head, bounded in size and in time (Head_Timeout_Ms from the
// connection, however slowly its bytes come and whether or not it takes the
// answer); then, when it asks for the live socket, a page: its frames are
// read a bounded chunk at a time and held to a rate, and what waits to be
// sent to it is bounded at every write, pongs and close frames included.
// A page is pinged when it has been silent for a while and closed when it
// stays silent: a browser answers pings by itself, a held-open socket that
// sends nothing (or only pieces of a message it never ends) does not.
#include "web/Http_request.h"
#include "web/Ws_frames.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QTcpSocket;
class QTimer;

class Phone_Connection : public QObject {
    Q_OBJECT
public:
    // A browser sends its head at once; a slot held longer is freed well
    // within ten seconds of the connection, however its client reconnects.
    static constexpr int Head_Timeout_Ms = 9'000;
    static constexpr int Close_Timeout_Ms = 2'000;        // for a page to take its close frame
    static constexpr qint64 Max_Queued_Bytes = 128 * 1024;
    static constexpr qint64 Read_Chunk_Bytes = 4096;
    // A page silent this long is closed; it is pinged after a third of it.
    static constexpr int Idle_Limit_Ms = 45'000;
    static constexpr int Stale_Grace_Ms = 2'000;

    // Takes the socket over. names: whom the server answers to (kept by the
    // server, which outlives its connections).
    Phone_Connection(QTcpSocket* socket, QString source, const Phone_Http::Served_Names& names,
                     QObject* parent = nullptr);

    const QString& Source() const { return source_; }
    bool Is_Page() const { return page_; }
    // Milliseconds since the page last sent a whole frame (a head: since it connected).
    qint64 Idle_Ms() const { return clock_.elapsed() - heard_ms_; }
    qint64 Age_Ms() const { return clock_.elapsed(); }
    // Answered or closing: it goes by itself.
    bool Is_Closing() const { return closing_; }
    // A page that let a ping go unanswered; a head not whole, or an answer
    // not taken, in a moment.
    bool Is_Stale() const
    {
        return page_ && !closing_ ? Idle_Ms() > idle_limit_ms_ * 2 / 3 + Stale_Grace_Ms : Age_Ms() > Stale_Grace_Ms;
    }
    // How long a page may stay silent (tests shorten it); set before it becomes a page.
    void Set_Idle_Limit(int ms) { idle_limit_ms_ = ms; }
    // Queues a frame for the page; a page whose queue would pass
    // Max_Queued_Bytes does not read: it is dropped.
    void Send(const QByteArray& frame);
    // Queues a state's frame. While the page has not taken the last one only
    // the newest state waits, here, for it.
    void Send_State(const QByteArray& frame);
    // Sends a close frame (pages) and ends the connection.
    void Close(quint16 code);
    void Abort();

signals:
    void Became_Page();
    void Message(const QByteArray& utf8);
    void Finished();   // the connection is over: the server forgets it

private:
    void Read();
    void Read_Head();
    void Read_Frames();
    void Handle(const Phone_Ws::Event& event);
    void Written();
    void Keep_Alive();
    void Finish();

    QTcpSocket* socket_;
    QString source_;
    const Phone_Http::Served_Names& names_;
    QTimer* deadline_;
    QTimer* keep_alive_ = nullptr;
    qint64 heard_ms_ = 0;
    int idle_limit_ms_ = Idle_Limit_Ms;
    QElapsedTimer clock_;
    Phone_Ws::Frame_Reader reader_;
    Phone_Ws::Frame_Rate rate_;
    QByteArray waiting_state_;
    bool page_ = false;
    bool closing_ = false;    // answered or closing: nothing more is read
    bool finished_ = false;
};
