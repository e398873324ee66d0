#include "forms/dialogs/Deal_dlg.h"

#include "forms/widgets/Screen_numbers.h"
#include "model/Icm.h"
#include "model/Money.h"
#include "model/Person_name.h"
#include "model/Tourney.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Velmora_error.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

const QColor Short_Red(200, 0, 0);
const QColor Even_Green(0, 110, 0);

double Sum(const QVector<double>& v) { return std::accumulate(v.cbegin(), v.cend(), 0.0); }

Money_Amount Sum(const QVector<Money_Amount>& v) { return std::accumulate(v.cbegin(), v.cend(), Money_Amount()); }

QChar Point() { return QLocale().decimalPoint().at(0); }

QString Money(Money_Amount a) { return Amount_Text(a, Point()); }

QString Figure(double v) { return Money(Money_Amount::Nearest(v)); }

void Paint_Check(QLabel* label, const QString& text, bool even)
{
    label->setText(text);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, even ? Even_Green : Short_Red);
    label->setPalette(p);
}

} // namespace

TDeal_Dlg::TDeal_Dlg(QWidget* owner, CTourney& tourney) : QDialog(owner), t_(tourney)
{
    setObjectName(QStringLiteral("Deal_Dlg"));
    setWindowTitle(tr("Deal"));
    currency_ = Shown_Currency(t_.Money.Settings);
    for (int i = 0; i < t_.Total && i < Max_Entries; ++i)
        if (t_.Players[i].Place == 0 && names_.size() < Icm_Most_Players)
            names_ << CTourney::Entry_Name(t_.Players[i]);
    Build();
    Fill();
    try {
        Calculate_BtnClick(); // with no chips set up there is nothing to work out yet
    } catch (const Velmora_Error&) {
    }
}

void TDeal_Dlg::Build()
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    Deal_Grid = new QTableWidget(static_cast<int>(names_.size()), Column_Count, this);
    Deal_Grid->setObjectName(QStringLiteral("Deal_Grid"));
    Deal_Grid->setHorizontalHeaderLabels({tr("Player"), tr("Chips"), tr("ICM"), tr("Chip chop"), tr("Difference"), tr("Agreed")});
    Deal_Grid->verticalHeader()->hide();
    Deal_Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Deal_Grid->setMinimumWidth(560);
    top->addWidget(Deal_Grid, 1);
    const int places = static_cast<int>(names_.size());
    Prizes_Grid = new QTableWidget(places, 1, this);
    Prizes_Grid->setObjectName(QStringLiteral("Prizes_Grid"));
    Prizes_Grid->setHorizontalHeaderLabels({tr("Prize")});
    Prizes_Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Prizes_Grid->setFixedWidth(130);
    top->addWidget(Prizes_Grid);
    layout->addLayout(top);

    auto* keep_row = new QHBoxLayout;
    keep_row->addWidget(new QLabel(tr("Keep playing for:"), this));
    Keep_Edit = new QLineEdit(QStringLiteral("0"), this);
    Keep_Edit->setObjectName(QStringLiteral("Keep_Edit"));
    Keep_Edit->setToolTip(tr("Taken from first prize before the deal; the winner gets it on top"));
    Keep_Edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Keep_Edit->setMaximumWidth(100);
    keep_row->addWidget(Keep_Edit);
    keep_row->addStretch();
    layout->addLayout(keep_row);
    Chips_Check = new QLabel(this);
    Chips_Check->setObjectName(QStringLiteral("Chips_Check"));
    Agreed_Check = new QLabel(this);
    Agreed_Check->setObjectName(QStringLiteral("Agreed_Check"));
    layout->addWidget(Chips_Check);
    layout->addWidget(Agreed_Check);

    auto* buttons = new QHBoxLayout;
    Calculate_Btn = new QPushButton(tr("Calculate"), this);
    Calculate_Btn->setObjectName(QStringLiteral("Calculate_Btn"));
    Write_Btn = new QPushButton(tr("Write to results"), this);
    Write_Btn->setObjectName(QStringLiteral("Write_Btn"));
    Close_Btn = new QPushButton(tr("Close"), this);
    Close_Btn->setObjectName(QStringLiteral("Close_Btn"));
    buttons->addStretch();
    for (QPushButton* b : {Calculate_Btn, Write_Btn, Close_Btn})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(Calculate_Btn, &QPushButton::clicked, this, [this] { Guarded([this] { Calculate_BtnClick(); }); });
    connect(Write_Btn, &QPushButton::clicked, this, [this] { Guarded([this] { Write_BtnClick(); }); });
    connect(Close_Btn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Deal_Grid, &QTableWidget::cellChanged, this, [this](int, int column) { Guarded([this, column] {
        Chips_Typed(column);
        Show_Checks();
    }); });
    connect(Keep_Edit, &QLineEdit::textChanged, this, [this] { Guarded([this] { Show_Checks(); }); });
    resize(780, 420);
}

