// The installed program: what "cmake --install" lays out, and where an
// installed or read-only copy keeps its data when a normal user runs it.
#include "platform/Program_folder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include "Wait_for.h"

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;

// A folder a normal user may enter (temporary folders are the owner's only).
void Open_To_All(const QString& path)
{
    ::chmod(QFile::encodeName(path).constData(), 0755);
}

QString Install_Into(const QString& prefix)
{
    QProcess install;
    install.start(QStringLiteral(VELMORA_CMAKE),
                  {QStringLiteral("--install"), QStringLiteral(VELMORA_BUILD_DIR), QStringLiteral("--prefix"), prefix});
    if (!install.waitForFinished(60000) || install.exitCode() != 0)
        return QString::fromLocal8Bit(install.readAllStandardError() + install.readAllStandardOutput());
    return QString();
}

// Runs the program as a normal user (nobody, when the tests run as root) with
// its own home folder, waits for the first start to create the user's folders,
// and ends it the way a logout does.
void Run_As_User(const QString& program, const QString& home, const QString& expected_data)
{
    ASSERT_TRUE(QDir().mkpath(home));
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(home).constData(), Nobody, Nobody), 0);
    }
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(home);
    if (root)
        process.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                                  QStringLiteral("--clear-groups"), program});
    else
        process.start(program, {});
    ASSERT_TRUE(process.waitForStarted(10000));
    ASSERT_TRUE(Wait_For([&] { return QDir(expected_data).exists(); }, 30000))
        << "no " << expected_data.toStdString() << "\n"
        << process.readAllStandardError().toStdString();
    QThread::msleep(500); // the start-up's first load
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

TEST(Install, LaysOutTheProgramItsFilesTheDesktopEntryAndTheIcons)
{
    QTemporaryDir dir;
    const QString prefix = dir.path() + QStringLiteral("/usr");
    ASSERT_EQ(Install_Into(prefix), QString());

    EXPECT_TRUE(QFileInfo(prefix + "/bin/velmora").isExecutable());
    // The phone view's module, where the program looks for it from bin/.
    EXPECT_TRUE(QFileInfo(prefix + "/lib/velmora/libvelmora_phone.so").isFile());
    EXPECT_GT(QFileInfo(prefix + "/share/velmora/Sounds/Level_bell.wav").size(), 1000);
    EXPECT_GT(QFileInfo(prefix + "/share/velmora/Sounds/Warning_chime.wav").size(), 1000);

    // The user's guide with its pictures, where the help window looks.
    EXPECT_TRUE(QFileInfo(prefix + "/share/velmora/docs/guide.md").isFile());
    EXPECT_FALSE(QImage(prefix + "/share/velmora/docs/guide/01-players.png").isNull());

    const QString desktop = prefix + "/share/applications/velmora.desktop";
    QFile entry(desktop);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    EXPECT_TRUE(text.contains("\nName=Velmora: Home Edition\n"));
    EXPECT_TRUE(text.contains("\nComment="));
    EXPECT_TRUE(text.contains("\nCategories=Game;CardGame;\n"));
    EXPECT_TRUE(text.contains("\nIcon=velmora\n"));
    EXPECT_TRUE(text.contains("\nExec=velmora\n"));
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {desktop});
    ASSERT_TRUE(validate.waitForFinished(20000)) << "desktop-file-validate (desktop-file-utils) is missing";
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
    EXPECT_TRUE(validate.readAllStandardOutput().isEmpty());

    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QImage icon(QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/velmora.png").arg(prefix).arg(size));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
        // The chip: transparent corners, an opaque middle.
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
    }
    EXPECT_EQ(QImage(prefix + "/share/icons/hicolor/scalable/apps/velmora.png").size(), QSize(512, 512));
}

