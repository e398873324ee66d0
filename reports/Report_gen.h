#pragma once
// The three HTML reports about the current tournament: the contact list
// ("Contact.htm"), the results by finishing place ("Top10.htm") and the
// seating by table ("Seating.htm"). Each page is Latin-1 text with CRLF line
// ends, written whole into the Reports folder beside the program (created when
// missing) through a temporary file, so a failed write leaves the old report
// and raises "Unable to write to %s". The pages show "logo.jpg" from the same
// folder. Names and phone numbers are HTML-escaped.
#include <QByteArray>
#include <QString>

struct CTourneyPlayer;
class CTourney;
class CPlayerDB;

// The pages' bytes. The contact list takes the entries and their count and
// looks every player's phone number up in the database by key; an entry
// whose player is no longer there gets no row.
QByteArray Contact_List_Page(const CTourneyPlayer* entries, int count, CPlayerDB& database);
QByteArray Top10_Page(const CTourney& tourney);
QByteArray Seating_Page(const CTourney& tourney);

// Writes a page into the Reports folder and returns the file's path.
QString Write_Contact_List(const CTourneyPlayer* entries, int count, CPlayerDB& database);
QString Write_Top10(const CTourney& tourney);
QString Write_Seating(const CTourney& tourney);

// A Latin-1 text with &, <, > and " written as entities.
QByteArray Html_Escaped(const QByteArray& text);
