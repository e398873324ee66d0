#include "platform/Host.h"

#include "platform/Qt_host.h"

#include <QFileInfo>
#include <QStringList>

namespace {
Qt_Host qt_host;
Host* current_host = nullptr;
} // namespace

Host& host() { return current_host ? *current_host : qt_host; }

void Set_Host(Host* h) { current_host = h; }

QString Qt_Filter(const QString& bar_filter)
{
    const QStringList parts = bar_filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses; keep the description and
        // add the patterns when the description does not carry them already.
        if (description.contains(QLatin1Char('(')))
            entries << description.left(description.indexOf(QLatin1Char('('))).trimmed()
                           + QStringLiteral(" (") + patterns + QLatin1Char(')');
        else
            entries << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString With_Default_Ext(const QString& path, const QString& default_ext)
{
    if (path.isEmpty() || default_ext.isEmpty())
        return path;
    if (QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + default_ext;
}
