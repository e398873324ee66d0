#pragma once
// The deal calculator: for the players still in, their chips (typed, checked
// against the chips in play), the prizes still to be paid and an amount to
// keep playing for; it shows each player's ICM value, chip-chop value and
// the difference, and writes the agreed amounts into the results.
#include "model/Money_amount.h"

#include <QDialog>
#include <QStringList>
#include <QVector>

class CTourney;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TDeal_Dlg : public QDialog {
    Q_OBJECT
public:
    // The players still in, in entry order; at most Icm_Most_Players.
    TDeal_Dlg(QWidget* owner, CTourney& tourney);

    enum Column { Player_Col, Chips_Col, Icm_Col, Chop_Col, Difference_Col, Agreed_Col, Column_Count };

    QTableWidget* Deal_Grid = nullptr;    // one row per player
    QTableWidget* Prizes_Grid = nullptr;  // one row per place still to be paid
    QLineEdit* Keep_Edit = nullptr;       // kept to play for (the winner's)
    QLabel* Chips_Check = nullptr;        // typed chips against the chips in play
    QLabel* Agreed_Check = nullptr;       // agreed amounts against what is to be shared
    QPushButton* Calculate_Btn = nullptr;
    QPushButton* Write_Btn = nullptr;
    QPushButton* Close_Btn = nullptr;
    bool Written = false;

    void Calculate_BtnClick();
    void Write_BtnClick();

private:
    void Build();
    void Fill();
    QVector<double> Column_Values(QTableWidget* grid, int column, bool* ok) const;
    QVector<Money_Amount> Column_Amounts(QTableWidget* grid, int column, bool* ok) const;
    Money_Amount Keep() const;
    QVector<Money_Amount> Prizes() const;
    void Chips_Typed(int column);
    void Show_Checks();
    void Set_Cell(int row, int column, const QString& text);

    CTourney& t_;
    QStringList names_;
    QString currency_;
};
