#pragma once
// The season's standings as "Season.htm" in the Reports folder, a page the
// host sends to the group (the frame of Report_page: UTF-8, the season's
// name and the days of its evenings in the heading): the standings, then the
// evenings. Written whole through a temporary file ("Unable to write to %s").
#include <QByteArray>
#include <QString>

struct Season;
struct Season_Table;

QByteArray Season_Page(const Season& season, const Season_Table& table);
// Writes the page and returns the file's path.
QString Write_Season_Report(const Season& season, const Season_Table& table);
