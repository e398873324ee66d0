#pragma once
// One person, one name: keys that differ only in case or in blanks (around
// the comma, at either end, or doubled inside a name) name the same person.
// "Ann,Berg", "Ann ,Berg" and "ann,berg" are one person; the standings count
// them as one, and the entry dialog and the CSV import warn before a second
// spelling is stored.
#include <QString>
#include <QStringList>

// The text two keys of the same person share: each side of the first comma
// without its outer blanks, inner runs of blanks as one, case folded.
QString Person_Of(const QString& key);
inline bool Same_Person(const QString& a, const QString& b) { return Person_Of(a) == Person_Of(b); }

class CPlayerDB;
// A stored player's key that names the same person as the key but is not
// the same text, or "" when there is none. The slot own_slot (the record
// being edited) does not count.
QString Near_Duplicate_In(const CPlayerDB& database, const QString& key, int own_slot = -1);

// "First,Last" as a screen shows it: "First Last".
QString Shown_Name(const QString& key);
// The shown names of several keys, one per key, never two alike for two
// different keys: a name that would look like another key's is shown as its
// key in quotes ("\"Ann ,Berg\"").
QStringList Distinct_Shown_Names(const QStringList& keys);
