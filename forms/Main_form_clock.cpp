// The blind clock: the one-second tick, start/stop, reset, the level in play
// and the sound cues it plays.
#include "forms/Main_form.h"

#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Media_player.h"
#include "platform/Text_lines.h"
#include "platform/Velmora_error.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include "forms/Spin_box.h"

bool Is_Playlist(const QString& path)
{
    return File_Extension(path) == QLatin1String(".m3u");
}

void TMainForm::Timer1Timer()
{
    if (Clock.Paused)
        return;

    if (Clock.Tick()) {
        // End of the level: the cue first; if it cannot be played the rest
        // of the tick is abandoned and the clock waits at 0:00.
        PlayCue(Level_End_Cue());
        Next_Blind->trigger();
        Reset_Timer->trigger();
        Clock.Paused = 0;
        Set_Timer_Colour(Qt::black);
    } else {
        if (Clock.Minutes == 1 && Clock.Seconds == 0)
            PlayCue(Warning_Edit->text());
        if (Clock.Minutes == 0 && Clock.Seconds <= 10)
            Set_Timer_Colour(timer_colour_ == QColor(Qt::black) ? QColor(255, 0, 0) : QColor(Qt::black));
    }
    Refresh_Clock->trigger();
}

QString TMainForm::Level_End_Cue() const
{
    const QString sound = Current_Tourney->Sound;
    if (!Is_Playlist(sound))
        return Sound_Edit1->text();
    const QStringList lines = Read_Lines(sound);
    if (lines.isEmpty())
        throw Velmora_Error(QStringLiteral("The playlist %1 holds no songs.").arg(sound));
    return lines[CurrentLevel % lines.size()];
}

void TMainForm::PlayCue(const QString& file)
{
    if (file.isEmpty())
        return;
    media_player_->Open(file);
    media_player_->Play();
    // A notice (no sound device) is shown once the tick is over, so the
    // clock runs on while the box is open.
    const QString notice = media_player_->Take_Notice();
    if (!notice.isEmpty())
        QTimer::singleShot(0, this, [notice] {
            Guarded([&notice] { host().Message(notice, QStringLiteral(VELMORA_APP_TITLE), Buttons::OK); });
        });
}

void TMainForm::Toggle_StartExecute()
{
    if (Clock.Paused) {
        Clock.Paused = 0;
        Toggle_Start->setText(tr("Stop"));
    } else {
        Clock.Paused = 1;
        Toggle_Start->setText(tr("Start"));
    }
}

void TMainForm::Refresh_ClockExecute()
{
    const QString text = QString::asprintf("%d:%02d", Clock.Minutes, Clock.Seconds);
    Blind_Timer->setText(text);
    Blind_Timer2->setText(text);
}

void TMainForm::Reset_TimerExecute()
{
    if (Clock.Paused)
        Restart_Level();
}

void TMainForm::Load_TimerExecute()
{
    if (!Clock.Paused)
        return;
    Restart_Level();
    Show_Level_Blinds();
}

void TMainForm::Restart_Level()
{
    // The running clock reloads the level length from the page's box.
    Clock.Minutes = static_cast<uint8_t>(Timer_Spin->Value() & 0xFF);
    Clock.Seconds = 0;
    Refresh_Clock->trigger();
}

void TMainForm::Next_BlindExecute()
{
    if (CurrentLevel != Level_Count - 1)
        ++CurrentLevel;
    Show_Level_Blinds();
}

void TMainForm::Prev_BlindExecute()
{
    if (CurrentLevel != 0)
        --CurrentLevel;
    Show_Level_Blinds();
}

void TMainForm::Show_Level_Blinds()
{
    const CBlindLevel& level = Current_Tourney->Blinds[CurrentLevel];
    Small_Blind->setText(QString::number(level.SB));
    Big_Blind->setText(QString::number(level.BB));
    Small_Blind2->setText(QString::number(level.SB));
    Big_Blind2->setText(QString::number(level.BB));
    Level_Label->setText(tr("Level %1 of %2").arg(CurrentLevel + 1).arg(Level_Count));
    Level_Label2->setText(tr("LEVEL %1").arg(CurrentLevel + 1));
}

void TMainForm::Set_Timer_Colour(const QColor& colour)
{
    timer_colour_ = colour;
    for (QLabel* label : {Blind_Timer2, Blind_Timer}) {
        QPalette p = label->palette();
        p.setColor(QPalette::Window, colour);
        label->setPalette(p);
    }
}

void TMainForm::Timer2Timer()
{
    // The chip and payout pages keep their totals current through their own
    // commands; they join here as those pages are built.
    const int page = PageControl1->currentIndex();
    for (QAction* action : Design_Actions) {
        const QString name = action->objectName();
        if (page == 3 && name.startsWith(QLatin1String("Chip")) && name.endsWith(QLatin1String("_Change")))
            action->trigger();
        else if (page == 4 && name == QLatin1String("Update_Payout"))
            action->trigger();
    }
}
