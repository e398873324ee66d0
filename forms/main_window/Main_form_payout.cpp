// The payout calculator: the prize pool split over the first ten places by
// whole-number percentages, the sum those amounts pay out and its colour
// (money green: exactly the pool; white: less; red: more).
#include "forms/main_window/Main_form.h"
#include "forms/widgets/Caption_label.h"

#include "forms/widgets/Fonts.h"
#include "forms/widgets/Screen_numbers.h"
#include "forms/widgets/Spin_box.h"
#include "model/Money.h"
#include "platform/Guard.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

#include <cfloat>
#include <cmath>

namespace {

const QColor Money_Green(192, 220, 192);
const QColor Over_Red(255, 0, 0);
const QColor Under_White(255, 255, 255);

void Set_Background(QLineEdit* box, const QColor& colour)
{
    QPalette p = box->palette();
    if (p.color(QPalette::Base) == colour)
        return;
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Window, colour);
    box->setPalette(p);
}

QChar Point() { return QLocale().decimalPoint().at(0); }

// A place's share of the pool, pool x percent in ten-thousandths, as the
// general float text shows it: exact, trailing zeros dropped.
QString Share_Text(int64_t ten_thousandths)
{
    const bool negative = ten_thousandths < 0;
    const uint64_t m = negative ? 0 - static_cast<uint64_t>(ten_thousandths) : static_cast<uint64_t>(ten_thousandths);
    QString text = QString::number(m / 10000);
    QString fraction = QString::number(m % 10000).rightJustified(4, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += Point() + fraction;
    return negative ? QLatin1Char('-') + text : text;
}

QLineEdit* Amount_Box(QWidget* parent, const QString& name, const QString& text, const QRect& r)
{
    auto* box = Figure_Box(parent, name, text, r);
    Set_Background(box, Money_Green);
    return box;
}

} // namespace

void TMainForm::Make_Payout_Actions()
{
    Load_Payout = Make_Action("Load_Payout", QString(), &TMainForm::Load_PayoutExecute);
    Update_Payout = Make_Action("Update_Payout", QString(), &TMainForm::Update_PayoutExecute);
    // Nothing is computed from the window's first texts.
    Update_Payout->setEnabled(false);
}

QColor TMainForm::Check_Payout_Colour() const
{
    return Check_Payout->palette().color(QPalette::Base);
}

void TMainForm::Load_PayoutExecute()
{
    const CTourney& t = *Current_Tourney;
    // The pool is shown without recalculating: the percentages on the page
    // may still be another tournament's.
    payout_held_ = true;
    Prize_Pool->setText(Amount_Text(Pool_Of(t), Point()));
    payout_held_ = false;
    for (int i = 0; i < Prize_Count; ++i)
        Per[i]->Set_Text(Screen_Float_Text(t.Prize[i]));
    Update_Payout->setEnabled(true);
    Update_Payout->trigger();
}

void TMainForm::Prize_PoolChange()
{
    if (!payout_held_)
        Update_Payout->trigger();
}

// Runs whenever the pages are stored: a percentage changed since the last
// recalculation, or typed while the pool is 0 or not a number, is kept. A
// box's number is taken as it stands ("33.5" from a file stays 33.5); a text
// that is no number counts as 0, as in the recalculation.
void TMainForm::Store_Percentages()
{
    CTourney& t = *Current_Tourney;
    for (int i = 0; i < Prize_Count; ++i) {
        long double shown = 0;
        t.Prize[i] = Parse_Screen_Float(Per[i]->text(), shown) && std::fabs(shown) <= FLT_MAX
                         ? static_cast<float>(shown)
                         : static_cast<float>(Per[i]->Value());
    }
}

