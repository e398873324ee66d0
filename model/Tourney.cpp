#include "model/Tourney.h"

#include "platform/Profile.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"
#include "platform/Velmora_error.h"

#include <QByteArray>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const Setup = "Setup";
const char* const Players_Section = "Players";
const char* const Chips_Section = "Chips";
const char* const Prizes = "Prizes";

const char* const Ordinal[Chip_Count] = {"First", "Second", "Third", "Fourth", "Fifth"};
const char* const Chip_Picture[Chip_Count] = {"white_chipsm.jpg", "red_chipsm.jpg", "blue_chipsm.jpg",
                                              "green_chipsm.jpg", "black_chipsm.jpg"};

// What a tournament file without these keys gives.
const int32_t Default_SB[Level_Count] = {5,   10,  20,  25,  40,   50,   75,   100,  150,  200,
                                         300, 400, 500, 750, 1000, 2000, 3000, 4000, 5000, 7500};
const int32_t Default_BB[Level_Count] = {10,  20,  40,   50,   80,   100,  150,  200,   300,   400,
                                         600, 800, 1000, 1500, 2000, 4000, 6000, 8000, 10000, 15000};
const int32_t Default_Value[Chip_Count] = {5, 10, 25, 50, 100};

std::string Key(const char* format, int n)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, format, n);
    return buf;
}

std::string Chip_Key(int k, const char* suffix) { return std::string(Ordinal[k]) + suffix; }

// The program folder ends in '/' already; the stored default keeps the second one.
QString Default_Chip_Path(int k)
{
    return Program_Folder() + QLatin1Char('/') + QLatin1String(Chip_Picture[k]);
}

size_t Name_Length(const CTourneyPlayer& entry) { return strnlen(entry.Name, Entry_Name_Size); }

void Free_Entry(CTourneyPlayer& entry) { std::memset(&entry, 0, sizeof entry); }

// The entries the entry file will hold: those before the first free slot.
int32_t Entries_In_Use(const CTourneyPlayer (&players)[Max_Entries])
{
    int32_t count = 0;
    while (count < Max_Entries && players[count].Name[0] != '\0')
        ++count;
    return count;
}

// Table and seat numbers of a damaged file are kept within a range where the
// seating code's one-up and one-down arithmetic cannot overflow; numbers that
// far out still name no table and no seat.
constexpr int32_t Seating_Number_Limit = 1000000;

int32_t Seating_Number(int32_t stored) { return std::clamp(stored, -Seating_Number_Limit, Seating_Number_Limit); }

} // namespace

// Remembers the entries, Total, Out and the append position; unless dismissed,
// puts them back when it goes (an entry file that could not be written leaves
// the record as it was).
class Entries_Undo {
public:
    explicit Entries_Undo(CTourney& t)
        : t_(t), total_(t.Total), out_(t.Out), append_(t.Append_Pos)
    {
        std::memcpy(players_, t.Players, sizeof players_);
    }
    ~Entries_Undo()
    {
        if (!armed_)
            return;
        std::memcpy(t_.Players, players_, sizeof players_);
        t_.Total = total_;
        t_.Out = out_;
        t_.Append_Pos = append_;
    }
    Entries_Undo(const Entries_Undo&) = delete;
    Entries_Undo& operator=(const Entries_Undo&) = delete;
    void Dismiss() { armed_ = false; }

private:
    CTourney& t_;
    CTourneyPlayer players_[Max_Entries];
    int32_t total_;
    int32_t out_;
    int append_;
    bool armed_ = true;
};

QString Tourney_File_Path(const QString& name, const QString& extension)
{
    QString file = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    int dot = file.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        file.truncate(dot);
    return Data_Folder() + file + extension;
}

bool Level_Clock::Tick()
{
    if (Seconds > 0) {
        --Seconds;
        return false;
    }
    if (Minutes == 0) {
        Paused = 1;
        return true;
    }
    --Minutes;
    Seconds = 59;
    return false;
}

CTourney::CTourney() : Name(QStringLiteral("Default"))
{
    Set_Paths(Name);
    for (CTourneyPlayer& entry : Players)
        Free_Entry(entry);
    for (int i = 0; i < Level_Count; ++i) {
        Blinds[i].BB = 10 * (i + 1);
        Blinds[i].SB = 5 * (i + 1);
    }
    for (int k = 0; k < Chip_Count; ++k)
        Chips[k].Value = 5 * (k + 1);
}

void CTourney::Set_Paths(const QString& name)
{
    Trn_Path = Tourney_File_Path(name, QStringLiteral(".trn"));
    Plr_Path = Tourney_File_Path(name, QStringLiteral(".plr"));
}

