#pragma once
// The "Money" area of the Payout page: the money settings, "Pool from
// entries" (the pool follows the entries and cannot be typed), "Suggest"
// (a standard payout table for the number of entries) and a summary of
// what the evening has paid in and what the places get, rounded.
#include "model/Money.h"

#include <QObject>

class QAction;
class QLabel;
class QPushButton;
class QWidget;
class Money_Fields;
class TMainForm;

class Money_Area : public QObject {
    Q_OBJECT
public:
    Money_Area(TMainForm* form, QWidget* parent);

    Money_Fields* Fields = nullptr;
    QPushButton* Suggest_Btn = nullptr;
    QLabel* Money_Summary = nullptr;
    QAction* Suggest_Payout = nullptr; // "Suggest"

    // Shows the current tournament's money (run after every Load_Payout).
    void Load();

private:
    void Fields_Changed();
    void Suggest_PayoutExecute();
    void Show_Summary();
    void Show_Pool();
    void Store_If_Changed();

    // What the file holds of the payout, as last stored or loaded.
    struct Snapshot {
        QString path;
        Money_Settings settings;
        Money_Amount pool;
        QVector<float> prizes;
        bool operator==(const Snapshot&) const = default;
    };
    static Snapshot Payout_Snapshot(const CTourney& t);
    Snapshot stored_;

    TMainForm* form_;
};
