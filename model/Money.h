#pragma once
// The money of a tournament: buy-in, fee, bounty, rebuys, add-ons, added
// money, the currency and the unit payouts are rounded to; per entry the
// rebuys, the add-ons, who knocked the player out (the bounty's winner) and
// the amount agreed in a deal. Kept in the tournament file in sections of its
// own ("Money" and "Money Entries"); a file without them is a tournament
// without money, and a tournament without money writes neither section.
#include "model/Money_amount.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

class CTourney;
class Profile;

struct Money_Settings {
    Money_Amount Buy_In;
    Money_Amount Fee;                // kept by the house, not in the pool
    Money_Amount Bounty;             // part of the buy-in, won by whoever knocks the player out
    Money_Amount Rebuy_Price;
    int32_t Rebuy_Chips = 0;
    int32_t Rebuy_Until = 0;   // rebuys until the end of this level (1-based); 0: no rebuys
    int32_t Rebuys_Per_Player = 0; // 0: no limit
    Money_Amount Addon_Price;
    int32_t Addon_Chips = 0;
    int32_t Addon_Until = 0;   // one add-on per player until the end of this level; 0: none
    Money_Amount Added_Money;        // a guarantee or a sponsor's money, in the pool
    QString Currency;          // "" shows the user's locale's symbol once there is money
    Money_Amount Rounding;           // payouts are rounded down to this unit (0: to the cent); the rest goes to first
    bool Pool_From_Entries = false;
    Money_Amount Deal_Kept;          // left to play for after a deal: the winner's on top of the deal

    bool operator==(const Money_Settings&) const = default;
};

// What a rebuy changed: the place the player had (0: he was in) and who
// was credited with knocking him out then. That credit stays won; undoing
// the rebuy puts both back.
struct Rebuy_Before {
    int32_t Place = 0;
    QByteArray Knocked_Out_By;
    bool operator==(const Rebuy_Before&) const = default;
};

struct Entry_Money {
    int32_t Rebuys = 0;
    int32_t Addons = 0;
    QByteArray Knocked_Out_By; // the name (Latin-1) of the player credited with the bounty
    Money_Amount Deal = No_Deal;     // the amount agreed in a deal; below 0: no deal
    QList<Rebuy_Before> Before_Rebuys; // the latest rebuys', oldest first, from the first that put him back in

    static constexpr Money_Amount No_Deal = Money_Amount::Of_Cents(-1);
    bool Has_Deal() const { return Deal >= Money_Amount(); }
    bool Empty() const { return Rebuys == 0 && Addons == 0 && Knocked_Out_By.isEmpty() && !Has_Deal(); }
    bool operator==(const Entry_Money&) const = default;
};

