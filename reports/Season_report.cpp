#include "reports/Season_report.h"

#include "model/Season_standings.h"
#include "platform/Profile.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"
#include "reports/Report_gen.h"

#include <QDir>

namespace {

const char* const Doctype = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)";

class Page {
public:
    Page& Line(const QByteArray& text)
    {
        bytes_.append(text).append("\r\n", 2);
        return *this;
    }
    // One table row of cells.
    Page& Row(const QList<QByteArray>& cells)
    {
        bytes_.append("<tr>");
        for (const QByteArray& c : cells)
            bytes_.append("<td>").append(c).append("</td>");
        return Line("</tr>");
    }
    Page& Heading(const QByteArray& text)
    {
        return Line(R"(<p><font size="+3"> <font color="#000000"> )" + text + " </font></p>");
    }
    const QByteArray& Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

QByteArray Strong_Row(const QList<const char*>& captions)
{
    QByteArray row("<tr>");
    for (const char* c : captions)
        row.append("<td><strong>").append(c).append(":</strong></td>");
    return row + "</tr>";
}

QByteArray N(qint64 n) { return QByteArray::number(n); }
QByteArray Money(double v) { return Float_Text(v).toLatin1(); }

void Standings(Page& page, const Season_Table& table)
{
    page.Line(R"(<p>&nbsp;</p><table width="75%" border="0">)" +
              Strong_Row({"Rank", "Name", "Points", "Evenings", "Wins", "Final Tables", "In the Money", "Winnings",
                          "Bounties"}))
        .Line("<tr></tr>");
    for (const Standing& s : table.rows)
        page.Row({N(s.rank), Html_Text(s.key), N(s.points), N(s.evenings), N(s.wins), N(s.final_tables),
                  N(s.in_money), Money(s.winnings), N(s.bounties)});
    page.Line("</table>");
}

void Evenings(Page& page, const Season_Table& table)
{
    page.Heading("Evenings");
    page.Line(R"(<table width="75%" border="0">)" + Strong_Row({"Date", "Tournament", "Players", "Winner"}));
    for (const Evening& e : table.evenings) {
        QByteArray winner;
        for (const Evening_Entry& entry : e.entries)
            if (entry.place == 1)
                winner += (winner.isEmpty() ? "" : ", ") + Html_Text(entry.key);
        page.Row({e.date.toString(Qt::ISODate).toLatin1(), Html_Text(e.tourney), N(e.field), winner});
    }
    page.Line("</table>");
    for (const QString& problem : table.problems)
        page.Line("<p>Not counted: " + Html_Text(problem) + "</p>");
}

} // namespace

QByteArray Html_Text(const QString& text)
{
    QByteArray out;
    for (const char32_t c : text.toUcs4()) {
        if (c > 0xff)
            out.append("&#").append(QByteArray::number(static_cast<uint>(c))).append(';');
        else
            out.append(Html_Escaped(QByteArray(1, static_cast<char>(c))));
    }
    return out;
}

QByteArray Season_Page(const Season& season, const Season_Table& table)
{
    Page page;
    page.Line(Doctype)
        .Line(R"(<html><head><meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1"><title>Velmora: Season Standings</title></head><body bgcolor="#FFFFFF">)")
        .Line(R"(<p><img src="logo.jpg" width="104" height="189"><font size="+7"> <font color="#000000"> Season Standings </font></p>)")
        .Heading(Html_Text(season.name));
    Standings(page, table);
    Evenings(page, table);
    page.Line(R"(<p><font size="+7"></font> </p></body></html>)");
    return page.Bytes();
}

QString Write_Season_Report(const Season& season, const Season_Table& table)
{
    QDir().mkpath(Reports_Folder());
    const QString path = Reports_Folder() + QStringLiteral("Season.htm");
    Write_File_Atomic(path, Season_Page(season, table));
    return path;
}
