#include "reports/Season_report.h"

#include "model/Money_amount.h"
#include "model/Season_standings.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"
#include "reports/Report_page.h"

#include <QDir>

namespace {

QByteArray N(qint64 n) { return QByteArray::number(n); }
// Winnings are sums of cents: written to the cent like the results page.
QByteArray Money(double v) { return Html_Amount(QByteArray(), Money_Amount::Nearest(v).Cents()); }

QByteArray Bounties(int count, double money) { return Html_Bounties(count, money > 0 ? Money(money) : QByteArray()); }

void Standings(Report_Page& page, const Season_Table& table)
{
    constexpr Column_Kind Number = Column_Kind::Number;
    page.Table({{"Rank", "#", Number}, {"Name", "", Column_Kind::Name}, {"Points", "Pts", Number},
                {"Evenings", "Ev.", Number}, {"Wins", "W", Number}, {"Final Tables", "FT", Number},
                {"In the Money", "ITM", Number}, {"Winnings", "Won", Number}, {"Bounties", "KOs", Number}});
    for (const Standing& s : table.rows)
        page.Row({N(s.rank), Html_Name(s.key), N(s.points), N(s.evenings), N(s.wins), N(s.final_tables),
                  N(s.in_money), Money(s.winnings), Bounties(s.bounties, s.bounty_money)});
    page.End_Table();
}

void Evenings(Report_Page& page, const Season_Table& table)
{
    page.Section(QStringLiteral("Evenings"));
    page.Table({{"Date"}, {"Tournament", "", Column_Kind::Name}, {"Players", "", Column_Kind::Number},
                {"Winner", "", Column_Kind::Name}});
    for (const Evening& e : table.evenings) {
        QByteArray winner;
        for (const Evening_Entry& entry : e.entries)
            if (entry.place == 1)
                winner += (winner.isEmpty() ? "" : ", ") + Html_Name(entry.key);
        page.Row({e.date.toString(Qt::ISODate).toLatin1(), Html_Text(e.tourney), N(e.field), winner});
    }
    page.End_Table();
    for (const QString& problem : table.problems)
        page.Line("<p>Not counted: " + Html_Text(problem) + "</p>");
}

// The days the season's evenings were played, first to last (those listed
// when none could be counted).
QString Season_Dates(const Season& season, const Season_Table& table)
{
    QDate first, last;
    const auto take = [&](const QDate& d) {
        if (!d.isValid())
            return;
        first = (!first.isValid() || d < first) ? d : first;
        last = (!last.isValid() || d > last) ? d : last;
    };
    for (const Evening& e : table.evenings)
        take(e.date);
    if (!first.isValid())
        for (const Season_Tourney& t : season.tourneys)
            take(t.date);
    return Heading_Dates(first, last);
}

} // namespace

QByteArray Season_Page(const Season& season, const Season_Table& table)
{
    Report_Page page(QStringLiteral("Season Standings"), season.name, Season_Dates(season, table));
    Standings(page, table);
    Evenings(page, table);
    return page.Bytes();
}

QString Write_Season_Report(const Season& season, const Season_Table& table)
{
    QDir().mkpath(Reports_Folder());
    const QString path = Reports_Folder() + QStringLiteral("Season.htm");
    Write_File_Atomic(path, Season_Page(season, table));
    return path;
}
