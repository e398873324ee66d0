#include "model/Money.h"
#include "model/Person_name.h"

#include "model/Tourney.h"
#include "platform/Profile.h"
#include "platform/Velmora_error.h"

#include <QLocale>
#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace {

const char* const Money_Section = "Money";
const char* const Entries_Section = "Money Entries";

constexpr double Most_Amount = 1e9;   // far beyond any home game; keeps cents exact
constexpr int32_t Most_Count = 999;   // rebuys or add-ons of one player
constexpr int32_t Most_Chips = 100000000;

// Amounts are kept in whole cents, so what is written reads back the same.
double Cents(double value)
{
    if (!std::isfinite(value) || value <= 0)
        return 0;
    return std::round(std::min(value, Most_Amount) * 100) / 100;
}

bool Parse_Amount(QString text, double& value)
{
    text = text.trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double parsed = text.toDouble(&ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    value = Cents(parsed);
    return true;
}

double Read_Amount(const Profile& ini, const char* key, double def)
{
    double value = def;
    return Parse_Amount(ini.Read_String(Money_Section, key, QString()), value) ? value : def;
}

int32_t Read_Count(const Profile& ini, const char* key, int32_t most)
{
    return std::clamp(ini.Read_Int(Money_Section, key, 0), 0, most);
}

std::string Entry_Key(int n) { return "Entry " + std::to_string(n); }

// Names are written with every byte that could end a field, a line, a key or
// a section escaped as %XX; the comma between first and last name stays.
QByteArray Encoded(const QByteArray& name) { return name.toPercentEncoding(","); }

int Slot_Of(const CTourney& t, const QString& name)
{
    const int slot = t.Find_Entry(name);
    if (slot < 0)
        throw Velmora_Error(QStringLiteral("%1 is not a player of this tournament.").arg(Person_Name(name)));
    return slot;
}

void Read_Settings(const Profile& ini, Money_Settings& s)
{
    s.Buy_In = Read_Amount(ini, "Buy-in", 0);
    s.Fee = Read_Amount(ini, "Fee", 0);
    s.Bounty = Read_Amount(ini, "Bounty", 0);
    s.Rebuy_Price = Read_Amount(ini, "Rebuy Price", 0);
    s.Rebuy_Chips = Read_Count(ini, "Rebuy Chips", Most_Chips);
    s.Rebuy_Until = Read_Count(ini, "Rebuy Until Level", Level_Count);
    s.Addon_Price = Read_Amount(ini, "Add-on Price", 0);
    s.Addon_Chips = Read_Count(ini, "Add-on Chips", Most_Chips);
    s.Addon_Until = Read_Count(ini, "Add-on Until Level", Level_Count);
    s.Added_Money = Read_Amount(ini, "Added Money", 0);
    s.Currency = ini.Read_String(Money_Section, "Currency", QString()).left(8);
    s.Rounding = Read_Amount(ini, "Rounding", 0);
    s.Pool_From_Entries = ini.Read_Bool(Money_Section, "Pool From Entries", false);
    s.Deal_Kept = Read_Amount(ini, "Deal Kept", 0);
}

void Write_Settings(Profile& ini, const Money_Settings& s)
{
    auto amount = [&ini](const char* key, double value) { ini.Write_String(Money_Section, key, Float_Text(value)); };
    amount("Buy-in", s.Buy_In);
    amount("Fee", s.Fee);
    amount("Bounty", s.Bounty);
    amount("Rebuy Price", s.Rebuy_Price);
    ini.Write_Int(Money_Section, "Rebuy Chips", s.Rebuy_Chips);
    ini.Write_Int(Money_Section, "Rebuy Until Level", s.Rebuy_Until);
    amount("Add-on Price", s.Addon_Price);
    ini.Write_Int(Money_Section, "Add-on Chips", s.Addon_Chips);
    ini.Write_Int(Money_Section, "Add-on Until Level", s.Addon_Until);
    amount("Added Money", s.Added_Money);
    ini.Write_String(Money_Section, "Currency", s.Currency);
    amount("Rounding", s.Rounding);
    ini.Write_Bool(Money_Section, "Pool From Entries", s.Pool_From_Entries);
    amount("Deal Kept", s.Deal_Kept);
}

// "<name>;<rebuys>;<add-ons>;<knocked out by>;<deal>", the names escaped.
bool Parse_Entry(const QByteArray& value, QByteArray& name, Entry_Money& m)
{
    const QList<QByteArray> fields = value.split(';');
    if (fields.size() < 3)
        return false;
    name = QByteArray::fromPercentEncoding(fields[0].trimmed());
    m.Rebuys = std::clamp(fields[1].trimmed().toInt(), 0, Most_Count);
    m.Addons = std::clamp(fields[2].trimmed().toInt(), 0, Most_Count);
    if (fields.size() > 3)
        m.Knocked_Out_By = QByteArray::fromPercentEncoding(fields[3].trimmed());
    double deal = 0;
    if (fields.size() > 4 && !fields[4].trimmed().isEmpty() && Parse_Amount(QString::fromLatin1(fields[4]), deal))
        m.Deal = deal;
    return true;
}

QByteArray Entry_Text(const QByteArray& name, const Entry_Money& m)
{
    QByteArray text = Encoded(name);
    text += ';' + QByteArray::number(m.Rebuys) + ';' + QByteArray::number(m.Addons) + ';' + Encoded(m.Knocked_Out_By) + ';';
    if (m.Deal >= 0)
        text += Float_Text(m.Deal).toLatin1();
    return text;
}

} // namespace