void TDeal_Dlg::Set_Cell(int row, int column, const QString& text)
{
    QTableWidgetItem* item = Deal_Grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(column == Player_Col ? (Qt::AlignLeft | Qt::AlignVCenter) : (Qt::AlignRight | Qt::AlignVCenter));
        if (column != Chips_Col && column != Agreed_Col)
            item->setFlags(Qt::ItemIsEnabled);
        Deal_Grid->setItem(row, column, item);
    }
    item->setText(text);
}

// Chips start as an even share of the chips in play; the prizes are the
// places' rounded payouts.
void TDeal_Dlg::Fill()
{
    const QSignalBlocker quiet(Deal_Grid);
    const int n = static_cast<int>(names_.size());
    const double in_play = std::floor(Chips_In_Play(t_));
    const double even = n > 0 ? std::floor(in_play / n) : 0;
    for (int r = 0; r < n; ++r) {
        Set_Cell(r, Player_Col, names_[r]);
        Set_Cell(r, Chips_Col, Screen_Float_Text(r == 0 ? in_play - even * (n - 1) : even));
    }
    // What is still to be won: after a first deal, what was kept to play for.
    const QVector<Money_Amount> prizes = Prizes_To_Share(t_, n);
    for (int p = 0; p < n; ++p) {
        auto* item = new QTableWidgetItem(Money(prizes[p]));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Prizes_Grid->setItem(p, 0, item);
        Prizes_Grid->setVerticalHeaderItem(p, new QTableWidgetItem(QString::number(p + 1)));
    }
}

QVector<double> TDeal_Dlg::Column_Values(QTableWidget* grid, int column, bool* ok) const
{
    QVector<double> values;
    *ok = true;
    for (int r = 0; r < grid->rowCount(); ++r) {
        long double v = 0;
        const QTableWidgetItem* item = grid->item(r, column);
        if (!item || !Parse_Screen_Float(item->text(), v) || v < 0)
            *ok = false;
        values << static_cast<double>(v);
    }
    return values;
}

QVector<Money_Amount> TDeal_Dlg::Column_Amounts(QTableWidget* grid, int column, bool* ok) const
{
    QVector<Money_Amount> values;
    *ok = true;
    for (int r = 0; r < grid->rowCount(); ++r) {
        Money_Amount v;
        const QTableWidgetItem* item = grid->item(r, column);
        if (!item || !Parse_Amount(item->text(), v, Point()).isEmpty())
            *ok = false;
        values << v;
    }
    return values;
}

// What is kept to play for: a text that is no amount is refused with its
// reason (read as 0 it would write a deal nobody agreed to).
Money_Amount TDeal_Dlg::Keep() const
{
    Money_Amount keep;
    const QString why = Parse_Amount(Keep_Edit->text(), keep, Point());
    if (!why.isEmpty())
        throw Velmora_Error(tr("Keep playing for: %1").arg(why));
    return keep;
}

// The prizes typed, checked against what is still to be won.
QVector<Money_Amount> TDeal_Dlg::Prizes() const
{
    bool ok = false;
    const QVector<Money_Amount> prizes = Column_Amounts(Prizes_Grid, 0, &ok);
    if (!ok)
        throw Velmora_Error("Every prize needs an amount to the cent.");
    const Money_Amount left = Still_To_Win(t_);
    if (Sum(prizes) > left)
        throw Velmora_Error(tr("The prizes add up to %1%2, %1%3 more than the %1%4 still to be won.")
                                .arg(currency_, Money(Sum(prizes)), Money(Sum(prizes) - left), Money(left)));
    return prizes;
}

void TDeal_Dlg::Calculate_BtnClick()
{
    bool chips_ok = false;
    const QVector<double> stacks = Column_Values(Deal_Grid, Chips_Col, &chips_ok);
    if (stacks.isEmpty())
        return;
    // Counts beyond any chip set (or no number at all) would turn the model's sums infinite.
    if (!chips_ok || std::any_of(stacks.cbegin(), stacks.cend(), [](double s) { return !(s > 0) || !(s <= 1e15); }))
        throw Velmora_Error("Every player needs a chip count above 0 and at most 1,000,000,000,000,000.");
    QVector<Money_Amount> prizes = Prizes();
    const Money_Amount keep = Keep();
    if (keep > prizes[0])
        throw Velmora_Error("The amount kept to play for cannot be more than first prize.");
    prizes[0] -= keep;
    QVector<double> figures;
    for (Money_Amount p : prizes)
        figures << p.Value();
    const QVector<double> icm = Icm_Values(stacks, figures);
    const QVector<double> chop = Chip_Chop_Values(stacks, figures);
    if (icm.size() != stacks.size())
        return;
    // Each ICM figure to the nearest unit, the differences settled by the largest remainders.
    const QVector<Money_Amount> agreed = Largest_Remainder(icm, Sum(prizes), t_.Money.Settings.Rounding);
    const QSignalBlocker quiet(Deal_Grid);
    for (int r = 0; r < stacks.size(); ++r) {
        Set_Cell(r, Icm_Col, Figure(icm[r]));
        Set_Cell(r, Chop_Col, Figure(chop[r]));
        Set_Cell(r, Difference_Col, Figure(icm[r] - chop[r]));
        Set_Cell(r, Agreed_Col, Money(agreed[r]));
    }
    Show_Checks();
}

