#include "forms/dialogs/Season_dialog.h"

#include "forms/widgets/Report_opening.h"
#include "model/Person_name.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Profile.h"
#include "platform/Record_file.h"
#include "platform/Program_folder.h"
#include "platform/Velmora_error.h"
#include "reports/Season_report.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const char* const Caption = "Season";

template <class T>
T* Named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QTableWidget* Grid(QWidget* parent, const char* name, const QStringList& headers)
{
    auto* grid = Named(new QTableWidget(0, static_cast<int>(headers.size()), parent), name);
    grid->setHorizontalHeaderLabels(headers);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setDefaultSectionSize(22);
    return grid;
}

void Set_Row(QTableWidget* grid, int row, const QStringList& cells)
{
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        if (c != 1)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->setItem(row, c, item);
    }
}

QString Money(double v) { return v > 0 ? Float_Text(v) : QString(); }

// Asks for a new season's name; "" when the operator cancels.
QString Ask_Season_Name(QWidget* parent)
{
    QDialog ask(parent);
    ask.setObjectName(QStringLiteral("Season_Name_Dlg"));
    ask.setWindowTitle(QObject::tr("New Season"));
    auto* layout = new QVBoxLayout(&ask);
    layout->addWidget(new QLabel(QObject::tr("Name of the season:"), &ask));
    auto* edit = Named(new QLineEdit(&ask), "Season_Name_Edit");
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &ask);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    layout->addWidget(buttons);
    if (host().Show_Modal(&ask) != QDialog::Accepted)
        return QString();
    return edit->text();
}

} // namespace

TSeason_Dlg::TSeason_Dlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Season_Dlg"));
    setWindowTitle(tr("Season"));
    resize(1040, 640);
    auto* row = new QHBoxLayout(this);
    row->addWidget(Build_Season_Side());
    row->addWidget(Build_Rule_Side());
    row->addWidget(Build_Standings_Side(), 1);
    Set_Usable(false);
}

QWidget* TSeason_Dlg::Build_Season_Side()
{
    auto* side = new QWidget(this);
    side->setFixedWidth(200);
    auto* v = new QVBoxLayout(side);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(new QLabel(tr("Seasons"), side));
    Season_List = Named(new QListWidget(side), "Season_List");
    v->addWidget(Season_List, 1);
    auto* buttons = new QHBoxLayout;
    New_Season_Btn = Named(new QPushButton(tr("New..."), side), "New_Season_Btn");
    Delete_Season_Btn = Named(new QPushButton(tr("Delete..."), side), "Delete_Season_Btn");
    buttons->addWidget(New_Season_Btn);
    buttons->addWidget(Delete_Season_Btn);
    v->addLayout(buttons);
    v->addWidget(new QLabel(tr("Tournaments in Data"), side));
    Data_List = Named(new QListWidget(side), "Data_List");
    Data_List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    v->addWidget(Data_List, 2);
    Add_Tourney_Btn = Named(new QPushButton(tr("Add to Season"), side), "Add_Tourney_Btn");
    v->addWidget(Add_Tourney_Btn);

    connect(Season_List, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!filling_)
            Guarded([this, name] { Show_Season(name); });
    });
    connect(New_Season_Btn, &QPushButton::clicked, this, [this] { Guarded([this] { New_Season(); }); });
    connect(Delete_Season_Btn, &QPushButton::clicked, this, [this] { Guarded([this] { Delete_Season(); }); });
    connect(Add_Tourney_Btn, &QPushButton::clicked, this, [this] { Guarded([this] { Add_Tourneys(); }); });
    connect(Data_List, &QListWidget::itemDoubleClicked, this, [this] { Guarded([this] { Add_Tourneys(); }); });
    return side;
}

