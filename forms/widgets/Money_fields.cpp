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

QChar Point() { return QLocale().decimalPoint().at(0); }

QString Shown(Money_Amount value) { return Amount_Text(value, Point()); }

// A box that holds no accepted amount shows why, and keeps what was stored.
const QColor Refused(255, 200, 200);

void Mark(QLineEdit* box, const QString& why, const QString& hint)
{
    QPalette p = box->palette();
    const QColor base = why.isEmpty() ? QPalette().color(QPalette::Base) : Refused;
    if (p.color(QPalette::Base) != base) {
        p.setColor(QPalette::Base, base);
        box->setPalette(p);
    }
    const QString tip = why.isEmpty() ? hint : why;
    if (box->toolTip() != tip)
        box->setToolTip(tip);
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
    Rebuys_Per_Player_Spin = new Spin_Box(this);
    Rebuys_Per_Player_Spin->setRange(0, 999);
    Rebuys_Per_Player_Spin->setSpecialValueText(tr("No limit"));
    Rebuys_Per_Player_Spin->setObjectName(QStringLiteral("Rebuys_Per_Player_Spin"));
    Rebuys_Per_Player_Spin->setToolTip(tr("Rebuys one player may take (0: no limit)"));
    connect(Rebuys_Per_Player_Spin, &QSpinBox::valueChanged, this, [this] {
        if (!loading_)
            emit Changed();
    });
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
    auto* per_player = new QLabel(tr("Rebuys per player:"), this);
    per_player->setBuddy(Rebuys_Per_Player_Spin);
    grid->addWidget(per_player, 6, 2);
    grid->addWidget(Rebuys_Per_Player_Spin, 6, 3);
    grid->addWidget(Pool_From_Entries_Check, 6, 0, 1, 2);
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
    box->setProperty("hint", hint);
    connect(box, &QLineEdit::textChanged, this, [this] {
        if (!loading_)
            emit Changed();
    });
    return box;
}

void Money_Fields::Load(const Money_Settings& s)
{
    loading_ = true;
    Buy_In_Edit->setText(Shown(s.Buy_In));
    Fee_Edit->setText(Shown(s.Fee));
    Bounty_Edit->setText(Shown(s.Bounty));
    Added_Money_Edit->setText(Shown(s.Added_Money));
    Rebuy_Price_Edit->setText(Shown(s.Rebuy_Price));
    Rebuys_Per_Player_Spin->Set_Value(s.Rebuys_Per_Player);
    Rebuy_Chips_Edit->setText(QString::number(s.Rebuy_Chips));
    Rebuy_Until_Spin->Set_Value(s.Rebuy_Until);
    Addon_Price_Edit->setText(Shown(s.Addon_Price));
    Addon_Chips_Edit->setText(QString::number(s.Addon_Chips));
    Addon_Until_Spin->Set_Value(s.Addon_Until);
    Currency_Edit->setText(s.Currency);
    Rounding_Edit->setText(Shown(s.Rounding));
    Pool_From_Entries_Check->setChecked(s.Pool_From_Entries);
    loading_ = false;
}

Money_Settings Money_Fields::Settings(const Money_Settings& before)
{
    Money_Settings s = before;
    problem_.clear();
    // An empty box is 0; any other text must be an accepted amount.
    auto amount = [this](QLineEdit* box, Money_Amount& value) {
        Money_Amount typed;
        const QString why = box->text().trimmed().isEmpty() ? QString() : Parse_Amount(box->text(), typed, Point());
        Mark(box, why, box->property("hint").toString());
        if (why.isEmpty())
            value = typed;
        else if (problem_.isEmpty())
            problem_ = why;
    };
    amount(Buy_In_Edit, s.Buy_In);
    amount(Fee_Edit, s.Fee);
    amount(Bounty_Edit, s.Bounty);
    amount(Added_Money_Edit, s.Added_Money);
    amount(Rebuy_Price_Edit, s.Rebuy_Price);
    s.Rebuy_Chips = Chips_Of(Rebuy_Chips_Edit);
    s.Rebuy_Until = Rebuy_Until_Spin->Value();
    s.Rebuys_Per_Player = Rebuys_Per_Player_Spin->Value();
    amount(Addon_Price_Edit, s.Addon_Price);
    s.Addon_Chips = Chips_Of(Addon_Chips_Edit);
    s.Addon_Until = Addon_Until_Spin->Value();
    s.Currency = Currency_Edit->text().trimmed();
    amount(Rounding_Edit, s.Rounding);
    s.Pool_From_Entries = Pool_From_Entries_Check->isChecked();
    // Fee and bounty are parts of the buy-in: more than it is refused, and
    // the three stay as they were.
    const QString parts = Settings_Problem(s);
    for (QLineEdit* box : {Fee_Edit, Bounty_Edit})
        if (!parts.isEmpty())
            Mark(box, parts, QString());
    if (!parts.isEmpty()) {
        s.Buy_In = before.Buy_In;
        s.Fee = before.Fee;
        s.Bounty = before.Bounty;
        if (problem_.isEmpty())
            problem_ = parts;
    }
    return s;
}
