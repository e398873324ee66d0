#pragma once
// The phone page's live connection after the handshake: WebSocket frames as
// the server reads and writes them (RFC 6455, server side). Pure, no sockets:
// the reader keeps at most one frame of a bounded size, refuses what a page
// never sends (unmasked, binary, oversize or malformed frames) and counts
// every frame, pings included, so the server can hold each page to a rate.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace Phone_Ws {

// Close codes the server sends.
enum Close_Code : quint16 {
    Normal = 1000,
    Protocol_Error = 1002,
    Unsupported_Data = 1003,
    Invalid_Data = 1007,
    Policy = 1008,
    Too_Big = 1009,
};

struct Event {
    enum Kind {
        Text,    // a whole text message (valid UTF-8), in data
        Part,    // a frame of a message that is not complete yet
        Ping,    // data: the payload to send back in a pong
        Pong,
        Close,   // the page closes; code: its close code (1005: none given)
        Fail,    // the page broke the protocol; code: what to close with
    };
    Kind kind = Text;
    QByteArray data;
    quint16 code = 0;
};

class Frame_Reader {
public:
    // max_message: the most a text message may take, all its frames together.
    explicit Frame_Reader(qsizetype max_message) : max_message_(max_message) {}

    // Reads the bytes that came from the page; each frame completed becomes
    // one event. After a Close or Fail event nothing more is read.
    void Feed(QByteArrayView bytes, QList<Event>& events);
    bool Done() const { return done_; }
    // A fragmented message has begun and not ended yet.
    bool In_Message() const { return in_message_; }
    // What the reader holds now: never more than one frame's head and a
    // message of max_message bytes.
    qsizetype Held_Bytes() const { return frame_.size() + message_.size(); }

private:
    // The header's size once enough of it is there (0: not yet).
    qsizetype Header_Size() const;
    // Checks a complete header; on an error adds a Fail event.
    bool Check_Header(QList<Event>& events);
    void Finish_Frame(QList<Event>& events);
    void Fail(quint16 code, QList<Event>& events);

    qsizetype max_message_;
    QByteArray frame_;        // the frame read so far
    qsizetype header_ = 0;    // its header's size, once checked
    quint64 payload_ = 0;     // its payload's size, once checked
    QByteArray message_;      // the frames of a fragmented text message so far
    bool in_message_ = false;
    bool done_ = false;
};

// Whether a peer may send the close code in a close frame (anything else is
// a protocol error).
bool Is_Close_Code_Sent(quint16 code);

// A server frame (final, unmasked) with the opcode and payload.
QByteArray Frame(quint8 opcode, QByteArrayView payload);
inline QByteArray Text_Frame(QByteArrayView utf8) { return Frame(0x1, utf8); }
inline QByteArray Pong_Frame(QByteArrayView payload) { return Frame(0xA, payload); }
QByteArray Close_Frame(quint16 code);

// The Sec-WebSocket-Accept value for a handshake's Sec-WebSocket-Key.
QByteArray Accept_Key(QByteArrayView key);

// At most Max_Frames frames a second from one page, with bursts of up to
// that many: beyond it the page is closed.
class Frame_Rate {
public:
    static constexpr int Max_Frames = 20;
    // True when one more frame at now_ms keeps within the rate.
    bool Allow(qint64 now_ms);

private:
    static constexpr qint64 Cost_Ms = 1000 / Max_Frames;
    qint64 credit_ms_ = 1000;   // up to a second's worth of frames
    qint64 last_ms_ = -1;
};

} // namespace Phone_Ws
