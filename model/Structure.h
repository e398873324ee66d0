#pragma once
// The structure beyond the small and big blinds: an ante per level (per player
// or paid by the big blind for the table), a length of its own per level and
// a break after any level, with a note ("Colour up the 5s").
//
// It lives in the tournament file's own section, the documented sections and
// keys are never touched:
//   [Structure]
//   Ante Type=Big Blind      (or "Per Player")
//   Ante6=400                (level 7's ante; keys count levels from 0)
//   Minutes9=30              (level 10 lasts 30 minutes)
//   Break3=15                (a 15-minute break after level 4)
//   Break Note3=Colour up the 5s
// Only what is set is written: a tournament without any of it has no section,
// and its file reads and writes back exactly as before.
#include <QString>
#include <cstdint>
#include <optional>

class Profile;

constexpr int Structure_Levels = 20;
// A break may be a dinner: up to three hours, unlike a level's 59 minutes.
constexpr int Max_Break_Minutes = 180;

enum class Ante_Kind { Big_Blind, Per_Player };

struct Level_Extra {
    int32_t Ante = 0;          // 0 = no ante
    int32_t Minutes = 0;       // 0 = the tournament's level length
    int32_t Break_Minutes = 0; // a break after this level; 0 = none
    QString Break_Note;

    bool operator==(const Level_Extra&) const = default;
};

// A place in the evening: a level (0-based), or the break after it.
struct Clock_Position {
    int level = 0;
    bool on_break = false;

    bool operator==(const Clock_Position&) const = default;
};

struct CStructure {
    Ante_Kind Ante_Type = Ante_Kind::Big_Blind;
    Level_Extra Levels[Structure_Levels];

    // Nothing beyond the documented schedule is set.
    bool Empty() const;
    // The minutes a level lasts: its own, or the tournament's length.
    int Level_Minutes(int level, int tourney_minutes) const;
    // A break follows this level (never after the last one: no level follows).
    bool Break_After(int level) const;
    int32_t Ante(int level) const;

    // Where "next" and "previous" lead: a scheduled break sits between its
    // level and the next. The first level and the last stay where they are.
    Clock_Position Next(Clock_Position p) const;
    Clock_Position Previous(Clock_Position p) const;
    // The full length of a place in minutes.
    int Minutes_Of(Clock_Position p, int tourney_minutes) const;

    // The tournament file's "Structure" section. Reading keeps every value in
    // its range (antes 0 and up, lengths 1 to 59 or unset, breaks 0 to 180);
    // writing sets the keys that hold something and removes the others.
    // An "Ante Type" is read without regard to case or blanks; a value that
    // is neither kind reads as "Big Blind", and Read returns a text naming
    // it (empty when all was read).
    QString Read(const Profile& ini);
    void Write(Profile& ini) const;

    bool operator==(const CStructure&) const = default;
};

// "ante 400" / "BB ante 400", as the room reads it beside the blinds; empty
// for no ante.
QString Ante_Caption(Ante_Kind kind, int32_t ante);
// "Big Blind" / "Per Player", as stored.
QString Ante_Kind_Text(Ante_Kind kind);
// The kind a stored text names, whatever its case and blanks; none for a
// text that names neither (an empty text is the big blind's, the default).
std::optional<Ante_Kind> Read_Ante_Kind(const QString& text);
