#pragma once
// The frame of the pages a host shares with the group (the results and the
// season's standings): HTML5 in UTF-8 with the character set declared, a
// viewport line and one style sheet that lays the tables out on a phone 390
// px wide as well as on a desktop; a heading with the logo (in its own
// shape: only its size is bounded), the name and the date. The writers put
// their tables between the heading and the end. Lines end in CR LF like the
// other reports. The three documented reports keep their own look.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

// A text for the page: &, <, > and " as entities, the rest as UTF-8.
QByteArray Html_Text(const QString& text);
// A player's key "First,Last" as Html_Text, free to wrap after the comma.
QByteArray Html_Name(const QString& key);
// Bounties won, with the money they paid beside the count ("3 (€7.50)", the
// money already as HTML) when there is any; a phone shows it under it.
QByteArray Html_Bounties(int count, const QByteArray& money);

// An amount of money in cents as the pages write it: "12", "12.50",
// "-3.05", after the currency (already HTML).
QByteArray Html_Amount(const QByteArray& currency, qint64 cents);

// "9 December 2026" (English month names, whatever the locale).
QString Heading_Date(const QDate& date);
// "4 December 2026 to 18 December 2026", one date when both are the same
// day, "" for none.
QString Heading_Dates(const QDate& first, const QDate& last);

// A column of a page's table: its heading, the short heading a phone shows
// ("" keeps the heading), what it holds.
enum class Column_Kind {
    Text,
    Number, // set to the right, never wrapped
    Name,   // a player's or a tournament's: wraps, within a word if need be
};
struct Report_Column {
    const char* heading;
    const char* short_heading = "";
    Column_Kind kind = Column_Kind::Text;
};

class Report_Page {
public:
    // kind: "Results", "Season Standings"; name: the tournament's or the
    // season's; date: as Heading_Date gives it ("" leaves the line out).
    Report_Page(const QString& kind, const QString& name, const QString& date);

    Report_Page& Line(const QByteArray& text);
    // A heading of a part of the page.
    Report_Page& Section(const QString& title);
    // Opens a table with its column headings; Row writes one row of cells
    // (already HTML), Total_Row one in bold; End_Table closes it.
    Report_Page& Table(const QList<Report_Column>& columns);
    Report_Page& Row(const QList<QByteArray>& cells);
    Report_Page& Total_Row(const QList<QByteArray>& cells);
    Report_Page& End_Table();
    // The page closed.
    QByteArray Bytes() const;

private:
    Report_Page& Cells(const QList<QByteArray>& cells, const char* row_class);

    QByteArray bytes_;
    QList<Report_Column> columns_;
};
