#pragma once
// The player database: up to 150 players with contact details, stored as the
// raw image of the used records in "PdB.data" in the data folder.
#include <QString>
#include <cstdint>

constexpr int Max_Players = 150;
constexpr int Player_Text_Size = 20;

// 116 bytes; the same image in memory and in the file.
struct CPlayer {
    uint32_t Number = 0;              // slot count when the player was added
    uint8_t Empty = 1;                // 1 = free slot, 0 = holds a player
    char First[Player_Text_Size] = {};
    char Last[Player_Text_Size] = {};
    char Aka[Player_Text_Size] = {};
    char Phone[Player_Text_Size] = {};
    char Cell[Player_Text_Size] = {};
    uint32_t Reserved1 = 0;           // offset 108
    uint32_t Reserved2 = 0;           // offset 112

    // "First,Last", nothing trimmed or added.
    QString Key() const;
};
static_assert(sizeof(CPlayer) == 116, "database record is 116 bytes");

// Copies text (Latin-1) into a fixed field, keeping at most size-1 characters
// and a terminating NUL; the rest of the field is zeroed.
void Set_Field(char* field, int size, const QString& text);
// The text of a fixed field up to its NUL (or the whole field when it has none).
QString Field_Text(const char* field, int size);

class CPlayerDB {
public:
    explicit CPlayerDB(const QString& file_name = QStringLiteral("PdB.data"));

    QString Path;
    CPlayer Player[Max_Players];
    int Cursor = 0;   // the current slot
    int32_t Count = 0;

    // A file that exists but cannot be read raises "Unable to read %s" and is
    // never written over; records without a first name are skipped.
    void Load();
    void Save();
    int Find(const QString& key);   // slot index, or 150 when none
    // False when the table is full; a record without a first name could
    // never be stored and raises Velmora_Error.
    bool Add(const CPlayer& record);
    void Delete(const QString& key);
    int Next();                     // moves Cursor, returns it

    CPlayer& Current() { return Player[Cursor]; }
};

extern CPlayerDB Player_DB;
extern CPlayer Player_Buf;

// Reconstructs Player_DB and Player_Buf for the current program folder (start-up and tests).
void Construct_Player_DB();