QWidget* TSeason_Dlg::Build_Rule_Side()
{
    auto* side = new QWidget(this);
    side->setFixedWidth(270);
    auto* v = new QVBoxLayout(side);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(new QLabel(tr("Tournaments of the season"), side));
    Tourney_Grid = Grid(side, "Tourney_Grid", {tr("Tournament"), tr("Date")});
    Tourney_Grid->horizontalHeader()->setStretchLastSection(false);
    Tourney_Grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    v->addWidget(Tourney_Grid, 1);
    auto* h = new QHBoxLayout;
    h->addWidget(new QLabel(tr("Played on"), side));
    Date_Edit = Named(new QDateEdit(side), "Date_Edit");
    Date_Edit->setCalendarPopup(true);
    Date_Edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    h->addWidget(Date_Edit, 1);
    Remove_Tourney_Btn = Named(new QPushButton(tr("Remove"), side), "Remove_Tourney_Btn");
    h->addWidget(Remove_Tourney_Btn);
    v->addLayout(h);

    auto* rule = new QGroupBox(tr("Points"), side);
    auto* form = new QFormLayout(rule);
    Formula_Combo = Named(new QComboBox(rule), "Formula_Combo");
    Formula_Combo->addItems({tr("Table of places"), tr("Field - place + 1"), tr("10 x \u221Afield \u00F7 \u221Aplace")});
    form->addRow(tr("Rule"), Formula_Combo);
    Places_Spin = Named(new QSpinBox(rule), "Places_Spin");
    Places_Spin->setRange(0, Max_Table_Places);
    form->addRow(tr("Places paid points"), Places_Spin);
    Points_Grid = Named(new QTableWidget(0, 1, rule), "Points_Grid");
    Points_Grid->setHorizontalHeaderLabels({tr("Points")});
    Points_Grid->horizontalHeader()->setStretchLastSection(true);
    Points_Grid->verticalHeader()->setDefaultSectionSize(20);
    Points_Grid->setMinimumHeight(150);
    form->addRow(Points_Grid);
    Taking_Part_Spin = Named(new QSpinBox(rule), "Taking_Part_Spin");
    Taking_Part_Spin->setRange(0, Max_Rule_Points);
    form->addRow(tr("For taking part"), Taking_Part_Spin);
    Per_Bounty_Spin = Named(new QSpinBox(rule), "Per_Bounty_Spin");
    Per_Bounty_Spin->setRange(0, Max_Rule_Points);
    form->addRow(tr("Per bounty"), Per_Bounty_Spin);
    v->addWidget(rule, 1);

    connect(Tourney_Grid, &QTableWidget::itemSelectionChanged, this, [this] { Sync_Date_Edit(); });
    connect(Date_Edit, &QDateEdit::dateChanged, this, [this] { Guarded([this] { Date_Edited(); }); });
    connect(Remove_Tourney_Btn, &QPushButton::clicked, this, [this] { Guarded([this] { Remove_Tourneys(); }); });
    auto edited = [this] { Guarded([this] { Rule_Edited(); }); };
    connect(Formula_Combo, &QComboBox::currentIndexChanged, this, edited);
    connect(Places_Spin, &QSpinBox::valueChanged, this, edited);
    connect(Taking_Part_Spin, &QSpinBox::valueChanged, this, edited);
    connect(Per_Bounty_Spin, &QSpinBox::valueChanged, this, edited);
    connect(Points_Grid, &QTableWidget::itemChanged, this, edited);
    return side;
}

