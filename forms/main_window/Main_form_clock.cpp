// The blind clock: the one-second tick, start/stop, reset, the level in play
// and the sound cues it plays. While it runs, its level and time left are kept
// in "<tournament>.clock" in the data folder (written through a temporary file,
// at most once every 10 seconds and at every start, stop and level change), so
// that a start after a crash can offer it back (Main_form_resume.cpp).
#include "forms/main_window/Main_form.h"

#include "model/Clock_state.h"
#include "model/Display_facts.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Media_player.h"
#include "platform/Record_file.h"
#include "platform/Text_lines.h"
#include "platform/Velmora_error.h"

#include <QAction>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include "forms/widgets/Spin_box.h"

namespace {
// The design's digit sizes of the two time labels.
constexpr int Blind_Timer_Pixels = 187;
constexpr int Blind_Timer2_Pixels = 48;

// The design's size, or the largest smaller one at which the text fits.
void Fit_Digits(QLabel* label, const QString& text, int design_px)
{
    if (label->text().size() == text.size() && label->font().pixelSize() > 0)
        return; // same number of digits: same size as before
    QFont f = label->font();
    const int room = label->contentsRect().width() - 4;
    int px = design_px;
    for (f.setPixelSize(px); px > 8 && QFontMetrics(f).horizontalAdvance(text) > room; f.setPixelSize(--px)) {
    }
    label->setFont(f);
}
} // namespace

bool Is_Playlist(const QString& path)
{
    return File_Extension(path) == QLatin1String(".m3u");
}

void TMainForm::Set_Monotonic_Clock(std::function<qint64()> now)
{
    monotonic_ms_ = std::move(now);
    tick_anchor_ms_ = monotonic_ms_();
    ticks_counted_ = 0;
}

// One timer event is one second, unless the window thread was held up (a slow
// disk, a busy machine): then the seconds it missed are owed as ticks of their
// own, so the display is back on the wall clock at once. Seconds are counted
// from the timer's start and rounded to the nearest, so a timer event that
// comes a little early or late still stands for one second.
int TMainForm::Seconds_Owed()
{
    // A machine that was held for more than an hour is not caught up beyond it.
    constexpr qint64 Most_Owed = 3600;
    const qint64 due = (monotonic_ms_() - tick_anchor_ms_ + 500) / 1000;
    qint64 owed = due - ticks_counted_;
    if (owed < 1)
        owed = 1;
    if (owed > Most_Owed) {
        owed = Most_Owed;
        ticks_counted_ = due;
    } else {
        ticks_counted_ += owed;
    }
    return static_cast<int>(owed);
}

void TMainForm::Timer1Timer()
{
    const int seconds = Seconds_Owed();
    // A stopped clock lets the seconds pass; the estimated end on every
    // screen moves on with the time of day all the same.
    if (Clock.Paused)
        emit Clock_Changed();
    for (int i = 0; i < seconds && !Clock.Paused; ++i)
        Clock_Second();
}

void TMainForm::Clock_Second()
{
    if (Clock.Tick()) {
        Level_End();
    } else {
        if (Clock.Minutes == 1 && Clock.Seconds == 0) {
            Play_Cue_Reported([this] { return Warning_Edit->text(); });
            emit Warning_Given();
        }
        if (Clock.Minutes == 0 && Clock.Seconds <= 10)
            Set_Timer_Colour(timer_colour_ == QColor(Qt::black) ? QColor(255, 0, 0) : QColor(Qt::black));
    }
    Refresh_Clock->trigger();
    Clock_State_Changed(false);
}

// The level has run out: its blind sound, the next level, a full countdown,
// and the clock runs on. A sound that cannot be played never holds the clock.
void TMainForm::Level_End()
{
    Play_Cue_Reported([this] { return Level_End_Cue(); });
    // The clock file is written once, for the new level.
    {
        struct Restore {
            bool& flag;
            bool value;
            ~Restore() { flag = value; }
        } restore{clock_kept_, clock_kept_};
        clock_kept_ = false;
        Next_Blind->trigger();
        Reset_Timer->trigger();
    }
    Clock.Paused = 0;
    Set_Timer_Colour(Qt::black);
    emit Level_Ended();
    Clock_State_Changed(true);
}