// The pool is read to the cent and every share is worked out exactly: the
// amounts and their sum are what the pool and the percentages give, and the
// sum turns red only when the places pay a cent or more beyond the pool.
void TMainForm::Update_PayoutExecute()
{
    CTourney& t = *Current_Tourney;
    Money_Amount pool;
    const QString why = Parse_Amount(Prize_Pool->text(), pool, Point());
    // What is no amount is kept out of the record and says why.
    const QString tip = Prize_Pool->isReadOnly() ? Prize_Pool->toolTip() : why;
    if (Prize_Pool->toolTip() != tip)
        Prize_Pool->setToolTip(tip);
    if (!Prize_Pool->isReadOnly())
        Set_Background(Prize_Pool, why.isEmpty() ? Under_White : QColor(255, 200, 200));
    if (!why.isEmpty())
        return;
    Set_Pool(t, pool);
    if (pool == Money_Amount())
        return;

    int64_t sum = 0; // in ten-thousandths
    for (int i = 0; i < Prize_Count; ++i) {
        const int percent = Per[i]->Value();
        const int64_t share = pool.Cents() * percent;
        sum += share;
        Pay[i]->setText(percent != 0 ? Share_Text(share) : QStringLiteral("0"));
        long double stored = 0;
        if (!Parse_Screen_Float(Per[i]->text(), stored))
            return;
        t.Prize[i] = static_cast<float>(stored);
    }
    Check_Payout->setText(Share_Text(sum));
    const int64_t over = sum - pool.Cents() * 100;
    Set_Background(Check_Payout, over >= 100 ? Over_Red : over >= 0 ? Money_Green : Under_White);
}

void TMainForm::Build_Payout_Page()
{
    GroupBox8 = new QGroupBox(tr("Top 10 Payout"), Payout_Sheet);
    GroupBox8->setObjectName(QStringLiteral("GroupBox8"));
    GroupBox8->setGeometry(10, 10, 701, 618);

    const char* const place_names[Prize_Count] = {"First", "2nd", "3rd", "4th", "5th",
                                                  "6th",   "7th", "8th", "9th", "10th"};
    QFont bold = font();
    bold.setBold(true);
    auto* heading = Caption_Label(GroupBox8, tr("Prize Payouts:"), QRect(150, 24, 160, 20));
    heading->setFont(bold);
    for (int i = 0; i < Prize_Count; ++i) {
        const int y = 52 + i * 54;
        auto* place = Caption_Label(GroupBox8, QString::number(i + 1), QRect(14, y, 26, 28), Qt::AlignRight | Qt::AlignVCenter);
        place->setFont(bold);
        Per[i] = new Spin_Box(GroupBox8);
        Per[i]->setObjectName(QStringLiteral("Per_%1").arg(QLatin1String(place_names[i])));
        Per[i]->setRange(0, 100);
        Per[i]->setToolTip(tr("Adjust Payout Percentages"));
        Per[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Per[i]->setGeometry(46, y, 64, 28);
        Caption_Label(GroupBox8, QStringLiteral("%"), QRect(114, y, 14, 28));
        Caption_Label(GroupBox8, QStringLiteral("= "), QRect(134, y, 14, 28));
        Pay[i] = Amount_Box(GroupBox8, QStringLiteral("Pay_%1").arg(QLatin1String(place_names[i])), QString(),
                            QRect(150, y, 170, 28));
    }

    QFont big = Program_Font(48);
    Caption_Label(GroupBox8, tr("Total Prize Pool:"), QRect(350, 52, 330, 20))->setFont(bold);
    Prize_Pool = new QLineEdit(QStringLiteral("100"), GroupBox8);
    Prize_Pool->setObjectName(QStringLiteral("Prize_Pool"));
    Prize_Pool->setFont(big);
    Prize_Pool->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Prize_Pool->setGeometry(350, 76, 335, 90);
    connect(Prize_Pool, &QLineEdit::textChanged, this, [this] { Guarded([this] { Prize_PoolChange(); }); });

    Caption_Label(GroupBox8, tr("Total Prize Payout:"), QRect(350, 466, 330, 20))->setFont(bold);
    Check_Payout = Amount_Box(GroupBox8, QStringLiteral("Check_Payout"), QStringLiteral("100"), QRect(350, 490, 335, 90));
    Check_Payout->setFont(big);
    connect(Check_Payout, &QLineEdit::textChanged, this, [this] { Guarded([this] { Update_Payout->trigger(); }); });
}