// ---- CMoney ----

bool CMoney::Any() const
{
    if (!(Settings == Money_Settings()))
        return true;
    return std::any_of(Entries.cbegin(), Entries.cend(), [](const Entry_Money& m) { return !m.Empty(); });
}

void CMoney::Back_In(const QString& name)
{
    auto it = Entries.find(name.toLatin1());
    if (it != Entries.end())
        it->Knocked_Out_By.clear();
}

void CMoney::Forget(const QString& name)
{
    const QByteArray key = name.toLatin1();
    Entries.remove(key);
    for (Entry_Money& m : Entries)
        if (m.Knocked_Out_By == key)
            m.Knocked_Out_By.clear();
}

// ---- the tournament file ----

Money_Settings Read_Money_Settings(const Profile& ini)
{
    Money_Settings s;
    Read_Settings(ini, s);
    return s;
}

void Read_Money(const Profile& ini, CTourney& t)
{
    CMoney& money = t.Money;
    money = CMoney();
    Read_Settings(ini, money.Settings);
    // The entries' names in order, at hand: a season reads many files of 150
    // entries.
    std::vector<QByteArray> names;
    names.reserve(Max_Entries);
    for (const CTourneyPlayer& entry : t.Players)
        if (entry.Name[0] != '\0')
            names.emplace_back(entry.Name, static_cast<qsizetype>(qstrnlen(entry.Name, Entry_Name_Size)));
    std::sort(names.begin(), names.end());
    auto is_entry = [&names](const QByteArray& name) { return std::binary_search(names.begin(), names.end(), name); };
    std::vector<bool> kept(names.size(), false); // by the name's index: counts read already
    money.Entries.reserve(Max_Entries);
    for (int n = 0; n < Max_Entries; ++n) {
        const QString text = ini.Read_String(Entries_Section, Entry_Key(n).c_str(), QString());
        if (text.isEmpty())
            break;
        QByteArray name;
        Entry_Money m;
        // Counts of somebody who is no entry (any more) are dropped.
        if (!Parse_Entry(text.toLatin1(), name, m))
            continue;
        const auto at = std::lower_bound(names.begin(), names.end(), name);
        if (at == names.end() || *at != name || kept[at - names.begin()])
            continue;
        if (m.Knocked_Out_By == name || !is_entry(m.Knocked_Out_By))
            m.Knocked_Out_By.clear();
        if (!m.Empty()) {
            money.Entries.insert(name, m);
            kept[at - names.begin()] = true;
        }
    }
    Keep_Pool(t);
}