QString TMainForm::Level_End_Cue() const
{
    const QString sound = Current_Tourney->Sound;
    if (!Is_Playlist(sound))
        return Sound_Edit1->text();
    const QStringList songs = Read_Playlist_Songs(sound);
    if (songs.isEmpty())
        throw Velmora_Error(QStringLiteral("The playlist %1 holds no songs.").arg(sound));
    // Every end takes the next song, a break's end too: the number of the
    // place that ended counts the breaks before it.
    const CStructure& structure = Current_Tourney->Structure;
    int ended = CurrentLevel + (Position().on_break ? 1 : 0);
    for (int k = 0; k < CurrentLevel; ++k)
        ended += structure.Break_After(k) ? 1 : 0;
    return songs[ended % songs.size()];
}

void TMainForm::Play_Cue_Reported(const std::function<QString()>& cue)
{
    try {
        PlayCue(cue());
    } catch (const std::exception& e) {
        Report_After_Tick(QString::fromLocal8Bit(e.what()));
    }
}

void TMainForm::PlayCue(const QString& file)
{
    if (file.isEmpty())
        return;
    media_player_->Open(file);
    media_player_->Play();
    // A notice (no sound device) is told once the tick is over.
    const QString notice = media_player_->Take_Notice();
    if (!notice.isEmpty())
        Report_After_Tick(notice);
}

// The box is shown once the tick is over, so the clock runs on while it is
// open; a text that is already waiting or open is not shown a second time.
void TMainForm::Report_After_Tick(const QString& text)
{
    if (notices_showing_.contains(text))
        return;
    notices_showing_ << text;
    QTimer::singleShot(0, this, [this, text] {
        Guarded([&text] { host().Message(text, QStringLiteral(VELMORA_APP_TITLE), Buttons::OK); });
        notices_showing_.removeOne(text);
    });
}

void TMainForm::Set_Paused(bool paused)
{
    Clock.Paused = paused ? 1 : 0;
    Toggle_Start->setText(paused ? tr("Start") : tr("Stop"));
    emit Clock_Changed();
}

// A tournament that is opened, created or set up anew starts at level 1 with a
// whole level waiting for "Start"; the reload that follows fills it.
void TMainForm::Start_Tourney_Clock()
{
    CurrentLevel = 0;
    In_Break = false;
    Set_Paused(true);
    full_level_due_ = true;
    Forget_Clock_State();
}

void TMainForm::Toggle_StartExecute()
{
    // Stopping pauses, starting resumes: the time left is kept.
    Set_Paused(!Clock.Paused);
    clock_kept_ = true;
    Clock_State_Changed(true);
}

void TMainForm::Refresh_ClockExecute()
{
    const QString text = QString::asprintf("%d:%02d", Clock.Minutes, Clock.Seconds);
    // A break of two hours reads "120:00": its digits are made to fit.
    Fit_Digits(Blind_Timer, text, Blind_Timer_Pixels);
    Fit_Digits(Blind_Timer2, text, Blind_Timer2_Pixels);
    Blind_Timer->setText(text);
    Blind_Timer2->setText(text);
    emit Clock_Changed();
}

void TMainForm::Reset_TimerExecute()
{
    if (Clock.Paused) {
        Restart_Level();
        Clock_State_Changed(true);
    }
}

// A paused clock keeps its time left through every save and reload (a break
// for food survives a look at the Players page); it is filled with a whole
// level only when the level length was changed or a tournament was opened.
void TMainForm::Load_TimerExecute()
{
    // A running clock goes on; a length changed meanwhile is the level's
    // next start, never a reset at some later page switch.
    if (!Clock.Paused) {
        loaded_length_ = Position_Minutes();
        return;
    }
    if (full_level_due_ || Position_Minutes() != loaded_length_)
        Restart_Level();
    else
        Refresh_Clock->trigger();
    Show_Level_Blinds();
}

void TMainForm::Restart_Level()
{
    // The running clock reloads the length of the level or break in play.
    loaded_length_ = Position_Minutes();
    full_level_due_ = false;
    Clock.Minutes = static_cast<uint8_t>(loaded_length_ & 0xFF);
    Clock.Seconds = 0;
    Set_Timer_Colour(Qt::black);
    Refresh_Clock->trigger();
}

// Next and previous walk the levels and the breaks between them; the last
// level and the first stay where they are.
void TMainForm::Next_BlindExecute()
{
    Go_To(Current_Tourney->Structure.Next(Position()));
}