// The libraries a file names to be loaded with it.
QStringList Needed_Libraries(const QString& file)
{
    QProcess dump;
    dump.start(QStringLiteral("objdump"), {QStringLiteral("-p"), file});
    if (!dump.waitForFinished(20000))
        return {};
    QStringList needed;
    for (const QString& line : QString::fromLocal8Bit(dump.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.trimmed().startsWith(QLatin1String("NEEDED")))
            needed << line.section(QLatin1Char(' '), -1).trimmed();
    return needed;
}

TEST(Install, TheNetworkLibrariesComeOnlyWithThePhoneViewsModule)
{
    const QStringList program = Needed_Libraries(QStringLiteral(VELMORA_BUILD_DIR "/velmora"));
    ASSERT_TRUE(program.contains(QStringLiteral("libQt6Widgets.so.6"))) << "objdump (binutils) is missing";
    for (const char* library : {"libQt6Network.so.6", "libQt6WebSockets.so.6", "libqrencode.so.4"})
        EXPECT_FALSE(program.contains(QLatin1String(library))) << library;
    const QStringList module = Needed_Libraries(QStringLiteral(VELMORA_BUILD_DIR "/libvelmora_phone.so"));
    EXPECT_TRUE(module.contains(QStringLiteral("libQt6Network.so.6"))) << module.join(' ').toStdString();
    EXPECT_TRUE(module.contains(QStringLiteral("libqrencode.so.4")));
}

TEST(Install, InstalledProgramStartsAndSavesInTheUsersDataFolder)
{
    QTemporaryDir dir;
    Open_To_All(dir.path());
    const QString prefix = dir.path() + QStringLiteral("/usr");
    ASSERT_EQ(Install_Into(prefix), QString());
    const QString home = dir.path() + QStringLiteral("/home");
    const QString user = home + QStringLiteral("/.local/share/velmora/");
    ASSERT_NO_FATAL_FAILURE(Run_As_User(prefix + "/bin/velmora", home, user + "Data"));

    EXPECT_TRUE(QFile::exists(user + "Data/Default.trn"));
    EXPECT_TRUE(QFile::exists(user + "Data/Default.plr"));
    EXPECT_TRUE(QDir(user + "Reports").exists());
    EXPECT_TRUE(QDir(user + "Playlists").exists());
    QFile settings(user + "velmora.ini");
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), QByteArray("[Parameters]\nLast Tourney=Default.trn\n"));
    // Nothing was written beside the installed program: it holds what was
    // installed, the cues and the pictures.
    EXPECT_EQ(QDir(prefix + "/share/velmora").entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{"Sounds", "black_chipsm.jpg", "blue_chipsm.jpg", "docs", "green_chipsm.jpg", "logo.jpg",
                           "red_chipsm.jpg", "white_chipsm.jpg"}));
    EXPECT_EQ(QDir(prefix + "/bin").entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"velmora"});
}

TEST(Install, ReadOnlyCopyKeepsItsDataPerUser)
{
    QTemporaryDir dir;
    Open_To_All(dir.path());
    const QString copy = dir.path() + QStringLiteral("/velmora-copy/");
    ASSERT_TRUE(QDir().mkpath(copy));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_BUILD_DIR "/velmora"), copy + "velmora"));
    ::chmod(QFile::encodeName(copy + "velmora").constData(), 0555);
    ::chmod(QFile::encodeName(copy).constData(), 0555);
    const QString home = dir.path() + QStringLiteral("/home");
    const QString user = home + QStringLiteral("/.local/share/velmora/");
    ASSERT_NO_FATAL_FAILURE(Run_As_User(copy + "velmora", home, user + "Data"));
    EXPECT_TRUE(QFile::exists(user + "Data/Default.trn"));
    EXPECT_TRUE(QFile::exists(user + "velmora.ini"));
    EXPECT_FALSE(QDir(copy + "Data").exists());
    ::chmod(QFile::encodeName(copy).constData(), 0755); // so the folder can be removed
}

// The rule itself, for layouts the tests cannot install.
TEST(Install, FoldersFollowFromWhereTheProgramIs)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    ASSERT_TRUE(QDir().mkpath(root + "/prefix/bin"));
    ASSERT_TRUE(QDir().mkpath(root + "/prefix/share/velmora"));
    ASSERT_TRUE(QDir().mkpath(root + "/portable"));
    ASSERT_TRUE(QDir().mkpath(root + "/other/bin")); // a bin folder with no share/velmora
    const QString user = root + "/home/.local/share/velmora";

    Folder_Layout installed = Resolve_Folders(root + "/prefix/bin/velmora", user);
    EXPECT_EQ(installed.program, root + "/prefix/share/velmora/");
    EXPECT_EQ(installed.user, user + "/");
    EXPECT_TRUE(installed.per_user); // even for root, who could write there

    Folder_Layout portable = Resolve_Folders(root + "/portable/velmora", user);
    EXPECT_EQ(portable.program, root + "/portable/");
    EXPECT_EQ(portable.user, root + "/portable/");
    EXPECT_FALSE(portable.per_user);

    Folder_Layout bin_only = Resolve_Folders(root + "/other/bin/velmora", user);
    EXPECT_EQ(bin_only.program, root + "/other/bin/");
    EXPECT_EQ(bin_only.user, root + "/other/bin/");
}

} // namespace
