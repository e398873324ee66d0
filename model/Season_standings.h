#pragma once
// The evenings of a season as the tournament files tell them, and the
// standings they give under a points rule: rank, points, evenings played,
// wins, final tables, places in the money, winnings and bounties, with each
// player's record evening by evening.
#include "model/Season.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The final table: the first ten places (all of them in a smaller field).
constexpr int Final_Table_Places = 10;

// One player's evening.
struct Evening_Entry {
    QString key;          // Player_Key, "First,Last"
    int place = 0;        // 1 = won
    double winnings = 0;  // the prize of the place, a whole number of cents
    int bounties = 0;     // bounties won
    double bounty_money = 0; // what they paid
};

struct Evening {
    QString tourney;      // the tournament's name
    QDate date;
    int field = 0;        // players entered
    QVector<Evening_Entry> entries; // in entry order
};

// Reads one tournament of the data folder: its entries and places from the
// entry file (".plr"), then its money (Read_Evening_Money). Players still in
// when the file was last written share the place the next one out would
// get (the last one in is the winner). Returns "" or the reason the evening
// cannot be counted (no entry file, a file that cannot be read, a file that
// is no entry file). While both files keep their size and time, what they
// gave is taken from memory instead.
QString Read_Evening(const Season_Tourney& tourney, Evening& evening);

// The money of an evening, the one place where it is read: each entry's
// winnings are its place's payout as the places are paid (the pool's share,
// rounded to the unit, the rest to first; exact to the cent); a tournament
// with money gives each entry's prize as its results show it (a deal, made
// by players still in or not, counts) and the knock-outs credited.
void Read_Evening_Money(const QString& tourney, Evening& evening);

// The places of the entries of one entry file's records (the Place fields in
// entry order; 0 = still in), as Read_Evening counts them.
QVector<int> Resolved_Places(const QVector<int>& stored);

struct Evening_Result {
    int evening = 0;      // index into Season_Table::evenings
    int place = 0;
    qint64 points = 0;
    double winnings = 0;
    int bounties = 0;
    double bounty_money = 0;
};

struct Standing {
    int rank = 0;         // equal for players tied on every tie-break
    QString key;          // the latest spelling of the player's key
    QStringList spellings; // every spelling the evenings used, in order of appearance
    // Another row's key differs from this one only in case or blanks: two
    // such spellings were entered in one evening, so they are two people.
    bool near_duplicate = false;
    qint64 points = 0;
    int evenings = 0;
    int wins = 0;
    int final_tables = 0;
    int in_money = 0;     // places that won a prize
    double winnings = 0;
    int bounties = 0;
    double bounty_money = 0;
    int best = 0;         // best finish
    QVector<Evening_Result> record; // in the season's order
};

struct Season_Table {
    QVector<Evening> evenings;  // the evenings that could be read
    QStringList problems;       // one line per tournament that could not
    QVector<Standing> rows;     // ranked
};

// Ranks by points; ties go to more wins, then the better best finish, then
// fewer evenings; players still level share the rank (listed by name).
// Keys that differ only in case or blanks (Person_Of) are one player, shown
// under the spelling of the latest evening, unless two of them were entered
// in the same evening: those stay apart and are marked near_duplicate.
QVector<Standing> Rank_Players(const QVector<Evening>& evenings, const Points_Rule& rule);
// Reads every tournament of the season and ranks its players.
Season_Table Season_Standings(const Season& season);
// Reads the evenings only (the dialog reranks them when the rule changes).
// A tournament listed twice counts once: the later listing goes under the
// problems. What a tournament's files gave is kept while both files keep
// their size and time, so an unchanged season is not read again; the store
// may be used from any thread.
void Read_Season_Evenings(const Season& season, Season_Table& table);
// Forgets every evening kept (benchmarks that measure the first reading).
void Forget_Read_Evenings();

// Whether the records of a ".plr" file are tournament entries: every whole
// record's table, seat and place lie in their ranges. A file that is not
// (another program's file under that name) counts nowhere.
bool Looks_Like_Entries(const QByteArray& bytes, int count);

// Whether an evening is over: at least two players entered and at most one
// still in (the winner), or a deal agreed by every player still in. in_deal
// tells, entry by entry, whether the entry has agreed an amount in a deal.
bool Evening_Over(const QVector<int>& stored_places, const QVector<bool>& in_deal);

// A player's record over every evening of the data folder that is over (a
// tournament not yet played, or still running, counts for nobody).
struct Player_Record {
    int evenings = 0;
    int wins = 0;
    int best = 0;   // 0: never finished
};
Player_Record Player_Record_In_Data(const QString& key);
// "12 evenings, 3 wins, best finish 1st" ("No evenings yet" for none).
QString Player_Record_Text(const Player_Record& record);
// "1st", "2nd", "3rd", "4th", ..., "11th", "21st".
QString Place_Text(int place);