void Write_Money(Profile& ini, const CTourney& t)
{
    ini.Delete_Section(Entries_Section);
    if (!t.Money.Any()) {
        ini.Delete_Section(Money_Section);
        return;
    }
    Write_Settings(ini, t.Money.Settings);
    int n = 0;
    for (int i = 0; i < t.Total && i < Max_Entries; ++i) {
        const QByteArray name = QByteArray(t.Players[i].Name, static_cast<qsizetype>(qstrnlen(t.Players[i].Name, Entry_Name_Size)));
        const auto it = t.Money.Entries.constFind(name);
        if (it == t.Money.Entries.cend() || it->Empty())
            continue;
        ini.Write_String(Entries_Section, Entry_Key(n++).c_str(), QString::fromLatin1(Entry_Text(name, *it)));
    }
}

void Store_Money(const CTourney& t)
{
    Profile ini(t.Trn_Path);
    Write_Money(ini, t);
    ini.Flush();
}

// ---- sums ----

int Total_Rebuys(const CTourney& t)
{
    int sum = 0;
    for (const Entry_Money& m : t.Money.Entries)
        sum += m.Rebuys;
    return sum;
}

int Total_Addons(const CTourney& t)
{
    int sum = 0;
    for (const Entry_Money& m : t.Money.Entries)
        sum += m.Addons;
    return sum;
}

double Pool_From_Entries(const CTourney& t)
{
    const Money_Settings& s = t.Money.Settings;
    const double pool = std::clamp(t.Total, 0, Max_Entries) * (s.Buy_In - s.Fee - s.Bounty)
                        + Total_Rebuys(t) * s.Rebuy_Price + Total_Addons(t) * s.Addon_Price + s.Added_Money;
    return Cents(pool);
}

void Keep_Pool(CTourney& t)
{
    if (t.Money.Settings.Pool_From_Entries)
        t.Prize_Total = static_cast<float>(Pool_From_Entries(t));
}

int Bounties_Won(const CTourney& t, const QByteArray& name)
{
    int won = 0;
    for (int i = 0; i < t.Total && i < Max_Entries; ++i)
        if (t.Players[i].Place != 0 && t.Money.Of(CTourney::Entry_Name(t.Players[i])).Knocked_Out_By == name)
            ++won;
    return won;
}

double Chips_In_Play(const CTourney& t)
{
    double starting = 0;
    for (const CChips& c : t.Chips)
        starting += static_cast<double>(c.Value) * c.Quanity;
    const Money_Settings& s = t.Money.Settings;
    return starting * std::clamp(t.Total, 0, Max_Entries) + static_cast<double>(Total_Rebuys(t)) * s.Rebuy_Chips
           + static_cast<double>(Total_Addons(t)) * s.Addon_Chips;
}

QString Shown_Currency(const Money_Settings& s)
{
    if (!s.Currency.isEmpty())
        return s.Currency;
    return s == Money_Settings() ? QString() : QLocale().currencySymbol();
}

// ---- rounding and the payout table ----

QVector<double> Rounded_Amounts(const QVector<double>& exact, double unit)
{
    QVector<double> out(exact.size(), 0.0);
    if (exact.isEmpty())
        return out;
    const long double unit_cents = std::max<long double>(1, std::llround(std::isfinite(unit) ? unit * 100 : 0));
    long double exact_sum = 0;
    for (double e : exact)
        exact_sum += std::isfinite(e) ? e * 100.0L : 0;
    const long long total = std::llround(exact_sum);
    long long rest = total;
    for (qsizetype i = 1; i < exact.size(); ++i) {
        const long double cents = std::isfinite(exact[i]) ? exact[i] * 100.0L : 0;
        // A hair's margin keeps 109.89999… from losing a whole unit.
        const long long rounded = static_cast<long long>(std::floor(cents / unit_cents + 1e-9L) * unit_cents);
        out[i] = rounded / 100.0;
        rest -= rounded;
    }
    out[0] = rest / 100.0;
    return out;
}

