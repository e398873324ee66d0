#include "model/Player.h"

#include "platform/Program_folder.h"
#include "platform/Record_file.h"
#include "platform/Velmora_error.h"

#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstring>

CPlayerDB Player_DB;
CPlayer Player_Buf;

void Construct_Player_DB()
{
    Player_DB = CPlayerDB();
    Player_Buf = CPlayer();
}

namespace {

size_t Text_Length(const char* field, int size) { return strnlen(field, static_cast<size_t>(size)); }

bool Text_Equals(const char* field, const char* text, size_t length)
{
    return Text_Length(field, Player_Text_Size) == length && std::memcmp(field, text, length) == 0;
}

// A text read from the file keeps at most 19 characters and its NUL.
void Terminate(char* field) { field[Player_Text_Size - 1] = '\0'; }

// The record as the file holds it: everything after each text's NUL, and the
// alignment bytes, are zero.
void Append_Record(QByteArray& bytes, const CPlayer& player)
{
    char image[sizeof(CPlayer)] = {};
    auto put_text = [&](size_t offset, const char* field) {
        std::memcpy(image + offset, field, std::min(Text_Length(field, Player_Text_Size), size_t(Player_Text_Size - 1)));
    };
    std::memcpy(image + offsetof(CPlayer, Number), &player.Number, sizeof player.Number);
    image[offsetof(CPlayer, Empty)] = static_cast<char>(player.Empty);
    put_text(offsetof(CPlayer, First), player.First);
    put_text(offsetof(CPlayer, Last), player.Last);
    put_text(offsetof(CPlayer, Aka), player.Aka);
    put_text(offsetof(CPlayer, Phone), player.Phone);
    put_text(offsetof(CPlayer, Cell), player.Cell);
    std::memcpy(image + offsetof(CPlayer, Reserved1), &player.Reserved1, sizeof player.Reserved1);
    std::memcpy(image + offsetof(CPlayer, Reserved2), &player.Reserved2, sizeof player.Reserved2);
    bytes.append(image, sizeof image);
}

} // namespace

void Set_Field(char* field, int size, const QString& text)
{
    if (size <= 0)
        return;
    std::memset(field, 0, static_cast<size_t>(size));
    QByteArray bytes = text.toLatin1();
    std::memcpy(field, bytes.constData(), static_cast<size_t>(std::min<qsizetype>(bytes.size(), size - 1)));
}

QString Field_Text(const char* field, int size)
{
    return QString::fromLatin1(field, static_cast<qsizetype>(Text_Length(field, size)));
}

QString CPlayer::Key() const
{
    return Field_Text(First, Player_Text_Size) + QLatin1Char(',') + Field_Text(Last, Player_Text_Size);
}

CPlayerDB::CPlayerDB(const QString& file_name) : Path(Data_Folder() + file_name) {}

void CPlayerDB::Load()
{
    Record_read read = Read_Records(Path, sizeof(CPlayer), Max_Players);
    if (read.ok) {
        int count = 0;
        for (int i = 0; i < read.count; ++i) {
            CPlayer& player = Player[count];
            std::memcpy(static_cast<void*>(&player), read.bytes.constData() + static_cast<qsizetype>(i) * sizeof player,
                        sizeof player);
            Terminate(player.First);
            Terminate(player.Last);
            Terminate(player.Aka);
            Terminate(player.Phone);
            Terminate(player.Cell);
            // Every record the file holds is a player: a damaged "free" mark
            // would end every walk through the table at this record.
            player.Empty = 0;
            // A record without a first name would end the list at the next
            // save and take every player after it along: it is skipped.
            if (player.First[0] != '\0')
                ++count;
        }
        // The table mirrors the file: a slot the file no longer fills is free,
        // so no walk meets a player who is not stored.
        for (int i = count; i < Max_Players; ++i)
            Player[i] = CPlayer();
        Count = count;
    }
    Cursor = 0;
}

void CPlayerDB::Save()
{
    QByteArray bytes;
    bytes.reserve(Max_Players * static_cast<int>(sizeof(CPlayer)));
    for (const CPlayer& player : Player) {
        if (player.First[0] == '\0')
            break;
        Append_Record(bytes, player);
    }
    Write_Record_File(Path, bytes);
}

int CPlayerDB::Find(const QString& key)
{
    QByteArray bytes = key.toLatin1();
    if (QString::fromLatin1(bytes) != key)
        return Max_Players; // a text no record can hold
    const char* text = bytes.constData();
    // Each record splits the key after its own first name (a name may hold a comma).
    for (int i = 0; i < Max_Players; ++i) {
        size_t first = Text_Length(Player[i].First, Player_Text_Size);
        size_t last = Text_Length(Player[i].Last, Player_Text_Size);
        if (first + 1 + last != static_cast<size_t>(bytes.size()) || text[first] != ',')
            continue;
        if (Text_Equals(Player[i].First, text, first) && Text_Equals(Player[i].Last, text + first + 1, last)) {
            Cursor = i;
            return i;
        }
    }
    return Max_Players;
}

bool CPlayerDB::Add(const CPlayer& record)
{
    // Saving stops at the first record without a first name: such a player
    // would vanish, with everybody after him, at the next load.
    if (record.First[0] == '\0')
        throw Velmora_Error("Cannot add a player without a first name.");
    Load();
    if (Count >= Max_Players)
        return false;
    Player[Count] = record;
    Player[Count].Number = static_cast<uint32_t>(Count);
    Player[Count].Empty = 0;
    try {
        Save();
    } catch (...) {
        Player[Count] = CPlayer(); // not stored: the slot stays free
        throw;
    }
    ++Count;
    return true;
}

void CPlayerDB::Delete(const QString& key)
{
    int i = Find(key);
    if (i < Max_Players) {
        for (int j = i; j + 1 < Max_Players; ++j)
            Player[j] = Player[j + 1];
        Player[Max_Players - 1] = CPlayer();
    }
    try {
        Save();
    } catch (...) {
        Load(); // the file still holds the player: so does the table
        throw;
    }
    Load();
}

int CPlayerDB::Next()
{
    ++Cursor;
    // Past the free slot after the last player (or past the table) it wraps.
    if (Cursor > Count || Cursor >= Max_Players)
        Cursor = 0;
    return Cursor;
}
