#include "model/Season_standings.h"
#include "model/Money.h"

#include "model/Tourney.h"
#include "platform/Profile.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"
#include "platform/Velmora_error.h"

#include "model/Player_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>
#include <algorithm>
#include <map>
#include <set>
#include <cstring>
#include <sys/stat.h>
#include <time.h>

namespace {

struct Stored_Entries {
    QStringList keys;
    QVector<int> places;
};

// The named entries of an entry file's records; a name that comes twice
// counts once (its first record).
Stored_Entries Entries_Of(const Record_read& read)
{
    Stored_Entries out;
    std::set<QString> seen;
    for (int i = 0; i < read.count; ++i) {
        CTourneyPlayer entry;
        std::memcpy(&entry, read.bytes.constData() + i * sizeof(CTourneyPlayer), sizeof entry);
        const QString key = CTourney::Entry_Name(entry);
        if (key.isEmpty() || !seen.insert(key).second)
            continue;
        out.keys << key;
        out.places << entry.Place;
    }
    out.places = Resolved_Places(out.places);
    return out;
}

Record_read Read_Entry_File(const QString& path)
{
    return Read_Records(path, sizeof(CTourneyPlayer), Max_Entries);
}

bool Ranks_Before(const Standing& a, const Standing& b)
{
    if (a.points != b.points)
        return a.points > b.points;
    if (a.wins != b.wins)
        return a.wins > b.wins;
    if (a.best != b.best)
        return a.best < b.best;
    return a.evenings < b.evenings;
}

void Add_Result(Standing& s, const Evening_Result& r, int field)
{
    s.record << r;
    s.points += r.points;
    ++s.evenings;
    s.wins += r.place == 1 ? 1 : 0;
    s.final_tables += r.place <= std::min(Final_Table_Places, field) ? 1 : 0;
    s.in_money += r.winnings > 0 ? 1 : 0;
    // Added in cents: a season's winnings stay exact.
    s.winnings = Money_Amount::Of_Cents(Money_Amount::Nearest(s.winnings).Cents() + Money_Amount::Nearest(r.winnings).Cents()).Value();
    s.bounties += r.bounties;
    s.bounty_money += r.bounty_money;
    s.best = s.best == 0 ? r.place : std::min(s.best, r.place);
}

// What one stat of a file tells: enough to see that it changed.
struct File_Stamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modified_ns = 0;
    quint64 inode = 0; // an atomic write puts a new file in place
    bool operator==(const File_Stamp&) const = default;
};

File_Stamp Stamp_Of(const QString& path)
{
    File_Stamp stamp;
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = static_cast<qint64>(st.st_size);
    stamp.modified_ns = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.inode = static_cast<quint64>(st.st_ino);
    return stamp;
}

qint64 Now_Ns()
{
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// File times move in steps: a file written again within a step of its last
// writing can keep its time and size. The coarsest in use (FAT, on a memory
// stick) is 2 s; what was read is kept only when the files are older than a
// step, so any later writing shows.
constexpr qint64 Time_Step_Ns = 2500 * 1000000LL;

// The evenings read, by entry file path, while both files stay as they were.
struct Kept_Evening {
    File_Stamp plr, trn;
    Evening evening;  // tourney name and date are the season's, set on use
    QString problem;
};

constexpr int Most_Kept_Evenings = 4000;
QMutex kept_lock;
QHash<QString, Kept_Evening>& Kept()
{
    static QHash<QString, Kept_Evening> kept;
    return kept;
}

// The keys of the evenings as numbers, with the person of each: every key
// is hashed once per entry, and everything after counts by number.
struct Key_Numbers {
    QVector<QString> keys;         // number -> key
    QVector<int> person;           // key number -> person number
    QVector<QVector<int>> entries; // evening, entry -> key number
    int persons = 0;

    explicit Key_Numbers(const QVector<Evening>& evenings)
    {
        QHash<QString, int> key_number, person_number;
        entries.resize(evenings.size());
        for (int ev = 0; ev < evenings.size(); ++ev) {
            const QVector<Evening_Entry>& list = evenings[ev].entries;
            entries[ev].reserve(list.size());
            for (const Evening_Entry& entry : list) {
                auto it = key_number.constFind(entry.key);
                if (it == key_number.constEnd()) {
                    it = key_number.insert(entry.key, static_cast<int>(keys.size()));
                    keys << entry.key;
                    const QString of = Person_Of(entry.key);
                    auto p = person_number.constFind(of);
                    if (p == person_number.constEnd())
                        p = person_number.insert(of, persons++);
                    person << *p;
                }
                entries[ev] << *it;
            }
        }
    }
};

// The persons of whom two spellings played the same evening: their keys
// count apart.
QVector<bool> Split_Persons(const Key_Numbers& numbers)
{
    QVector<bool> split(numbers.persons, false);
    QVector<int> spelling(numbers.persons, -1), seen_on(numbers.persons, -1);
    for (int ev = 0; ev < numbers.entries.size(); ++ev)
        for (const int key : numbers.entries[ev]) {
            const int p = numbers.person[key];
            if (seen_on[p] != ev) {
                seen_on[p] = ev;
                spelling[p] = key;
            } else if (spelling[p] != key) {
                split[p] = true;
            }
        }
    return split;
}

} // namespace

