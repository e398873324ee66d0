#include "forms/widgets/Report_opening.h"

#include "forms/artwork/Picture_files.h"
#include "platform/Host.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>

void Open_Written_Report(const QString& path)
{
    // The page is already written: a logo that cannot be written only leaves
    // its picture out.
    try {
        Ensure_Report_Logo(QFileInfo(path).absolutePath() + QLatin1Char('/'));
    } catch (const std::exception&) {
    }
    if (!host().Shell_Open(path))
        host().Message(QObject::tr("No program could open the report. It was written to:\n%1")
                           .arg(QDir::toNativeSeparators(path)),
                       QObject::tr("Reports"), Buttons::OK);
}
