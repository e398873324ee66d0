#include "forms/dialogs/Seat_form.h"

#include "forms/widgets/Fonts.h"
#include "forms/main_window/Main_form.h"
#include "forms/widgets/Spin_box.h"
#include "model/Player.h"
#include "model/Seating_draw.h"
#include "model/Table_balance.h"
#include "model/Tourney.h"
#include "platform/Guard.h"
#include "platform/Host.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableWidget>

TSeat_Form* Seat_Form = nullptr;

namespace {

const QSize Client_Size(474, 404);
constexpr int Row_Height = 20;
constexpr int Name_Width = 156;
constexpr int Number_Width = 46;

// The header row and the name column look and act like a grid's fixed
// cells: grey, never the current cell.
void Make_Fixed(QTableWidgetItem* item, const QPalette& palette)
{
    item->setFlags(Qt::NoItemFlags);
    item->setBackground(palette.button());
    item->setForeground(palette.buttonText());
}

// A cell's number, or 1 when it holds none.
int Cell_Number(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : 1;
}

} // namespace

TSeat_Form::TSeat_Form(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Seat_Form"));
    setWindowTitle(QStringLiteral("Seat_Form"));
    setFont(Program_Font(8));
    setFixedSize(Client_Size);

    Load_Grid = new QAction(this);
    Load_Grid->setObjectName(QStringLiteral("Load_Grid"));
    connect(Load_Grid, &QAction::triggered, this, [this] { Guarded([this] { Load_GridExecute(); }); });
    ActionList1 << Load_Grid;

    Build_Layout();
    Load_Grid->trigger();
    if (!Seat_Form)
        Seat_Form = this;
}

TSeat_Form::~TSeat_Form()
{
    if (Seat_Form == this)
        Seat_Form = nullptr;
}

