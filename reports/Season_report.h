#pragma once
// The season's standings as "Season.htm" in the Reports folder, in the look
// of the other reports: Latin-1 text with CR LF line ends, names escaped,
// written whole through a temporary file ("Unable to write to %s").
#include <QByteArray>
#include <QString>

struct Season;
struct Season_Table;

QByteArray Season_Page(const Season& season, const Season_Table& table);
// Writes the page and returns the file's path.
QString Write_Season_Report(const Season& season, const Season_Table& table);
// A text for the page: &, <, >, " as entities, characters past Latin-1 as
// numeric references.
QByteArray Html_Text(const QString& text);
