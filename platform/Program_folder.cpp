#include "platform/Program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The global player database asks for the folder while static objects are
// still being built, before any QCoreApplication: the executable is found
// through /proc. The values live on the heap and are never destroyed, so they
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

QString With_Slash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

// The user's data folder for this program. QStandardPaths reads XDG_DATA_HOME
// and HOME only, so it answers before the application object exists.
QString User_Data_Location()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/velmora");
}

const Folder_Layout& Own_Layout()
{
    static const Folder_Layout* layout = new Folder_Layout(Resolve_Folders(Executable_Path(), User_Data_Location()));
    return *layout;
}

QString& Folder_Override()
{
    static QString* folder = new QString();
    return *folder;
}

} // namespace

Folder_Layout Resolve_Folders(const QString& executable, const QString& user_data)
{
    const QFileInfo exe(executable);
    const QString exe_folder = With_Slash(exe.absolutePath());
    Folder_Layout layout;
    layout.program = exe_folder;
    bool installed = false;
    if (QFileInfo(exe.absolutePath()).fileName() == QLatin1String("bin")) {
        const QString share = QDir::cleanPath(exe_folder + QStringLiteral("../share/velmora"));
        if (QFileInfo(share).isDir()) {
            layout.program = With_Slash(share);
            installed = true;
        }
    }
    // An installed program never writes into its share folder, not even for
    // root; a portable copy writes beside itself while it may.
    layout.per_user = installed || !QFileInfo(layout.program).isWritable();
    layout.user = layout.per_user ? With_Slash(user_data) : layout.program;
    return layout;
}

QString Program_Folder()
{
    const QString& folder = Folder_Override();
    return folder.isEmpty() ? Own_Layout().program : folder;
}

// An empty folder goes back to the program's own folders.
void Set_Program_Folder(const QString& folder)
{
    Folder_Override() = folder.isEmpty() ? QString() : With_Slash(folder);
}

QString User_Folder()
{
    const QString& folder = Folder_Override();
    return folder.isEmpty() ? Own_Layout().user : folder;
}

QString Data_Folder() { return User_Folder() + QStringLiteral("Data/"); }

QString Reports_Folder() { return User_Folder() + QStringLiteral("Reports/"); }

QString Sounds_Folder() { return Program_Folder() + QStringLiteral("Sounds/"); }

QString Playlists_Folder() { return User_Folder() + QStringLiteral("Playlists/"); }

bool Data_Per_User() { return User_Folder() != Program_Folder(); }

// "velmora" gives "velmora.ini"; a name with an extension has it replaced.
QString Settings_Path()
{
    return User_Folder() + QFileInfo(Executable_Path()).completeBaseName() + QStringLiteral(".ini");
}