QWidget* TSeason_Dlg::Build_Standings_Side()
{
    auto* side = new QWidget(this);
    auto* v = new QVBoxLayout(side);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(new QLabel(tr("Standings"), side));
    Standings_Grid = Grid(side, "Standings_Grid",
                          {tr("Rank"), tr("Player"), tr("Points"), tr("Evenings"), tr("Wins"), tr("Final Tables"),
                           tr("In the Money"), tr("Winnings"), tr("Bounties")});
    Standings_Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every column as wide as its texts: names are shown whole (the grid
    // scrolls sideways when they need the room).
    Standings_Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Standings_Grid->horizontalHeader()->setStretchLastSection(false);
    Standings_Grid->setTextElideMode(Qt::ElideNone);
    v->addWidget(Standings_Grid, 3);
    Record_Caption = Named(new QLabel(tr("Select a player to see the evenings"), side), "Record_Caption");
    v->addWidget(Record_Caption);
    Record_Grid = Grid(side, "Record_Grid",
                       {tr("Date"), tr("Tournament"), tr("Place"), tr("Points"), tr("Winnings"), tr("Bounties")});
    Record_Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Record_Grid->horizontalHeader()->setStretchLastSection(false);
    Record_Grid->setTextElideMode(Qt::ElideNone);
    v->addWidget(Record_Grid, 2);
    Problems_Label = Named(new QLabel(side), "Problems_Label");
    Problems_Label->setWordWrap(true);
    Problems_Label->setStyleSheet(QStringLiteral("color: #a00000"));
    v->addWidget(Problems_Label);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Report_Btn = Named(new QPushButton(tr("Season Report"), side), "Report_Btn");
    Close_Btn = Named(new QPushButton(tr("Close"), side), "Close_Btn");
    buttons->addWidget(Report_Btn);
    buttons->addWidget(Close_Btn);
    v->addLayout(buttons);

    connect(Standings_Grid, &QTableWidget::itemSelectionChanged, this, [this] { Guarded([this] { Fill_Record(); }); });
    connect(Report_Btn, &QPushButton::clicked, this, [this] { Guarded([this] { Write_Report(); }); });
    connect(Close_Btn, &QPushButton::clicked, this, &QDialog::accept);
    return side;
}

void TSeason_Dlg::Refresh(const QString& season_name)
{
    Remove_Temporary_Leftovers(Seasons_Folder()); // of a write a crash cut short
    const QStringList names = Season_Names();
    {
        const QSignalBlocker quiet(Season_List);
        Season_List->clear();
        Season_List->addItems(names);
    }
    const qsizetype at = names.indexOf(season_name);
    const QString shown = at >= 0 ? season_name : names.value(0);
    {
        const QSignalBlocker quiet(Season_List);
        Season_List->setCurrentRow(static_cast<int>(names.indexOf(shown)));
    }
    Show_Season(shown);
}

void TSeason_Dlg::Show_Season(const QString& name)
{
    season_ = Season();
    table_ = Season_Table();
    Set_Usable(false);
    if (!name.isEmpty()) {
        try {
            season_ = Load_Season(name);
            Set_Usable(true);
            if (!season_.range_notes.isEmpty())
                host().Message(tr("The season file %1.season holds values outside what a season takes:\n%2.\n"
                                  "The standings count the values taken, and the next change writes them.")
                                   .arg(name, season_.range_notes.join(QStringLiteral(";\n"))),
                               tr(Caption), Buttons::OK);
            Read_Season_Evenings(season_, table_);
            table_.rows = Rank_Players(table_.evenings, season_.rule);
        } catch (const Velmora_Error& e) {
            season_ = Season();
            season_.name = name;
            host().Message(e.text() + tr("\nThe file is left as it is."), tr(Caption), Buttons::OK);
        }
    }
    Fill_Season_Controls();
}

void TSeason_Dlg::Set_Usable(bool usable)
{
    usable_ = usable;
    for (QWidget* w : std::initializer_list<QWidget*>{Data_List, Add_Tourney_Btn, Remove_Tourney_Btn, Tourney_Grid,
                                                      Date_Edit, Formula_Combo, Places_Spin, Points_Grid,
                                                      Taking_Part_Spin, Per_Bounty_Spin, Report_Btn})
        w->setEnabled(usable);
    Delete_Season_Btn->setEnabled(Season_List->currentItem() != nullptr);
}

void TSeason_Dlg::Fill_Season_Controls()
{
    filling_ = true;
    Fill_Data_List();
    Fill_Tourney_Grid();
    Fill_Rule();
    filling_ = false;
    Fill_Standings();
}

void TSeason_Dlg::Fill_Data_List()
{
    Data_List->clear();
    if (!usable_)
        return;
    for (const QString& name : Data_Tourneys()) {
        const bool in_season = std::any_of(season_.tourneys.begin(), season_.tourneys.end(),
                                           [&](const Season_Tourney& t) { return t.name == name; });
        if (!in_season)
            Data_List->addItem(name);
    }
}

void TSeason_Dlg::Fill_Tourney_Grid()
{
    const QSignalBlocker quiet(Tourney_Grid);
    Tourney_Grid->setRowCount(static_cast<int>(season_.tourneys.size()));
    for (int i = 0; i < season_.tourneys.size(); ++i) {
        Tourney_Grid->setItem(i, 0, new QTableWidgetItem(season_.tourneys[i].name));
        Tourney_Grid->setItem(i, 1, new QTableWidgetItem(season_.tourneys[i].date.toString(Qt::ISODate)));
    }
    Sync_Date_Edit();
}

void TSeason_Dlg::Sync_Date_Edit()
{
    if (editing_date_)
        return; // the box being typed in keeps its focus and its text
    const int row = Tourney_Grid->currentRow();
    const bool chosen = usable_ && row >= 0 && row < season_.tourneys.size() && !Tourney_Grid->selectedItems().isEmpty();
    Date_Edit->setEnabled(chosen);
    Remove_Tourney_Btn->setEnabled(chosen);
    const QSignalBlocker quiet(Date_Edit);
    Date_Edit->setDate(chosen ? season_.tourneys[row].date : QDate::currentDate());
}

void TSeason_Dlg::Fill_Rule()
{
    const Points_Rule& rule = season_.rule;
    const QSignalBlocker q1(Formula_Combo), q2(Places_Spin), q3(Taking_Part_Spin), q4(Per_Bounty_Spin), q5(Points_Grid);
    Formula_Combo->setCurrentIndex(static_cast<int>(rule.formula));
    Places_Spin->setValue(static_cast<int>(rule.table.size()));
    Points_Grid->setRowCount(static_cast<int>(rule.table.size()));
    // The items are kept: this runs while one of them tells of its change.
    for (int i = 0; i < rule.table.size(); ++i) {
        const QString text = QString::number(rule.table[i]);
        if (QTableWidgetItem* item = Points_Grid->item(i, 0)) {
            if (item->text() != text)
                item->setText(text);
        } else {
            Points_Grid->setItem(i, 0, new QTableWidgetItem(text));
        }
    }
    Taking_Part_Spin->setValue(rule.taking_part);
    Per_Bounty_Spin->setValue(rule.per_bounty);
    const bool table = rule.formula == Points_Formula::Table && usable_;
    Places_Spin->setEnabled(table);
    Points_Grid->setEnabled(table);
}

void TSeason_Dlg::Fill_Standings()
{
    const QSignalBlocker quiet(Standings_Grid);
    Standings_Grid->setRowCount(static_cast<int>(table_.rows.size()));
    for (int i = 0; i < table_.rows.size(); ++i) {
        const Standing& s = table_.rows[i];
        Set_Row(Standings_Grid, i,
                {QString::number(s.rank), s.key, QString::number(s.points), QString::number(s.evenings),
                 QString::number(s.wins), QString::number(s.final_tables), QString::number(s.in_money),
                 Money(s.winnings), QString::number(s.bounties)});
        if (s.spellings.size() > 1)
            Standings_Grid->item(i, 1)->setToolTip(tr("Entered as %1").arg(s.spellings.join(QStringLiteral(", "))));
        else if (s.near_duplicate)
            Standings_Grid->item(i, 1)->setToolTip(tr("Another player's name differs from this one only in case or "
                                                      "blanks; both played the same evening, so they count apart."));
    }
    Problems_Label->setText(table_.problems.isEmpty()
                                ? QString()
                                : tr("Not counted:\n") + table_.problems.join(QLatin1Char('\n')));
    Fill_Record();
}

void TSeason_Dlg::Fill_Record()
{
    const int row = Standings_Grid->currentRow();
    const bool chosen = row >= 0 && row < table_.rows.size() && !Standings_Grid->selectedItems().isEmpty();
    Record_Grid->setRowCount(0);
    if (!chosen) {
        Record_Caption->setText(tr("Select a player to see the evenings"));
        return;
    }
    const Standing& s = table_.rows[row];
    Record_Caption->setText(tr("Evenings of %1").arg(Person_Name(s.key)));
    Record_Grid->setRowCount(static_cast<int>(s.record.size()));
    for (int i = 0; i < s.record.size(); ++i) {
        const Evening_Result& r = s.record[i];
        const Evening& e = table_.evenings[r.evening];
        Set_Row(Record_Grid, i,
                {e.date.toString(Qt::ISODate), e.tourney, Place_Text(r.place), QString::number(r.points),
                 Money(r.winnings), QString::number(r.bounties)});
    }
}

void TSeason_Dlg::Store()
{
    Save_Season(season_);
}

void TSeason_Dlg::Rule_Edited()
{
    if (filling_ || !usable_)
        return;
    Points_Rule& rule = season_.rule;
    rule.formula = static_cast<Points_Formula>(std::clamp(Formula_Combo->currentIndex(), 0, 2));
    const int places = Places_Spin->value();
    QVector<int> table;
    for (int i = 0; i < places; ++i) {
        const QTableWidgetItem* item = i < Points_Grid->rowCount() ? Points_Grid->item(i, 0) : nullptr;
        bool ok = false;
        const int points = item ? item->text().trimmed().toInt(&ok) : 0;
        table << (ok ? std::clamp(points, 0, Max_Rule_Points) : 0);
    }
    rule.table = table;
    rule.taking_part = Taking_Part_Spin->value();
    rule.per_bounty = Per_Bounty_Spin->value();
    filling_ = true;
    Fill_Rule(); // the table follows the number of places; bad entries show as 0
    filling_ = false;
    Store();
    table_.rows = Rank_Players(table_.evenings, rule);
    Fill_Standings();
}

void TSeason_Dlg::Date_Edited()
{
    const int row = Tourney_Grid->currentRow();
    if (filling_ || !usable_ || row < 0 || row >= season_.tourneys.size())
        return;
    const QString name = season_.tourneys[row].name;
    season_.tourneys[row].date = Date_Edit->date();
    editing_date_ = true;
    const auto done = qScopeGuard([this] { editing_date_ = false; });
    Tourneys_Changed();
    for (int i = 0; i < season_.tourneys.size(); ++i)
        if (season_.tourneys[i].name == name)
            Tourney_Grid->selectRow(i);
}

void TSeason_Dlg::Tourneys_Changed()
{
    std::stable_sort(season_.tourneys.begin(), season_.tourneys.end(),
                     [](const Season_Tourney& a, const Season_Tourney& b) {
                         if (a.date != b.date)
                             return a.date < b.date;
                         return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
                     });
    Store();
    Read_Season_Evenings(season_, table_);
    table_.rows = Rank_Players(table_.evenings, season_.rule);
    Fill_Season_Controls();
}

void TSeason_Dlg::New_Season()
{
    const QString name = Ask_Season_Name(this).trimmed();
    if (name.isEmpty())
        return;
    QString problem = Season_Name_Problem(name);
    if (problem.isEmpty() && Season_Names().contains(name, Qt::CaseInsensitive))
        problem = tr("There is a season named %1 already.").arg(name);
    if (!problem.isEmpty()) {
        host().Message(problem, tr(Caption), Buttons::OK);
        return;
    }
    Season season;
    season.name = name;
    Save_Season(season);
    Refresh(name);
}

void TSeason_Dlg::Delete_Season()
{
    const QListWidgetItem* item = Season_List->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    if (host().Message(tr("This will remove the season %1 (its tournaments stay).\nDo you wish to continue?").arg(name),
                       tr("Remove Season"), Buttons::OK_Cancel) != Answer::OK)
        return;
    Remove_Season(name);
    Refresh(QString());
}

void TSeason_Dlg::Add_Tourneys()
{
    if (!usable_)
        return;
    bool added = false;
    for (const QListWidgetItem* item : Data_List->selectedItems()) {
        season_.tourneys << Season_Tourney{item->text(), Tourney_File_Date(item->text())};
        added = true;
    }
    if (added)
        Tourneys_Changed();
}

void TSeason_Dlg::Remove_Tourneys()
{
    if (!usable_)
        return;
    QList<int> rows;
    for (const QModelIndex& index : Tourney_Grid->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty())
        return;
    std::sort(rows.rbegin(), rows.rend());
    for (int row : rows)
        if (row < season_.tourneys.size())
            season_.tourneys.removeAt(row);
    Tourneys_Changed();
}

void TSeason_Dlg::Write_Report()
{
    if (!usable_)
        return;
    Open_Written_Report(Write_Season_Report(season_, table_));
}