QVector<double> Rounded_Payouts(const CTourney& t)
{
    QVector<double> exact(Prize_Count);
    for (int i = 0; i < Prize_Count; ++i)
        exact[i] = t.Prize[i] > 0 ? static_cast<double>(t.Prize_Total) * t.Prize[i] / 100.0 : 0.0;
    return Rounded_Amounts(exact, t.Money.Settings.Rounding);
}

QVector<int> Suggested_Percentages(int entries)
{
    // Entries up to the first number: the places' shares.
    static const struct {
        int most_entries;
        QVector<int> shares;
    } table[] = {
        {3, {100}},
        {6, {65, 35}},
        {10, {50, 30, 20}},
        {15, {45, 27, 18, 10}},
        {20, {40, 25, 16, 11, 8}},
        {30, {36, 23, 15, 11, 8, 7}},
        {40, {33, 21, 14, 10, 8, 7, 7}},
        {60, {30, 20, 13, 10, 8, 7, 6, 6}},
        {100, {29, 18, 12, 9, 8, 7, 6, 6, 5}},
    };
    for (const auto& row : table)
        if (entries <= row.most_entries)
            return row.shares;
    return {28, 17, 12, 9, 7, 6, 6, 5, 5, 5};
}

// ---- rebuys, add-ons, knock-outs ----

void Rebuy(CTourney& t, const QString& name, int level)
{
    const int slot = Slot_Of(t, name);
    const Money_Settings& s = t.Money.Settings;
    if (s.Rebuy_Until <= 0)
        throw Velmora_Error("This tournament has no rebuys.");
    if (level > s.Rebuy_Until)
        throw Velmora_Error(QStringLiteral("No rebuy for %1: rebuys ended with level %2.").arg(Person_Name(name)).arg(s.Rebuy_Until));
    // A player who is out buys back in: the places close up as for "In".
    if (t.Players[slot].Place != 0)
        t.Set_In(name);
    ++t.Money.Entries[name.toLatin1()].Rebuys;
    Keep_Pool(t);
    Store_Money(t);
}

void Undo_Rebuy(CTourney& t, const QString& name)
{
    Slot_Of(t, name);
    auto it = t.Money.Entries.find(name.toLatin1());
    if (it == t.Money.Entries.end() || it->Rebuys == 0)
        throw Velmora_Error(QStringLiteral("%1 has no rebuy to take back.").arg(Person_Name(name)));
    --it->Rebuys;
    Keep_Pool(t);
    Store_Money(t);
}

void Addon(CTourney& t, const QString& name, int level)
{
    const int slot = Slot_Of(t, name);
    const Money_Settings& s = t.Money.Settings;
    if (s.Addon_Until <= 0)
        throw Velmora_Error("This tournament has no add-ons.");
    if (level > s.Addon_Until)
        throw Velmora_Error(QStringLiteral("No add-on for %1: add-ons ended with level %2.").arg(Person_Name(name)).arg(s.Addon_Until));
    if (t.Players[slot].Place != 0)
        throw Velmora_Error(QStringLiteral("No add-on for %1: only a player still in takes the add-on.").arg(Person_Name(name)));
    if (t.Money.Of(name).Addons > 0)
        throw Velmora_Error(QStringLiteral("%1 has taken the add-on already.").arg(Person_Name(name)));
    ++t.Money.Entries[name.toLatin1()].Addons;
    Keep_Pool(t);
    Store_Money(t);
}

void Undo_Addon(CTourney& t, const QString& name)
{
    Slot_Of(t, name);
    auto it = t.Money.Entries.find(name.toLatin1());
    if (it == t.Money.Entries.end() || it->Addons == 0)
        throw Velmora_Error(QStringLiteral("%1 has no add-on to take back.").arg(Person_Name(name)));
    --it->Addons;
    Keep_Pool(t);
    Store_Money(t);
}