class CMoney {
public:
    Money_Settings Settings;
    // Keyed by the entry's name as its Latin-1 bytes ("First,Last").
    QHash<QByteArray, Entry_Money> Entries;
    // The exact pool; the record's single-precision Prize_Total is its
    // nearest float (Pool_Of reconciles the two).
    Money_Amount Pool;

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
// Writes only the money sections and the pool into the tournament file at
// once (a rebuy or a knock-out between two saves is not lost).
void Store_Money(const CTourney& t);
// The same with the places' percentages: what is typed on the Payout page.
void Store_Payout(const CTourney& t);

// ---- what the money adds up to ----
int Total_Rebuys(const CTourney& t);
int Total_Addons(const CTourney& t);
// entries x (buy-in - fee - bounty) + rebuys x rebuy price + add-ons x add-on
// price + added money, at most Most_Money.
Money_Amount Pool_From_Entries(const CTourney& t);
// The exact pool: the money's own, unless the record's Prize_Total was set
// to something else since (then its nearest cent).
Money_Amount Pool_Of(const CTourney& t);
// Sets the exact pool and the record's Prize_Total beside it.
void Set_Pool(CTourney& t, Money_Amount pool);
// With "Pool from entries" on, the record's pool follows the entries.
void Keep_Pool(CTourney& t);
// Bounties won by the player: every knock-out credited to him, also of
// players who bought back in since.
int Bounties_Won(const CTourney& t, const QByteArray& name);
// Why these settings cannot be taken ("" when they can): fee and bounty
// are parts of the buy-in.
QString Settings_Problem(const Money_Settings& s);
// entries x starting chips (the chip set) + rebuy and add-on chips.
double Chips_In_Play(const CTourney& t);
// The symbol amounts are shown with: the stored one, the locale's once the
// tournament has money, or none.
QString Shown_Currency(const Money_Settings& s);

// The places' shares of a pool (in hundredths of a percent, each 0 to
// 10000), rounded down to the unit (cents when the unit is not positive),
// every one but the first; the first takes what is left of the exact sum of
// the shares (rounded to the cent). Shares summing to 100 % pay the pool.
QVector<Money_Amount> Rounded_Shares(Money_Amount pool, const QVector<int>& hundredths, Money_Amount unit);
// The ten places' amounts from the pool and the percentages, rounded.
QVector<Money_Amount> Rounded_Payouts(const CTourney& t);
// Figures (ICM values) rounded to the nearest unit with the differences
// settled by the largest remainders, so that they add up to total exactly.
QVector<Money_Amount> Largest_Remainder(const QVector<double>& figures, Money_Amount total, Money_Amount unit);
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
// Whether the player may rebuy now (the level's and the player's limit).
QString Rebuy_Refusal(const CTourney& t, const QString& name, int level);
// Credits the bounty of a player who is out to another entry ("" takes the
// credit away). At the knock-out itself (now) only a player still in can
// have done it; later any other entry may be credited.
void Credit_Knock_Out(CTourney& t, const QString& out, const QString& by, bool now = false);
// The one player still in when everybody else is out ("" otherwise).
QString Last_In(const CTourney& t);
// Records the last player in as the winner: he is marked out with place 1.
void Record_Winner(CTourney& t, const QString& name);

// ---- deals among the players still in ----
// What is still to be won: the pool less what the places already decided
// pay and what deals agreed (the amount kept to play for is still to be won).
Money_Amount Still_To_Win(const CTourney& t);
// The prizes a deal among the players still in shares, for places 1, 2, ...:
// the places' rounded payouts while nobody in has a deal, else what is still
// to be won as first prize; never more in all than is still to be won.
QVector<Money_Amount> Prizes_To_Share(const CTourney& t, int players);
// Writes a deal: each named player (still in) gets his share on top of any
// earlier deal, and keep is what the winner plays for. Refused (Velmora_Error,
// nothing changed) unless the shares add up to exactly what is still to be
// won less keep, or when keep is more than that.
void Write_Deal(CTourney& t, const QStringList& names, const QVector<Money_Amount>& shares, Money_Amount keep);

// ---- an evening's results per entry, for seasons and the results report ----
struct Entry_Result {
    int Place = 0;          // 0: still playing
    Money_Amount Prize;           // the rounded payout of the place, or the deal (plus what was kept, for the winner)
    int Bounties_Won = 0;   // knock-outs credited
    bool Own_Bounty = false; // the winner of a bounty tournament keeps his own
    Money_Amount Bounty_Money;    // the bounties won, the winner's own included
    int Rebuys = 0;
    int Addons = 0;
};
// Keyed by the entry's name "First,Last".
QHash<QString, Entry_Result> Tourney_Entry_Results(const CTourney& t);
// The same from a tournament file and the entry file beside it (".plr"),
// wherever they lie. A missing file gives no results.
QHash<QString, Entry_Result> Tourney_Entry_Results_From_File(const QString& trn_path);
// The winner (place 1), "" while nobody has won.
QString Winner_Of(const CTourney& t);
// The entries (from the entry file beside it), the pool, the percentages and
// the money of a tournament file already read, into an empty record.
void Read_Tourney_Money(const QString& trn_path, const Profile& ini, CTourney& t);
