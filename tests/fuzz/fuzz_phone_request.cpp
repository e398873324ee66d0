// The phone view's request handling: any bytes a client sends as a request
// head, and any text a page sends over the WebSocket. The answer is always
// one of the server's own (its page, an upgrade, or a short error), bounded
// in size, and a message never runs a command on a locked connection.
#include "Fuzz_support.h"

#include "web/Http_request.h"
#include "web/Phone_page.h"
#include "web/Remote.h"
#include "web/Ws_frames.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Phone_Http::Decision d = Phone_Http::Decide(bytes);
    switch (d.verdict) {
    case Phone_Http::Verdict::Need_More:
        FUZZ_CHECK(d.reply.isEmpty());
        FUZZ_CHECK(bytes.size() < Phone_Http::Max_Request_Bytes);
        break;
    case Phone_Http::Verdict::Upgrade:
        FUZZ_CHECK(bytes.startsWith("GET /live"));
        break;
    case Phone_Http::Verdict::Answer:
        FUZZ_CHECK(d.reply.startsWith("HTTP/1.1 " + QByteArray::number(d.status) + ' '));
        if (d.status == 200 && bytes.startsWith("HEAD "))
            FUZZ_CHECK(d.reply.endsWith("\r\n\r\n") && d.reply.size() < 1024);
        else if (d.status == 200)
            FUZZ_CHECK(d.reply.endsWith(Phone_Page()));
        else
            FUZZ_CHECK(d.reply.size() < 1024);
        break;
    }

    // The same bytes as a page's message, on a connection without the remote
    // and on one holding it.
    static Phone_Remote::State state;
    static qint64 now = 0;
    now += 1000;
    const QString address = QStringLiteral("10.0.0.%1").arg(size % 7);
    Phone_Remote::Page_State stranger{1, -1};
    const auto locked = Phone_Remote::Handle(bytes, QStringLiteral("123456"), stranger, address, now, state);
    FUZZ_CHECK(locked.run == Phone_Remote::Command::None);
    FUZZ_CHECK(!locked.reply.isEmpty());
    Phone_Remote::Page_State holder{2, state.grants.Give(address, false).id};
    const auto open = Phone_Remote::Handle(bytes, QStringLiteral("123456"), holder, address, now, state);
    FUZZ_CHECK(open.run == Phone_Remote::Command::None || bytes.size() <= Phone_Remote::Max_Message_Bytes);
    FUZZ_CHECK(state.brake.Addresses() <= Phone_Remote::Max_Addresses);
    FUZZ_CHECK(state.grants.Size() <= Phone_Remote::Max_Grants && state.requests.Size() <= Phone_Remote::Max_Requests);

    Phone_Ws::Frame_Reader reader(Phone_Remote::Max_Message_Bytes);
    QList<Phone_Ws::Event> events;
    for (qsizetype at = 0; at < bytes.size(); at += 7) {
        reader.Feed(bytes.sliced(at, std::min<qsizetype>(7, bytes.size() - at)), events);
        FUZZ_CHECK(reader.Held_Bytes() <= 14 + Phone_Remote::Max_Message_Bytes);
    }
    for (qsizetype i = 0; i < events.size(); ++i) {
        const Phone_Ws::Event& e = events[i];
        FUZZ_CHECK(e.data.size() <= Phone_Remote::Max_Message_Bytes);
        const bool last = e.kind == Phone_Ws::Event::Close || e.kind == Phone_Ws::Event::Fail;
        FUZZ_CHECK(!last || i == events.size() - 1);
    }
    return 0;
}
