#include "model/Player_names.h"

#include "model/Player.h"

#include <QHash>

QString Person_Of(const QString& key)
{
    // One pass: each side of the first comma without outer blanks, inner
    // runs of blanks as one, case folded.
    QString out;
    out.reserve(key.size());
    bool blank = false;    // a run of blanks waits to be written as one
    bool side_start = true; // nothing written on this side yet
    bool comma_seen = false;
    for (const QChar c : key) {
        if (c.isSpace()) {
            blank = !side_start;
            continue;
        }
        if (c == QLatin1Char(',') && !comma_seen) {
            comma_seen = true;
            out += c;
            blank = false;
            side_start = true;
            continue;
        }
        if (blank)
            out += QLatin1Char(' ');
        blank = false;
        side_start = false;
        out += c.unicode() < 0x80 ? QChar(c.toLatin1() >= 'A' && c.toLatin1() <= 'Z' ? c.unicode() + 32 : c.unicode())
                                  : c.toCaseFolded();
    }
    return out;
}

QString Shown_Name(const QString& key)
{
    QString name = key;
    name.replace(QLatin1Char(','), QLatin1Char(' '));
    return name.simplified();
}

QStringList Distinct_Shown_Names(const QStringList& keys)
{
    QHash<QString, int> uses;
    for (const QString& key : keys)
        ++uses[Shown_Name(key)];
    QStringList names;
    names.reserve(keys.size());
    for (const QString& key : keys) {
        const QString shown = Shown_Name(key);
        names << (uses.value(shown) > 1 ? QLatin1Char('"') + key + QLatin1Char('"') : shown);
    }
    return names;
}

QString Near_Duplicate_In(const CPlayerDB& database, const QString& key, int own_slot)
{
    const QString person = Person_Of(key);
    for (int i = 0; i < database.Count && i < Max_Players; ++i) {
        const QString stored = database.Player[i].Key();
        if (i != own_slot && stored != key && Person_Of(stored) == person)
            return stored;
    }
    return QString();
}
