// The player database file: whatever it holds, loading does not crash, every
// player in the table can be stored, and a save and a second load give the
// same table.
#include "Fuzz_support.h"

#include "model/Player.h"

#include <cstring>

namespace {

bool Same_Player(const CPlayer& a, const CPlayer& b)
{
    return a.Number == b.Number && a.Empty == b.Empty && a.Key() == b.Key() &&
           Field_Text(a.Aka, Player_Text_Size) == Field_Text(b.Aka, Player_Text_Size) &&
           Field_Text(a.Phone, Player_Text_Size) == Field_Text(b.Phone, Player_Text_Size) &&
           Field_Text(a.Cell, Player_Text_Size) == Field_Text(b.Cell, Player_Text_Size) &&
           a.Reserved1 == b.Reserved1 && a.Reserved2 == b.Reserved2;
}

void Check_Loaded(CPlayerDB& db)
{
    FUZZ_CHECK(db.Count >= 0 && db.Count <= Max_Players);
    for (int i = 0; i < Max_Players; ++i) {
        const CPlayer& p = db.Player[i];
        FUZZ_CHECK((p.First[0] != '\0') == (i < db.Count));
        for (const char* field : {p.First, p.Last, p.Aka, p.Phone, p.Cell})
            FUZZ_CHECK(std::memchr(field, '\0', Player_Text_Size) != nullptr);
        if (i < db.Count) {
            // Find gives the first player with this key.
            const int found = db.Find(p.Key());
            FUZZ_CHECK(found <= i && db.Player[found].Key() == p.Key());
        }
    }
    // A walk over the table visits the stored players only and ends.
    db.Cursor = 0;
    for (int steps = 0; db.Current().Empty == 0 && steps <= Max_Players; ++steps) {
        FUZZ_CHECK(db.Cursor < db.Count);
        if (db.Next() == 0)
            break;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz_Set_Up();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CPlayerDB first;
    Fuzz_Put_File(first.Path, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    first.Load();
    Check_Loaded(first);
    first.Save();

    CPlayerDB second;
    second.Load();
    Check_Loaded(second);
    FUZZ_CHECK(first.Count == second.Count);
    for (int i = 0; i < Max_Players; ++i)
        FUZZ_CHECK(Same_Player(first.Player[i], second.Player[i]));
    return 0;
}
