// The money sections of the tournament file: "Money" (the settings and the
// exact pool) and "Money Entries" (one line per entry with counts, the
// bounty's winner, a deal and what each rebuy changed).
#include "model/Money.h"

#include "model/Tourney.h"
#include "platform/Profile.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

const char* const Money_Section = "Money";
const char* const Entries_Section = "Money Entries";

constexpr int32_t Most_Count = 999;   // rebuys or add-ons of one player
constexpr int32_t Most_Chips = 100000000;

// An amount of the file ('.' or ','); anything else, also out of range, is
// the default.
Money_Amount File_Amount(const QString& text, Money_Amount def)
{
    Money_Amount value;
    return Parse_Amount(text, value, QLatin1Char(',')).isEmpty() ? value : def;
}

Money_Amount Read_Amount(const Profile& ini, const char* key)
{
    return File_Amount(ini.Read_String(Money_Section, key, QString()), Money_Amount());
}

int32_t Read_Count(const Profile& ini, const char* key, int32_t most)
{
    return std::clamp(ini.Read_Int(Money_Section, key, 0), 0, most);
}

// "true", "yes", "1" and the like; "false", "no", "0" and anything else are no.
bool Read_Yes(const Profile& ini, const char* key)
{
    const QString text = ini.Read_String(Money_Section, key, QString()).trimmed().toLower();
    return text == QLatin1String("true") || text == QLatin1String("yes") || text == QLatin1String("on")
           || (!text.isEmpty() && text.toInt() != 0);
}

std::string Entry_Key(int n) { return "Entry " + std::to_string(n); }

// Names are written with every byte that could end a field, a line, a key or
// a section escaped as %XX; the comma between first and last name stays.
QByteArray Encoded(const QByteArray& name) { return name.toPercentEncoding(","); }

// A count of the file: digits only, within 0..most (more is held at most).
bool Parse_Count(const QByteArray& text, int32_t most, int32_t& value)
{
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    if (!ok || n < 0)
        return false;
    value = static_cast<int32_t>(std::min<qlonglong>(n, most));
    return true;
}

void Read_Settings(const Profile& ini, Money_Settings& s)
{
    s.Buy_In = Read_Amount(ini, "Buy-in");
    s.Fee = Read_Amount(ini, "Fee");
    s.Bounty = Read_Amount(ini, "Bounty");
    s.Rebuy_Price = Read_Amount(ini, "Rebuy Price");
    s.Rebuy_Chips = Read_Count(ini, "Rebuy Chips", Most_Chips);
    s.Rebuy_Until = Read_Count(ini, "Rebuy Until Level", Level_Count);
    s.Rebuys_Per_Player = Read_Count(ini, "Rebuys Per Player", Most_Count);
    s.Addon_Price = Read_Amount(ini, "Add-on Price");
    s.Addon_Chips = Read_Count(ini, "Add-on Chips", Most_Chips);
    s.Addon_Until = Read_Count(ini, "Add-on Until Level", Level_Count);
    s.Added_Money = Read_Amount(ini, "Added Money");
    s.Currency = ini.Read_String(Money_Section, "Currency", QString()).left(8);
    s.Rounding = Read_Amount(ini, "Rounding");
    s.Pool_From_Entries = Read_Yes(ini, "Pool From Entries");
    s.Deal_Kept = Read_Amount(ini, "Deal Kept");
}

void Write_Settings(Profile& ini, const Money_Settings& s)
{
    auto amount = [&ini](const char* key, Money_Amount value) { ini.Write_String(Money_Section, key, Amount_Text(value)); };
    amount("Buy-in", s.Buy_In);
    amount("Fee", s.Fee);
    amount("Bounty", s.Bounty);
    amount("Rebuy Price", s.Rebuy_Price);
    ini.Write_Int(Money_Section, "Rebuy Chips", s.Rebuy_Chips);
    ini.Write_Int(Money_Section, "Rebuy Until Level", s.Rebuy_Until);
    if (s.Rebuys_Per_Player != 0)
        ini.Write_Int(Money_Section, "Rebuys Per Player", s.Rebuys_Per_Player);
    else
        ini.Delete_Key(Money_Section, "Rebuys Per Player");
    amount("Add-on Price", s.Addon_Price);
    ini.Write_Int(Money_Section, "Add-on Chips", s.Addon_Chips);
    ini.Write_Int(Money_Section, "Add-on Until Level", s.Addon_Until);
    amount("Added Money", s.Added_Money);
    ini.Write_String(Money_Section, "Currency", s.Currency);
    amount("Rounding", s.Rounding);
    ini.Write_Bool(Money_Section, "Pool From Entries", s.Pool_From_Entries);
    amount("Deal Kept", s.Deal_Kept);
}

// "<place>:<name>|..." one per rebuy; unreadable items are dropped.
QList<Rebuy_Before> Parse_Before(const QByteArray& text)
{
    QList<Rebuy_Before> out;
    if (text.trimmed().isEmpty())
        return out;
    for (const QByteArray& item : text.split('|')) {
        const qsizetype colon = item.indexOf(':');
        Rebuy_Before b;
        if (colon < 0 || !Parse_Count(item.left(colon), Max_Entries, b.Place))
            continue;
        b.Knocked_Out_By = QByteArray::fromPercentEncoding(item.mid(colon + 1).trimmed());
        out << b;
    }
    return out;
}

