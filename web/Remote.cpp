#include "web/Remote.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

namespace Phone_Remote {

QString New_Pin()
{
    return QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(1'000'000), 6, 10, QLatin1Char('0'));
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
    if (o.contains(QLatin1String("pin"))) {
        if (!o.value(QLatin1String("pin")).isString())
            return m;
        m.pin = o.value(QLatin1String("pin")).toString();
        m.valid = true;
        return m;
    }
    const QString command = o.value(QLatin1String("command")).toString();
    if (command == QLatin1String("start"))
        m.command = Command::Start_Stop;
    else if (command == QLatin1String("next"))
        m.command = Command::Next_Level;
    else if (command == QLatin1String("prev"))
        m.command = Command::Prev_Level;
    m.valid = m.command != Command::None;
    return m;
}

void Pin_Brake::Forget_Old(const QString& address, qint64 now_ms)
{
    auto it = tries_.find(address);
    if (it == tries_.end())
        return;
    it->removeIf([now_ms](qint64 at) { return now_ms - at >= Try_Window_Ms; });
    if (it->isEmpty())
        tries_.erase(it);
}

void Pin_Brake::Forget_All_Old(qint64 now_ms)
{
    for (const QString& address : tries_.keys())
        Forget_Old(address, now_ms);
}

bool Pin_Brake::May_Try(const QString& address, qint64 now_ms)
{
    Forget_Old(address, now_ms);
    return tries_.value(address).size() < Max_Tries;
}

void Pin_Brake::Wrong(const QString& address, qint64 now_ms)
{
    if (!tries_.contains(address) && tries_.size() >= Max_Addresses) {
        Forget_All_Old(now_ms);
        // Still full: many addresses guessing at once. Nobody new may try
        // until the oldest are forgotten; the record itself stays bounded.
        if (tries_.size() >= Max_Addresses)
            return;
    }
    tries_[address].push_back(now_ms);
}

qint64 Pin_Brake::Wait_Ms(const QString& address, qint64 now_ms)
{
    Forget_Old(address, now_ms);
    const QVector<qint64> tries = tries_.value(address);
    if (tries.size() < Max_Tries)
        return 0;
    return tries[tries.size() - Max_Tries] + Try_Window_Ms - now_ms;
}

Outcome Handle(QByteArrayView text, const QString& pin, bool unlocked, const QString& address, qint64 now_ms,
               Pin_Brake& brake)
{
    Outcome out;
    const Message m = Parse_Message(text);
    if (!m.valid) {
        out.reply = Reply("error", {{"text", QStringLiteral("Not understood.")}});
        return out;
    }
    if (m.command != Command::None) {
        if (!unlocked) {
            out.reply = Reply("locked", {{"text", QStringLiteral("Enter the PIN first.")}});
            return out;
        }
        out.run = m.command;
        out.reply = Reply("done");
        return out;
    }
    // A full address must wait even when this PIN is right: otherwise the
    // brake would not slow a guesser down at all.
    if (!brake.May_Try(address, now_ms)) {
        const qint64 wait_s = (brake.Wait_Ms(address, now_ms) + 999) / 1000;
        out.reply = Reply("wait", {{"seconds", static_cast<double>(wait_s)},
                                   {"text", QStringLiteral("Too many wrong PINs. Try again in %1 s.").arg(wait_s)}});
        out.log_wrong_pin = true;
        return out;
    }
    if (!pin.isEmpty() && Is_Pin_Text(m.pin) && m.pin == pin) {
        out.unlock = true;
        out.reply = Reply("unlocked");
        return out;
    }
    brake.Wrong(address, now_ms);
    out.log_wrong_pin = true;
    out.reply = Reply("wrong", {{"text", QStringLiteral("Wrong PIN.")}});
    return out;
}

} // namespace Phone_Remote
