#pragma once
// Who gives way when the phone view's server is full. Pure, no sockets.
//
// Connections are shared out by source: a source that holds none takes the
// place of a connection of the source that holds the most (among those, of
// one not holding the remote, then of a head not yet a page, then of the one
// heard from the longest time ago); a source that holds some may
// take a place only from a source holding at least two more than it does.
// So no number of connections, from any number of addresses, keeps a new
// phone out, and flooding sources only take places from each other.
#include <QList>
#include <QString>

namespace Phone_Slots {

// One open connection as the choice sees it.
struct Holder {
    QString source;
    qint64 idle_ms = 0;     // since it last sent a whole frame (or connected)
    bool kept = false;      // holds the remote: gives way after every other of its source's rank
    bool page = false;      // its head was answered with the live socket
};

// The index in open of the connection a new one from source replaces when
// the server is full; -1 when the new one is refused (its source holds its
// share already, or per_source of them).
int Victim(const QList<Holder>& open, const QString& source, int per_source);

} // namespace Phone_Slots
