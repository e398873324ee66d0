#include "model/Money.h"
#include "model/Person_name.h"

#include "model/Tourney.h"
#include "platform/Profile.h"
#include "platform/Velmora_error.h"

#include <QLocale>
#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

int Slot_Of(const CTourney& t, const QString& name)
{
    const int slot = t.Find_Entry(name);
    if (slot < 0)
        throw Velmora_Error(QStringLiteral("%1 is not a player of this tournament.").arg(Person_Name(name)));
    return slot;
}

QByteArray Key_Of(const CTourneyPlayer& entry)
{
    return QByteArray(entry.Name, static_cast<qsizetype>(qstrnlen(entry.Name, Entry_Name_Size)));
}

// The knock-outs an entry was credited for: every earlier one followed by a
// rebuy, and the present one while he is out.
template <typename F> void For_Each_Credit(const Entry_Money& m, bool out, F f)
{
    for (const Rebuy_Before& b : m.Before_Rebuys)
        if (b.Place != 0 && !b.Knocked_Out_By.isEmpty())
            f(b.Knocked_Out_By);
    if (out && !m.Knocked_Out_By.isEmpty())
        f(m.Knocked_Out_By);
}

// Puts a player who is in out at a place he had: those out since move up
// one place, so the places stay 1..k from the bottom.
void Back_Out_At(CTourney& t, int slot, int32_t place)
{
    const int total = std::clamp(t.Total, 0, Max_Entries);
    place = std::clamp(place, std::max(t.Out, 1), std::max(total, 1));
    for (int i = 0; i < total; ++i)
        if (i != slot && t.Players[i].Place > 0 && t.Players[i].Place <= place && t.Players[i].Place >= t.Out)
            --t.Players[i].Place;
    t.Players[slot].Place = place;
    --t.Out;
    t.Write_Entries();
}

} // namespace

// ---- CMoney ----

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
    for (Entry_Money& m : Entries) {
        if (m.Knocked_Out_By == key)
            m.Knocked_Out_By.clear();
        for (Rebuy_Before& b : m.Before_Rebuys)
            if (b.Knocked_Out_By == key)
                b.Knocked_Out_By.clear();
    }
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

Money_Amount Pool_From_Entries(const CTourney& t)
{
    const Money_Settings& s = t.Money.Settings;
    const Money_Amount per_entry = std::max(s.Buy_In - s.Fee - s.Bounty, Money_Amount());
    const Money_Amount pool = per_entry * std::clamp(t.Total, 0, Max_Entries) + s.Rebuy_Price * Total_Rebuys(t)
                        + s.Addon_Price * Total_Addons(t) + s.Added_Money;
    return std::clamp(pool, Money_Amount(), Most_Money);
}

Money_Amount Pool_Of(const CTourney& t)
{
    if (static_cast<float>(t.Money.Pool.Value()) == t.Prize_Total)
        return t.Money.Pool;
    return std::clamp(Money_Amount::Nearest(t.Prize_Total), Money_Amount(), Most_Money);
}

void Set_Pool(CTourney& t, Money_Amount pool)
{
    t.Money.Pool = std::clamp(pool, Money_Amount(), Most_Money);
    t.Prize_Total = static_cast<float>(t.Money.Pool.Value());
}

void Keep_Pool(CTourney& t)
{
    if (t.Money.Settings.Pool_From_Entries)
        Set_Pool(t, Pool_From_Entries(t));
}

int Bounties_Won(const CTourney& t, const QByteArray& name)
{
    int won = 0;
    for (int i = 0; i < t.Total && i < Max_Entries; ++i)
        For_Each_Credit(t.Money.Of(Key_Of(t.Players[i])), t.Players[i].Place != 0,
                        [&](const QByteArray& by) { won += by == name ? 1 : 0; });
    return won;
}

