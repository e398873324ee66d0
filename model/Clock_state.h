#pragma once
// The running clock's state kept in a small file beside the tournament
// ("<tournament>.clock" in the data folder), so that after a kill, a crash or
// a power cut the next start can offer to put the clock back where it was.
// The file is UTF-8 text:
//   [Clock]
//   Tourney=Friday.trn
//   Level=6            (counted from 1)
//   Left=8:41          (minutes:seconds)
//   Running=1          (0 once stopped)
//   Break=1            (only in the break after that level)
//   Saved=2026-03-14T21:05:09Z
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

struct Clock_State {
    QString Tourney;   // the tournament's name as in "Last Tourney"
    int Level = 0;     // 0-based, 0 to Level_Count - 1
    int Minutes = 0;   // 0 to 255
    int Seconds = 0;   // 0 to 59
    bool Running = false;
    bool Break = false; // in the break after Level
    QDateTime Saved;   // wall-clock time of the write, UTC

    bool operator==(const Clock_State&) const = default;
};

QByteArray Clock_State_Bytes(const Clock_State& state);
// No value for text that is not a whole, sensible state (a torn or edited file).
std::optional<Clock_State> Parse_Clock_State(const QByteArray& bytes);

// "<tournament>.clock" in the data folder.
QString Clock_File_Path(const QString& tourney_name);

// The newest readable clock file in the data folder, if any.
struct Found_Clock {
    QString Path;
    Clock_State State;
};
std::optional<Found_Clock> Find_Clock_File();

// The start-up question for a clock found after an abnormal end.
QString Resume_Question(const Clock_State& state);
// The question of File, Exit while the evening is under way.
QString Exit_Question(const Clock_State& state);
