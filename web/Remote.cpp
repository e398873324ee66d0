#include "web/Remote.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <algorithm>

namespace Phone_Remote {

QString New_Pin()
{
    return QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(1'000'000), 6, 10, QLatin1Char('0'));
}

bool Same_Pin(const QString& given, const QString& pin)
{
    // The length is no secret (six digits); the digits are compared all.
    if (given.size() != pin.size() || pin.isEmpty())
        return false;
    char16_t differ = 0;
    for (qsizetype i = 0; i < pin.size(); ++i)
        differ |= given[i].unicode() ^ pin[i].unicode();
    return differ == 0;
}

QString Source_Of(const QHostAddress& address, const Prefixes& local)
{
    bool v4 = false;
    const quint32 ip = address.toIPv4Address(&v4);
    if (v4)
        return QHostAddress(ip).toString();
    QHostAddress bare = address;
    bare.setScopeId(QString());
    const bool here = bare.isLoopback() || bare.isLinkLocal() ||
                      std::any_of(local.begin(), local.end(), [&bare](const QPair<QHostAddress, int>& net) {
                          return net.first.protocol() == QAbstractSocket::IPv6Protocol && bare.isInSubnet(net);
                      });
    if (here)
        return bare.toString();
    Q_IPV6ADDR bytes = address.toIPv6Address();
    std::fill(std::begin(bytes.c) + 8, std::end(bytes.c), quint8(0));
    return QHostAddress(bytes).toString() + QStringLiteral("/64");
}