QString Settings_Problem(const Money_Settings& s)
{
    if (s.Fee + s.Bounty > s.Buy_In)
        return QStringLiteral("Fee and bounty (%1) are more than the buy-in (%2): both are parts of it.")
            .arg(Amount_Text(s.Fee + s.Bounty), Amount_Text(s.Buy_In));
    return QString();
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

QVector<Money_Amount> Rounded_Shares(Money_Amount pool, const QVector<int>& hundredths, Money_Amount unit)
{
    QVector<Money_Amount> out(hundredths.size());
    if (hundredths.isEmpty())
        return out;
    const int64_t unit_cents = std::max<int64_t>(1, unit.Cents());
    const int64_t pool_cents = std::clamp(pool, Money_Amount(), Most_Money).Cents();
    // Shares in ten-thousandths of a cent: exact in 64 bits (1e11 x 1e4 x 10).
    int64_t all = 0;
    int64_t rest_cents = 0;
    for (qsizetype i = 0; i < hundredths.size(); ++i) {
        const int64_t share = pool_cents * std::clamp(hundredths[i], 0, 10000);
        all += share;
        if (i == 0)
            continue;
        const int64_t rounded = share / 10000 / unit_cents * unit_cents;
        out[i] = Money_Amount::Of_Cents(rounded);
        rest_cents += rounded;
    }
    const int64_t total = (all + 5000) / 10000; // half a cent and more: up
    out[0] = Money_Amount::Of_Cents(total - rest_cents);
    return out;
}

QVector<Money_Amount> Rounded_Payouts(const CTourney& t)
{
    QVector<int> hundredths(Prize_Count);
    for (int i = 0; i < Prize_Count; ++i) {
        const float p = t.Prize[i];
        hundredths[i] = std::isfinite(p) && p > 0 ? static_cast<int>(std::lround(std::min(p, 100.0f) * 100)) : 0;
    }
    return Rounded_Shares(Pool_Of(t), hundredths, t.Money.Settings.Rounding);
}

QVector<Money_Amount> Largest_Remainder(const QVector<double>& figures, Money_Amount total, Money_Amount unit)
{
    const qsizetype n = figures.size();
    QVector<Money_Amount> out(n);
    if (n == 0)
        return out;
    const int64_t u = std::max<int64_t>(1, unit.Cents());
    std::vector<long double> remainder(n);
    int64_t sum = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const long double cents = std::isfinite(figures[i]) && figures[i] > 0
                                      ? std::min<long double>(figures[i] * 100.0L, Most_Money.Cents())
                                      : 0;
        const int64_t units = static_cast<int64_t>(std::floor(cents / u));
        out[i] = Money_Amount::Of_Cents(units * u);
        remainder[i] = cents - static_cast<long double>(units * u);
        sum += units * u;
    }
    std::vector<qsizetype> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) { return remainder[a] > remainder[b]; });
    int64_t left = total.Cents() - sum;
    // Whole units to the largest remainders, again round when the figures fall short.
    for (qsizetype k = 0; left >= u; k = (k + 1) % n, left -= u)
        out[order[k]] += Money_Amount::Of_Cents(u);
    // Figures above the total give back from the smallest remainders.
    for (qsizetype k = n - 1, idle = 0; left < 0 && idle < n; k = (k + n - 1) % n) {
        const int64_t back = std::min<int64_t>({u, -left, out[order[k]].Cents()});
        out[order[k]] -= Money_Amount::Of_Cents(back);
        left += back;
        idle = back > 0 ? 0 : idle + 1;
    }
    // Less than a unit (a total that is no multiple of it) goes to the largest remainder.
    out[order[0]] += Money_Amount::Of_Cents(left);
    return out;
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

QString Rebuy_Refusal(const CTourney& t, const QString& name, int level)
{
    const Money_Settings& s = t.Money.Settings;
    if (s.Rebuy_Until <= 0)
        return QStringLiteral("This tournament has no rebuys.");
    if (level > s.Rebuy_Until)
        return QStringLiteral("No rebuy for %1: rebuys ended with level %2.").arg(Person_Name(name)).arg(s.Rebuy_Until);
    if (s.Rebuys_Per_Player > 0 && t.Money.Of(name).Rebuys >= s.Rebuys_Per_Player)
        return QStringLiteral("No rebuy for %1: %2 rebuys per player are allowed.").arg(Person_Name(name)).arg(s.Rebuys_Per_Player);
    return QString();
}

void Rebuy(CTourney& t, const QString& name, int level)
{
    const int slot = Slot_Of(t, name);
    const QString refusal = Rebuy_Refusal(t, name, level);
    if (!refusal.isEmpty())
        throw Velmora_Error(refusal);
    Entry_Money& m = t.Money.Entries[name.toLatin1()];
    // What the rebuy changes is kept for its undo; the knock-out's credit
    // stays won. The list holds the latest rebuys from the first that put a
    // player back in: before it, nothing is to be put back.
    if (t.Players[slot].Place != 0 || !m.Before_Rebuys.isEmpty())
        m.Before_Rebuys << Rebuy_Before{t.Players[slot].Place, m.Knocked_Out_By};
    ++m.Rebuys;
    // A player who is out buys back in: the places close up as for "In".
    if (t.Players[slot].Place != 0)
        t.Set_In(name);
    Keep_Pool(t);
    Store_Money(t);
}

