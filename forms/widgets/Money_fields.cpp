#include "forms/widgets/Money_fields.h"

#include "forms/widgets/Screen_numbers.h"
#include "forms/widgets/Spin_box.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <cmath>

namespace {

QString Amount_Text(double value) { return Screen_Float_Text(value); }

double Amount_Of(const QLineEdit* box)
{
    long double value = 0;
    if (!Parse_Screen_Float(box->text(), value) || value <= 0 || value > 1e9L)
        return 0;
    return std::round(static_cast<double>(value) * 100) / 100;
}

int32_t Chips_Of(const QLineEdit* box)
{
    int32_t value = 0;
    return Parse_Whole(box->text().trimmed(), value) && value > 0 ? std::min(value, 100000000) : 0;
}

} // namespace

Money_Fields::Money_Fields(QWidget* parent) : QGroupBox(tr("Money"), parent)
{
    setObjectName(QStringLiteral("Money_Group"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);

    Buy_In_Edit = Amount_Edit("Buy_In_Edit", tr("What a player pays to enter"));
    Fee_Edit = Amount_Edit("Fee_Edit", tr("Kept by the house, not in the pool"));
    Bounty_Edit = Amount_Edit("Bounty_Edit", tr("Part of the buy-in, won by whoever knocks the player out"));
    Added_Money_Edit = Amount_Edit("Added_Money_Edit", tr("A guarantee or a sponsor's money, in the pool"));
    Rebuy_Price_Edit = Amount_Edit("Rebuy_Price_Edit", tr("Price of a rebuy"));
    Rebuy_Chips_Edit = Amount_Edit("Rebuy_Chips_Edit", tr("Chips a rebuy gives"));
    Addon_Price_Edit = Amount_Edit("Addon_Price_Edit", tr("Price of the add-on"));
    Addon_Chips_Edit = Amount_Edit("Addon_Chips_Edit", tr("Chips the add-on gives"));
    Currency_Edit = Amount_Edit("Currency_Edit", tr("The symbol amounts are shown with"));
    Currency_Edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Currency_Edit->setMaxLength(8);
    Currency_Edit->setPlaceholderText(QLocale().currencySymbol());
    Rounding_Edit = Amount_Edit("Rounding_Edit", tr("Payouts are rounded down to this unit; the rest goes to first place"));
    for (Spin_Box** spin : {&Rebuy_Until_Spin, &Addon_Until_Spin}) {
        *spin = new Spin_Box(this);
        (*spin)->setRange(0, 20);
        (*spin)->setToolTip(tr("Allowed until the end of this level (0: none)"));
        connect(*spin, &QSpinBox::valueChanged, this, [this] {
            if (!loading_)
                emit Changed();
        });
    }
    Rebuy_Until_Spin->setObjectName(QStringLiteral("Rebuy_Until_Spin"));
    Addon_Until_Spin->setObjectName(QStringLiteral("Addon_Until_Spin"));
    Pool_From_Entries_Check = new QCheckBox(tr("Pool from entries"), this);
    Pool_From_Entries_Check->setObjectName(QStringLiteral("Pool_From_Entries_Check"));
    Pool_From_Entries_Check->setToolTip(tr("The prize pool is what the entries, rebuys and add-ons paid, plus added money"));
    connect(Pool_From_Entries_Check, &QCheckBox::toggled, this, [this] {
        if (!loading_)
            emit Changed();
    });

    const struct {
        QString caption;
        QWidget* box;
    } cells[] = {
        {tr("Buy-in:"), Buy_In_Edit},         {tr("Rebuy:"), Rebuy_Price_Edit},
        {tr("Fee:"), Fee_Edit},               {tr("Rebuy chips:"), Rebuy_Chips_Edit},
        {tr("Bounty:"), Bounty_Edit},         {tr("Rebuys to level:"), Rebuy_Until_Spin},
        {tr("Added money:"), Added_Money_Edit}, {tr("Add-on:"), Addon_Price_Edit},
        {tr("Currency:"), Currency_Edit},     {tr("Add-on chips:"), Addon_Chips_Edit},
        {tr("Round to:"), Rounding_Edit},     {tr("Add-ons to level:"), Addon_Until_Spin},
    };
    int n = 0;
    for (const auto& cell : cells) {
        const int row = n / 2, column = (n % 2) * 2;
        auto* label = new QLabel(cell.caption, this);
        label->setBuddy(cell.box);
        grid->addWidget(label, row, column);
        grid->addWidget(cell.box, row, column + 1);
        ++n;
    }
    grid->addWidget(Pool_From_Entries_Check, 6, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

QLineEdit* Money_Fields::Amount_Edit(const char* name, const QString& hint)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(hint);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setMinimumWidth(56);
    connect(box, &QLineEdit::textChanged, this, [this] {
        if (!loading_)
            emit Changed();
    });
    return box;
}

void Money_Fields::Load(const Money_Settings& s)
{
    loading_ = true;
    Buy_In_Edit->setText(Amount_Text(s.Buy_In));
    Fee_Edit->setText(Amount_Text(s.Fee));
    Bounty_Edit->setText(Amount_Text(s.Bounty));
    Added_Money_Edit->setText(Amount_Text(s.Added_Money));
    Rebuy_Price_Edit->setText(Amount_Text(s.Rebuy_Price));
    Rebuy_Chips_Edit->setText(QString::number(s.Rebuy_Chips));
    Rebuy_Until_Spin->Set_Value(s.Rebuy_Until);
    Addon_Price_Edit->setText(Amount_Text(s.Addon_Price));
    Addon_Chips_Edit->setText(QString::number(s.Addon_Chips));
    Addon_Until_Spin->Set_Value(s.Addon_Until);
    Currency_Edit->setText(s.Currency);
    Rounding_Edit->setText(Amount_Text(s.Rounding));
    Pool_From_Entries_Check->setChecked(s.Pool_From_Entries);
    loading_ = false;
}

Money_Settings Money_Fields::Settings(const Money_Settings& before) const
{
    Money_Settings s = before;
    s.Buy_In = Amount_Of(Buy_In_Edit);
    s.Fee = Amount_Of(Fee_Edit);
    s.Bounty = Amount_Of(Bounty_Edit);
    s.Added_Money = Amount_Of(Added_Money_Edit);
    s.Rebuy_Price = Amount_Of(Rebuy_Price_Edit);
    s.Rebuy_Chips = Chips_Of(Rebuy_Chips_Edit);
    s.Rebuy_Until = Rebuy_Until_Spin->Value();
    s.Addon_Price = Amount_Of(Addon_Price_Edit);
    s.Addon_Chips = Chips_Of(Addon_Chips_Edit);
    s.Addon_Until = Addon_Until_Spin->Value();
    s.Currency = Currency_Edit->text().trimmed();
    s.Rounding = Amount_Of(Rounding_Edit);
    s.Pool_From_Entries = Pool_From_Entries_Check->isChecked();
    return s;
}
