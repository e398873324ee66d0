#pragma once
// The operator's remote on the phone page: the PIN that unlocks it, the
// brake on guessing (at most Max_Tries wrong PINs a minute from one address)
// and the messages a page sends. Pure logic, no sockets: tested and fuzzed
// on its own.
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QVector>

namespace Phone_Remote {

constexpr int Max_Tries = 5;              // wrong PINs per address and minute
constexpr qint64 Try_Window_Ms = 60'000;
constexpr qsizetype Max_Message_Bytes = 512;
constexpr int Max_Addresses = 4096;       // the brake's memory stays bounded

// A new six-digit PIN ("004217"), drawn from the system's random source.
QString New_Pin();

enum class Command { None, Start_Stop, Next_Level, Prev_Level };

// What a page asked for: the PIN to unlock the remote, or a command.
struct Message {
    bool valid = false;
    QString pin;              // set when the page sends a PIN
    Command command = Command::None;
};

// {"pin":"123456"} or {"command":"start"|"next"|"prev"}; anything else,
// anything larger than Max_Message_Bytes, is not valid.
Message Parse_Message(QByteArrayView text);

// Counts wrong PINs per address over the last minute.
class Pin_Brake {
public:
    // True when the address may try a PIN now.
    bool May_Try(const QString& address, qint64 now_ms);
    // Records a wrong PIN.
    void Wrong(const QString& address, qint64 now_ms);
    // Milliseconds until the address may try again (0: now).
    qint64 Wait_Ms(const QString& address, qint64 now_ms);
    int Addresses() const { return static_cast<int>(tries_.size()); }

private:
    void Forget_Old(const QString& address, qint64 now_ms);
    void Forget_All_Old(qint64 now_ms);
    QHash<QString, QVector<qint64>> tries_;
};

// What the server does with one message from a page.
struct Outcome {
    QByteArray reply;         // the JSON answer for that page
    bool unlock = false;      // the connection may now give commands
    Command run = Command::None;
    bool log_wrong_pin = false;
};

// Decides on one message. unlocked: this connection gave the right PIN before.
Outcome Handle(QByteArrayView text, const QString& pin, bool unlocked, const QString& address, qint64 now_ms,
               Pin_Brake& brake);

} // namespace Phone_Remote