void Credit_Knock_Out(CTourney& t, const QString& out, const QString& by)
{
    const int slot = Slot_Of(t, out);
    if (t.Players[slot].Place == 0)
        throw Velmora_Error(QStringLiteral("%1 is still in: nobody has knocked him out.").arg(Person_Name(out)));
    if (!by.isEmpty()) {
        const int winner = Slot_Of(t, by);
        if (winner == slot || t.Players[winner].Place != 0)
            throw Velmora_Error(QStringLiteral("Only a player still in can knock %1 out.").arg(Person_Name(out)));
    }
    t.Money.Entries[out.toLatin1()].Knocked_Out_By = by.toLatin1();
    Store_Money(t);
}

// ---- results per entry ----

QHash<QString, Entry_Result> Tourney_Entry_Results(const CTourney& t)
{
    const QVector<double> payouts = Rounded_Payouts(t);
    const Money_Settings& s = t.Money.Settings;
    const int total = std::clamp(t.Total, 0, Max_Entries);
    auto key_of = [&t](int i) {
        return QByteArray(t.Players[i].Name, static_cast<qsizetype>(qstrnlen(t.Players[i].Name, Entry_Name_Size)));
    };
    // The bounties won counted by name, the names sorted.
    std::vector<std::pair<QByteArray, int>> won(total);
    for (int i = 0; i < total; ++i)
        won[i] = {key_of(i), 0};
    std::sort(won.begin(), won.end());
    auto won_by = [&won](const QByteArray& name) -> int* {
        const auto at = std::lower_bound(won.begin(), won.end(), std::make_pair(name, INT_MIN));
        return at != won.end() && at->first == name ? &at->second : nullptr;
    };
    QVector<Entry_Money> money(total);
    for (int i = 0; i < total; ++i) {
        money[i] = t.Money.Of(key_of(i));
        if (t.Players[i].Place != 0 && !money[i].Knocked_Out_By.isEmpty())
            if (int* count = won_by(money[i].Knocked_Out_By))
                ++*count;
    }
    QHash<QString, Entry_Result> results;
    results.reserve(total);
    for (int i = 0; i < total; ++i) {
        const QByteArray key = key_of(i);
        const QString name = QString::fromLatin1(key);
        const Entry_Money& m = money[i];
        Entry_Result r;
        r.Place = t.Players[i].Place;
        if (m.Deal >= 0)
            r.Prize = m.Deal + (r.Place == 1 ? s.Deal_Kept : 0);
        else if (r.Place >= 1 && r.Place <= Prize_Count)
            r.Prize = payouts[r.Place - 1];
        const int* count = won_by(key);
        r.Bounties_Won = count ? *count : 0;
        r.Bounty_Money = r.Bounties_Won * s.Bounty;
        r.Rebuys = m.Rebuys;
        r.Addons = m.Addons;
        results.insert(name, r);
    }
    return results;
}

QHash<QString, Entry_Result> Tourney_Entry_Results_From_File(const QString& trn_path)
{
    CTourney t;
    Read_Tourney_Money(trn_path, Profile(trn_path), t);
    return Tourney_Entry_Results(t);
}

void Read_Tourney_Money(const QString& trn_path, const Profile& ini, CTourney& t)
{
    t.Trn_Path = trn_path;
    const qsizetype dot = trn_path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = trn_path.lastIndexOf(QLatin1Char('/'));
    t.Plr_Path = (dot > slash ? trn_path.left(dot) : trn_path) + QStringLiteral(".plr");
    t.Read_Entries();
    t.Prize_Total = ini.Read_Float("Prizes", "Total", 0);
    for (int i = 0; i < Prize_Count; ++i)
        t.Prize[i] = ini.Read_Float("Prizes", ("Prize " + std::to_string(i)).c_str(), 0);
    Read_Money(ini, t);
}
