#pragma once
// Spoken announcements of the clock: the new level, its blinds and ante (or
// a break and its note) after the level-end cue, and the last minute after the warning cue. Texts wait for
// the cue sound and for the text before them, never speak over each other and
// never hold up the clock: everything is checked on a short timer of its own.
#include "model/Structure.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QTimer;
class Speaker;

class Announcer : public QObject {
    Q_OBJECT
public:
    // A cue sound that runs on longer than this (a song) is spoken over.
    static constexpr qint64 Longest_Cue_Wait_Ms = 4000;
    static constexpr int Poll_Ms = 200;

    explicit Announcer(QObject* parent = nullptr);
    ~Announcer() override;

    void Set_Speaker(std::unique_ptr<Speaker> speaker);
    Speaker* Voice() const { return speaker_.get(); }
    // Whether a cue sound is still playing; the announcement waits for it.
    void Set_Cue_Playing(std::function<bool()> playing) { cue_playing_ = std::move(playing); }
    // Milliseconds of a monotonic clock (tests install their own).
    void Set_Monotonic_Clock(std::function<qint64()> now) { now_ms_ = std::move(now); }

    bool Enabled() const { return enabled_; }
    void Set_Enabled(bool on); // off drops what is waiting

    // The texts, as spoken.
    // An ante that is not 0 is said after the blinds ("..., ante 400.", or
    // "..., big blind ante 400." when the big blind pays it for the table).
    static QString Level_Text(int level_number, int small_blind, int big_blind, int ante = 0,
                              Ante_Kind kind = Ante_Kind::Per_Player);
    // "Break, 15 minutes. Colour up the 5s."
    static QString Break_Text(int minutes, const QString& note);
    // The last minute of a level, or of a break.
    static QString Last_Minute_Text(bool in_break = false);

    void Level_Started(int level_number, int small_blind, int big_blind, int ante = 0,
                       Ante_Kind kind = Ante_Kind::Per_Player);
    void Break_Started(int minutes, const QString& note);
    void Last_Minute(bool in_break = false);

    // Speaks the waiting text when its turn has come; run by the timer.
    void Pump();
    bool Waiting() const { return !pending_.isEmpty(); }

private:
    void Queue(const QString& text);

    std::unique_ptr<Speaker> speaker_;
    std::function<bool()> cue_playing_;
    std::function<qint64()> now_ms_;
    QTimer* poll_ = nullptr;
    bool enabled_ = false;
    QString pending_;        // one text at most: newer news replaces older
    qint64 queued_at_ = 0;
};
