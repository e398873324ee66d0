// The crash test's writer: saves the tournament "Crash.trn" and the player
// database of the program folder given as its argument, state after state,
// through the program's own file code, and prints each state number once all
// three files of it are written. It runs until it is killed.
#include "support/Crash_states.h"

#include "platform/Program_folder.h"

#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    Set_Program_Folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(Data_Folder());
    CTourney t;
    CPlayerDB db;
    for (int state = 1;; ++state) {
        Fill_Crash_Tourney(state, t);
        t.Save_File(Crash_Tourney_Name);
        Fill_Crash_Database(state, db);
        db.Save();
        std::printf("%d\n", state);
        std::fflush(stdout);
    }
}
