#include "model/Season_standings.h"
#include "model/Money.h"

#include "model/Tourney.h"
#include "platform/Profile.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"
#include "platform/Velmora_error.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <map>
#include <set>
#include <cstring>

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
    s.winnings += r.winnings;
    s.bounties += r.bounties;
    s.bounty_money += r.bounty_money;
    s.best = s.best == 0 ? r.place : std::min(s.best, r.place);
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

QString Read_Evening(const Season_Tourney& tourney, Evening& evening)
{
    evening = Evening();
    evening.tourney = tourney.name;
    evening.date = tourney.date;
    const QString path = Tourney_File_Path(tourney.name, QStringLiteral(".plr"));
    Record_read read;
    try {
        read = Read_Entry_File(path);
    } catch (const Velmora_Error& e) {
        return QStringLiteral("%1: %2").arg(tourney.name, e.text());
    }
    if (!read.ok)
        return QStringLiteral("%1: there is no entry file %2 in the data folder")
            .arg(tourney.name, QFileInfo(path).fileName());
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

void Read_Evening_Money(const QString& tourney, Evening& evening)
{
    const QString trn_path = Tourney_File_Path(tourney, QStringLiteral(".trn"));
    const Profile trn(trn_path);
    const double pool = trn.Read_Float("Prizes", "Total", 0);
    double share[Prize_Count];
    for (int k = 0; k < Prize_Count; ++k)
        share[k] = trn.Read_Float("Prizes", QStringLiteral("Prize %1").arg(k).toLatin1().constData(), 0);
    for (Evening_Entry& e : evening.entries) {
        e.winnings = (pool > 0 && e.place >= 1 && e.place <= Prize_Count) ? share[e.place - 1] * 0.01 * pool : 0;
        e.bounties = 0;
        e.bounty_money = 0;
    }
    // A tournament with money: each entry's prize as the results give it
    // (rounded to the unit, or the deal) and the bounties won.
    if (Read_Money_Settings(trn) == Money_Settings())
        return;
    CTourney t;
    Read_Tourney_Money(trn_path, trn, t);
    const QHash<QString, Entry_Result> results = Tourney_Entry_Results(t);
    t.Prize_Total = static_cast<float>(pool);
    for (int k = 0; k < Prize_Count; ++k)
        t.Prize[k] = static_cast<float>(share[k]);
    const QVector<double> rounded = Rounded_Payouts(t);
    for (Evening_Entry& e : evening.entries) {
        const auto it = results.constFind(e.key);
        if (it != results.constEnd()) {
            e.bounties = it->Bounties_Won;
            e.bounty_money = it->Bounty_Money;
        }
        // Out: the prize of the results (a deal included); still in: the
        // rounded amount of the place the season gives.
        if (it != results.constEnd() && it->Place != 0)
            e.winnings = it->Prize;
        else if (pool > 0 && e.place >= 1 && e.place <= Prize_Count)
            e.winnings = rounded[e.place - 1];
    }
}

QVector<Standing> Rank_Players(const QVector<Evening>& evenings, const Points_Rule& rule)
{
    QVector<Standing> rows;
    std::map<QString, int> row_of;
    for (int ev = 0; ev < evenings.size(); ++ev) {
        const Evening& e = evenings[ev];
        for (const Evening_Entry& entry : e.entries) {
            const auto [it, added] = row_of.try_emplace(entry.key, static_cast<int>(rows.size()));
            if (added) {
                rows.push_back(Standing());
                rows.back().key = entry.key;
            }
            const Evening_Result r{ev, entry.place, rule.Points(entry.place, e.field, entry.bounties), entry.winnings,
                                   entry.bounties, entry.bounty_money};
            Add_Result(rows[it->second], r, e.field);
        }
    }
    std::sort(rows.begin(), rows.end(), [](const Standing& a, const Standing& b) {
        if (Ranks_Before(a, b) || Ranks_Before(b, a))
            return Ranks_Before(a, b);
        return a.key.compare(b.key, Qt::CaseInsensitive) < 0;
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
    for (const Season_Tourney& t : season.tourneys) {
        Evening evening;
        const QString problem = Read_Evening(t, evening);
        if (problem.isEmpty())
            table.evenings << std::move(evening);
        else
            table.problems << problem;
    }
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
