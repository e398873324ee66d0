#pragma once
// The operator's remote on the phone page: the PIN that unlocks it, the
// brakes on guessing and the messages a page sends. Pure logic, no sockets:
// tested and fuzzed on its own.
//
// Guessing is held back three ways. At most Max_Tries wrong PINs a minute
// from one source, over all its connections (see Source_Of); at most
// Max_Tries_In_Total a minute from all sources together, so no number of
// addresses gets around it; and after Redraw_After wrong PINs in a row a new
// PIN is drawn. The right PIN, or the host's approval, gives the phone a
// token of its own (see Grants): the PIN goes over the air once, not at
// every reconnect, and strangers' guesses never take the remote away.
#include "web/Grants.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>
#include <deque>

class QHostAddress;

namespace Phone_Remote {

constexpr int Max_Tries = 5;              // wrong PINs per source and minute
constexpr int Max_Tries_In_Total = 30;    // wrong PINs per minute, all sources together
constexpr int Redraw_After = 20;          // wrong PINs in a row before a new PIN is drawn
constexpr qint64 Try_Window_Ms = 60'000;
constexpr qsizetype Max_Message_Bytes = 512;
constexpr int Max_Addresses = 4096;       // the brake's memory stays bounded

// A new six-digit PIN ("004217"), drawn from the system's random source.
QString New_Pin();

// Whether a given PIN is the drawn one. Takes the same time wherever the two
// differ, so the time of an answer tells nothing about the digits.
bool Same_Pin(const QString& given, const QString& pin);

// The local network's IPv6 prefixes: an address and its prefix length each.
using Prefixes = QList<QPair<QHostAddress, int>>;

// The source a connection is counted under: the IPv4 address ("10.0.0.9",
// also for an IPv4-mapped IPv6 address); an IPv6 address on the local
// network (link-local, loopback, or within one of local's prefixes) as it is,
// since every phone of the house has its own there; any other IPv6 address
// by its /64 ("2001:db8:1:2::/64"), as one device may own all of that.
QString Source_Of(const QHostAddress& address, const Prefixes& local = {});

enum class Command { None, Start_Stop, Next_Level, Prev_Level };

// What a page asked for: the remote (with the PIN, its token, or the host's
// approval), or a command.
struct Message {
    enum Kind { Invalid, Pin, Token, Ask, Run };
    Kind kind = Invalid;
    bool valid = false;
    QString pin;              // Pin
    QByteArray token;         // Token
    Command command = Command::None;   // Run
};

// {"pin":"123456"}, {"token":"<32 hex digits>"}, {"ask":"remote"} or
// {"command":"start"|"next"|"prev"}; anything else, anything larger than
// Max_Message_Bytes, is not valid.
Message Parse_Message(QByteArrayView text);

// Counts wrong PINs per source and in total over the last minute, and the
// wrong PINs in a row.
class Pin_Brake {
public:
    // True when a PIN from the source may be checked now, whichever of its
    // connections it comes on. A source the full record does not know yet
    // is refused.
    bool May_Try(const QString& source, qint64 now_ms);
    // Records a wrong PIN; true when it is the Redraw_After-th in a row: the
    // caller draws a new PIN (the row starts again).
    bool Wrong(const QString& source, qint64 now_ms);
    // A right PIN ends the row.
    void Right() { in_a_row_ = 0; }
    // Milliseconds until the source may try again (0: now).
    qint64 Wait_Ms(const QString& source, qint64 now_ms);
    int Addresses() const { return static_cast<int>(tries_.size()); }
    int Wrong_In_A_Row() const { return in_a_row_; }

private:
    void Forget_Old(const QString& source, qint64 now_ms);
    void Forget_All_Old(qint64 now_ms);
    qint64 Total_Wait_Ms(qint64 now_ms) const;
    QHash<QString, QVector<qint64>> tries_;
    std::deque<qint64> all_;   // the newest Max_Tries_In_Total wrong PINs, all sources
    int in_a_row_ = 0;
};

// What the remote knows of one page (one live connection).
struct Page_State {
    quint64 serial = 0;   // the connection's number, as its request knows it
    int grant = -1;       // the grant it holds the remote by (-1: none)
};

// Everything the server's remote keeps.
struct State {
    Pin_Brake brake;
    Grants grants;
    Requests requests;
    // Whether the page holds the remote now (its grant may have been revoked).
    bool Holds(const Page_State& page) const { return page.grant >= 0 && grants.Holds(page.grant); }
};

// What the server does with one message from a page.
struct Outcome {
    QByteArray reply;         // the JSON answer for that page
    bool unlock = false;      // the page now holds the remote
    Command run = Command::None;
    bool log_wrong_pin = false;   // a PIN was refused (wrong, or not checked)
    bool redraw_pin = false;      // draw a new PIN: too many wrong ones in a row
    bool lists_changed = false;   // the holders or the requests the host sees
};

// Decides on one message of a page and notes what it learnt in page and state.
Outcome Handle(QByteArrayView text, const QString& pin, Page_State& page, const QString& source, qint64 now_ms,
               State& state);

// The message a page gets when the host gives it the remote, and when the
// host takes it back or refuses its request.
QByteArray Unlocked_Reply(const QByteArray& token);
QByteArray Revoked_Reply();
QByteArray Refused_Reply();

// The log of refused PINs stays small: each source is written at most once a
// minute, with the count since its last line, and at most Max_Lines lines a
// minute in all; what does not fit is summed up in one line a minute.
class Log_Throttle {
public:
    static constexpr int Max_Lines = 10;        // a minute, all sources
    static constexpr int Max_Sources = 1024;    // remembered at once

    // Notes one refused PIN from the source; the lines to write now.
    QStringList Refused(const QString& source, qint64 now_ms);
    // The lines of counts whose minute is over (the caller asks now and then).
    QStringList Flush(qint64 now_ms);
    int Sources() const { return static_cast<int>(sources_.size()); }

private:
    struct Entry {
        qint64 written = 0;   // when its last line was written
        int count = 0;        // refused since
    };
    bool Take_Line();   // a line of this minute's budget, if any is left
    void Roll(qint64 now_ms, QStringList& lines);
    QHash<QString, Entry> sources_;
    qint64 minute_start_ = -Try_Window_Ms;
    int lines_ = 0;        // written in this minute
    int others_ = 0;       // refused PINs not written one by one in this minute
};

} // namespace Phone_Remote