void CTourney::Load_File(const QString& name)
{
    Set_Paths(name);
    Profile ini(Trn_Path);
    Name = name;

    // A level lasts 1 to 59 minutes; a stored length outside that is read as
    // the nearest end (0 would end a level every second, and the countdown
    // holds minutes in a byte).
    Time = std::clamp(ini.Read_Int(Setup, "Time", 20), Min_Level_Minutes, Max_Level_Minutes);
    for (int k = 0; k < Level_Count; ++k) {
        Blinds[k].SB = ini.Read_Int(Setup, Key("SB%d", k).c_str(), Default_SB[k]);
        Blinds[k].BB = ini.Read_Int(Setup, Key("BB%d", k).c_str(), Default_BB[k]);
    }
    Total = ini.Read_Int(Players_Section, "Total", 0);
    Out = ini.Read_Int(Players_Section, "Out", Total);
    for (int k = 0; k < Chip_Count; ++k)
        Chips[k].Active = ini.Read_Bool(Chips_Section, Ordinal[k], false);
    for (int k = 0; k < Chip_Count; ++k)
        Chips[k].Value = ini.Read_Int(Chips_Section, Chip_Key(k, " Value").c_str(), Default_Value[k]);
    for (int k = 0; k < Chip_Count; ++k)
        Chips[k].Quanity = ini.Read_Int(Chips_Section, Chip_Key(k, " Quanity").c_str(), 0);
    for (int k = 0; k < Chip_Count; ++k)
        Chips[k].Path = ini.Read_String(Chips_Section, Chip_Key(k, " Path").c_str(), Default_Chip_Path(k));
    Prize_Total = ini.Read_Float(Prizes, "Total", 0);
    Sound = ini.Read_String(Setup, "Sound", QString());
    Warning = ini.Read_String(Setup, "Warning", QString());
    for (int i = 0; i < Prize_Count; ++i)
        Prize[i] = ini.Read_Float(Prizes, Key("Prize %d", i).c_str(), 0);
    Load_Notice = Structure.Read(ini);

    // The stored Total only served as the default of Out: the entry file counts.
    Read_Entries();

    // Out is the number of entries still in; a file that disagrees (written
    // without a Players section, or after a crash between a knock-out and the
    // next save) would hand out a place that is taken, or none at all.
    int32_t still_in = 0;
    for (int i = 0; i < Total; ++i)
        if (Players[i].Place == 0)
            ++still_in;
    Out = still_in;
    Read_Money(ini, *this);
}

void CTourney::Save_File(const QString& name)
{
    Set_Paths(name);
    Set_Pool(*this, Pool_Of(*this)); // Prize_Total set on its own wins over the exact pool
    Keep_Pool(*this); // entries came or went since the pool was last kept
    {
        Profile ini(Trn_Path);
        ini.Write_Int(Setup, "Time", Time);
        for (int k = 0; k < Level_Count; ++k) {
            ini.Write_Int(Setup, Key("SB%d", k).c_str(), Blinds[k].SB);
            ini.Write_Int(Setup, Key("BB%d", k).c_str(), Blinds[k].BB);
        }
        ini.Write_Int(Players_Section, "Total", Total);
        ini.Write_Int(Players_Section, "Out", Out);
        for (int k = 0; k < Chip_Count; ++k)
            ini.Write_Bool(Chips_Section, Ordinal[k], Chips[k].Active);
        for (int k = 0; k < Chip_Count; ++k)
            ini.Write_Int(Chips_Section, Chip_Key(k, " Value").c_str(), Chips[k].Value);
        for (int k = 0; k < Chip_Count; ++k)
            ini.Write_Int(Chips_Section, Chip_Key(k, " Quanity").c_str(), Chips[k].Quanity);
        ini.Write_Float(Prizes, "Total", Prize_Total);
        for (int k = 0; k < Chip_Count; ++k)
            ini.Write_String(Chips_Section, Chip_Key(k, " Path").c_str(), Chips[k].Path);
        ini.Write_String(Setup, "Sound", Sound);
        ini.Write_String(Setup, "Warning", Warning);
        for (int i = 0; i < Prize_Count; ++i)
            ini.Write_Float(Prizes, Key("Prize %d", i).c_str(), Prize[i]);
        Write_Money(ini, *this);
        Structure.Write(ini);
        ini.Flush();
    }
    Write_Entries();
}

int CTourney::Read_Entries()
{
    Record_read read;
    try {
        read = Read_Records(Plr_Path, sizeof(CTourneyPlayer), Max_Entries);
    } catch (...) {
        // Entries of another tournament must not stand in for these.
        for (CTourneyPlayer& entry : Players)
            Free_Entry(entry);
        Total = 0;
        Append_Pos = 0;
        throw;
    }
    int count = 0;
    for (int i = 0; i < (read.ok ? read.count : 0); ++i) {
        CTourneyPlayer& entry = Players[count];
        std::memcpy(&entry, read.bytes.constData() + static_cast<qsizetype>(i) * sizeof entry, sizeof entry);
        entry.Name[Entry_Name_Size - 1] = '\0'; // a name without its NUL keeps 19 characters
        entry.Table = Seating_Number(entry.Table);
        entry.Seat = Seating_Number(entry.Seat);
        // A record without a name would end the list at the next write and
        // take every entry after it along: it is skipped.
        if (entry.Name[0] != '\0')
            ++count;
    }
    // Slots after the file's records are freed: entries left from another
    // tournament loaded into this record would otherwise be written into this
    // one's entry file by the next Enter_Player.
    for (int i = count; i < Max_Entries; ++i)
        Free_Entry(Players[i]);
    Total = count;
    Append_Pos = count;
    return count;
}

