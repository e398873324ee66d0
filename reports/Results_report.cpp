#include "reports/Results_report.h"

#include "model/Money.h"
#include "model/Tourney.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"
#include "model/Season.h"
#include "reports/Report_page.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QByteArray Amount(const QByteArray& currency, Money_Amount value) { return Html_Amount(currency, value.Cents()); }

struct Row {
    int place; // 0: still playing
    QString name;
    Entry_Result result;
};

// The tournament's name as the host knows it: no folder, no ".trn".
QString Shown_Tourney_Name(const QString& name)
{
    QString shown = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    if (shown.endsWith(QStringLiteral(".trn"), Qt::CaseInsensitive))
        shown.chop(4);
    return shown;
}

QByteArray Bounties(const QByteArray& currency, int count, Money_Amount money)
{
    return Html_Bounties(count, money > Money_Amount() ? Amount(currency, money) : QByteArray());
}

} // namespace

QByteArray Results_Page(const CTourney& t) { return Results_Page(t, Tourney_File_Date(t.Name)); }

QByteArray Results_Page(const CTourney& t, const QDate& played)
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

    Report_Page page(QStringLiteral("Results"), Shown_Tourney_Name(t.Name), Heading_Date(played));
    constexpr Column_Kind Number = Column_Kind::Number;
    page.Table({{"Finish", "#"}, {"Name", "", Column_Kind::Name}, {"Prize", "", Number}, {"Bounties", "KOs", Number},
                {"Rebuys", "Reb.", Number}, {"Add-ons", "Add.", Number}});
    Money_Amount prizes, bounty_money;
    int bounties = 0, rebuys = 0, addons = 0;
    for (const Row& r : rows) {
        const bool decided = r.place != 0 || t.Money.Of(r.name).Has_Deal();
        const QByteArray finish = r.place == 0 ? QByteArray("Still Playing") : QByteArray::number(r.place);
        page.Row({finish, Html_Name(r.name), decided ? Amount(currency, r.result.Prize) : "",
                  Bounties(currency, r.result.Bounties_Won, r.result.Bounty_Money),
                  QByteArray::number(r.result.Rebuys), QByteArray::number(r.result.Addons)});
        prizes += decided ? r.result.Prize : Money_Amount();
        bounties += r.result.Bounties_Won;
        bounty_money += r.result.Bounty_Money;
        rebuys += r.result.Rebuys;
        addons += r.result.Addons;
    }
    page.Total_Row({"", "Total", Amount(currency, prizes), Bounties(currency, bounties, bounty_money),
                    QByteArray::number(rebuys), QByteArray::number(addons)});
    page.End_Table();
    const Money_Amount pool = Pool_Of(t);
    QByteArray sums = R"(<p class="sums">Prize pool: )" + Amount(currency, pool) + "<br>Prizes: " + Amount(currency, prizes)
                      + "<br>Still to be paid: " + Amount(currency, pool - prizes);
    if (bounty_money > Money_Amount()) // the winner's own bounty included
        sums += "<br>Bounties paid (not in the pool): " + Amount(currency, bounty_money);
    page.Line(sums + "</p>");
    return page.Bytes();
}

QString Write_Results(const CTourney& tourney)
{
    const QString folder = Reports_Folder();
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("Results.htm");
    Write_File_Atomic(path, Results_Page(tourney));
    return path;
}
