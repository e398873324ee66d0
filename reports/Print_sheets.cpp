#include "reports/Print_sheets.h"

#include "model/End_model.h"
#include "model/Money.h"
#include "model/Season_standings.h"
#include "model/Structure_planner.h"
#include "model/Tourney.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

const QString Time_Format = QStringLiteral("HH:mm");

QString N(double v) { return QLocale().toString(v, 'f', 0); }

// The last level whose blinds are set; -1 when none is.
int Last_Level(const CTourney& t)
{
    for (int i = Level_Count - 1; i >= 0; --i)
        if (t.Blinds[i].SB != 0 || t.Blinds[i].BB != 0)
            return i;
    return -1;
}

Sheet_Table Level_Table(const CTourney& t, const QTime& start)
{
    Sheet_Table table;
    table.heading = QStringLiteral("Levels");
    table.columns = {{QStringLiteral("Level")}, {QStringLiteral("Starts")}, {QStringLiteral("Small blind"), true},
                     {QStringLiteral("Big blind"), true}, {QStringLiteral("Ante"), true},
                     {QStringLiteral("Minutes"), true}, {QStringLiteral("Notes")}};
    const int last = Last_Level(t);
    QTime at = start;
    for (int i = 0; i <= last; ++i) {
        const int minutes = t.Structure.Level_Minutes(i, t.Time);
        const int32_t ante = t.Structure.Ante(i);
        table.rows.push_back({{QString::number(i + 1), at.toString(Time_Format), N(t.Blinds[i].SB), N(t.Blinds[i].BB),
                               ante > 0 ? N(ante) : QString(), QString::number(minutes), QString()}});
        at = at.addSecs(minutes * 60);
        if (i < last && t.Structure.Break_After(i)) {
            const Level_Extra& extra = t.Structure.Levels[i];
            table.rows.push_back({{QStringLiteral("Break"), at.toString(Time_Format), QString(), QString(), QString(),
                                   QString::number(extra.Break_Minutes), extra.Break_Note},
                                  true});
            at = at.addSecs(extra.Break_Minutes * 60);
        }
    }
    return table;
}

double Starting_Stack(const CTourney& t)
{
    double stack = 0;
    for (const CChips& c : t.Chips)
        stack += static_cast<double>(c.Value) * c.Quanity;
    return stack;
}

QString Chips_Offer(const QString& currency, Money_Amount price, int chips, int until)
{
    QString text = Sheet_Amount(currency, price);
    if (chips > 0)
        text += QStringLiteral(" for %1 chips").arg(N(chips));
    return text + QStringLiteral(", until the end of level %1").arg(until);
}

Sheet_Table Money_Table(const CTourney& t)
{
    const Money_Settings& s = t.Money.Settings;
    const QString cur = Shown_Currency(s);
    Sheet_Table table;
    table.heading = QStringLiteral("Money");
    table.columns = {{QString()}, {QString()}};
    auto add = [&table](const QString& what, const QString& value) { table.rows.push_back({{what, value}}); };
    if (s.Buy_In > 0)
        add(QStringLiteral("Buy-in"), Sheet_Amount(cur, s.Buy_In));
    if (s.Fee > 0)
        add(QStringLiteral("Of it, the fee"), Sheet_Amount(cur, s.Fee));
    if (s.Bounty > 0)
        add(QStringLiteral("Of it, the bounty"), Sheet_Amount(cur, s.Bounty));
    if (Starting_Stack(t) > 0)
        add(QStringLiteral("Starting chips"), N(Starting_Stack(t)));
    if (s.Rebuy_Until > 0)
        add(QStringLiteral("Rebuy"), Chips_Offer(cur, s.Rebuy_Price, s.Rebuy_Chips, s.Rebuy_Until));
    if (s.Addon_Until > 0)
        add(QStringLiteral("Add-on"), Chips_Offer(cur, s.Addon_Price, s.Addon_Chips, s.Addon_Until));
    if (s.Added_Money > 0)
        add(QStringLiteral("Added money"), Sheet_Amount(cur, s.Added_Money));
    if (Pool_Of(t) > 0)
        add(QStringLiteral("Prize pool"), Sheet_Amount(cur, Pool_Of(t)));
    return table;
}

Sheet_Table Payout_Table(const CTourney& t)
{
    const QString cur = Shown_Currency(t.Money.Settings);
    Sheet_Table table;
    table.heading = QStringLiteral("Payouts");
    table.columns = {{QStringLiteral("Place")}, {QStringLiteral("Share"), true}, {QStringLiteral("Prize"), true}};
    if (Pool_Of(t) <= 0)
        return table;
    const QVector<Money_Amount> amounts = Rounded_Payouts(t);
    for (int i = 0; i < Prize_Count && i < amounts.size(); ++i)
        if (t.Prize[i] > 0)
            table.rows.push_back({{Place_Text(i + 1), QStringLiteral("%1 %").arg(QLocale().toString(t.Prize[i])),
                                   Sheet_Amount(cur, amounts[i])}});
    return table;
}

} // namespace

