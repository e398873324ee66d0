#pragma once
// Who gives way when the phone view's server is full. Pure, no sockets.
//
// Connections are shared out by source. A new source takes the place of a
// connection of the source that holds the most; a source that holds some
// may take a place only from a source holding at least two more than it
// does, and one that lost a place a moment ago counts as holding one. Among
// the connections of that source those holding the remote go last; before
// them go stale ones (a page that let a ping go unanswered, a head or an
// answer stuck for a moment), then heads before pages, then the oldest. So
// no number of connections, from any number of addresses, keeps a new phone
// out, an answered phone is not the first to go, and sources that take each
// other's places do not go round and round.
#include <QList>
#include <QString>

namespace Phone_Slots {

// One open connection as the choice sees it (an answer on its way is not
// offered).
struct Holder {
    QString source;
    qint64 age_ms = 0;      // since it connected
    bool kept = false;      // holds the remote
    bool page = false;      // its head was answered with the live socket
    bool stale = false;     // see above
};

// The index in open of the connection a new one from source replaces when
// the server is full; -1 when the new one is refused (its source holds its
// share already, or per_source of them).
int Victim(const QList<Holder>& open, const QString& source, int per_source, bool came_back = false);

} // namespace Phone_Slots
