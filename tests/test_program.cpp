// The real program, started as a user starts it and stopped by SIGTERM (as at
// logout): the shut-down steps must still save the tournament and settings.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include "Wait_for.h"

#include <csignal>

namespace {

TEST(Program, TerminationSignalSavesTheTournamentAndTheSettings)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    const QString program = folder + QStringLiteral("velmora");
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_BUILD_DIR "/velmora"), program));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QDir::tempPath()); // the folders go beside the program, not here
    process.start(program, {});
    ASSERT_TRUE(process.waitForStarted(10000));

    // The folders appear once the splash has closed itself.
    ASSERT_TRUE(Wait_For([&] { return QDir(folder + "Data").exists() && QDir(folder + "Reports").exists(); }, 20000));
    QThread::msleep(500); // let the start-up finish its first load
    EXPECT_FALSE(QFile::exists(folder + "Data/Default.trn"));

    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);

    EXPECT_TRUE(QFile::exists(folder + "Data/Default.trn"));
    EXPECT_TRUE(QFile::exists(folder + "Data/Default.plr"));
    QFile settings(folder + "velmora.ini");
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), QByteArray("[Parameters]\nLast Tourney=Default.trn\n"));
}

} // namespace