QVector<int> Resolved_Places(const QVector<int>& stored)
{
    const int n = static_cast<int>(stored.size());
    int still_in = 0;
    for (int p : stored)
        still_in += (p < 1 || p > n) ? 1 : 0;
    QVector<int> places = stored;
    for (int& p : places)
        if (p < 1 || p > n)
            p = still_in;
    return places;
}

namespace {

QString Read_Evening_Files(const Season_Tourney& tourney, Evening& evening)
{
    evening = Evening();
    evening.tourney = tourney.name;
    evening.date = tourney.date;
    const QString path = Tourney_File_Path(tourney.name, QStringLiteral(".plr"));
    Record_read read;
    try {
        read = Read_Entry_File(path);
    } catch (const Velmora_Error& e) {
        return e.text();
    }
    if (!read.ok)
        return QStringLiteral("there is no entry file %1 in the data folder").arg(QFileInfo(path).fileName());
    // A file shorter than one entry (a note under that name) holds none.
    if (!Looks_Like_Entries(read.bytes, read.count) || (read.count == 0 && QFileInfo(path).size() > 0))
        return QStringLiteral("%1 in the data folder is not an entry file of a tournament").arg(QFileInfo(path).fileName());
    const Stored_Entries stored = Entries_Of(read);
    evening.field = static_cast<int>(stored.keys.size());
    evening.entries.resize(evening.field);
    for (int i = 0; i < evening.field; ++i) {
        evening.entries[i].key = stored.keys[i];
        evening.entries[i].place = stored.places[i];
    }
    Read_Evening_Money(tourney.name, evening);
    return QString();
}

} // namespace

QString Read_Evening(const Season_Tourney& tourney, Evening& evening)
{
    const QString plr = Tourney_File_Path(tourney.name, QStringLiteral(".plr"));
    const File_Stamp plr_stamp = Stamp_Of(plr);
    const File_Stamp trn_stamp = Stamp_Of(Tourney_File_Path(tourney.name, QStringLiteral(".trn")));
    {
        const QMutexLocker lock(&kept_lock);
        const auto it = Kept().constFind(plr);
        if (plr_stamp.exists && it != Kept().constEnd() && it->plr == plr_stamp && it->trn == trn_stamp) {
            evening = it->evening;
            evening.tourney = tourney.name;
            evening.date = tourney.date;
            return it->problem.isEmpty() ? QString() : tourney.name + QStringLiteral(": ") + it->problem;
        }
    }
    const QString problem = Read_Evening_Files(tourney, evening);
    // Kept only when neither file changed while it was read, and both are
    // old enough that a change would show in their times.
    const qint64 settled = Now_Ns() - Time_Step_Ns;
    if (plr_stamp.exists && plr_stamp.modified_ns < settled && trn_stamp.modified_ns < settled &&
        Stamp_Of(plr) == plr_stamp && Stamp_Of(Tourney_File_Path(tourney.name, QStringLiteral(".trn"))) == trn_stamp) {
        const QMutexLocker lock(&kept_lock);
        if (Kept().size() >= Most_Kept_Evenings)
            Kept().clear();
        Kept().insert(plr, Kept_Evening{plr_stamp, trn_stamp, evening, problem});
    }
    return problem.isEmpty() ? QString() : tourney.name + QStringLiteral(": ") + problem;
}

