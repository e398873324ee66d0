#include "forms/display/Announcer.h"

#include "platform/Speaker.h"

#include <QElapsedTimer>
#include <QTimer>

Announcer::Announcer(QObject* parent) : QObject(parent), poll_(new QTimer(this))
{
    auto since_start = std::make_shared<QElapsedTimer>();
    since_start->start();
    now_ms_ = [since_start] { return since_start->elapsed(); };
    cue_playing_ = [] { return false; };
    poll_->setInterval(Poll_Ms);
    connect(poll_, &QTimer::timeout, this, &Announcer::Pump);
}

Announcer::~Announcer() = default;

void Announcer::Set_Speaker(std::unique_ptr<Speaker> speaker)
{
    speaker_ = std::move(speaker);
}

void Announcer::Set_Enabled(bool on)
{
    enabled_ = on;
    if (!on) {
        pending_.clear();
        poll_->stop();
    }
}

QString Announcer::Level_Text(int level_number, int small_blind, int big_blind, int ante, Ante_Kind kind)
{
    // An unused level (no blinds set) is announced by its number alone.
    if (small_blind == 0 && big_blind == 0)
        return tr("Level %1.").arg(level_number);
    if (ante != 0)
        return (kind == Ante_Kind::Big_Blind ? tr("Level %1. Blinds %2 and %3, big blind ante %4.")
                                             : tr("Level %1. Blinds %2 and %3, ante %4."))
            .arg(level_number)
            .arg(small_blind)
            .arg(big_blind)
            .arg(ante);
    return tr("Level %1. Blinds %2 and %3.").arg(level_number).arg(small_blind).arg(big_blind);
}

QString Announcer::Break_Text(int minutes, const QString& note)
{
    QString text = minutes == 1 ? tr("Break, 1 minute.") : tr("Break, %1 minutes.").arg(minutes);
    const QString said = note.trimmed();
    if (!said.isEmpty())
        text += QLatin1Char(' ') + said + (said.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral("."));
    return text;
}

QString Announcer::Last_Minute_Text(bool in_break)
{
    return in_break ? tr("One minute left in the break.") : tr("One minute left in this level.");
}

void Announcer::Level_Started(int level_number, int small_blind, int big_blind, int ante, Ante_Kind kind)
{
    Queue(Level_Text(level_number, small_blind, big_blind, ante, kind));
}

void Announcer::Break_Started(int minutes, const QString& note)
{
    Queue(Break_Text(minutes, note));
}

void Announcer::Last_Minute(bool in_break) { Queue(Last_Minute_Text(in_break)); }

// Only the latest news is worth saying: a text still waiting when the next
// arrives (the clock caught up several levels at once) is dropped.
void Announcer::Queue(const QString& text)
{
    if (!enabled_ || !speaker_ || !speaker_->Available())
        return;
    pending_ = text;
    queued_at_ = now_ms_();
    if (!poll_->isActive())
        poll_->start();
}

void Announcer::Pump()
{
    if (pending_.isEmpty()) {
        poll_->stop();
        return;
    }
    if (!speaker_ || speaker_->Is_Speaking())
        return;
    // The cue is heard first; a long song is spoken over after a while.
    if (cue_playing_() && now_ms_() - queued_at_ < Longest_Cue_Wait_Ms)
        return;
    const QString text = pending_;
    pending_.clear();
    poll_->stop();
    speaker_->Say(text);
}
