#include "forms/dialogs/Structure_planner_dlg.h"

#include "forms/widgets/Caption_label.h"
#include "forms/widgets/Depth_chart.h"
#include "forms/widgets/Fonts.h"
#include "forms/widgets/Spin_box.h"
#include "model/Tourney.h"
#include "platform/Guard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <algorithm>
#include <cmath>

namespace {

QString Clock_Text(const QTime& t)
{
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    format.remove(QStringLiteral(":ss"));
    return QLocale().toString(t, format);
}

QString Amount(int64_t v) { return QLocale().toString(static_cast<qlonglong>(v)); }

} // namespace

TStructure_Planner_Dlg::TStructure_Planner_Dlg(QWidget* owner, const Planner_Input& start, const QTime& start_time)
    : QDialog(owner), page_chips_(start.chips)
{
    setObjectName(QStringLiteral("Structure_Planner_Dlg"));
    setWindowTitle(tr("Structure Planner"));
    setFont(Program_Font(9));
    setFixedSize(900, 600);
    Build_Inputs(start, start_time);

    End_Label = Caption_Label(this, QString(), QRect(320, 10, 568, 30));
    End_Label->setObjectName(QStringLiteral("End_Label"));
    QFont big = End_Label->font();
    big.setPixelSize(18);
    big.setBold(true);
    End_Label->setFont(big);
    Caption_Label(this, tr("Average stack in big blinds, level by level"), QRect(320, 42, 568, 18));
    Chart = new Depth_Chart(this);
    Chart->setGeometry(320, 62, 568, 196);
    Levels_Table = new QTableWidget(0, 5, this);
    Levels_Table->setObjectName(QStringLiteral("Levels_Table"));
    Levels_Table->setGeometry(320, 266, 568, 280);
    Levels_Table->setHorizontalHeaderLabels({tr("Level"), tr("Blinds"), tr("Ante"), tr("Minutes"), tr("Starts")});
    Levels_Table->verticalHeader()->hide();
    Levels_Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Levels_Table->setSelectionMode(QAbstractItemView::NoSelection);
    Levels_Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Levels_Table->verticalHeader()->setDefaultSectionSize(22);

    ApplyBtn = new QPushButton(tr("Apply"), this);
    ApplyBtn->setObjectName(QStringLiteral("ApplyBtn"));
    ApplyBtn->setToolTip(tr("Put these levels, antes and breaks on the Blinds page"));
    ApplyBtn->setGeometry(700, 558, 90, 30);
    CancelBtn = new QPushButton(tr("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(798, 558, 90, 30);
    connect(ApplyBtn, &QPushButton::clicked, this, [this] {
        Applied = true;
        accept();
    });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    if (owner)
        move(owner->geometry().center() - rect().center());
    Replan();
}

Spin_Box* TStructure_Planner_Dlg::Number_Box(const char* name, const QString& caption, int y, int low, int high,
                                             int value)
{
    Caption_Label(this, caption, QRect(12, y, 180, 24));
    auto* box = new Spin_Box(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->Set_Value(value);
    box->setGeometry(196, y, 110, 24);
    connect(box, &QSpinBox::valueChanged, this, [this] { Guarded([this] { Replan(); }); });
    return box;
}

void TStructure_Planner_Dlg::Build_Inputs(const Planner_Input& in, const QTime& start_time)
{
    Players_Spin = Number_Box("Players_Spin", tr("Players:"), 12, 2, Max_Entries, in.players);
    Stack_Spin = Number_Box("Stack_Spin", tr("Starting stack:"), 42, 10, 10'000'000, in.starting_stack);
    Stack_Spin->setSingleStep(500);
    Chip_Spin = Number_Box("Chip_Spin", tr("Smallest chip in play:"), 72, 1, 1'000'000, in.smallest_chip);
    Caption_Label(this, tr("Length of the night (hours):"), QRect(12, 102, 180, 24));
    Hours_Spin = new QDoubleSpinBox(this);
    Hours_Spin->setObjectName(QStringLiteral("Hours_Spin"));
    Hours_Spin->setRange(0.5, 24);
    Hours_Spin->setSingleStep(0.5);
    Hours_Spin->setDecimals(1);
    Hours_Spin->setValue(in.wanted_minutes / 60.0);
    Hours_Spin->setGeometry(196, 102, 110, 24);
    connect(Hours_Spin, &QDoubleSpinBox::valueChanged, this, [this] { Guarded([this] { Replan(); }); });
    Level_Spin = Number_Box("Level_Spin", tr("Level length (minutes):"), 132, Min_Level_Minutes, Max_Level_Minutes,
                            in.level_minutes);
    Growing_Check = new QCheckBox(tr("Levels grow 5 minutes after each break"), this);
    Growing_Check->setObjectName(QStringLiteral("Growing_Check"));
    Growing_Check->setGeometry(12, 160, 294, 24);
    Growing_Check->setChecked(in.growing);
    connect(Growing_Check, &QCheckBox::toggled, this, [this] { Guarded([this] { Replan(); }); });
    Break_Every_Spin = Number_Box("Break_Every_Spin", tr("A break every (levels, 0: none):"), 190, 0, 10, in.break_every);
    Break_Spin = Number_Box("Break_Spin", tr("Break length (minutes):"), 220, 1, Max_Break_Minutes, in.break_minutes);
    Caption_Label(this, tr("Antes:"), QRect(12, 250, 180, 24));
    Antes_Combo = new QComboBox(this);
    Antes_Combo->setObjectName(QStringLiteral("Antes_Combo"));
    Antes_Combo->addItems({tr("None"), tr("Big blind ante"), tr("Per player ante")});
    Antes_Combo->setCurrentIndex(!in.antes ? 0 : in.ante_kind == Ante_Kind::Per_Player ? 2 : 1);
    Antes_Combo->setGeometry(196, 250, 110, 24);
    connect(Antes_Combo, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { Replan(); }); });
    Caption_Label(this, tr("Starts at:"), QRect(12, 280, 180, 24));
    Start_Edit = new QTimeEdit(start_time, this);
    Start_Edit->setObjectName(QStringLiteral("Start_Edit"));
    Start_Edit->setDisplayFormat(QStringLiteral("HH:mm"));
    Start_Edit->setGeometry(196, 280, 110, 24);
    connect(Start_Edit, &QTimeEdit::timeChanged, this, [this] { Guarded([this] { Replan(); }); });
    Chips_Label = Caption_Label(this, QString(), QRect(12, 312, 294, 54), Qt::AlignLeft | Qt::AlignTop);
    Chips_Label->setObjectName(QStringLiteral("Chips_Label"));
    Chips_Label->setWordWrap(true);
    Warnings_Label = Caption_Label(this, QString(), QRect(12, 370, 294, 176), Qt::AlignLeft | Qt::AlignTop);
    Warnings_Label->setObjectName(QStringLiteral("Warnings_Label"));
    Warnings_Label->setWordWrap(true);
    QPalette warn = Warnings_Label->palette();
    warn.setColor(QPalette::WindowText, QColor(0xb0, 0x20, 0x20));
    Warnings_Label->setPalette(warn);
}

Planner_Input TStructure_Planner_Dlg::Input() const
{
    Planner_Input in;
    in.players = Players_Spin->value();
    in.starting_stack = Stack_Spin->value();
    in.smallest_chip = Chip_Spin->value();
    // The page's chips from the smallest chosen here on.
    for (int c : page_chips_)
        if (c > in.smallest_chip)
            in.chips << c;
    if (!in.chips.isEmpty())
        in.chips.prepend(in.smallest_chip);
    in.wanted_minutes = static_cast<int>(Hours_Spin->value() * 60);
    in.level_minutes = Level_Spin->value();
    in.growing = Growing_Check->isChecked();
    in.break_every = Break_Every_Spin->value();
    in.break_minutes = Break_Spin->value();
    in.antes = Antes_Combo->currentIndex() != 0;
    in.ante_kind = Antes_Combo->currentIndex() == 2 ? Ante_Kind::Per_Player : Ante_Kind::Big_Blind;
    return in;
}

QTime TStructure_Planner_Dlg::Start_Time() const { return Start_Edit->time(); }

void TStructure_Planner_Dlg::Replan()
{
    const Planner_Input in = Input();
    plan_ = Plan_Structure(in);
    const QDateTime start(QDate::currentDate(), Start_Time());
    const int minutes = static_cast<int>(plan_.end.minutes + 0.5);
    End_Label->setText(plan_.end.beyond_schedule
                           ? tr("Planned end: none, %1").arg(Runs_Out_Text(plan_.end.last_level))
                           : tr("Planned end: %1 (after %2 h %3 min)")
                                 .arg(End_Text(start, End_Time(start, plan_.end.minutes)))
                                 .arg(minutes / 60)
                                 .arg(minutes % 60, 2, 10, QLatin1Char('0')));
    QStringList chips;
    for (int c : in.chips.isEmpty() ? Usual_Chips(in.smallest_chip) : in.chips)
        chips << Amount(c);
    QString about = in.chips.isEmpty() ? tr("Chips in play, a usual set: %1").arg(chips.join(QStringLiteral(", ")))
                                       : tr("Chips in play (Chips page): %1").arg(chips.join(QStringLiteral(", ")));
    if (plan_.antes_save >= 0.5)
        about += QLatin1Char('\n') + tr("The antes make the night about %1 min shorter.").arg(std::lround(plan_.antes_save));
    Chips_Label->setText(about);
    Chart->Set_Depths(plan_.depth, plan_.end.level, End_Model::Decided_Depth);
    Warnings_Label->setText(plan_.warnings.join(QLatin1Char('\n')));
    Fill_Table();
}

void TStructure_Planner_Dlg::Fill_Table()
{
    Levels_Table->setRowCount(0);
    QTime at = Start_Time();
    auto add = [this](const QStringList& cells, const QColor& tint) {
        const int row = Levels_Table->rowCount();
        Levels_Table->insertRow(row);
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (tint.isValid())
                item->setBackground(tint);
            Levels_Table->setItem(row, c, item);
        }
    };
    for (int k = 0; k < plan_.levels.size(); ++k) {
        const Plan_Level& lv = plan_.levels[k];
        const QColor tint = k == plan_.end.level ? QColor(0xf6, 0xe3, 0xae) : QColor();
        add({tr("Level %1").arg(k + 1), Amount(lv.small_blind) + QStringLiteral(" / ") + Amount(lv.big_blind),
             lv.ante ? Amount(lv.ante) : QString(), QString::number(lv.minutes), Clock_Text(at)},
            tint);
        at = at.addSecs(lv.minutes * 60);
        if (lv.break_minutes > 0) {
            add({tr("Break"), lv.break_note, QString(), QString::number(lv.break_minutes), Clock_Text(at)},
                QColor(0xdc, 0xea, 0xdf));
            at = at.addSecs(lv.break_minutes * 60);
        }
    }
}