QString Shown_Tourney_Name(const QString& name)
{
    return name.endsWith(QStringLiteral(".trn"), Qt::CaseInsensitive) ? name.chopped(4) : name;
}

QString Shown_Player_Name(const QString& key)
{
    QString name = key;
    name.replace(QLatin1Char(','), QLatin1Char(' '));
    return name.simplified();
}

QString Sheet_Amount(const QString& currency, Money_Amount value)
{
    const QLocale locale;
    const int64_t c = value.Cents();
    // The magnitude as unsigned: the most negative value has no positive twin.
    const uint64_t m = c < 0 ? 0 - static_cast<uint64_t>(c) : static_cast<uint64_t>(c);
    QString text = locale.toString(static_cast<qulonglong>(m / 100));
    // The cents in the locale's own digits, as the units are.
    if (m % 100 != 0)
        text += locale.decimalPoint() + (m % 100 < 10 ? locale.zeroDigit() : QString())
                + locale.toString(static_cast<qulonglong>(m % 100));
    return currency + (c < 0 ? locale.negativeSign() + text : text);
}

QVector<Seat_Card> Seat_Cards(const CTourney& t)
{
    QVector<Seat_Card> cards;
    for (int i = 0; i < t.Total && i < Max_Entries; ++i)
        cards.push_back({Shown_Player_Name(CTourney::Entry_Name(t.Players[i])), t.Players[i].Table + 1,
                         t.Players[i].Seat + 1});
    std::stable_sort(cards.begin(), cards.end(), [](const Seat_Card& a, const Seat_Card& b) {
        if (a.table != b.table)
            return a.table < b.table;
        if (a.seat != b.seat)
            return a.seat < b.seat;
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return cards;
}

Sheet Structure_Sheet(const CTourney& t, const QTime& start)
{
    Sheet sheet;
    sheet.title = Shown_Tourney_Name(t.Name) + QStringLiteral(": Structure");
    sheet.subtitle = QStringLiteral("Starts at %1, levels of %2 minutes").arg(start.toString(Time_Format)).arg(t.Time);
    bool any_ante = false;
    for (int i = 0; i < Level_Count; ++i)
        any_ante = any_ante || t.Structure.Ante(i) > 0;
    if (any_ante)
        sheet.subtitle += t.Structure.Ante_Type == Ante_Kind::Big_Blind ? QStringLiteral(", the big blind pays the ante")
                                                                        : QStringLiteral(", every player pays the ante");
    sheet.tables.push_back(Level_Table(t, start));
    const Sheet_Table money = Money_Table(t);
    if (!money.rows.isEmpty())
        sheet.tables.push_back(money);
    const Sheet_Table payouts = Payout_Table(t);
    if (!payouts.rows.isEmpty())
        sheet.tables.push_back(payouts);
    const End_Estimate end = Estimate_End(Plan_Of(t, t.Time), Clock_Position{}, t.Structure.Level_Minutes(0, t.Time) * 60.0,
                                          Chips_In_Play(t), t.Total);
    // A schedule that runs out gives no time that never comes; an end past
    // midnight says which day it falls on.
    if (end.known && end.beyond_schedule) {
        sheet.notes << QStringLiteral("Estimated end: ") + Runs_Out_Text(end.last_level);
    } else if (end.known && end.minutes > 0) {
        const qint64 at = QTime(0, 0).secsTo(start) + qRound64(end.minutes * 60);
        const qint64 days = at / 86400;
        QString when = QTime(0, 0).addSecs(static_cast<int>(at % 86400)).toString(Time_Format);
        if (days == 1)
            when += QStringLiteral(" the next day");
        else if (days > 1)
            when += QStringLiteral(" %1 days later").arg(days);
        sheet.notes << QStringLiteral("Estimated end: about %1").arg(when);
    }
    return sheet;
}

Sheet Results_Sheet(const CTourney& t, const QDate& date)
{
    struct Line {
        int place;
        QString key;
        Entry_Result result;
    };
    const QHash<QString, Entry_Result> results = Tourney_Entry_Results(t);
    const QString cur = Shown_Currency(t.Money.Settings);
    std::vector<Line> lines;
    for (int i = 0; i < t.Total && i < Max_Entries; ++i) {
        const QString key = CTourney::Entry_Name(t.Players[i]);
        lines.push_back({t.Players[i].Place, key, results.value(key)});
    }
    // The players still in first (in entry order), then by finishing place.
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.place < b.place; });

    Sheet sheet;
    sheet.title = Shown_Tourney_Name(t.Name) + QStringLiteral(": Results");
    sheet.subtitle = QLocale().toString(date, QLocale::LongFormat);
    Sheet_Table table;
    table.columns = {{QStringLiteral("Finish")}, {QStringLiteral("Name")}, {QStringLiteral("Prize"), true},
                     {QStringLiteral("Bounties"), true}, {QStringLiteral("Rebuys"), true}, {QStringLiteral("Add-ons"), true}};
    Money_Amount prizes, bounty_money;
    int bounties = 0, rebuys = 0, addons = 0, in_deal = 0;
    for (const Line& l : lines) {
        const bool deal = t.Money.Of(l.key).Has_Deal();
        const bool decided = l.place != 0 || deal;
        const Entry_Result& r = l.result;
        QString bounty = QString::number(r.Bounties_Won);
        if (r.Bounty_Money > Money_Amount())
            bounty += QStringLiteral(" (%1)").arg(Sheet_Amount(cur, r.Bounty_Money));
        QString prize = decided ? Sheet_Amount(cur, r.Prize) : QString();
        if (deal)
            prize += QStringLiteral(" (deal)");
        table.rows.push_back({{l.place == 0 ? QStringLiteral("Still playing") : Place_Text(l.place),
                               Shown_Player_Name(l.key), prize, bounty, QString::number(r.Rebuys), QString::number(r.Addons)}});
        prizes += decided ? r.Prize : Money_Amount();
        bounties += r.Bounties_Won;
        bounty_money += r.Bounty_Money;
        rebuys += r.Rebuys;
        addons += r.Addons;
        in_deal += deal ? 1 : 0;
    }
    QString bounty_total = QString::number(bounties);
    if (bounty_money > Money_Amount())
        bounty_total += QStringLiteral(" (%1)").arg(Sheet_Amount(cur, bounty_money));
    table.rows.push_back({{QString(), QStringLiteral("Total"), Sheet_Amount(cur, prizes), bounty_total,
                           QString::number(rebuys), QString::number(addons)},
                          true});
    sheet.tables.push_back(table);
    const Money_Amount pool = Pool_Of(t);
    sheet.notes << QStringLiteral("Prize pool: %1").arg(Sheet_Amount(cur, pool))
                << QStringLiteral("Prizes: %1").arg(Sheet_Amount(cur, prizes))
                << QStringLiteral("Still to be paid: %1").arg(Sheet_Amount(cur, pool - prizes));
    // The winner's own bounty counts even when no knock-out was credited.
    if (bounty_money > 0)
        sheet.notes << QStringLiteral("Bounties paid (not in the pool): %1").arg(Sheet_Amount(cur, bounty_money));
    if (in_deal > 0)
        sheet.notes << QStringLiteral("The last %1 players made a deal.").arg(in_deal);
    return sheet;
}