void CTourney::Write_Entries()
{
    QByteArray bytes;
    bytes.reserve(Max_Entries * static_cast<int>(sizeof(CTourneyPlayer)));
    for (const CTourneyPlayer& entry : Players) {
        size_t length = Name_Length(entry);
        if (length == 0)
            break;
        CTourneyPlayer record;
        Free_Entry(record);
        std::memcpy(record.Name, entry.Name, std::min(length, size_t(Entry_Name_Size - 1)));
        record.Table = entry.Table;
        record.Seat = entry.Seat;
        record.Place = entry.Place;
        bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    }
    Write_Record_File(Plr_Path, bytes);
}

int CTourney::Find_Entry(const QString& name) const
{
    QByteArray bytes = name.toLatin1();
    // An empty name marks a free slot, and a name the entries cannot hold
    // names nobody.
    if (bytes.isEmpty() || bytes.size() >= Entry_Name_Size || QString::fromLatin1(bytes) != name)
        return -1;
    for (int i = 0; i < Max_Entries; ++i) {
        size_t length = Name_Length(Players[i]);
        if (length == static_cast<size_t>(bytes.size()) && std::memcmp(Players[i].Name, bytes.constData(), length) == 0)
            return i;
    }
    return -1;
}

QString CTourney::Entry_Name(const CTourneyPlayer& entry)
{
    return QString::fromLatin1(entry.Name, static_cast<qsizetype>(Name_Length(entry)));
}

int32_t CTourney::Enter_Player(const QString& name)
{
    QByteArray bytes = name.toLatin1();
    if (Append_Pos >= Max_Entries)
        throw Velmora_Error(
            QStringLiteral("Cannot enter %1: the tournament already holds %2 players.").arg(name).arg(Max_Entries));
    if (bytes.size() >= Entry_Name_Size)
        throw Velmora_Error(
            QStringLiteral("Cannot enter %1: a player's name in a tournament holds at most %2 characters.")
                .arg(name)
                .arg(Entry_Name_Size - 1));
    if (bytes.isEmpty())
        throw Velmora_Error("Cannot enter a player without a name.");

    Entries_Undo undo(*this);
    CTourneyPlayer& entry = Players[Append_Pos];
    Free_Entry(entry);
    std::memcpy(entry.Name, bytes.constData(), static_cast<size_t>(bytes.size()));
    ++Append_Pos;

    // The newcomer pushes everybody who is already out one place down. The
    // places are renumbered before the entry file is written, so the file
    // holds them at once (a reload before the next save reads them).
    const int32_t total = Entries_In_Use(Players);
    for (int i = 0; i < total; ++i)
        if (Players[i].Place != 0)
            ++Players[i].Place;
    int32_t before = Out;
    if (Out < total)
        ++Out;

    Write_Entries();
    undo.Dismiss();
    Read_Entries();
    return before;
}

int32_t CTourney::Withdraw_Player(const QString& name)
{
    Entries_Undo undo(*this);
    int slot = Find_Entry(name);
    if (slot >= 0) {
        const int32_t place = Players[slot].Place;
        if (place != 0)
            ++Out;
        for (int i = slot; i + 1 < Max_Entries; ++i)
            Players[i] = Players[i + 1];
        Free_Entry(Players[Max_Entries - 1]);
        // Those who went out before him move one place up, before the entry
        // file is written: it holds the new places at once.
        const int32_t total = Entries_In_Use(Players);
        for (int i = 0; i < total; ++i)
            if (Players[i].Place > place && Players[i].Place > 0)
                --Players[i].Place;
        if (Out != 0)
            --Out;
    }

    Write_Entries();
    undo.Dismiss();
    Money.Forget(name);
    Read_Entries();
    return Total;
}

void CTourney::Set_Out(const QString& name)
{
    int slot = Find_Entry(name);
    if (slot < 0 || Players[slot].Place != 0)
        return;
    Entries_Undo undo(*this);
    Players[slot].Place = Out;
    --Out;
    Write_Entries();
    undo.Dismiss();
}

void CTourney::Set_In(const QString& name)
{
    int slot = Find_Entry(name);
    if (slot < 0 || Players[slot].Place == 0)
        return;
    Entries_Undo undo(*this);
    int32_t place = Players[slot].Place;
    Players[slot].Place = 0;
    // Those who went out after him move one place down.
    for (CTourneyPlayer& entry : Players)
        if (entry.Place > 0 && entry.Place < place)
            ++entry.Place;
    ++Out;
    Write_Entries();
    undo.Dismiss();
    Money.Back_In(name);
}
