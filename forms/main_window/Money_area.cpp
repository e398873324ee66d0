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
#include <QLocale>
#include <QPushButton>

namespace {

QChar Point() { return QLocale().decimalPoint().at(0); }

QString Money_Text(const QString& currency, Money_Amount amount) { return currency + Amount_Text(amount, Point()); }

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

    // The rounded amounts follow the percentages as the page recomputes them,
    // and what was typed is in the file at once.
    connect(form_->Update_Payout, &QAction::triggered, this, [this] { Guarded([this] {
        Show_Summary();
        Store_If_Changed();
    }); });
}

void Money_Area::Load()
{
    Fields->Load(form_->Current_Tourney->Money.Settings);
    Show_Pool();
    Show_Summary();
    stored_ = Payout_Snapshot(*form_->Current_Tourney);
}

Money_Area::Snapshot Money_Area::Payout_Snapshot(const CTourney& t)
{
    Snapshot s{t.Trn_Path, t.Money.Settings, Pool_Of(t), {}};
    for (int i = 0; i < Prize_Count; ++i)
        s.prizes << t.Prize[i];
    return s;
}

// A kill right after typing loses nothing: the payout and the money go to
// the file as soon as they differ from what it holds.
void Money_Area::Store_If_Changed()
{
    const CTourney& t = *form_->Current_Tourney;
    const Snapshot now = Payout_Snapshot(t);
    // Another tournament being loaded is not stored: Load takes its snapshot.
    if (now == stored_ || now.path != stored_.path)
        return;
    Store_Payout(t);
    stored_ = now;
}

void Money_Area::Fields_Changed()
{
    CTourney& t = *form_->Current_Tourney;
    t.Money.Settings = Fields->Settings(t.Money.Settings);
    Keep_Pool(t);
    Show_Pool();
    Show_Summary();
    Store_If_Changed();
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
        form_->Prize_Pool->setText(Amount_Text(Pool_Of(t), Point())); // recalculates the payouts
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
    Store_If_Changed();
}

void Money_Area::Show_Summary()
{
    const CTourney& t = *form_->Current_Tourney;
    const QString currency = Shown_Currency(t.Money.Settings);
    QStringList lines;
    if (!Fields->Problem().isEmpty())
        lines << Fields->Problem();
    lines << tr("%1 entries, %2 rebuys, %3 add-ons").arg(t.Total).arg(Total_Rebuys(t)).arg(Total_Addons(t));
    if (t.Money.Settings.Pool_From_Entries || t.Money.Settings.Buy_In > Money_Amount())
        lines << tr("From entries: %1").arg(Money_Text(currency, Pool_From_Entries(t)));
    QStringList agreed;
    for (int i = 0; i < t.Total && i < Max_Entries; ++i) {
        const Entry_Money m = t.Money.Of(CTourney::Entry_Name(t.Players[i]));
        if (m.Has_Deal())
            agreed << Money_Text(currency, m.Deal);
    }
    const QVector<Money_Amount> paid = Rounded_Payouts(t);
    QStringList places;
    for (int i = 0; i < Prize_Count && t.Prize[i] > 0; ++i)
        places << Money_Text(currency, paid[i]);
    if (!agreed.isEmpty())
        lines << tr("Deal: %1").arg(agreed.join(QStringLiteral(" / ")));
    else if (!places.isEmpty() && Pool_Of(t) > Money_Amount())
        lines << tr("Paid: %1").arg(places.join(QStringLiteral(" / ")));
    const QString text = lines.join(QLatin1Char('\n'));
    if (Money_Summary->text() != text)
        Money_Summary->setText(text);
}
