#include "web/Ws_frames.h"

#include <QCryptographicHash>
#include <QStringDecoder>
#include <algorithm>

namespace Phone_Ws {
namespace {

enum Opcode : quint8 { Continuation = 0x0, Text_Op = 0x1, Binary_Op = 0x2, Close_Op = 0x8, Ping_Op = 0x9, Pong_Op = 0xA };

quint8 Byte(const QByteArray& bytes, qsizetype i) { return static_cast<quint8>(bytes[i]); }

bool Is_Utf8(const QByteArray& bytes)
{
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decode(bytes);
    return !decode.hasError();
}

} // namespace

bool Is_Close_Code_Sent(quint16 code)
{
    // 1004-1006 and 1015 are reserved for what an endpoint reports, never sent;
    // 3000-4999 belong to libraries and applications.
    return (code >= 1000 && code <= 1003) || (code >= 1007 && code <= 1014) || (code >= 3000 && code <= 4999);
}

qsizetype Frame_Reader::Header_Size() const
{
    if (frame_.size() < 2)
        return 0;
    const quint8 length = Byte(frame_, 1) & 0x7F;
    const qsizetype extended = length == 126 ? 2 : length == 127 ? 8 : 0;
    const qsizetype mask = (Byte(frame_, 1) & 0x80) ? 4 : 0;
    return 2 + extended + mask;
}

void Frame_Reader::Fail(quint16 code, QList<Event>& events)
{
    events << Event{Event::Fail, {}, code};
    done_ = true;
    frame_.clear();
    message_.clear();
}

bool Frame_Reader::Check_Header(QList<Event>& events)
{
    const quint8 first = Byte(frame_, 0);
    const quint8 second = Byte(frame_, 1);
    const quint8 opcode = first & 0x0F;
    const bool final = first & 0x80;
    quint64 length = second & 0x7F;
    const qsizetype extended = length == 126 ? 2 : length == 127 ? 8 : 0;
    if (extended > 0) {
        length = 0;
        for (qsizetype i = 0; i < extended; ++i)
            length = (length << 8) | Byte(frame_, 2 + i);
    }
    // No extensions are agreed, and every frame from a page must be masked.
    if ((first & 0x70) != 0 || !(second & 0x80)) {
        Fail(Protocol_Error, events);
        return false;
    }
    bool ok = true;
    switch (opcode) {
    case Continuation: ok = in_message_; break;
    case Text_Op: ok = !in_message_; break;
    case Binary_Op: Fail(Unsupported_Data, events); return false;   // the page sends text only
    case Close_Op:
    case Ping_Op:
    case Pong_Op: ok = final && length <= 125; break;
    default: ok = false; break;
    }
    if (!ok) {
        Fail(Protocol_Error, events);
        return false;
    }
    if (opcode < Close_Op && length > static_cast<quint64>(max_message_ - message_.size())) {
        Fail(Too_Big, events);
        return false;
    }
    header_ = Header_Size();
    payload_ = length;
    return true;
}

void Frame_Reader::Finish_Frame(QList<Event>& events)
{
    QByteArray payload = frame_.sliced(header_);
    for (qsizetype i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>(Byte(payload, i) ^ Byte(frame_, header_ - 4 + i % 4));
    const quint8 opcode = Byte(frame_, 0) & 0x0F;
    const bool final = Byte(frame_, 0) & 0x80;
    frame_.clear();
    header_ = 0;
    payload_ = 0;
    switch (opcode) {
    case Continuation:
    case Text_Op:
        message_ += payload;
        in_message_ = !final;
        if (!final) {
            events << Event{Event::Part, {}, 0};
        } else if (!Is_Utf8(message_)) {
            Fail(Invalid_Data, events);
        } else {
            events << Event{Event::Text, message_, 0};
            message_.clear();
        }
        break;
    case Close_Op: {
        if (payload.size() == 1)
            return Fail(Protocol_Error, events);
        const quint16 code = payload.size() >= 2 ? quint16(Byte(payload, 0) << 8 | Byte(payload, 1)) : quint16(1005);
        if (payload.size() >= 2 && !Is_Close_Code_Sent(code))
            return Fail(Protocol_Error, events);
        if (!Is_Utf8(payload.sliced(std::min<qsizetype>(2, payload.size()))))
            return Fail(Invalid_Data, events);
        events << Event{Event::Close, {}, code};
        done_ = true;
        message_.clear();
        break;
    }
    case Ping_Op: events << Event{Event::Ping, payload, 0}; break;
    default: events << Event{Event::Pong, {}, 0}; break;
    }
}

void Frame_Reader::Feed(QByteArrayView bytes, QList<Event>& events)
{
    while (!bytes.isEmpty() && !done_) {
        qsizetype wanted = 0;
        if (header_ == 0) {
            const qsizetype size = Header_Size();
            wanted = (size == 0 ? 2 : size) - frame_.size();
        } else {
            wanted = header_ + static_cast<qsizetype>(payload_) - frame_.size();
        }
        const qsizetype take = std::min(wanted, bytes.size());
        frame_.append(bytes.first(take));
        bytes = bytes.sliced(take);
        if (header_ == 0) {
            const qsizetype size = Header_Size();
            if (size == 0 || frame_.size() < size || !Check_Header(events))
                continue;
        }
        if (frame_.size() == header_ + static_cast<qsizetype>(payload_))
            Finish_Frame(events);
    }
}

QByteArray Frame(quint8 opcode, QByteArrayView payload)
{
    QByteArray out;
    out.reserve(payload.size() + 10);
    out.append(char(0x80 | opcode));
    const qsizetype size = payload.size();
    if (size < 126) {
        out.append(char(size));
    } else if (size < 65536) {
        out.append(char(126));
        out.append(char(size >> 8));
        out.append(char(size & 0xFF));
    } else {
        out.append(char(127));
        for (int shift = 56; shift >= 0; shift -= 8)
            out.append(char((quint64(size) >> shift) & 0xFF));
    }
    out.append(payload);
    return out;
}

QByteArray Close_Frame(quint16 code)
{
    const char payload[2] = {char(code >> 8), char(code & 0xFF)};
    return Frame(Close_Op, QByteArrayView(payload, 2));
}

QByteArray Accept_Key(QByteArrayView key)
{
    static const QByteArray guid = "258EAFA5-E914-47DA-95CA-C5AB0DC85B11";
    return QCryptographicHash::hash(key.toByteArray() + guid, QCryptographicHash::Sha1).toBase64();
}

bool Frame_Rate::Allow(qint64 now_ms)
{
    if (last_ms_ >= 0)
        credit_ms_ = std::min<qint64>(1000, credit_ms_ + std::max<qint64>(0, now_ms - last_ms_));
    last_ms_ = now_ms;
    if (credit_ms_ < Cost_Ms)
        return false;
    credit_ms_ -= Cost_Ms;
    return true;
}

} // namespace Phone_Ws