void TMainForm::Prev_BlindExecute()
{
    Go_To(Current_Tourney->Structure.Previous(Position()));
}

// A move between two levels keeps the time left. A break entered by a move
// starts at its own full length, and so does the level entered from a break:
// a break never runs on a level's leftover minutes. What the clock shows is
// then the new place's own, and a page switch leaves it alone.
void TMainForm::Go_To(Clock_Position p)
{
    const Clock_Position from = Position();
    CurrentLevel = static_cast<uint8_t>(p.level);
    In_Break = p.on_break;
    if (p != from) {
        if (from.on_break || p.on_break)
            Restart_Level();
        else
            loaded_length_ = Position_Minutes();
    }
    Show_Level_Blinds();
    Clock_State_Changed(true);
}

Clock_Position TMainForm::Position() const
{
    // A break the schedule no longer holds is over.
    return {CurrentLevel, In_Break && Current_Tourney->Structure.Break_After(CurrentLevel)};
}

int TMainForm::Position_Minutes() const
{
    // The tournament's length is the page's box, as the running clock has
    // always read it; a level's own length and a break come from the record.
    return Current_Tourney->Structure.Minutes_Of(Position(), Timer_Spin->Value());
}

// During a break the labels show the level that follows it.
void TMainForm::Show_Level_Blinds()
{
    // A break taken off the schedule while the room is in it is over: the
    // clock goes on to the level after it, at that level's full length.
    if (In_Break && !Position().on_break && CurrentLevel + 1 < Level_Count) {
        ++CurrentLevel;
        In_Break = false;
        Restart_Level();
        Clock_State_Changed(true);
    }
    In_Break = Position().on_break;
    const int shown = In_Break ? CurrentLevel + 1 : CurrentLevel;
    const CBlindLevel& level = Current_Tourney->Blinds[shown];
    Small_Blind->setText(QString::number(level.SB));
    Big_Blind->setText(QString::number(level.BB));
    Small_Blind2->setText(QString::number(level.SB));
    Big_Blind2->setText(QString::number(level.BB));
    Level_Label->setText(In_Break ? tr("BREAK") : tr("Level %1 of %2").arg(CurrentLevel + 1).arg(Level_Count));
    Level_Label2->setText(In_Break ? tr("BREAK, THEN %1").arg(shown + 1) : tr("LEVEL %1").arg(CurrentLevel + 1));
    emit Clock_Changed();
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

Clock_Reading TMainForm::Clock_Now() const
{
    Clock_Reading c;
    c.level = CurrentLevel;
    c.on_break = Position().on_break;
    c.minutes = Clock.Minutes;
    c.seconds = Clock.Seconds;
    c.paused = Clock.Paused != 0;
    c.flashing_red = timer_colour_ != QColor(Qt::black);
    return c;
}

void TMainForm::Timer2Timer()
{
    // The chip and payout pages keep their totals current through their own
    // commands, run by name in this order.
    static const char* const Chips_Page_Commands[] = {"Chip1_Change", "Chip2_Change", "Chip3_Change",
                                                      "Chip4_Change", "Chip5_Change"};
    static const char* const Payout_Page_Commands[] = {"Update_Payout"};
    auto run = [this](const auto& names) {
        for (const char* name : names)
            if (auto* action = findChild<QAction*>(QLatin1String(name), Qt::FindDirectChildrenOnly))
                action->trigger();
    };
    const int page = PageControl1->currentIndex();
    if (page == 3)
        run(Chips_Page_Commands);
    else if (page == 4)
        run(Payout_Page_Commands);
}

// ---- the clock file that survives a crash ----

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
    const Clock_State state = Kept_State();
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

Clock_State TMainForm::Kept_State() const
{
    Clock_State state;
    state.Tourney = Last_Tourney;
    state.Level = CurrentLevel;
    state.Minutes = Clock.Minutes;
    state.Seconds = Clock.Seconds;
    state.Running = !Clock.Paused;
    state.Break = Position().on_break;
    state.Saved = QDateTime::currentDateTimeUtc();
    return state;
}

void TMainForm::Forget_Clock_State()
{
    if (!clock_file_.isEmpty())
        QFile::remove(clock_file_);
    clock_file_.clear();
    clock_kept_ = false;
}