void TDeal_Dlg::Show_Checks()
{
    bool ok = false;
    const double typed = Sum(Column_Values(Deal_Grid, Chips_Col, &ok));
    const double in_play = Chips_In_Play(t_);
    Paint_Check(Chips_Check,
                tr("Chips typed: %1 of %2 in play").arg(Screen_Float_Text(typed), Screen_Float_Text(in_play)),
                ok && std::llround(typed) == std::llround(in_play));
    bool prizes_ok = false, agreed_ok = false;
    // A keep that is no amount is shown pink with the reason as its tip.
    Money_Amount keep;
    const QString why = Parse_Amount(Keep_Edit->text(), keep, Point());
    QPalette p = Keep_Edit->palette();
    p.setColor(QPalette::Base, why.isEmpty() ? QPalette().color(QPalette::Base) : QColor(255, 200, 200));
    Keep_Edit->setPalette(p);
    Keep_Edit->setToolTip(why.isEmpty() ? tr("Taken from first prize before the deal; the winner gets it on top") : why);
    const Money_Amount to_share = Sum(Column_Amounts(Prizes_Grid, 0, &prizes_ok)) - keep;
    const Money_Amount agreed = Sum(Column_Amounts(Deal_Grid, Agreed_Col, &agreed_ok));
    Paint_Check(Agreed_Check, tr("Agreed: %1%2 of %1%3 to share").arg(currency_, Money(agreed), Money(to_share)),
                why.isEmpty() && prizes_ok && agreed_ok && agreed == to_share);
}

void TDeal_Dlg::Chips_Typed(int column)
{
    if (column != Chips_Col)
        return;
    // The figures follow the chip counts as they are typed; an unfinished
    // count leaves them as they were.
    try {
        Calculate_BtnClick();
    } catch (const Velmora_Error&) {
        Show_Checks();
    }
}

void TDeal_Dlg::Write_BtnClick()
{
    bool ok = false;
    const QVector<double> stacks = Column_Values(Deal_Grid, Chips_Col, &ok);
    const double in_play = Chips_In_Play(t_);
    if (!ok || std::llround(Sum(stacks)) != std::llround(in_play)) {
        const QString text = tr("The chips typed add up to %1, but %2 are in play.\nDo you wish to continue?")
                                 .arg(Screen_Float_Text(Sum(stacks)), Screen_Float_Text(in_play));
        if (host().Message(text, windowTitle(), Buttons::OK_Cancel) != Answer::OK)
            return;
    }
    const Money_Amount to_share = Sum(Prizes()) - Keep();
    bool agreed_ok = false;
    const QVector<Money_Amount> agreed = Column_Amounts(Deal_Grid, Agreed_Col, &agreed_ok);
    if (!agreed_ok)
        throw Velmora_Error("Every player needs an agreed amount to the cent.");
    if (Sum(agreed) != to_share)
        throw Velmora_Error(tr("The agreed amounts add up to %1%2, not the %1%3 still to be shared: %1%4 %5.")
                                .arg(currency_, Money(Sum(agreed)), Money(to_share),
                                     Money(Sum(agreed) > to_share ? Sum(agreed) - to_share : to_share - Sum(agreed)),
                                     Sum(agreed) > to_share ? tr("too much") : tr("short")));
    Write_Deal(t_, names_, agreed, Still_To_Win(t_) - to_share);
    QStringList lines;
    for (int r = 0; r < names_.size(); ++r)
        lines << tr("%1: %2%3").arg(Person_Name(names_[r]), currency_, Money(t_.Money.Of(names_[r]).Deal));
    if (t_.Money.Settings.Deal_Kept > Money_Amount())
        lines << tr("Kept to play for: %1%2").arg(currency_, Money(t_.Money.Settings.Deal_Kept));
    host().Message(tr("Written to the results:\n%1").arg(lines.join(QLatin1Char('\n'))), windowTitle(), Buttons::OK);
    Written = true;
    accept();
}