namespace {

bool Is_Pin_Text(const QString& text)
{
    if (text.size() != 6)
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QByteArray Reply(const char* type, std::initializer_list<std::pair<const char*, QJsonValue>> fields = {})
{
    QJsonObject o{{QStringLiteral("type"), QString::fromLatin1(type)}};
    for (const auto& [key, value] : fields)
        o.insert(QString::fromLatin1(key), value);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace

Message Parse_Message(QByteArrayView text)
{
    Message m;
    if (text.size() > Max_Message_Bytes)
        return m;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return m;
    const QJsonObject o = doc.object();
    if (o.size() != 1)
        return m;
    const QString key = o.begin().key();
    const QJsonValue value = o.begin().value();
    if (!value.isString())
        return m;
    const QString text_value = value.toString();
    if (key == QLatin1String("pin")) {
        m.kind = Message::Pin;
        m.pin = text_value;
    } else if (key == QLatin1String("token") && Is_Token_Text(text_value.toLatin1()) && text_value.size() == Token_Chars) {
        m.kind = Message::Token;
        m.token = text_value.toLatin1();
    } else if (key == QLatin1String("ask") && text_value == QLatin1String("remote")) {
        m.kind = Message::Ask;
    } else if (key == QLatin1String("command")) {
        if (text_value == QLatin1String("start"))
            m.command = Command::Start_Stop;
        else if (text_value == QLatin1String("next"))
            m.command = Command::Next_Level;
        else if (text_value == QLatin1String("prev"))
            m.command = Command::Prev_Level;
        if (m.command != Command::None)
            m.kind = Message::Run;
    }
    m.valid = m.kind != Message::Invalid;
    return m;
}

void Pin_Brake::Forget_Old(const QString& source, qint64 now_ms)
{
    auto it = tries_.find(source);
    if (it == tries_.end())
        return;
    it->removeIf([now_ms](qint64 at) { return now_ms - at >= Try_Window_Ms; });
    if (it->isEmpty())
        tries_.erase(it);
}

void Pin_Brake::Forget_All_Old(qint64 now_ms)
{
    for (auto it = tries_.begin(); it != tries_.end();) {
        it->removeIf([now_ms](qint64 at) { return now_ms - at >= Try_Window_Ms; });
        it = it->isEmpty() ? tries_.erase(it) : std::next(it);
    }
}

qint64 Pin_Brake::Total_Wait_Ms(qint64 now_ms) const
{
    if (static_cast<int>(all_.size()) < Max_Tries_In_Total)
        return 0;
    return std::max<qint64>(0, all_.front() + Try_Window_Ms - now_ms);
}

bool Pin_Brake::May_Try(const QString& source, qint64 now_ms)
{
    if (Total_Wait_Ms(now_ms) > 0)
        return false;
    Forget_Old(source, now_ms);
    if (!tries_.contains(source) && tries_.size() >= Max_Addresses) {
        Forget_All_Old(now_ms);
        // Still full: a source it cannot count is refused, never let through.
        if (tries_.size() >= Max_Addresses)
            return false;
    }
    return tries_.value(source).size() < Max_Tries;
}

bool Pin_Brake::Wrong(const QString& source, qint64 now_ms)
{
    all_.push_back(now_ms);
    while (static_cast<int>(all_.size()) > Max_Tries_In_Total)
        all_.pop_front();
    if (!tries_.contains(source) && tries_.size() >= Max_Addresses)
        Forget_All_Old(now_ms);
    // A full record keeps what it has; May_Try refuses the source it lacks.
    if (tries_.contains(source) || tries_.size() < Max_Addresses)
        tries_[source].push_back(now_ms);
    if (++in_a_row_ < Redraw_After)
        return false;
    in_a_row_ = 0;
    return true;
}

qint64 Pin_Brake::Wait_Ms(const QString& source, qint64 now_ms)
{
    qint64 wait = Total_Wait_Ms(now_ms);
    Forget_Old(source, now_ms);
    const QVector<qint64> tries = tries_.value(source);
    if (tries.size() >= Max_Tries)
        wait = std::max(wait, tries[tries.size() - Max_Tries] + Try_Window_Ms - now_ms);
    else if (!tries_.contains(source) && tries_.size() >= Max_Addresses)
        wait = std::max(wait, Try_Window_Ms);
    return wait;
}

QByteArray Unlocked_Reply(const QByteArray& token)
{
    return token.isEmpty() ? Reply("unlocked") : Reply("unlocked", {{"token", QString::fromLatin1(token)}});
}

QByteArray Revoked_Reply()
{
    return Reply("revoked", {{"text", QStringLiteral("This phone no longer holds the remote. Enter the PIN or ask the host.")}});
}

QByteArray Refused_Reply()
{
    return Reply("refused", {{"text", QStringLiteral("The host did not give this phone the remote.")}});
}

Outcome Handle(QByteArrayView text, const QString& pin, Page_State& page, const QString& source, qint64 now_ms,
               State& state)
{
    Outcome out;
    const Message m = Parse_Message(text);
    switch (m.kind) {
    case Message::Invalid:
        out.reply = Reply("error", {{"text", QStringLiteral("Not understood.")}});
        return out;
    case Message::Run:
        if (!state.Holds(page)) {
            out.reply = Reply("locked", {{"text", QStringLiteral("Enter the PIN first.")}});
            return out;
        }
        out.run = m.command;
        out.reply = Reply("done");
        return out;
    case Message::Token:
        // A token is worth nothing from another address, or once taken back.
        page.grant = state.grants.Check(m.token, source);
        if (!state.Holds(page)) {
            out.reply = Revoked_Reply();
            return out;
        }
        state.requests.Forget(page.serial);
        out.unlock = out.lists_changed = true;
        out.reply = Unlocked_Reply({});
        return out;
    case Message::Ask:
        if (state.Holds(page)) {
            out.reply = Unlocked_Reply({});
            return out;
        }
        {
            const int pending = state.requests.Size();
            const Request_Info& asked = state.requests.Ask(page.serial, source);
            out.lists_changed = state.requests.Size() != pending;
            out.reply = Reply("asked", {{"code", asked.code},
                                        {"text", QStringLiteral("Ask the host to approve the code %1 in the Phone View dialog.")
                                                     .arg(asked.code)}});
        }
        return out;
    case Message::Pin: break;
    }
    // A held-back PIN waits even when it is right: otherwise the brake would
    // not slow a guesser down at all.
    if (!state.brake.May_Try(source, now_ms)) {
        const qint64 wait_s = std::max<qint64>(1, (state.brake.Wait_Ms(source, now_ms) + 999) / 1000);
        out.reply = Reply("wait", {{"seconds", static_cast<double>(wait_s)},
                                   {"text", QStringLiteral("Too many wrong PINs. Try again in %1 s.").arg(wait_s)}});
        out.log_wrong_pin = true;
        return out;
    }
    if (Is_Pin_Text(m.pin) && Same_Pin(m.pin, pin)) {
        state.brake.Right();
        // The page's earlier grant, if any, gives way to the new one: a page
        // that gives the PIN again does not pile up holders.
        if (page.grant >= 0)
            state.grants.Revoke(page.grant);
        const Given given = state.grants.Give(source, false);
        page.grant = given.id;
        state.requests.Forget(page.serial);
        out.unlock = out.lists_changed = true;
        out.reply = Unlocked_Reply(given.token);
        return out;
    }
    out.redraw_pin = state.brake.Wrong(source, now_ms);
    out.log_wrong_pin = true;
    out.reply = Reply("wrong", {{"text", QStringLiteral("Wrong PIN.")}});
    return out;
}

bool Log_Throttle::Take_Line()
{
    if (lines_ >= Max_Lines)
        return false;
    ++lines_;
    return true;
}

void Log_Throttle::Roll(qint64 now_ms, QStringList& lines)
{
    if (now_ms - minute_start_ < Try_Window_Ms)
        return;
    if (others_ > 0)
        lines << QStringLiteral("Phone view: %1 refused PINs from other sources in the last minute").arg(others_);
    others_ = 0;
    lines_ = 0;
    minute_start_ = now_ms;
}

QStringList Log_Throttle::Refused(const QString& source, qint64 now_ms)
{
    QStringList lines;
    Roll(now_ms, lines);
    auto it = sources_.find(source);
    if (it == sources_.end()) {
        if (sources_.size() >= Max_Sources)
            sources_.removeIf([now_ms](const auto& e) {
                return e.value().count == 0 && now_ms - e.value().written >= Try_Window_Ms;
            });
        if (sources_.size() >= Max_Sources || !Take_Line()) {
            ++others_;
            return lines;
        }
        sources_.insert(source, Entry{now_ms, 0});
        lines << QStringLiteral("Phone view: refused PIN from %1").arg(source);
        return lines;
    }
    ++it->count;
    if (now_ms - it->written >= Try_Window_Ms && Take_Line()) {
        lines << QStringLiteral("Phone view: %1 more refused PINs from %2").arg(it->count).arg(source);
        *it = Entry{now_ms, 0};
    }
    return lines;
}

QStringList Log_Throttle::Flush(qint64 now_ms)
{
    QStringList lines;
    Roll(now_ms, lines);
    for (auto it = sources_.begin(); it != sources_.end();) {
        if (now_ms - it->written < Try_Window_Ms) {
            ++it;
        } else if (it->count == 0) {
            it = sources_.erase(it);
        } else {
            if (Take_Line()) {
                lines << QStringLiteral("Phone view: %1 more refused PINs from %2").arg(it->count).arg(it.key());
                *it = Entry{now_ms, 0};
            }
            ++it;
        }
    }
    return lines;
}

} // namespace Phone_Remote
