#pragma once
// The money settings of a tournament as boxes to type into: buy-in, fee,
// bounty, rebuy (price, chips, last level), add-on (price, chips, last
// level), added money, currency and the rounding unit, and "Pool from
// entries". Used by the Payout page's "Money" area and by the wizard.
#include "model/Money.h"

#include <QGroupBox>

class QCheckBox;
class QLineEdit;
class Spin_Box;

class Money_Fields : public QGroupBox {
    Q_OBJECT
public:
    // Laid out in two columns of label and box within the given width.
    explicit Money_Fields(QWidget* parent);

    // Fills the boxes without telling anyone.
    void Load(const Money_Settings& s);
    // What the boxes say; an empty box gives 0 (the rounding unit: no
    // rounding). A box whose text is no accepted amount is coloured, says why
    // in its tooltip and keeps its value of before; so do fee and bounty
    // that together exceed the buy-in.
    Money_Settings Settings(const Money_Settings& before);
    // Why the last Settings kept something as it was ("" when nothing).
    const QString& Problem() const { return problem_; }

    QLineEdit* Buy_In_Edit = nullptr;
    QLineEdit* Fee_Edit = nullptr;
    QLineEdit* Bounty_Edit = nullptr;
    QLineEdit* Added_Money_Edit = nullptr;
    QLineEdit* Rebuy_Price_Edit = nullptr;
    QLineEdit* Rebuy_Chips_Edit = nullptr;
    Spin_Box* Rebuy_Until_Spin = nullptr;
    Spin_Box* Rebuys_Per_Player_Spin = nullptr;
    QLineEdit* Addon_Price_Edit = nullptr;
    QLineEdit* Addon_Chips_Edit = nullptr;
    Spin_Box* Addon_Until_Spin = nullptr;
    QLineEdit* Currency_Edit = nullptr;
    QLineEdit* Rounding_Edit = nullptr;
    QCheckBox* Pool_From_Entries_Check = nullptr;

signals:
    // The operator changed a box (not sent by Load).
    void Changed();

private:
    QLineEdit* Amount_Edit(const char* name, const QString& hint);
    bool loading_ = false;
    QString problem_;
};
