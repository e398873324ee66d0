#include "web/Grants.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <algorithm>

namespace Phone_Remote {
namespace {

QByteArray Digest(QByteArrayView token) { return QCryptographicHash::hash(token, QCryptographicHash::Sha256); }

// Letters and digits that cannot be taken for one another (no 0/O, 1/I/L).
constexpr char Code_Alphabet[] = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";

QString New_Code()
{
    QString code;
    for (int i = 0; i < Code_Chars; ++i)
        code += QLatin1Char(Code_Alphabet[QRandomGenerator::system()->bounded(int(sizeof Code_Alphabet) - 1)]);
    return code;
}

} // namespace

bool Is_Token_Text(QByteArrayView text)
{
    return text.size() == Token_Chars &&
           std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

Given Grants::Give(const QString& source, bool approved, QTime at)
{
    while (holders_.size() >= Max_Grants)
        Revoke(holders_.firstKey());
    quint32 random[4];
    QRandomGenerator::system()->fillRange(random);
    const QByteArray token = QByteArray(reinterpret_cast<const char*>(random), sizeof random).toHex();
    const int id = next_id_++;
    holders_.insert(id, {id, source, approved, at});
    by_digest_.insert(Digest(token), id);
    return {id, token};
}

int Grants::Check(QByteArrayView token, const QString& source) const
{
    if (!Is_Token_Text(token))
        return -1;
    const int id = by_digest_.value(Digest(token), -1);
    const auto holder = holders_.find(id);
    return holder != holders_.end() && holder->source == source ? id : -1;
}

void Grants::Revoke(int id)
{
    if (holders_.remove(id))
        by_digest_.removeIf([id](const auto& entry) { return entry.value() == id; });
}

void Grants::Revoke_All()
{
    holders_.clear();
    by_digest_.clear();
}

const Request_Info& Requests::Ask(quint64 page, const QString& source, QTime at)
{
    // Asking again changes nothing: the host may be reading that code.
    for (const Request_Info& r : pending_)
        if (r.page == page)
            return r;
    while (pending_.size() >= Max_Requests)
        pending_.erase(pending_.begin());
    QString code;
    do
        code = New_Code();
    while (std::any_of(pending_.cbegin(), pending_.cend(), [&code](const Request_Info& r) { return r.code == code; }));
    const int id = next_id_++;
    return *pending_.insert(id, {id, code, source, page, at});
}

void Requests::Forget(quint64 page)
{
    pending_.removeIf([page](const auto& entry) { return entry.value().page == page; });
}

bool Requests::Take(int id, Request_Info& taken)
{
    const auto it = pending_.find(id);
    if (it == pending_.end())
        return false;
    taken = *it;
    pending_.erase(it);
    return true;
}

} // namespace Phone_Remote
