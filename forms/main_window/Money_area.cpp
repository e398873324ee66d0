#include "forms/main_window/Money_area.h"

#include "forms/main_window/Main_form.h"
#include "forms/widgets/Money_fields.h"
#include "forms/widgets/Screen_numbers.h"
#include "forms/widgets/Spin_box.h"
#include "model/Money.h"
#include "platform/Guard.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString Money_Text(const QString& currency, double amount) { return currency + Screen_Float_Text(amount); }

} // namespace

Money_Area::Money_Area(TMainForm* form, QWidget* parent) : QObject(form), form_(form)
{
    Fields = new Money_Fields(parent);
    Fields->setGeometry(350, 168, 335, 226);
    connect(Fields, &Money_Fields::Changed, this, [this] { Guarded([this] { Fields_Changed(); }); });

    Suggest_Payout = new QAction(tr("Suggest"), this);
    Suggest_Payout->setObjectName(QStringLiteral("Suggest_Payout"));
    Suggest_Payout->setToolTip(tr("Fill the percentages from a standard payout table for the number of entries"));
    connect(Suggest_Payout, &QAction::triggered, this, [this] { Guarded([this] { Suggest_PayoutExecute(); }); });
    Suggest_Btn = new QPushButton(Suggest_Payout->text(), parent);
    Suggest_Btn->setObjectName(QStringLiteral("Suggest_Btn"));
    Suggest_Btn->setToolTip(Suggest_Payout->toolTip());
    Suggest_Btn->setGeometry(350, 400, 80, 26);
    connect(Suggest_Btn, &QPushButton::clicked, Suggest_Payout, &QAction::trigger);

    Money_Summary = new QLabel(parent);
    Money_Summary->setObjectName(QStringLiteral("Money_Summary"));
    Money_Summary->setGeometry(438, 396, 248, 66);
    Money_Summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Money_Summary->setWordWrap(true);

    // The rounded amounts follow the percentages as the page recomputes them.
    connect(form_->Update_Payout, &QAction::triggered, this, [this] { Guarded([this] { Show_Summary(); }); });
}

void Money_Area::Load()
{
    Fields->Load(form_->Current_Tourney->Money.Settings);
    Show_Pool();
    Show_Summary();
}

void Money_Area::Fields_Changed()
{
    CTourney& t = *form_->Current_Tourney;
    t.Money.Settings = Fields->Settings(t.Money.Settings);
    Keep_Pool(t);
    Show_Pool();
    Show_Summary();
}

// With the pool from the entries, the pool box shows it and cannot be typed into.
void Money_Area::Show_Pool()
{
    const CTourney& t = *form_->Current_Tourney;
    const bool kept = t.Money.Settings.Pool_From_Entries;
    form_->Prize_Pool->setReadOnly(kept);
    // Greyed while it cannot be typed into.
    QPalette grey;
    if (kept)
        grey.setColor(QPalette::Base, QColor(232, 232, 232));
    form_->Prize_Pool->setPalette(kept ? grey : QPalette());
    form_->Prize_Pool->setToolTip(kept ? tr("Pool from entries: entries, rebuys, add-ons and added money") : QString());
    if (kept)
        form_->Prize_Pool->setText(Screen_Float_Text(t.Prize_Total)); // recalculates the payouts
}

void Money_Area::Suggest_PayoutExecute()
{
    CTourney& t = *form_->Current_Tourney;
    const QVector<int> shares = Suggested_Percentages(t.Total);
    for (int i = 0; i < Prize_Count; ++i) {
        const int share = i < shares.size() ? shares[i] : 0;
        form_->Per[i]->Set_Value(share);
        t.Prize[i] = static_cast<float>(share);
    }
    form_->Update_Payout->trigger();
    Show_Summary();
}

void Money_Area::Show_Summary()
{
    const CTourney& t = *form_->Current_Tourney;
    const QString currency = Shown_Currency(t.Money.Settings);
    QStringList lines;
    lines << tr("%1 entries, %2 rebuys, %3 add-ons").arg(t.Total).arg(Total_Rebuys(t)).arg(Total_Addons(t));
    if (t.Money.Settings.Pool_From_Entries || t.Money.Settings.Buy_In > 0)
        lines << tr("From entries: %1").arg(Money_Text(currency, Pool_From_Entries(t)));
    const QVector<double> paid = Rounded_Payouts(t);
    QStringList places;
    for (int i = 0; i < Prize_Count && t.Prize[i] > 0; ++i)
        places << Money_Text(currency, paid[i]);
    if (!places.isEmpty() && t.Prize_Total > 0)
        lines << tr("Paid: %1").arg(places.join(QStringLiteral(" / ")));
    const QString text = lines.join(QLatin1Char('\n'));
    if (Money_Summary->text() != text)
        Money_Summary->setText(text);
}
