#include "web/Phone_connection.h"

#include "web/Remote.h"

#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <utility>

Phone_Connection::Phone_Connection(QTcpSocket* socket, QString source, const Phone_Http::Served_Names& names,
                                   QObject* parent)
    : QObject(parent), socket_(socket), source_(std::move(source)), names_(names), deadline_(new QTimer(this)),
      reader_(Phone_Remote::Max_Message_Bytes)
{
    socket_->setParent(this);
    // The head never needs more than this: a longer one is refused.
    socket_->setReadBufferSize(Phone_Http::Max_Request_Bytes + 1);
    clock_.start();
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, this, &Phone_Connection::Abort);
    deadline_->start(Head_Timeout_Ms);
    connect(socket_, &QTcpSocket::readyRead, this, &Phone_Connection::Read);
    connect(socket_, &QTcpSocket::bytesWritten, this, &Phone_Connection::Written);
    connect(socket_, &QTcpSocket::disconnected, this, &Phone_Connection::Finish);
    // Bytes that came with the connection are read once the server listens.
    QMetaObject::invokeMethod(this, &Phone_Connection::Read, Qt::QueuedConnection);
}

void Phone_Connection::Read()
{
    if (closing_ || finished_)
        return;
    if (page_)
        Read_Frames();
    else
        Read_Head();
}

void Phone_Connection::Read_Head()
{
    // Only looked at until the head is complete.
    const QByteArray received = socket_->peek(Phone_Http::Max_Request_Bytes + 1);
    const Phone_Http::Decision decision = Phone_Http::Decide(received, &names_);
    switch (decision.verdict) {
    case Phone_Http::Verdict::Need_More:
        return;
    case Phone_Http::Verdict::Answer:
        // Whatever else the client sends is not read; the deadline still
        // runs, for a client that never takes the answer.
        closing_ = true;
        socket_->write(decision.reply);
        socket_->disconnectFromHost();
        return;
    case Phone_Http::Verdict::Upgrade:
        socket_->skip(decision.head_size);
        socket_->write(decision.reply);
        page_ = true;
        deadline_->stop();
        heard_ms_ = clock_.elapsed();
        keep_alive_ = new QTimer(this);
        connect(keep_alive_, &QTimer::timeout, this, &Phone_Connection::Keep_Alive);
        keep_alive_->start(std::max(1, idle_limit_ms_ / 3));
        socket_->setReadBufferSize(Read_Chunk_Bytes);
        emit Became_Page();
        Read_Frames();
        return;
    }
}

void Phone_Connection::Read_Frames()
{
    QList<Phone_Ws::Event> events;
    while (!closing_ && socket_->bytesAvailable() > 0) {
        events.clear();
        reader_.Feed(socket_->read(Read_Chunk_Bytes), events);
        for (const Phone_Ws::Event& event : std::as_const(events)) {
            if (closing_)
                return;
            // Every frame counts, pings too: a flood ends the connection.
            if (!rate_.Allow(clock_.elapsed())) {
                Close(Phone_Ws::Policy);
                return;
            }
            Handle(event);
        }
    }
}

void Phone_Connection::Handle(const Phone_Ws::Event& event)
{
    // A piece of a message is not a sign of life: a message must end. While
    // one is unfinished, pings and pongs are none either, or a client that
    // answers pings would hold its page with a message it never ends.
    if (event.kind != Phone_Ws::Event::Part && !reader_.In_Message())
        heard_ms_ = clock_.elapsed();
    switch (event.kind) {
    case Phone_Ws::Event::Text: emit Message(event.data); break;
    case Phone_Ws::Event::Ping: Send(Phone_Ws::Pong_Frame(event.data)); break;
    case Phone_Ws::Event::Close: Close(Phone_Ws::Normal); break;
    case Phone_Ws::Event::Fail: Close(event.code); break;
    case Phone_Ws::Event::Part:
    case Phone_Ws::Event::Pong: break;
    }
}

void Phone_Connection::Send(const QByteArray& frame)
{
    if (closing_ || finished_)
        return;
    if (socket_->bytesToWrite() + frame.size() > Max_Queued_Bytes) {
        Abort();
        return;
    }
    socket_->write(frame);
}

void Phone_Connection::Send_State(const QByteArray& frame)
{
    if (closing_ || finished_)
        return;
    if (socket_->bytesToWrite() > 0) {
        waiting_state_ = frame;
        return;
    }
    waiting_state_.clear();
    Send(frame);
}

void Phone_Connection::Written()
{
    if (socket_->bytesToWrite() == 0 && !waiting_state_.isEmpty())
        Send(std::exchange(waiting_state_, QByteArray()));
}

void Phone_Connection::Keep_Alive()
{
    if (closing_ || finished_)
        return;
    const qint64 idle = Idle_Ms();
    if (idle >= idle_limit_ms_)
        Close(Phone_Ws::Policy);
    else if (idle >= idle_limit_ms_ / 3)
        Send(Phone_Ws::Frame(0x9, QByteArrayView()));
}

void Phone_Connection::Close(quint16 code)
{
    if (closing_ || finished_)
        return;
    if (page_)
        Send(Phone_Ws::Close_Frame(code));
    if (finished_)
        return;
    closing_ = true;
    waiting_state_.clear();
    socket_->disconnectFromHost();
    // A page that does not take its close frame is dropped.
    deadline_->start(Close_Timeout_Ms);
}

void Phone_Connection::Abort()
{
    if (finished_)
        return;
    closing_ = true;
    socket_->abort();
    Finish();
}

void Phone_Connection::Finish()
{
    if (finished_)
        return;
    finished_ = true;
    closing_ = true;
    deadline_->stop();
    if (keep_alive_)
        keep_alive_->stop();
    waiting_state_.clear();
    emit Finished();
}
