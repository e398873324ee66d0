// The Action page's in/out grid: every tournament player in order of entry
// with "In" or "Out", and the chooser that marks a player out (the next
// finishing place) or back in.
#include "forms/main_window/Main_form.h"

#include "platform/Guard.h"

#include <QAction>
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

namespace {

const QColor Money_Green(192, 220, 192);
const QColor In_Colour(0, 110, 0);
const QColor Out_Colour(200, 0, 0);
const QColor Gone_Colour(120, 120, 120);

const QString In_Text = QStringLiteral("In");
const QString Out_Text = QStringLiteral("Out");

QTableWidgetItem* Cell(QTableWidget* grid, int row, int column)
{
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (column == 0) {
            // The name column is fixed: coloured, never selected or edited.
            item->setFlags(Qt::ItemIsEnabled);
            item->setBackground(Money_Green);
        } else {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(Qt::AlignCenter);
        }
        grid->setItem(row, column, item);
    }
    return item;
}

// Shows a row as in or out: the state in colour, the names of players
// who are out greyed.
void Paint_Row(QTableWidget* grid, int row)
{
    QTableWidgetItem* state = Cell(grid, row, 1);
    const bool out = state->text() == Out_Text;
    state->setForeground(out ? Out_Colour : In_Colour);
    Cell(grid, row, 0)->setForeground(out ? Gone_Colour : QColor(Qt::black));
}

// Every name shows whole, so two players are never told apart only by a
// tooltip: a name too wide for its column at the grid's large type gets the
// largest smaller type at which it fits; the others keep the large type.
void Fit_Name_Column(QTableWidget* grid, int rows)
{
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    const int room = grid->columnWidth(0) - 2 * margin - 2;
    for (int i = 0; i < rows; ++i) {
        QTableWidgetItem* item = grid->item(i, 0);
        QFont font = grid->font();
        while (font.pixelSize() > 7 && QFontMetrics(font).horizontalAdvance(item->text()) > room)
            font.setPixelSize(font.pixelSize() - 1);
        item->setFont(font);
    }
}

} // namespace

void TMainForm::Load_TablesExecute()
{
    // Rebuilding moves the current cell: that is no click on the grid.
    const QSignalBlocker quiet(All_Grid);
    All_Grid->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("In/Out")});
    int rows = 0;
    while (rows < Max_Entries && Current_Tourney->Players[rows].Name[0] != '\0')
        ++rows;
    // With no players the grid shows the header and one empty row.
    All_Grid->setRowCount(std::max(rows, 1));
    if (rows == 0) {
        Cell(All_Grid, 0, 0)->setText(QString());
        Cell(All_Grid, 0, 1)->setText(QString());
    }
    for (int i = 0; i < rows; ++i) {
        const CTourneyPlayer& entry = Current_Tourney->Players[i];
        Cell(All_Grid, i, 0)->setText(CTourney::Entry_Name(entry));
        Cell(All_Grid, i, 0)->setToolTip(CTourney::Entry_Name(entry));
        Cell(All_Grid, i, 1)->setText(entry.Place != 0 ? Out_Text : In_Text);
        Paint_Row(All_Grid, i);
    }
    Fit_Name_Column(All_Grid, rows);
    io_row_ = -1;
    IO_Combo1->hide();
}

void TMainForm::All_GridClick()
{
    const int row = All_Grid->currentRow();
    if (All_Grid->currentColumn() != 1 || row < 0) {
        io_row_ = -1;
        IO_Combo1->hide();
        return;
    }
    // The chooser lies exactly over the cell.
    const QRect cell = All_Grid->visualRect(All_Grid->model()->index(row, 1));
    const QPoint top_left = All_Grid->viewport()->mapTo(Action_Sheet, cell.topLeft());
    IO_Combo1->setGeometry(top_left.x(), top_left.y(), cell.width(), cell.height() + 1);
    IO_Combo1->setEditText(Cell(All_Grid, row, 1)->text());
    io_row_ = row;
    IO_Combo1->show();
    IO_Combo1->raise();
}

