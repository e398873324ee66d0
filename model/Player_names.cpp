#include "model/Player_names.h"

#include "model/Player.h"

#include <QHash>

QString Person_Of(const QString& key)
{
    const qsizetype comma = key.indexOf(QLatin1Char(','));
    if (comma < 0)
        return key.simplified().toCaseFolded();
    return key.left(comma).simplified().toCaseFolded() + QLatin1Char(',') +
           key.mid(comma + 1).simplified().toCaseFolded();
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