void Undo_Rebuy(CTourney& t, const QString& name)
{
    const int slot = Slot_Of(t, name);
    auto it = t.Money.Entries.find(name.toLatin1());
    if (it == t.Money.Entries.end() || it->Rebuys == 0)
        throw Velmora_Error(QStringLiteral("%1 has no rebuy to take back.").arg(Person_Name(name)));
    --it->Rebuys;
    // The last rebuy's record (none: it changed no place, only the count goes).
    if (!it->Before_Rebuys.isEmpty()) {
        const Rebuy_Before before = it->Before_Rebuys.takeLast();
        if (before.Place != 0) {
            if (t.Players[slot].Place != 0)
                t.Set_In(name); // out again since: that knock-out is undone with it
            Back_Out_At(t, slot, before.Place);
            t.Money.Entries[name.toLatin1()].Knocked_Out_By = before.Knocked_Out_By;
        }
    }
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

void Credit_Knock_Out(CTourney& t, const QString& out, const QString& by, bool now)
{
    const int slot = Slot_Of(t, out);
    if (t.Players[slot].Place == 0)
        throw Velmora_Error(QStringLiteral("%1 is still in: nobody has knocked him out.").arg(Person_Name(out)));
    if (!by.isEmpty()) {
        const int winner = Slot_Of(t, by);
        if (winner == slot)
            throw Velmora_Error(QStringLiteral("%1 cannot have knocked himself out.").arg(Person_Name(out)));
        if (now && t.Players[winner].Place != 0)
            throw Velmora_Error(QStringLiteral("Only a player still in can knock %1 out.").arg(Person_Name(out)));
    }
    t.Money.Entries[out.toLatin1()].Knocked_Out_By = by.toLatin1();
    Store_Money(t);
}

QString Last_In(const CTourney& t)
{
    const int total = std::clamp(t.Total, 0, Max_Entries);
    int in = -1;
    for (int i = 0; i < total; ++i) {
        if (t.Players[i].Place != 0)
            continue;
        if (in >= 0)
            return QString();
        in = i;
    }
    return in >= 0 && total > 1 ? CTourney::Entry_Name(t.Players[in]) : QString();
}

void Record_Winner(CTourney& t, const QString& name)
{
    if (name.isEmpty() || Last_In(t) != name)
        throw Velmora_Error(QStringLiteral("%1 is not the last player in.").arg(Person_Name(name)));
    t.Set_Out(name);
}

QString Winner_Of(const CTourney& t)
{
    for (int i = 0; i < t.Total && i < Max_Entries; ++i)
        if (t.Players[i].Place == 1)
            return CTourney::Entry_Name(t.Players[i]);
    return QString();
}

// ---- deals ----

Money_Amount Still_To_Win(const CTourney& t)
{
    const QVector<Money_Amount> payouts = Rounded_Payouts(t);
    Money_Amount decided;
    for (int i = 0; i < t.Total && i < Max_Entries; ++i) {
        const Entry_Money m = t.Money.Of(Key_Of(t.Players[i]));
        const int place = t.Players[i].Place;
        if (m.Has_Deal())
            decided += m.Deal;
        else if (place >= 1 && place <= Prize_Count)
            decided += payouts[place - 1];
    }
    return std::max(Pool_Of(t) - decided, Money_Amount());
}

QVector<Money_Amount> Prizes_To_Share(const CTourney& t, int players)
{
    QVector<Money_Amount> prizes(std::max(players, 0));
    if (prizes.isEmpty())
        return prizes;
    Money_Amount left = Still_To_Win(t);
    bool dealt = false;
    for (int i = 0; i < t.Total && i < Max_Entries; ++i)
        dealt = dealt || (t.Players[i].Place == 0 && t.Money.Of(Key_Of(t.Players[i])).Has_Deal());
    if (dealt) {
        prizes[0] = left;
        return prizes;
    }
    const QVector<Money_Amount> payouts = Rounded_Payouts(t);
    for (int p = 0; p < players && p < Prize_Count; ++p) {
        prizes[p] = std::min(payouts[p], left);
        left -= prizes[p];
    }
    return prizes;
}

void Write_Deal(CTourney& t, const QStringList& names, const QVector<Money_Amount>& shares, Money_Amount keep)
{
    if (names.size() != shares.size() || names.isEmpty())
        throw Velmora_Error("A deal needs an amount for every player in it.");
    const Money_Amount left = Still_To_Win(t);
    if (keep < Money_Amount() || keep > left)
        throw Velmora_Error(QStringLiteral("%1 cannot be kept to play for: %2 is still to be won.")
                                .arg(Amount_Text(keep), Amount_Text(left)));
    Money_Amount sum;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const int slot = Slot_Of(t, names[i]);
        if (t.Players[slot].Place != 0)
            throw Velmora_Error(QStringLiteral("%1 is out: only players still in make a deal.").arg(names[i]));
        if (shares[i] < Money_Amount() || shares[i] > Most_Money)
            throw Velmora_Error(QStringLiteral("%1 is no share of a deal.").arg(Amount_Text(shares[i])));
        sum += shares[i];
    }
    const Money_Amount to_share = left - keep;
    if (sum != to_share)
        throw Velmora_Error(QStringLiteral("The agreed amounts add up to %1, but %2 is to be shared: %3 %4.")
                                .arg(Amount_Text(sum), Amount_Text(to_share), Amount_Text(sum > to_share ? sum - to_share : to_share - sum),
                                     sum > to_share ? QStringLiteral("too much") : QStringLiteral("short")));
    for (qsizetype i = 0; i < names.size(); ++i) {
        Entry_Money& m = t.Money.Entries[names[i].toLatin1()];
        m.Deal = (m.Has_Deal() ? m.Deal : Money_Amount()) + shares[i];
    }
    t.Money.Settings.Deal_Kept = keep;
    Store_Money(t);
}