// Runs when a choice is made: an item chosen, Enter, or leaving the chooser.
// The final text decides; what stands in the box while it is typed changes
// nothing.
void TMainForm::IO_Combo1Change()
{
    const int row = io_row_;
    if (row < 0 || row >= All_Grid->rowCount())
        return;
    QTableWidgetItem* cell = Cell(All_Grid, row, 1);
    const QString chosen = IO_Combo1->currentText();
    const QString name = Cell(All_Grid, row, 0)->text();
    try {
        // Only the exact word marks a player out; anything else counts as in.
        if (chosen == Out_Text)
            Current_Tourney->Set_Out(name);
        else
            Current_Tourney->Set_In(name);
    } catch (...) {
        // Not stored: the chooser goes, and the cell keeps the stored state.
        io_row_ = -1;
        IO_Combo1->hide();
        throw;
    }
    cell->setText(chosen);
    Paint_Row(All_Grid, row);
    // A choice made, the chooser goes and the keyboard is back on the grid:
    // a key pressed next (Page Up for the next level) reaches the clock and
    // never turns this player's state over.
    io_row_ = -1;
    const bool had_focus = IO_Combo1->isAncestorOf(QApplication::focusWidget()) || IO_Combo1->hasFocus();
    IO_Combo1->hide();
    if (had_focus)
        All_Grid->setFocus(Qt::OtherFocusReason);
    emit Clock_Changed(); // the players left and the estimated end
}

void TMainForm::Build_In_Out_Grid()
{
    All_Grid = new QTableWidget(1, 2, Action_Sheet);
    All_Grid->setObjectName(QStringLiteral("All_Grid"));
    All_Grid->setGeometry(10, 368, 230, 260);
    All_Grid->setToolTip(tr("Click on player to remove from play"));
    All_Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    All_Grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    All_Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    All_Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    All_Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    All_Grid->verticalHeader()->hide();
    All_Grid->verticalHeader()->setDefaultSectionSize(24);
    // Both columns fit the width: the grid never scrolls sideways.
    All_Grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    All_Grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    All_Grid->horizontalHeader()->setHighlightSections(false);
    All_Grid->horizontalHeader()->setFixedHeight(26);
    All_Grid->setColumnWidth(0, 160);
    // Read across the room: large, bold names.
    QFont font = All_Grid->font();
    font.setPixelSize(15);
    font.setBold(true);
    All_Grid->setFont(font);
    // The header row is fixed and money green like the name column.
    All_Grid->horizontalHeader()->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background-color: rgb(192,220,192); color: black; font-weight: bold;"
        " font-size: 12px; border: 0px; border-right: 1px solid #8aa88a; border-bottom: 1px solid #8aa88a;"
        " padding: 0px; }"));
    All_Grid->setStyleSheet(QStringLiteral("QTableWidget { gridline-color: #b0b0b0; font-size: 15px; font-weight: bold; }"
                                           "QTableWidget::item:selected { background: #ffe9a8; }"));
    All_Grid->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("In/Out")});

    IO_Combo1 = new QComboBox(Action_Sheet);
    IO_Combo1->setObjectName(QStringLiteral("IO_Combo1"));
    IO_Combo1->setEditable(true);
    IO_Combo1->addItems({In_Text, Out_Text});
    // What is typed stays as typed: no completion, no new items.
    IO_Combo1->setCompleter(nullptr);
    IO_Combo1->setInsertPolicy(QComboBox::NoInsert);
    IO_Combo1->setFont(font);
    IO_Combo1->hide();

    connect(All_Grid, &QTableWidget::cellClicked, this, [this] { Guarded([this] { All_GridClick(); }); });
    connect(All_Grid, &QTableWidget::currentCellChanged, this, [this] { Guarded([this] { All_GridClick(); }); });
    connect(IO_Combo1, &QComboBox::activated, this, [this] { Guarded([this] { IO_Combo1Change(); }); });
    // The box loses the keyboard to its own list when the list opens: that
    // is no choice yet.
    connect(IO_Combo1->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (!IO_Combo1->view()->isVisible())
            Guarded([this] { IO_Combo1Change(); });
    });
    // A chooser left behind by scrolling would sit over another player's cell.
    connect(All_Grid->verticalScrollBar(), &QScrollBar::valueChanged, IO_Combo1, &QWidget::hide);
}
