#pragma once
// The money of a tournament: buy-in, fee, bounty, rebuys, add-ons, added
// money, the currency and the unit payouts are rounded to; per entry the
// rebuys, the add-ons, who knocked the player out (the bounty's winner) and
// the amount agreed in a deal. Kept in the tournament file in sections of its
// own ("Money" and "Money Entries"); a file without them is a tournament
// without money, and a tournament without money writes neither section.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVector>
#include <cstdint>

class CTourney;
class Profile;

struct Money_Settings {
    double Buy_In = 0;
    double Fee = 0;            // kept by the house, not in the pool
    double Bounty = 0;         // part of the buy-in, won by whoever knocks the player out
    double Rebuy_Price = 0;
    int32_t Rebuy_Chips = 0;
    int32_t Rebuy_Until = 0;   // rebuys until the end of this level (1-based); 0: no rebuys
    double Addon_Price = 0;
    int32_t Addon_Chips = 0;
    int32_t Addon_Until = 0;   // one add-on per player until the end of this level; 0: none
    double Added_Money = 0;    // a guarantee or a sponsor's money, in the pool
    QString Currency;          // "" shows the user's locale's symbol once there is money
    double Rounding = 0;       // payouts are rounded down to this unit (0: to the cent); the rest goes to first
    bool Pool_From_Entries = false;
    double Deal_Kept = 0;      // left to play for after a deal: the winner's on top of the deal

    bool operator==(const Money_Settings&) const = default;
};

struct Entry_Money {
    int32_t Rebuys = 0;
    int32_t Addons = 0;
    QByteArray Knocked_Out_By; // the name (Latin-1) of the player credited with the bounty
    double Deal = -1;          // the amount agreed in a deal; below 0: no deal

    bool Empty() const { return Rebuys == 0 && Addons == 0 && Knocked_Out_By.isEmpty() && Deal < 0; }
    bool operator==(const Entry_Money&) const = default;
};

class CMoney {
public:
    Money_Settings Settings;
    // Keyed by the entry's name as its Latin-1 bytes ("First,Last").
    QHash<QByteArray, Entry_Money> Entries;

    // An entry's money, or an empty one.
    Entry_Money Of(const QByteArray& name) const { return Entries.value(name); }
    Entry_Money Of(const QString& name) const { return Of(name.toLatin1()); }
    // Anything set at all: a tournament without it writes no money sections.
    bool Any() const;
    // The player came back in: the bounty goes back to whoever had it.
    void Back_In(const QString& name);
    // The player left the tournament: his counts go, and so does any
    // bounty credited to him.
    void Forget(const QString& name);
};

// ---- reading and writing the tournament file (called by Load_File / Save_File) ----
// Reads the money sections after the entries were read: only entries of the
// tournament keep their counts. With the pool kept from the entries, the
// record's pool is set.
void Read_Money(const Profile& ini, CTourney& t);
// Only the settings of the money section (default ones without it).
Money_Settings Read_Money_Settings(const Profile& ini);
// Writes the money sections (or removes them when there is no money).
void Write_Money(Profile& ini, const CTourney& t);
// Writes only the money sections into the tournament file at once (a rebuy
// or a knock-out between two saves is not lost).
void Store_Money(const CTourney& t);

// ---- what the money adds up to ----
int Total_Rebuys(const CTourney& t);
int Total_Addons(const CTourney& t);
// entries x (buy-in - fee - bounty) + rebuys x rebuy price + add-ons x add-on
// price + added money.
double Pool_From_Entries(const CTourney& t);
// With "Pool from entries" on, the record's pool follows the entries.
void Keep_Pool(CTourney& t);
// Bounties won by the player: those he knocked out who are still out.
int Bounties_Won(const CTourney& t, const QByteArray& name);
// entries x starting chips (the chip set) + rebuy and add-on chips.
double Chips_In_Play(const CTourney& t);
// The symbol amounts are shown with: the stored one, the locale's once the
// tournament has money, or none.
QString Shown_Currency(const Money_Settings& s);

// Amounts rounded down to the unit (cents when the unit is not positive),
// every one but the first; the first takes what is left of their exact sum.
QVector<double> Rounded_Amounts(const QVector<double>& exact, double unit);
// The ten places' amounts from the pool and the percentages, rounded.
QVector<double> Rounded_Payouts(const CTourney& t);
// A standard payout table: percentages of places 1 to 10 (at most ten,
// summing to 100) for a number of entries.
QVector<int> Suggested_Percentages(int entries);

// ---- rebuys, add-ons and knock-outs (level is 1-based) ----
// Each throws Velmora_Error with the reason when it is refused, and stores
// nothing then. A rebuy for a player who is out puts him back in.
void Rebuy(CTourney& t, const QString& name, int level);
void Undo_Rebuy(CTourney& t, const QString& name);
void Addon(CTourney& t, const QString& name, int level);
void Undo_Addon(CTourney& t, const QString& name);
// Credits the bounty of a player who is out to a player still in ("" takes
// the credit away).
void Credit_Knock_Out(CTourney& t, const QString& out, const QString& by);

// ---- an evening's results per entry, for seasons and the results report ----
struct Entry_Result {
    int Place = 0;          // 0: still playing
    double Prize = 0;       // the rounded payout of the place, or the deal (plus what was kept, for the winner)
    int Bounties_Won = 0;
    double Bounty_Money = 0;
    int Rebuys = 0;
    int Addons = 0;
};
// Keyed by the entry's name "First,Last".
QHash<QString, Entry_Result> Tourney_Entry_Results(const CTourney& t);
// The same from a tournament file and the entry file beside it (".plr"),
// wherever they lie. A missing file gives no results.
QHash<QString, Entry_Result> Tourney_Entry_Results_From_File(const QString& trn_path);
// The entries (from the entry file beside it), the pool, the percentages and
// the money of a tournament file already read, into an empty record.
void Read_Tourney_Money(const QString& trn_path, const Profile& ini, CTourney& t);