// ---- results per entry ----

QHash<QString, Entry_Result> Tourney_Entry_Results(const CTourney& t)
{
    const QVector<Money_Amount> payouts = Rounded_Payouts(t);
    const Money_Settings& s = t.Money.Settings;
    const int total = std::clamp(t.Total, 0, Max_Entries);
    // The bounties won counted by name, the names sorted.
    std::vector<std::pair<QByteArray, int>> won(total);
    for (int i = 0; i < total; ++i)
        won[i] = {Key_Of(t.Players[i]), 0};
    std::sort(won.begin(), won.end());
    auto won_by = [&won](const QByteArray& name) -> int* {
        const auto at = std::lower_bound(won.begin(), won.end(), std::make_pair(name, INT_MIN));
        return at != won.end() && at->first == name ? &at->second : nullptr;
    };
    QVector<Entry_Money> money(total);
    for (int i = 0; i < total; ++i) {
        money[i] = t.Money.Of(Key_Of(t.Players[i]));
        For_Each_Credit(money[i], t.Players[i].Place != 0, [&](const QByteArray& by) {
            if (int* count = won_by(by))
                ++*count;
        });
    }
    QHash<QString, Entry_Result> results;
    results.reserve(total);
    for (int i = 0; i < total; ++i) {
        const QByteArray key = Key_Of(t.Players[i]);
        const Entry_Money& m = money[i];
        Entry_Result r;
        r.Place = t.Players[i].Place;
        if (m.Has_Deal())
            r.Prize = m.Deal + (r.Place == 1 ? s.Deal_Kept : Money_Amount());
        else if (r.Place >= 1 && r.Place <= Prize_Count)
            r.Prize = payouts[r.Place - 1];
        const int* count = won_by(key);
        r.Bounties_Won = count ? *count : 0;
        r.Own_Bounty = r.Place == 1 && total > 1 && s.Bounty > Money_Amount();
        r.Bounty_Money = s.Bounty * (r.Bounties_Won + (r.Own_Bounty ? 1 : 0));
        r.Rebuys = m.Rebuys;
        r.Addons = m.Addons;
        results.insert(QString::fromLatin1(key), r);
    }
    return results;
}

QHash<QString, Entry_Result> Tourney_Entry_Results_From_File(const QString& trn_path)
{
    CTourney t;
    Read_Tourney_Money(trn_path, Profile(trn_path), t);
    return Tourney_Entry_Results(t);
}