void Read_Evening_Money(const QString& tourney, Evening& evening)
{
    const QString trn_path = Tourney_File_Path(tourney, QStringLiteral(".trn"));
    const Profile trn(trn_path);
    // One pool for the whole evening: the tournament's own, exact to the
    // cent (with "Pool from entries", what the entries paid), split as the
    // places are paid: rounded to the unit, the rest to first.
    CTourney t;
    t.Prize_Total = trn.Read_Float("Prizes", "Total", 0);
    for (int k = 0; k < Prize_Count; ++k)
        t.Prize[k] = trn.Read_Float("Prizes", QStringLiteral("Prize %1").arg(k).toLatin1().constData(), 0);
    // Knock-outs count also without amounts: any money data is read.
    const bool money = !(Read_Money_Settings(trn) == Money_Settings()) || !trn.Keys("Money Entries").isEmpty();
    if (money)
        Read_Tourney_Money(trn_path, trn, t);
    else
        Read_Money(trn, t);
    const QVector<Money_Amount> rounded = Rounded_Payouts(t);
    const bool pool = Pool_Of(t) > Money_Amount();
    const QHash<QString, Entry_Result> results = money ? Tourney_Entry_Results(t) : QHash<QString, Entry_Result>();
    for (Evening_Entry& e : evening.entries) {
        Money_Amount won = pool && e.place >= 1 && e.place <= Prize_Count ? rounded[e.place - 1] : Money_Amount();
        e.bounties = 0;
        e.bounty_money = 0;
        const auto it = results.constFind(e.key);
        if (it != results.constEnd()) {
            e.bounties = it->Bounties_Won;
            e.bounty_money = it->Bounty_Money.Value();
            const Entry_Money m = t.Money.Of(e.key);
            // A deal counts whoever made it; the last one in has what was kept on top.
            if (m.Has_Deal())
                won = m.Deal + (e.place == 1 ? t.Money.Settings.Deal_Kept : Money_Amount());
            else if (it->Place != 0)
                won = it->Prize;
        }
        e.winnings = won.Value();
    }
}

QVector<Standing> Rank_Players(const QVector<Evening>& evenings, const Points_Rule& rule)
{
    const Key_Numbers numbers(evenings);
    const QVector<bool> split = Split_Persons(numbers);
    QVector<Standing> rows;
    QVector<QDate> spelled_on; // the date of each row's key
    // The row of a person, or of a key for a person whose keys count apart.
    QVector<int> row_of_person(numbers.persons, -1), row_of_key(numbers.keys.size(), -1);
    for (int ev = 0; ev < evenings.size(); ++ev) {
        const Evening& e = evenings[ev];
        for (int i = 0; i < e.entries.size(); ++i) {
            const Evening_Entry& entry = e.entries[i];
            const int key = numbers.entries[ev][i];
            const int person = numbers.person[key];
            int& row_number = split[person] ? row_of_key[key] : row_of_person[person];
            if (row_number < 0) {
                row_number = static_cast<int>(rows.size());
                rows.push_back(Standing());
                rows.back().key = entry.key;
                rows.back().spellings << entry.key;
                rows.back().near_duplicate = split[person];
                spelled_on.push_back(e.date);
            }
            Standing& row = rows[row_number];
            if (entry.key != row.key) {
                if (!row.spellings.contains(entry.key))
                    row.spellings << entry.key;
                // The latest evening's spelling is the one shown.
                if (!(e.date < spelled_on[row_number]))
                    row.key = entry.key;
            }
            if (spelled_on[row_number] < e.date)
                spelled_on[row_number] = e.date;
            const Evening_Result r{ev, entry.place, rule.Points(entry.place, e.field, entry.bounties), entry.winnings,
                                   entry.bounties, entry.bounty_money};
            Add_Result(row, r, e.field);
        }
    }
    std::sort(rows.begin(), rows.end(), [](const Standing& a, const Standing& b) {
        if (Ranks_Before(a, b) || Ranks_Before(b, a))
            return Ranks_Before(a, b);
        const int by_name = a.key.compare(b.key, Qt::CaseInsensitive);
        return by_name != 0 ? by_name < 0 : a.key < b.key;
    });
    for (int i = 0; i < rows.size(); ++i)
        rows[i].rank = (i > 0 && !Ranks_Before(rows[i - 1], rows[i])) ? rows[i - 1].rank : i + 1;
    return rows;
}

void Read_Season_Evenings(const Season& season, Season_Table& table)
{
    table.evenings.clear();
    table.problems.clear();
    table.evenings.reserve(season.tourneys.size());
    QHash<QString, int> listed; // entry file -> the listing that counts
    for (int i = 0; i < season.tourneys.size(); ++i) {
        const Season_Tourney& t = season.tourneys[i];
        const QString plr = Tourney_File_Path(t.name, QStringLiteral(".plr"));
        const auto first = listed.constFind(plr);
        if (first != listed.constEnd()) {
            const Season_Tourney& counted = season.tourneys[*first];
            table.problems << QStringLiteral("%1: listed twice in the season (counted once, as %2 on %3)")
                                  .arg(t.name, counted.name, counted.date.toString(Qt::ISODate));
            continue;
        }
        listed.insert(plr, i);
        Evening evening;
        const QString problem = Read_Evening(t, evening);
        if (problem.isEmpty())
            table.evenings << std::move(evening);
        else
            table.problems << problem;
    }
}

