// The clock that survives a crash: the running clock keeps its level and time
// left in "<tournament>.clock" in the data folder (Main_form_clock.cpp). A
// normal shut-down removes the file; finding one at start-up means the program
// was killed or the power went, and the operator is offered the clock back,
// paused.
#include "forms/main_window/Main_form.h"

#include "forms/widgets/Spin_box.h"
#include "model/Clock_state.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Record_file.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

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
    In_Break = state.Break;
    Set_Paused(true);
    Clock.Minutes = static_cast<uint8_t>(state.Minutes);
    Clock.Seconds = static_cast<uint8_t>(state.Seconds);
    // Page switches keep a paused clock's time left while the level length
    // is unchanged.
    loaded_length_ = Position_Minutes();
    full_level_due_ = false;
    Set_Timer_Colour(Qt::black);
    Refresh_Clock->trigger();
    Show_Level_Blinds();
    // Kept again at once: a second crash before "Start" loses nothing.
    clock_file_ = found->Path;
    clock_kept_ = true;
    Clock_State_Changed(true);
}