// "<name>;<rebuys>;<add-ons>;<knocked out by>;<deal>;<before each rebuy>",
// the names escaped. A line whose counts or deal cannot be read is refused
// whole: read as 0 it would be written back as a loss.
bool Parse_Entry(const QByteArray& value, QByteArray& name, Entry_Money& m)
{
    const QList<QByteArray> fields = value.split(';');
    if (fields.size() < 3)
        return false;
    name = QByteArray::fromPercentEncoding(fields[0].trimmed());
    if (!Parse_Count(fields[1], Most_Count, m.Rebuys) || !Parse_Count(fields[2], Most_Count, m.Addons))
        return false;
    if (fields.size() > 3)
        m.Knocked_Out_By = QByteArray::fromPercentEncoding(fields[3].trimmed());
    if (fields.size() > 4 && !fields[4].trimmed().isEmpty()) {
        Money_Amount deal;
        if (!Parse_Amount(QString::fromLatin1(fields[4]), deal, QLatin1Char(',')).isEmpty())
            return false;
        m.Deal = deal;
    }
    if (fields.size() > 5)
        m.Before_Rebuys = Parse_Before(fields[5]);
    // The list belongs to the latest rebuys.
    while (m.Before_Rebuys.size() > m.Rebuys)
        m.Before_Rebuys.removeFirst();
    return true;
}

QByteArray Entry_Text(const QByteArray& name, const Entry_Money& m)
{
    QByteArray text = Encoded(name);
    text += ';' + QByteArray::number(m.Rebuys) + ';' + QByteArray::number(m.Addons) + ';' + Encoded(m.Knocked_Out_By) + ';';
    if (m.Has_Deal())
        text += Amount_Text(m.Deal).toLatin1();
    if (!m.Before_Rebuys.isEmpty()) {
        QByteArrayList items;
        for (const Rebuy_Before& b : m.Before_Rebuys)
            items << QByteArray::number(b.Place) + ':' + Encoded(b.Knocked_Out_By);
        text += ';' + items.join('|');
    }
    return text;
}

// The single-precision pool gives this amount back to the cent.
bool Float_Keeps(Money_Amount pool) { return Money_Amount::Nearest(static_cast<float>(pool.Value())) == pool; }

} // namespace

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
    // The exact pool when it agrees with the documented one (a program that
    // knows only "Total" may have changed that since); else the nearest cent.
    const Money_Amount exact = File_Amount(ini.Read_String(Money_Section, "Pool", QString()), Money_Amount::Of_Cents(-1));
    money.Pool = exact >= Money_Amount() && static_cast<float>(exact.Value()) == t.Prize_Total
                     ? exact
                     : std::clamp(Money_Amount::Nearest(t.Prize_Total), Money_Amount(), Most_Money);
    t.Prize_Total = static_cast<float>(money.Pool.Value());
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
    // Every line is read: a gap or an empty line (a hand edit) loses nothing after it.
    for (const QString& key : ini.Keys(Entries_Section)) {
        if (!key.startsWith(QLatin1String("Entry ")))
            continue;
        const QString text = ini.Read_String(Entries_Section, key.toLatin1().constData(), QString());
        QByteArray name;
        Entry_Money m;
        // Counts of somebody who is no entry (any more) are dropped.
        if (text.isEmpty() || !Parse_Entry(text.toLatin1(), name, m))
            continue;
        const auto at = std::lower_bound(names.begin(), names.end(), name);
        if (at == names.end() || *at != name || kept[at - names.begin()])
            continue;
        if (m.Knocked_Out_By == name || !is_entry(m.Knocked_Out_By))
            m.Knocked_Out_By.clear();
        for (Rebuy_Before& b : m.Before_Rebuys)
            if (b.Knocked_Out_By == name || !is_entry(b.Knocked_Out_By))
                b.Knocked_Out_By.clear();
        if (!m.Empty()) {
            money.Entries.insert(name, m);
            kept[at - names.begin()] = true;
        }
    }
    Keep_Pool(t);
    // What a deal kept to play for is at most what the deals left of the
    // pool, as when it was agreed: a hand-edited figure beyond it is held there.
    Money_Amount dealt;
    for (const Entry_Money& m : money.Entries)
        dealt += m.Has_Deal() ? m.Deal : Money_Amount();
    money.Settings.Deal_Kept = std::clamp(money.Settings.Deal_Kept, Money_Amount(), std::max(Pool_Of(t) - dealt, Money_Amount()));
}

bool CMoney::Any() const
{
    if (!(Settings == Money_Settings()) || !Float_Keeps(Pool))
        return true;
    return std::any_of(Entries.cbegin(), Entries.cend(), [](const Entry_Money& m) { return !m.Empty(); });
}

void Write_Money(Profile& ini, const CTourney& t)
{
    ini.Delete_Section(Entries_Section);
    if (!t.Money.Any()) {
        ini.Delete_Section(Money_Section);
        return;
    }
    Write_Settings(ini, t.Money.Settings);
    ini.Write_String(Money_Section, "Pool", Amount_Text(Pool_Of(t)));
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
    // The documented pool goes with the exact one: a reader of either agrees.
    ini.Write_Float("Prizes", "Total", static_cast<float>(Pool_Of(t).Value()));
    Write_Money(ini, t);
    ini.Flush();
}

void Store_Payout(const CTourney& t)
{
    Profile ini(t.Trn_Path);
    ini.Write_Float("Prizes", "Total", static_cast<float>(Pool_Of(t).Value()));
    for (int i = 0; i < Prize_Count; ++i)
        ini.Write_Float("Prizes", ("Prize " + std::to_string(i)).c_str(), t.Prize[i]);
    Write_Money(ini, t);
    ini.Flush();
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