void Forget_Read_Evenings()
{
    const QMutexLocker lock(&kept_lock);
    Kept().clear();
}

bool Looks_Like_Entries(const QByteArray& bytes, int count)
{
    for (int i = 0; i < count; ++i) {
        CTourneyPlayer entry;
        std::memcpy(&entry, bytes.constData() + static_cast<qsizetype>(i) * sizeof entry, sizeof entry);
        const auto in = [](int32_t v, int32_t low, int32_t high) { return v >= low && v <= high; };
        if (!in(entry.Place, 0, Max_Entries) || !in(entry.Table, -1000000, 1000000) || !in(entry.Seat, -1000000, 1000000))
            return false;
    }
    return true;
}

Season_Table Season_Standings(const Season& season)
{
    Season_Table table;
    Read_Season_Evenings(season, table);
    table.rows = Rank_Players(table.evenings, season.rule);
    return table;
}

bool Evening_Over(const QVector<int>& stored_places, const QVector<bool>& in_deal)
{
    const qsizetype n = stored_places.size();
    int still_in = 0, dealt = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (stored_places[i] >= 1 && stored_places[i] <= n)
            continue;
        ++still_in;
        dealt += i < in_deal.size() && in_deal[i] ? 1 : 0;
    }
    return n >= 2 && (still_in <= 1 || dealt == still_in);
}

namespace {

// Whether the evening of an entry file is over; the tournament file beside
// it is read for a deal only while more than one player is in.
bool Evening_Over_In(const QString& plr_path, const Record_read& read)
{
    QVector<int> places;
    QStringList names;
    for (int i = 0; i < read.count; ++i) {
        CTourneyPlayer entry;
        std::memcpy(&entry, read.bytes.constData() + i * sizeof(CTourneyPlayer), sizeof entry);
        const QString name = CTourney::Entry_Name(entry);
        if (name.isEmpty() || names.contains(name))
            continue;
        names << name;
        places << entry.Place;
    }
    const bool without_deal = Evening_Over(places, {});
    if (without_deal || places.size() < 2)
        return without_deal;
    const QString trn_path = Tourney_File_Path(plr_path, QStringLiteral(".trn"));
    CTourney t;
    try {
        Read_Tourney_Money(trn_path, Profile(trn_path), t);
    } catch (const Velmora_Error&) {
        return false;
    }
    QVector<bool> in_deal;
    for (const QString& name : names)
        in_deal << (t.Money.Of(name).Deal >= 0);
    return Evening_Over(places, in_deal);
}

} // namespace

Player_Record Player_Record_In_Data(const QString& key)
{
    Player_Record record;
    const QDir dir(Data_Folder());
    for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*.plr")}, QDir::Files)) {
        Record_read read;
        try {
            read = Read_Entry_File(f.filePath());
        } catch (const Velmora_Error&) {
            continue; // a file that cannot be read tells nothing
        }
        if (!Looks_Like_Entries(read.bytes, read.count))
            continue; // nor does another program's file under the name
        const Stored_Entries stored = Entries_Of(read);
        const int i = static_cast<int>(stored.keys.indexOf(key));
        if (i < 0 || !Evening_Over_In(f.filePath(), read))
            continue;
        const int place = stored.places[i];
        ++record.evenings;
        record.wins += place == 1 ? 1 : 0;
        record.best = record.best == 0 ? place : std::min(record.best, place);
    }
    return record;
}

QString Place_Text(int place)
{
    const char* suffix = "th";
    if (place % 100 < 11 || place % 100 > 13) {
        switch (place % 10) {
        case 1: suffix = "st"; break;
        case 2: suffix = "nd"; break;
        case 3: suffix = "rd"; break;
        default: break;
        }
    }
    return QString::number(place) + QLatin1String(suffix);
}

QString Player_Record_Text(const Player_Record& r)
{
    if (r.evenings == 0)
        return QStringLiteral("No evenings yet");
    return QStringLiteral("%1 %2, %3 %4, best finish %5")
        .arg(r.evenings)
        .arg(r.evenings == 1 ? QStringLiteral("evening") : QStringLiteral("evenings"))
        .arg(r.wins)
        .arg(r.wins == 1 ? QStringLiteral("win") : QStringLiteral("wins"))
        .arg(Place_Text(r.best));
}
