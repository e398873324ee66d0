#pragma once
// What the printed sheets say: the seat cards, the structure with its clock
// times and money, the evening's results and the season's standings. Only
// the texts and their order are decided here; forms/print paints them on
// paper or into a PDF.
#include "model/Money_amount.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVector>

class CTourney;
struct Season;
struct Season_Table;

// One player's card: the name as the table reads it, table and seat 1-based.
struct Seat_Card {
    QString name;   // "Ben Ortiz"
    int table = 1;
    int seat = 1;
};
// Every entry of the tournament, by table, then seat, then name.
QVector<Seat_Card> Seat_Cards(const CTourney& t);

struct Sheet_Column {
    QString caption;
    bool right = false;   // numbers stand right-aligned
};

struct Sheet_Row {
    QStringList cells;
    bool emphasis = false; // breaks and totals stand out
};

struct Sheet_Table {
    QString heading;       // "" for none
    QVector<Sheet_Column> columns;
    QVector<Sheet_Row> rows;
};

struct Sheet {
    QString title;         // "Friday Night: Structure"
    QString subtitle;      // the date, the start
    QVector<Sheet_Table> tables;
    QStringList notes;     // lines under the tables
};

// The levels with blinds (up to the last one that has any), each with the
// time of day it starts from the start given, the breaks with their notes,
// then the money and the payouts of the places that have a share.
Sheet Structure_Sheet(const CTourney& t, const QTime& start);
// Places, prizes, bounties (count and money), rebuys, add-ons and a deal,
// with totals and the pool; the figures are those of the results report.
Sheet Results_Sheet(const CTourney& t, const QDate& date);
Sheet Standings_Sheet(const Season& season, const Season_Table& table);

// "Friday Night" for the tournament "Friday Night.trn".
QString Shown_Tourney_Name(const QString& name);
// "Ben Ortiz" for the key "Ben,Ortiz".
QString Shown_Player_Name(const QString& key);
// An amount with the tournament's currency, cents only when there are any:
// "$45", "$12.50", exact to the cent; the locale's separators.
QString Sheet_Amount(const QString& currency, Money_Amount value);
// The start the structure sheet offers: the next quarter hour from now
// (19:02 gives 19:15; 19:15 stays).
QTime Next_Quarter_Hour(const QTime& now);
