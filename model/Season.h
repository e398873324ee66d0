#pragma once
// A season: a named list of tournaments from the data folder, each with the
// date it was played, and the rule that gives the points of an evening. Each
// season is a small INI file of its own, "<name>.season" in the folder
// Seasons/ of the user folder, written whole through a temporary file.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

enum class Points_Formula {
    Table,             // the points of the place from the rule's table
    Field_Minus_Place, // n - place + 1
    Field_Root,        // round(10 x sqrt(n) / sqrt(place))
};

constexpr int Default_Table_Places = 10;
constexpr int Max_Table_Places = 150;
// The most points a place, taking part or a bounty can give (the season
// file and the dialog take 0 to this).
constexpr int Max_Rule_Points = 1000000;

// 25, 18, 15, 12, 10, 8, 6, 4, 2, 1 for places 1 to 10.
QVector<int> Default_Points_Table();

struct Points_Rule {
    Points_Formula formula = Points_Formula::Table;
    // Points for places 1, 2, ... (places past the end of the table get none).
    QVector<int> table = Default_Points_Table();
    int taking_part = 0; // for every evening played
    int per_bounty = 0;  // for each bounty won

    // The points of a place (1-based) in a field of n players with the
    // bounties won that evening. Sums of these never overflow: 64 bits.
    qint64 Points(int place, int field, int bounties) const;
    bool operator==(const Points_Rule&) const = default;
};

struct Season_Tourney {
    QString name; // the tournament's name as in Data/ ("Friday 12.trn")
    QDate date;
    bool operator==(const Season_Tourney&) const = default;
};

struct Season {
    QString name;
    Points_Rule rule;
    QVector<Season_Tourney> tourneys;
    // Values the file held outside the ranges above, each named with the
    // value taken instead ("Place 1" of [Points] is 5000000: counted as
    // 1000000); the dialog tells them before anything is written.
    QStringList range_notes;
    bool operator==(const Season&) const = default;
};

QString Seasons_Folder();                  // User_Folder() + "Seasons/"
QString Season_Path(const QString& name);  // Seasons_Folder() + name + ".season"
QStringList Season_Names();                // the seasons stored, sorted without regard to case
// Why a text cannot name a season ("" when it can): empty, too long, a
// character a file name cannot hold.
QString Season_Name_Problem(const QString& name);

// The file's text and its reading. A tournament name that a line of the
// file could not hold as it is (a line break or another control character,
// a blank at either end, a leading quote) is written in quotes with
// backslash escapes (\n, \r, \t, \", \\, \xHH) and read back unchanged. A file that is not a season written by
// this program (a line that is no section, key or comment, a missing
// section, an unknown formula, a number or date that does not read) raises
// Velmora_Error naming the file and what is wrong with it.
QByteArray Season_File_Text(const Season& season);
Season Parse_Season(const QByteArray& text, const QString& file_name);

// Reads a stored season; raises as Parse_Season, or "Unable to read %s".
Season Load_Season(const QString& name);
// Writes the season's file atomically ("Unable to write to %s" on failure).
// A file of that name that exists but cannot be read as a season is never
// written over: that raises and leaves it as it is.
void Save_Season(const Season& season);
// Removes the season's file.
void Remove_Season(const QString& name);

// The tournaments in the data folder (their ".trn" names), sorted.
QStringList Data_Tourneys();
// The date a tournament was played as far as the files tell: the day its
// entry file (or else its tournament file) was last written; today when
// neither exists.
QDate Tourney_File_Date(const QString& name);
