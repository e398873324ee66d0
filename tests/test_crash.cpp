// Crash safety with the real file code: a writer that saves a tournament and
// the player database in a loop is killed with SIGKILL at random moments.
// Every file is afterwards exactly one of the states written (never torn,
// empty or missing), and the start-up clean-up leaves nothing else behind.
// VELMORA_CRASH_KILLS sets the number of kills (30; `make crash-long` 300).
#include "support/Crash_states.h"
#include "support/Test_folder.h"

#include "platform/Profile.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <thread>

namespace {

struct State_Files {
    QByteArray trn, plr, pdb;
};

// The bytes of one state, as a save into an empty folder gives them.
class State_Renderer {
public:
    const State_Files& operator[](int state)
    {
        auto found = cache_.find(state);
        if (found != cache_.end())
            return found->second;
        const QString previous = Program_Folder();
        QTemporaryDir scratch;
        Set_Program_Folder(scratch.path());
        QDir().mkpath(Data_Folder());
        CTourney t;
        Fill_Crash_Tourney(state, t);
        t.Save_File(Crash_Tourney_Name);
        CPlayerDB db;
        Fill_Crash_Database(state, db);
        db.Save();
        State_Files files{Read(t.Trn_Path), Read(t.Plr_Path), Read(db.Path)};
        Set_Program_Folder(previous);
        return cache_.emplace(state, files).first->second;
    }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    std::map<int, State_Files> cache_;
};

// The state number a file names, or 0 when it names none.
int Number_After(const QByteArray& bytes, int offset)
{
    int n = 0;
    while (offset < bytes.size() && bytes[offset] >= '0' && bytes[offset] <= '9' && n < 100000000)
        n = n * 10 + (bytes[offset++] - '0');
    return n;
}

class Crash_Test : public ::testing::Test {
protected:
    Test_Folder folder;
    State_Renderer states;

    int Kills() const
    {
        bool ok = false;
        const int kills = qEnvironmentVariableIntValue("VELMORA_CRASH_KILLS", &ok);
        return ok && kills > 0 ? kills : 30;
    }

    // Starts the writer, lets it finish at least `saves` states, then kills it
    // a random moment later. Returns the last state it reported.
    int Run_And_Kill(int saves)
    {
        QProcess writer;
        writer.start(QStringLiteral(VELMORA_CRASH_WRITER), {folder.path()});
        EXPECT_TRUE(writer.waitForStarted(10000));
        int last = 0;
        while (last < saves && writer.waitForReadyRead(10000))
            while (writer.canReadLine())
                last = writer.readLine().trimmed().toInt();
        // Somewhere inside one of the next saves.
        std::this_thread::sleep_for(std::chrono::microseconds(QRandomGenerator::global()->bounded(4000)));
        writer.kill();
        writer.waitForFinished(10000);
        EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit);
        // States it finished after the reading stopped.
        for (const QByteArray& line : writer.readAllStandardOutput().split('\n'))
            if (!line.trimmed().isEmpty())
                last = line.trimmed().toInt();
        return last;
    }

    // Each file holds exactly one whole state; the tournament and entry files
    // are saved one after the other, so their states differ by one at most.
    void Check_Files(int last_reported, int kill)
    {
        const QByteArray trn = State_Renderer::Read(folder.data() + "Crash.trn");
        const QByteArray plr = State_Renderer::Read(folder.data() + "Crash.plr");
        const QByteArray pdb = State_Renderer::Read(folder.data() + "PdB.data");
        const int trn_state = [&] {
            const int at = trn.indexOf("\n[Prizes]\nTotal=");
            return at < 0 ? 0 : Number_After(trn, at + 16);
        }();
        const int plr_state = plr.startsWith('P') ? Number_After(plr, 1) : 0;
        const int pdb_state = pdb.size() > 6 ? Number_After(pdb, 6) : 0;

        ASSERT_GE(trn_state, last_reported) << "kill " << kill << ": tournament file torn or old";
        ASSERT_GE(plr_state, last_reported) << "kill " << kill << ": entry file torn or old";
        ASSERT_GE(pdb_state, last_reported) << "kill " << kill << ": database torn or old";
        ASSERT_LE(trn_state, last_reported + 1) << "kill " << kill;
        ASSERT_EQ(trn, states[trn_state].trn) << "kill " << kill << ": tournament file of state " << trn_state;
        ASSERT_EQ(plr, states[plr_state].plr) << "kill " << kill << ": entry file of state " << plr_state;
        ASSERT_EQ(pdb, states[pdb_state].pdb) << "kill " << kill << ": database of state " << pdb_state;
        ASSERT_TRUE(plr_state == trn_state || plr_state + 1 == trn_state) << "kill " << kill;
        ASSERT_TRUE(pdb_state == plr_state || pdb_state + 1 == plr_state) << "kill " << kill;
    }
};

TEST_F(Crash_Test, KilledWhileSavingEveryFileHoldsOneWholeStateAndStartUpRemovesLeftovers)
{
    const int kills = Kills();
    int leftovers_seen = 0;
    for (int kill = 1; kill <= kills; ++kill) {
        const int last = Run_And_Kill(1 + QRandomGenerator::global()->bounded(3));
        ASSERT_GE(last, 1);
        ASSERT_NO_FATAL_FAILURE(Check_Files(last, kill));

        // What the next start finds: the program's own temporary files, which
        // the start-up removes, and nothing else.
        const QStringList before = QDir(folder.data()).entryList(QDir::Files | QDir::Hidden);
        for (const QString& name : before)
            if (name != "Crash.trn" && name != "Crash.plr" && name != "PdB.data") {
                ASSERT_TRUE(Is_Temporary_Name(name)) << name.toStdString();
                ++leftovers_seen;
            }
        Remove_Start_Up_Leftovers();
        EXPECT_EQ(QDir(folder.data()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{"Crash.plr", "Crash.trn", "PdB.data"}));

        // The program reads what was left as a whole tournament.
        CTourney t;
        t.Load_File(Crash_Tourney_Name);
        EXPECT_GE(t.Total, 1);
        EXPECT_EQ(t.Out, t.Total);
    }
    std::printf("%d kills, %d temporary files left by them\n", kills, leftovers_seen);
}

} // namespace
