// The tournament file and its entry file together: whatever they hold, loading
// does not crash, and what a load gives is what a save and a second load give,
// the money sections, each entry's counts and the structure section (antes,
// lengths, breaks) included.
// Input: two bytes (little-endian) giving the length of the tournament file's
// text, that text, then the entry file's bytes.
#include "Fuzz_support.h"

#include "model/Tourney.h"

#include <cstring>

namespace {

bool Same_Float(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool Same_Entry(const CTourneyPlayer& a, const CTourneyPlayer& b)
{
    return CTourney::Entry_Name(a) == CTourney::Entry_Name(b) && a.Table == b.Table && a.Seat == b.Seat &&
           a.Place == b.Place;
}

void Check_Same(const CTourney& a, const CTourney& b)
{
    FUZZ_CHECK(a.Time == b.Time);
    for (int k = 0; k < Level_Count; ++k)
        FUZZ_CHECK(a.Blinds[k].SB == b.Blinds[k].SB && a.Blinds[k].BB == b.Blinds[k].BB);
    FUZZ_CHECK(a.Total == b.Total);
    FUZZ_CHECK(a.Out == b.Out);
    for (int k = 0; k < Chip_Count; ++k) {
        FUZZ_CHECK(a.Chips[k].Active == b.Chips[k].Active);
        FUZZ_CHECK(a.Chips[k].Value == b.Chips[k].Value);
        FUZZ_CHECK(a.Chips[k].Quanity == b.Chips[k].Quanity);
        FUZZ_CHECK(a.Chips[k].Path == b.Chips[k].Path);
    }
    FUZZ_CHECK(Same_Float(a.Prize_Total, b.Prize_Total));
    for (int i = 0; i < Prize_Count; ++i)
        FUZZ_CHECK(Same_Float(a.Prize[i], b.Prize[i]));
    FUZZ_CHECK(a.Sound == b.Sound);
    FUZZ_CHECK(a.Warning == b.Warning);
    for (int i = 0; i < Max_Entries; ++i)
        FUZZ_CHECK(Same_Entry(a.Players[i], b.Players[i]));
    // The money sections: settings, and every entry's counts by its name.
    FUZZ_CHECK(a.Money.Settings == b.Money.Settings);
    for (int i = 0; i < a.Total; ++i) {
        const QString name = CTourney::Entry_Name(a.Players[i]);
        FUZZ_CHECK(a.Money.Of(name) == b.Money.Of(name));
    }
    FUZZ_CHECK(a.Structure == b.Structure);
}

// The structure section keeps every value in its range.
void Check_Structure(const CStructure& s)
{
    for (int k = 0; k < Structure_Levels; ++k) {
        const Level_Extra& e = s.Levels[k];
        FUZZ_CHECK(e.Ante >= 0);
        FUZZ_CHECK(e.Minutes == 0 || (e.Minutes >= Min_Level_Minutes && e.Minutes <= Max_Level_Minutes));
        FUZZ_CHECK(e.Break_Minutes >= 0 && e.Break_Minutes <= Max_Break_Minutes);
        FUZZ_CHECK(e.Break_Minutes > 0 || e.Break_Note.isEmpty());
    }
    FUZZ_CHECK(s.Levels[Structure_Levels - 1].Break_Minutes == 0);
}

// What loading promises whatever the files held.
void Check_Loaded(const CTourney& t)
{
    FUZZ_CHECK(t.Time >= Min_Level_Minutes && t.Time <= Max_Level_Minutes);
    FUZZ_CHECK(t.Total >= 0 && t.Total <= Max_Entries);
    int still_in = 0;
    for (int i = 0; i < Max_Entries; ++i) {
        const bool used = t.Players[i].Name[0] != '\0';
        FUZZ_CHECK(used == (i < t.Total)); // no gaps: the next save keeps every entry
        FUZZ_CHECK(std::memchr(t.Players[i].Name, '\0', Entry_Name_Size) != nullptr);
        if (used && t.Players[i].Place == 0)
            ++still_in;
    }
    FUZZ_CHECK(t.Out == still_in);
    // Money is kept only for entries, and a bounty only by another entry.
    for (auto it = t.Money.Entries.cbegin(); it != t.Money.Entries.cend(); ++it) {
        FUZZ_CHECK(t.Find_Entry(QString::fromLatin1(it.key())) >= 0);
        FUZZ_CHECK(it->Rebuys >= 0 && it->Addons >= 0);
        FUZZ_CHECK(it->Knocked_Out_By.isEmpty() || (it->Knocked_Out_By != it.key()
                                                     && t.Find_Entry(QString::fromLatin1(it->Knocked_Out_By)) >= 0));
    }
    if (t.Money.Settings.Pool_From_Entries)
        FUZZ_CHECK(Pool_Of(t) == Pool_From_Entries(t));
    Check_Structure(t.Structure);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz_Set_Up();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t trn_size = std::min<size_t>(data[0] | (data[1] << 8), size - 2);
    const char* bytes = reinterpret_cast<const char*>(data) + 2;
    const QByteArray trn(bytes, static_cast<qsizetype>(trn_size));
    const QByteArray plr(bytes + trn_size, static_cast<qsizetype>(size - 2 - trn_size));

    const QString name = QStringLiteral("Fuzz.trn");
    Fuzz_Put_File(Tourney_File_Path(name, QStringLiteral(".trn")), trn);
    Fuzz_Put_File(Tourney_File_Path(name, QStringLiteral(".plr")), plr);

    CTourney first;
    first.Load_File(name);
    Check_Loaded(first);
    first.Save_File(name);

    CTourney second;
    second.Load_File(name);
    Check_Loaded(second);
    Check_Same(first, second);

    // Saving what was read back keeps the entry file byte for byte and reads
    // back the same again. (Lines of the tournament file that are no INI at
    // all are kept as the INI layer sees fit, so its bytes may still move.)
    const QByteArray plr_saved = [&] {
        QFile f(first.Plr_Path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
    }();
    second.Save_File(name);
    QFile plr_again(first.Plr_Path);
    FUZZ_CHECK(plr_again.open(QIODevice::ReadOnly) && plr_again.readAll() == plr_saved);
    CTourney third;
    third.Load_File(name);
    Check_Same(second, third);
    return 0;
}
