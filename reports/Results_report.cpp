#include "reports/Results_report.h"

#include "model/Money.h"
#include "model/Tourney.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"
#include "reports/Report_gen.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const char* const Doctype = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)";

// Latin-1 escaped, anything beyond it as a character reference.
QByteArray Html_Text(const QString& text)
{
    QByteArray out;
    for (const QChar c : text) {
        if (c.unicode() < 256)
            out.append(Html_Escaped(QByteArray(1, static_cast<char>(c.unicode()))));
        else
            out.append("&#" + QByteArray::number(c.unicode()) + ';');
    }
    return out;
}

QByteArray Amount(const QByteArray& currency, double value)
{
    const double cents = std::round(value * 100);
    const bool whole = std::fmod(cents, 100) == 0;
    return currency + QByteArray::number(cents / 100, 'f', whole ? 0 : 2);
}

struct Row {
    int place; // 0: still playing
    QString name;
    Entry_Result result;
};

void Line(QByteArray& page, const QByteArray& text)
{
    page.append(text);
    page.append("\r\n");
}

QByteArray Cell(const QByteArray& text, bool right = false)
{
    return (right ? QByteArray(R"(<td align="right">)") : QByteArray("<td>")) + text + "</td>";
}

} // namespace

QByteArray Results_Page(const CTourney& t)
{
    const QHash<QString, Entry_Result> results = Tourney_Entry_Results(t);
    const QByteArray currency = Html_Text(Shown_Currency(t.Money.Settings));
    std::vector<Row> rows;
    for (int i = 0; i < t.Total && i < Max_Entries; ++i) {
        const QString name = CTourney::Entry_Name(t.Players[i]);
        rows.push_back({t.Players[i].Place, name, results.value(name)});
    }
    // The players still in first (in entry order), then by finishing place.
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.place < b.place; });

    QByteArray page;
    Line(page, Doctype);
    Line(page, R"(<html><head><meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1"><title>Velmora: Results</title></head><body bgcolor="#FFFFFF">)");
    Line(page, R"(<p><img src="logo.jpg" width="104" height="189"><font size="+7"> <font color="#000000"> Results </font></p>)");
    Line(page, R"(<p>&nbsp;</p><table width="75%" border="0"><tr><td><strong>Finish:</strong></td><td><strong>Name:</strong></td>)"
               R"(<td align="right"><strong>Prize:</strong></td><td align="right"><strong>Bounties:</strong></td>)"
               R"(<td align="right"><strong>Rebuys:</strong></td><td align="right"><strong>Add-ons:</strong></td></tr>)");
    double prizes = 0, bounty_money = 0;
    int bounties = 0, rebuys = 0, addons = 0;
    for (const Row& r : rows) {
        const bool decided = r.place != 0 || t.Money.Of(r.name).Deal >= 0;
        const QByteArray finish = r.place == 0 ? QByteArray("Still Playing") : QByteArray::number(r.place);
        Line(page, "<tr>" + Cell(finish) + Cell(Html_Text(r.name)) + Cell(decided ? Amount(currency, r.result.Prize) : "", true)
                       + Cell(QByteArray::number(r.result.Bounties_Won), true) + Cell(QByteArray::number(r.result.Rebuys), true)
                       + Cell(QByteArray::number(r.result.Addons), true) + "</tr>");
        prizes += decided ? r.result.Prize : 0;
        bounties += r.result.Bounties_Won;
        bounty_money += r.result.Bounty_Money;
        rebuys += r.result.Rebuys;
        addons += r.result.Addons;
    }
    Line(page, "<tr>" + Cell("") + Cell("<strong>Total:</strong>") + Cell("<strong>" + Amount(currency, prizes) + "</strong>", true)
                   + Cell(QByteArray::number(bounties), true) + Cell(QByteArray::number(rebuys), true)
                   + Cell(QByteArray::number(addons), true) + "</tr>");
    // The heading's large type ends with the table: the sums are in the
    // page's own size.
    Line(page, "</table></font>");
    const double pool = std::round(static_cast<double>(t.Prize_Total) * 100) / 100;
    QByteArray sums = "<p>Prize pool: " + Amount(currency, pool) + "<br>Prizes: " + Amount(currency, prizes)
                      + "<br>Still to be paid: " + Amount(currency, pool - prizes);
    if (bounties > 0)
        sums += "<br>Bounties paid (not in the pool): " + Amount(currency, bounty_money);
    Line(page, sums + "</p>");
    Line(page, "</body></html>");
    return page;
}

QString Write_Results(const CTourney& tourney)
{
    const QString folder = Reports_Folder();
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("Results.htm");
    Write_File_Atomic(path, Results_Page(tourney));
    return path;
}
