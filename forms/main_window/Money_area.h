#pragma once
// The "Money" area of the Payout page: the money settings, "Pool from
// entries" (the pool follows the entries and cannot be typed), "Suggest"
// (a standard payout table for the number of entries) and a summary of
// what the evening has paid in and what the places get, rounded.
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

    TMainForm* form_;
};