Sheet Standings_Sheet(const Season& season, const Season_Table& table)
{
    Sheet sheet;
    sheet.title = season.name + QStringLiteral(": Standings");
    sheet.subtitle = table.evenings.size() == 1 ? QStringLiteral("After 1 evening")
                                                : QStringLiteral("After %1 evenings").arg(table.evenings.size());
    Sheet_Table rows;
    rows.columns = {{QStringLiteral("Rank"), true}, {QStringLiteral("Name")}, {QStringLiteral("Points"), true},
                    {QStringLiteral("Evenings"), true}, {QStringLiteral("Wins"), true},
                    {QStringLiteral("Final tables"), true}, {QStringLiteral("In the money"), true},
                    {QStringLiteral("Winnings"), true}, {QStringLiteral("Bounties"), true}};
    for (const Standing& s : table.rows)
        rows.rows.push_back({{QString::number(s.rank), Shown_Player_Name(s.key), QString::number(s.points),
                              QString::number(s.evenings), QString::number(s.wins), QString::number(s.final_tables),
                              QString::number(s.in_money), Sheet_Amount(QString(), Money_Amount::Nearest(s.winnings)), QString::number(s.bounties)}});
    sheet.tables.push_back(rows);
    for (const QString& problem : table.problems)
        sheet.notes << QStringLiteral("Not counted: %1").arg(problem);
    return sheet;
}

QTime Next_Quarter_Hour(const QTime& now)
{
    const int quarter = 15 * 60;
    const int seconds = now.msecsSinceStartOfDay() / 1000;
    const int up = (seconds + quarter - 1) / quarter * quarter;
    return QTime(0, 0).addSecs(up % (24 * 3600));
}
