// The clock that survives a crash: while the clock runs, its level and time
// left are kept in "<tournament>.clock" in the data folder (written through a
// temporary file, at most once every 10 seconds and at every start, stop and
// level change). A normal shut-down removes the file; finding one at start-up
// means the program was killed or the power went, and the operator is offered
// the clock back, paused.
#include "forms/Main_form.h"

#include "forms/Spin_box.h"
#include "model/Clock_state.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Record_file.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr qint64 Keep_Interval_Ms = 10000;
}

void TMainForm::Clock_State_Changed(bool now)
{
    if (!clock_kept_)
        return;
    const qint64 ms = monotonic_ms_();
    if (!now && ms - clock_kept_ms_ < Keep_Interval_Ms)
        return;
    clock_kept_ms_ = ms;
    Clock_State state;
    state.Tourney = Last_Tourney;
    state.Level = CurrentLevel;
    state.Minutes = Clock.Minutes;
    state.Seconds = Clock.Seconds;
    state.Running = !Clock.Paused;
    state.Saved = QDateTime::currentDateTimeUtc();
    const QString path = Clock_File_Path(Last_Tourney);
    try {
        Write_File_Atomic(path, Clock_State_Bytes(state));
        if (!clock_file_.isEmpty() && clock_file_ != path)
            QFile::remove(clock_file_);
        clock_file_ = path;
    } catch (const std::exception& e) {
        // The clock goes on; the operator hears of it once.
        if (!clock_write_told_) {
            clock_write_told_ = true;
            Report_After_Tick(QString::fromLocal8Bit(e.what()));
        }
    }
}

void TMainForm::Forget_Clock_State()
{
    if (!clock_file_.isEmpty())
        QFile::remove(clock_file_);
    clock_file_.clear();
    clock_kept_ = false;
}

// A clock file at start-up is left by an end that was no normal shut-down.
// Yes opens its tournament at its level with its time left, paused; No
// starts as always and drops the file.
void TMainForm::Offer_Clock_Resume()
{
    const std::optional<Found_Clock> found = Find_Clock_File();
    if (!found)
        return;
    const Clock_State& state = found->State;
    // The current tournament may never have been saved (killed before its
    // first save); another one must still be there to be opened.
    const bool tourney_there = state.Tourney == Last_Tourney
                               || QFileInfo::exists(Tourney_File_Path(state.Tourney, QStringLiteral(".trn")));
    if (!tourney_there
        || host().Message(Resume_Question(state), QStringLiteral(VELMORA_APP_TITLE), Buttons::Yes_No) != Answer::Yes) {
        QFile::remove(found->Path);
        return;
    }
    if (state.Tourney != Last_Tourney) {
        Current_Tourney = std::make_unique<CTourney>();
        Last_Tourney = state.Tourney;
        Load_Design->trigger();
    }
    CurrentLevel = static_cast<uint8_t>(state.Level);
    Set_Paused(true);
    Clock.Minutes = static_cast<uint8_t>(state.Minutes);
    Clock.Seconds = static_cast<uint8_t>(state.Seconds);
    // Page switches keep a paused clock's time left while the level length
    // is unchanged.
    loaded_length_ = Timer_Spin->Value();
    full_level_due_ = false;
    Set_Timer_Colour(Qt::black);
    Refresh_Clock->trigger();
    Show_Level_Blinds();
    // Kept again at once: a second crash before "Start" loses nothing.
    clock_file_ = found->Path;
    clock_kept_ = true;
    Clock_State_Changed(true);
}
