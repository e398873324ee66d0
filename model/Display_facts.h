#pragma once
// What the players' display and the phone view both show of the evening:
// the level and its time left, the blinds now and next, the players left,
// the average stack, the pool and the payouts. Gathered from the tournament
// record and a reading of the clock, with nothing of the windows.
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVector>

class CTourney;

// The one word the display and the phone show for a stopped clock.
constexpr const char* Stopped_Clock_Word = "Paused";

// The clock as the main window runs it at one moment.
struct Clock_Reading {
    int level = 0;            // 0-based, as the window counts
    int minutes = 0, seconds = 0;
    bool paused = true;
    bool flashing_red = false; // the warning colour is on
    bool on_break = false;     // in the break after the level
};

struct Display_Facts {
    QString name;             // the tournament's name
    QTime time_of_day;
    QString time_left;        // "12:34"
    bool paused = true;
    bool flashing_red = false;
    int level = 1;            // 1-based
    int level_count = 20;
    int small_blind = 0, big_blind = 0;
    bool has_next = false;    // a further level with blinds set
    int next_small = 0, next_big = 0;
    int players_left = 0, players_entered = 0;
    bool chips_set = false;   // a chip set with a value
    double average_stack = 0;
    double prize_pool = 0;
    QVector<double> payouts;  // the first places with a share, in order, rounded to the unit
    QString currency;         // the symbol amounts are shown with ("" without money)
    bool deal = false;        // payouts are the amounts agreed in a deal
    QString winner;           // "First Last" once the last player in won, else ""
    double winner_prize = 0;  // his prize (the deal's, with what was kept)
    bool winner_deal = false; // his prize was agreed in a deal
    // The levels after the next that have blinds: number, small, big.
    struct Level { int number, small_blind, big_blind; };
    QVector<Level> later_levels;
    // The phone view's address while the view is on (set by the window).
    QString phone_address;

    // ---- the structure: antes, breaks and the estimated end ----
    // In a break the blinds above (and their ante) are those of the level
    // that follows it, and "next" the level after that one.
    bool on_break = false;
    QString break_note;
    QString ante_text;        // "BB ante 400", "" without an ante
    QString next_ante_text;
    int ante = 0, next_ante = 0;
    int minutes = 0, next_minutes = 0; // the level's length, and the next one's
    bool has_estimated_end = false;
    QDateTime estimated_end;   // when the night is decided by the end model, to the minute
    QString estimated_end_text; // "23:40", or "Sat 01:00" when far away: the one text every screen shows
    QString end_note;          // "the blinds stop rising at level 20: add levels" when the night outlasts the schedule
};

Display_Facts Gather_Display_Facts(const CTourney& t, const Clock_Reading& clock, const QDateTime& now);
// The same at this time of today.
Display_Facts Gather_Display_Facts(const CTourney& t, const Clock_Reading& clock, const QTime& now);