void TSeat_Form::Build_Layout()
{
    Label1 = new QLabel(QStringLiteral("Seating Assignment:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 8, 200, 16);

    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(8, 28, 270, 334);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setMinimumSectionSize(12);
    StringGrid1->verticalHeader()->setDefaultSectionSize(Row_Height);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid1->setWordWrap(false);
    connect(StringGrid1, &QTableWidget::cellClicked, this, [this] { Guarded([this] { StringGrid1Click(); }); });
    // Arrow keys move the current cell too: the editor follows it.
    connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this] {
        if (!loading_)
            Guarded([this] { StringGrid1Click(); });
    });
    // The editors are laid over a cell: when the rows move, they go.
    connect(StringGrid1->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Hide_Editors(); });

    Table_Spin = new Spin_Box(this);
    Table_Spin->setObjectName(QStringLiteral("Table_Spin"));
    Table_Spin->setRange(1, 10);
    Table_Spin->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Table_Spin->hide();
    connect(Table_Spin, &QSpinBox::valueChanged, this, [this] { Guarded([this] { Table_SpinChange(); }); });

    // Random seating gives seats above 10 when more than ten players share a
    // table, so seats run up to the largest tournament.
    Seat_Spin = new Spin_Box(this);
    Seat_Spin->setObjectName(QStringLiteral("Seat_Spin"));
    Seat_Spin->setRange(1, Max_Entries);
    Seat_Spin->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Seat_Spin->hide();
    connect(Seat_Spin, &QSpinBox::valueChanged, this, [this] { Guarded([this] { Seat_SpinChange(); }); });

    GroupBox1 = new QGroupBox(QStringLiteral("Random Seating "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(288, 22, 178, 204);

    Label3 = new QLabel(QStringLiteral("Select the number of tables in the tournament and then press the 'Random' "
                                       "button. Seating will automatically be assigned for you. [Multi-table events]"),
                        GroupBox1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label3->setGeometry(10, 22, 158, 84);

    Label2 = new QLabel(QStringLiteral("Number of Tables:"), GroupBox1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(10, 116, 100, 24);

    Tables = new Spin_Box(GroupBox1);
    Tables->setObjectName(QStringLiteral("Tables"));
    Tables->setRange(1, 10);
    Tables->setValue(1);
    Tables->setGeometry(112, 116, 56, 24);

    Random_Btn = new QPushButton(QStringLiteral("Random"), GroupBox1);
    Random_Btn->setObjectName(QStringLiteral("Random_Btn"));
    Random_Btn->setAutoDefault(false);
    Random_Btn->setGeometry(10, 158, 158, 32);
    connect(Random_Btn, &QPushButton::clicked, this, [this] { Guarded([this] { Random_BtnClick(); }); });

    Button2 = new QPushButton(QStringLiteral("Close"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);
    Button2->setGeometry(376, 334, 90, 28);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    Balance_Btn = new QPushButton(QStringLiteral("Balance"), this);
    Balance_Btn->setObjectName(QStringLiteral("Balance_Btn"));
    Balance_Btn->setToolTip(QStringLiteral("Even out the tables after knock-outs"));
    Balance_Btn->setAutoDefault(false);
    Balance_Btn->setGeometry(288, 238, 178, 32);
    connect(Balance_Btn, &QPushButton::clicked, this, [this] { Guarded([this] { Balance_BtnClick(); }); });
}

CTourney* TSeat_Form::Tourney() const
{
    return MainForm ? MainForm->Current_Tourney.get() : nullptr;
}

QString TSeat_Form::Cell(int column, int row) const
{
    const QTableWidgetItem* item = StringGrid1->item(row, column);
    return item ? item->text() : QString();
}

void TSeat_Form::Set_Cell(int column, int row, const QString& text)
{
    QTableWidgetItem* item = StringGrid1->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (row == 0 || column == 0)
            Make_Fixed(item, palette());
        else
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        StringGrid1->setItem(row, column, item);
    }
    item->setText(text);
}

// ---- showing ----

void TSeat_Form::Load_GridExecute()
{
    StringGrid1->setColumnCount(3);
    StringGrid1->setRowCount(2);
    StringGrid1->setColumnWidth(0, Name_Width);
    StringGrid1->setColumnWidth(1, Number_Width);
    StringGrid1->setColumnWidth(2, Number_Width);
}

void TSeat_Form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Restoring from the task bar is no new showing.
    if (event->spontaneous())
        return;
    if (QWidget* owner = parentWidget())
        move(owner->frameGeometry().center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    Guarded([this] { FormShow(); });
}

void TSeat_Form::FormShow()
{
    showing_ = true;
    loading_ = true;
    Load_Grid->trigger();
    Set_Cell(0, 0, QStringLiteral("Name"));
    Set_Cell(1, 0, QStringLiteral("Table"));
    Set_Cell(2, 0, QStringLiteral("Seat"));
    Set_Cell(0, 1, QStringLiteral("Empty "));
    Set_Cell(1, 1, QStringLiteral(" "));
    Set_Cell(2, 1, QStringLiteral(" "));
    Hide_Editors();

    const CTourney* tourney = Tourney();
    int entries = 0;
    if (tourney)
        while (entries < Max_Entries && tourney->Players[entries].Name[0] != '\0')
            ++entries;
    if (entries > 0) {
        PlayerRows = entries + 1;
        StringGrid1->setRowCount(PlayerRows);
        Show_Entries();
        StringGrid1->setCurrentCell(1, 1);
    } else {
        PlayerRows = 0;
        StringGrid1->setCurrentCell(-1, -1);
    }
    StringGrid1->scrollToTop();
    loading_ = false;
}

void TSeat_Form::Show_Entries()
{
    const CTourney* tourney = Tourney();
    if (!tourney)
        return;
    for (int i = 0; i + 1 < PlayerRows && i < Max_Entries; ++i) {
        const CTourneyPlayer& entry = tourney->Players[i];
        Set_Cell(0, i + 1, CTourney::Entry_Name(entry));
        Set_Cell(1, i + 1, QString::number(entry.Table + 1));
        Set_Cell(2, i + 1, QString::number(entry.Seat + 1));
    }
}

// ---- the in-place editors ----

void TSeat_Form::Hide_Editors()
{
    Seat_Spin->hide();
    Table_Spin->hide();
}

void TSeat_Form::Lay_Over_Current_Cell(Spin_Box* editor)
{
    const QTableWidgetItem* item = StringGrid1->currentItem();
    if (!item) {
        editor->hide();
        return;
    }
    // The cell's rectangle in the dialog: the grid's place, its frame and the
    // cell inside the scrolled rows; one pixel taller to cover the grid line.
    const QRect cell = StringGrid1->visualItemRect(item);
    const QPoint origin = StringGrid1->pos() + StringGrid1->viewport()->pos();
    editor->setGeometry(origin.x() + cell.left(), origin.y() + cell.top(), cell.width(), cell.height() + 1);
    editor->setValue(Cell_Number(item->text()));
    editor->show();
    editor->raise();
}

void TSeat_Form::StringGrid1Click()
{
    if (PlayerRows <= 0)
        return;
    const int column = StringGrid1->currentColumn();
    if (column == 2)
        Lay_Over_Current_Cell(Seat_Spin);
    else
        Seat_Spin->hide();
    if (column == 1)
        Lay_Over_Current_Cell(Table_Spin);
    else
        Table_Spin->hide();
}

void TSeat_Form::Seat_SpinChange()
{
    const int row = StringGrid1->currentRow();
    const int column = StringGrid1->currentColumn();
    if (row > 0 && column > 0)
        Set_Cell(column, row, QString::number(Seat_Spin->value()));
}

void TSeat_Form::Table_SpinChange()
{
    const int row = StringGrid1->currentRow();
    const int column = StringGrid1->currentColumn();
    if (row > 0 && column > 0)
        Set_Cell(column, row, QString::number(Table_Spin->value()));
}

// ---- random seating ----

void TSeat_Form::Random_BtnClick()
{
    CTourney* tourney = Tourney();
    if (PlayerRows <= 0 || !tourney) {
        host().Message(QStringLiteral("This option requires more players"), QStringLiteral("Random Seating"),
                       Buttons::OK);
        return;
    }
    const int players = PlayerRows - 1;
    const std::vector<Seat_Assignment> seating = Draw_Seating(players, Tables->Value(), Seating_Seed(Now()));
    for (int j = 0; j < players; ++j) {
        tourney->Players[j].Table = seating[static_cast<size_t>(j)].Table;
        tourney->Players[j].Seat = seating[static_cast<size_t>(j)].Seat;
    }
    // The editors would show the numbers they were opened with.
    Hide_Editors();
    Show_Entries();
}

// ---- balancing ----

// Works on the seating the grid shows, edits included; the moves go into the
// entries at once, like a random seating, and are stored when the dialog
// closes. The operator gets the moves to announce and the new seating report.
void TSeat_Form::Balance_BtnClick()
{
    CTourney* tourney = Tourney();
    if (PlayerRows <= 0 || !tourney) {
        host().Message(QStringLiteral("This option requires more players"), QStringLiteral("Balance"), Buttons::OK);
        return;
    }
    Grid_Seats_Into_Entries();
    const int players = std::min(PlayerRows - 1, Max_Entries);
    std::vector<Balance_Seat> seats;
    for (int j = 0; j < players; ++j) {
        const CTourneyPlayer& entry = tourney->Players[j];
        seats.push_back({entry.Table, entry.Seat, entry.Place == 0});
    }
    const std::vector<Balance_Move> moves = Balance_Tables(seats);
    if (moves.empty()) {
        host().Message(QStringLiteral("The tables are balanced."), QStringLiteral("Balance"), Buttons::OK);
        return;
    }
    QStringList lines;
    for (const Balance_Move& move : moves) {
        CTourneyPlayer& entry = tourney->Players[move.Entry];
        entry.Table = move.To_Table;
        entry.Seat = move.To_Seat;
        lines << Balance_Move_Text(CTourney::Entry_Name(entry), move);
    }
    Hide_Editors();
    Show_Entries();
    host().Message(lines.join(QLatin1Char('\n')), QStringLiteral("Balance"), Buttons::OK);
    if (MainForm)
        MainForm->Create_Seating->trigger();
}

void TSeat_Form::Grid_Seats_Into_Entries()
{
    CTourney* tourney = Tourney();
    for (int r = 1; r < PlayerRows && r <= Max_Entries; ++r) {
        CTourneyPlayer& entry = tourney->Players[r - 1];
        bool ok = false;
        const int table = Cell(1, r).trimmed().toInt(&ok);
        if (ok)
            entry.Table = table - 1;
        const int seat = Cell(2, r).trimmed().toInt(&ok);
        if (ok)
            entry.Seat = seat - 1;
    }
}

// ---- closing ----

void TSeat_Form::Button2Click()
{
    close();
}

void TSeat_Form::done(int result)
{
    if (showing_) {
        showing_ = false;
        try {
            Guarded([this] { FormClose(); });
        } catch (...) {
            // Inside another command the error travels on; the dialog closes anyway.
            QDialog::done(result);
            throw;
        }
    }
    QDialog::done(result);
}

void TSeat_Form::FormClose()
{
    CTourney* tourney = Tourney();
    if (!tourney)
        return;
    int processed = 0;
    for (int r = 1; r < PlayerRows && r <= Max_Entries; ++r) {
        CTourneyPlayer& entry = tourney->Players[r - 1];
        Set_Field(entry.Name, Entry_Name_Size, Cell(0, r));
        bool ok = false;
        const int table = Cell(1, r).trimmed().toInt(&ok);
        if (ok)
            entry.Table = table - 1;
        const int seat = Cell(2, r).trimmed().toInt(&ok);
        if (ok)
            entry.Seat = seat - 1;
        ++processed;
    }
    StringGrid1->setRowCount(processed + 1);
    Hide_Editors();
    tourney->Write_Entries();
    if (MainForm)
        MainForm->Save_Setup->trigger();
}
