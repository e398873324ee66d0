#pragma once
// The tournament record: name and files, blind schedule and level length,
// sound cues, chips, payout table and the player entries; the entry file
// record CTourneyPlayer and the clock's countdown Level_Clock.
#include "model/Money.h"
#include "model/Structure.h"

#include <QString>
#include <cstdint>

constexpr int Max_Entries = 150;
constexpr int Level_Count = 20;
constexpr int Chip_Count = 5;
constexpr int Prize_Count = 10;
constexpr int Entry_Name_Size = 20;
constexpr int Min_Level_Minutes = 1;
constexpr int Max_Level_Minutes = 59;

// One tournament player; also the 32-byte record of the entry file.
struct CTourneyPlayer {
    char Name[Entry_Name_Size]; // Player_Key "First,Last", NUL-terminated; "" = free slot
    int32_t Table;              // 0-based
    int32_t Seat;               // 0-based
    int32_t Place;              // 0 while still in
};
static_assert(sizeof(CTourneyPlayer) == 32, "entry record is 32 bytes");

struct CChips {
    bool Active = false;  // read and written back, used by nothing else
    int32_t Value = 0;
    int32_t Quanity = 10;
    QString Path;
};

struct CBlindLevel {
    int32_t BB;
    int32_t SB;
};

// The blind clock's countdown.
struct Level_Clock {
    uint8_t Minutes = 0;
    uint8_t Seconds = 0;
    int16_t Paused = 0;
    // Counts one second down; called at 0:00 it sets Paused and returns true
    // (the level has run out).
    bool Tick();
};

class CTourney {
public:
    CTourney();

    QString Name;
    QString Trn_Path;
    QString Plr_Path;
    QString Sound;
    QString Warning;
    int32_t Total = 0;
    int32_t Out = 1;
    float Prize_Total = 0;
    float Prize[Prize_Count] = {};
    CTourneyPlayer Players[Max_Entries];
    int32_t Time = 20;
    CBlindLevel Blinds[Level_Count];
    CChips Chips[Chip_Count];
    CMoney Money; // buy-ins, rebuys, add-ons, bounties (sections of their own in the file)
    CStructure Structure; // antes, lengths per level, breaks: a section of its own
    QString Load_Notice;  // what the last load could not read, for the operator; empty when all was read

    // Tournament file (".trn") and entry file (".plr") in the data folder.
    // Loading reads Time into 1..59, skips entry records without a name and
    // sets Out to the number of entries still in. An entry file that exists
    // but cannot be read raises "Unable to read %s" (the entries are then
    // empty) and is never written over.
    void Load_File(const QString& name);
    void Save_File(const QString& name);
    int Read_Entries();
    void Write_Entries();

    // Entry operations; names are compared byte for byte, case-sensitive.
    int32_t Enter_Player(const QString& name);
    int32_t Withdraw_Player(const QString& name);
    void Set_Out(const QString& name);
    void Set_In(const QString& name);

    // The slot of the entry with this name, or -1.
    int Find_Entry(const QString& name) const;
    // The entry's name as text (Latin-1).
    static QString Entry_Name(const CTourneyPlayer& entry);

    int Append_Position() const { return Append_Pos; }

private:
    friend class Entries_Undo; // puts the entries back when an entry operation fails
    void Set_Paths(const QString& name);
    int Append_Pos = 0;
};

// The ".trn" / ".plr" paths of a tournament name in the data folder: the
// extension of the name part (from its last dot on) is replaced, or added.
QString Tourney_File_Path(const QString& name, const QString& extension);
