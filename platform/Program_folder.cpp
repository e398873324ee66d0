#include "platform/Program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The global player database asks for the folder while static objects are
// still being built, before any QCoreApplication: the executable is found
// through /proc. Both values live on the heap and are never destroyed, so they
// stay usable at any point of start-up and shut-down.
const QString& Executable_Path()
{
    static const QString* path = [] {
        QString p = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
        if (p.isEmpty() && QCoreApplication::instance() != nullptr)
            p = QCoreApplication::applicationFilePath();
        if (p.isEmpty())
            p = QDir::currentPath() + QStringLiteral("/velmora");
        return new QString(p);
    }();
    return *path;
}

QString& Folder_Override()
{
    static QString* folder = new QString();
    return *folder;
}

QString With_Slash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

QString Program_Folder()
{
    const QString& folder = Folder_Override();
    if (!folder.isEmpty())
        return folder;
    return With_Slash(QFileInfo(Executable_Path()).absolutePath());
}

// An empty folder goes back to the executable's own folder.
void Set_Program_Folder(const QString& folder)
{
    Folder_Override() = folder.isEmpty() ? QString() : With_Slash(folder);
}

QString Data_Folder() { return Program_Folder() + QStringLiteral("Data/"); }

QString Reports_Folder() { return Program_Folder() + QStringLiteral("Reports/"); }

QString Sounds_Folder() { return Program_Folder() + QStringLiteral("Sounds/"); }

// "velmora" gives "velmora.ini"; a name with an extension has it replaced.
QString Settings_Path()
{
    return Program_Folder() + QFileInfo(Executable_Path()).completeBaseName() + QStringLiteral(".ini");
}
