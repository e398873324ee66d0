#pragma once
// Which phones hold the operator's remote, and which ask for it. Pure, no
// sockets.
//
// A phone that gave the PIN, or that the host approved on the PC, gets a
// token of its own: 128 random bits, which its page keeps and sends instead
// of the PIN whenever it connects again. A token counts only from the address
// it was given to, and the host may take any or all of them back. A phone may
// instead ask for the remote: it is shown a short code, and the host approves
// the request with that code in the Phone View dialog.
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QTime>

namespace Phone_Remote {

constexpr int Max_Grants = 64;       // the oldest gives way beyond it
constexpr int Max_Requests = 256;    // one per live page at most
constexpr int Token_Chars = 32;      // hexadecimal: 128 bits
constexpr int Code_Chars = 4;

// Whether a text has the form of a token (lower-case hexadecimal of Token_Chars).
bool Is_Token_Text(QByteArrayView text);

struct Holder_Info {
    int id = 0;
    QString source;
    bool approved = false;   // by the host (otherwise: with the PIN)
    QTime since;
};

struct Given {
    int id = 0;
    QByteArray token;   // given to the phone once; kept here only as a digest
};

class Grants {
public:
    // A new grant for the source.
    Given Give(const QString& source, bool approved, QTime at = QTime::currentTime());
    // The grant a token from the source stands for, or -1.
    int Check(QByteArrayView token, const QString& source) const;
    bool Holds(int id) const { return holders_.contains(id); }
    void Revoke(int id);
    void Revoke_All();
    QList<Holder_Info> List() const { return holders_.values(); }
    int Size() const { return static_cast<int>(holders_.size()); }

private:
    QMap<int, Holder_Info> holders_;      // by id, oldest first
    QHash<QByteArray, int> by_digest_;    // the token's digest: its grant
    int next_id_ = 1;
};

struct Request_Info {
    int id = 0;
    QString code;       // what the phone shows ("K7QM")
    QString source;
    quint64 page = 0;   // the connection that asked
    QTime since;
};

class Requests {
public:
    // The page asks for the remote: a request with a code no other pending
    // one has (a page that asks again keeps the one it has).
    const Request_Info& Ask(quint64 page, const QString& source, QTime at = QTime::currentTime());
    // The page is gone, or got the remote otherwise.
    void Forget(quint64 page);
    // Takes the request out (approved or refused); false when it is gone.
    bool Take(int id, Request_Info& taken);
    QList<Request_Info> List() const { return pending_.values(); }
    int Size() const { return static_cast<int>(pending_.size()); }

private:
    QMap<int, Request_Info> pending_;   // by id, oldest first
    int next_id_ = 1;
};

} // namespace Phone_Remote
