#include "model/Person_name.h"

QString Person_Name(const QString& key)
{
    const qsizetype comma = key.indexOf(QLatin1Char(','));
    if (comma < 0)
        return key.trimmed();
    const QString first = key.left(comma).trimmed();
    const QString last = key.mid(comma + 1).trimmed();
    if (first.isEmpty() || last.isEmpty())
        return first + last;
    return first + QLatin1Char(' ') + last;
}
