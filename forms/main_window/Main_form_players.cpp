// The Players page, upper half: the player database ("Available Players"),
// the tournament's players ("Tournament Players"), entering and removing
// players, the quick view, and the database commands New, Edit and Delete.
#include "forms/main_window/Main_form.h"

#include "forms/widgets/Button_icons.h"
#include "forms/widgets/On_first_use.h"
#include "forms/dialogs/Player_entry.h"
#include "forms/widgets/Player_lists.h"
#include "model/Player.h"
#include "model/Season_standings.h"
#include "platform/Guard.h"
#include "platform/Host.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

void TMainForm::Load_PlayersExecute()
{
    Load_Available->trigger();
    Load_Playing->trigger();
    Load_Seating->trigger();
}

void TMainForm::Load_AvailableExecute()
{
    QStringList keys;
    Player_DB.Cursor = 0;
    while (!Player_DB.Current().Empty) {
        keys << Player_DB.Current().Key();
        // A full table wraps back to the first player: the walk ends there.
        if (Player_DB.Next() == 0)
            break;
    }
    Fill_Sorted(Available_List, keys);
}

void TMainForm::Load_PlayingExecute()
{
    QStringList names;
    for (int i = 0; i < Current_Tourney->Total && i < Max_Entries; ++i) {
        const QString name = CTourney::Entry_Name(Current_Tourney->Players[i]);
        if (!name.isEmpty())
            names << name;
    }
    const QSignalBlocker quiet(Playing_List);
    Fill_Sorted(Playing_List, names);
}

void TMainForm::Move_To_TourneyExecute()
{
    if (Available_List->currentRow() < 0)
        return;
    QSet<QString> playing;
    for (int row = 0; row < Playing_List->count(); ++row)
        playing.insert(Playing_List->item(row)->text());

    QStringList refused;
    for (const QString& key : Selected_Texts(Available_List)) {
        if (playing.contains(key))
            continue; // already entered: skipped without a word
        if (Current_Tourney->Append_Position() >= Max_Entries) {
            refused << tr("Cannot enter %1: the tournament already holds %2 players.").arg(key).arg(Max_Entries);
            continue;
        }
        if (key.toLatin1().size() >= Entry_Name_Size) {
            refused << tr("Cannot enter %1: a player's name in a tournament holds at most %2 characters.")
                           .arg(key)
                           .arg(Entry_Name_Size - 1);
            continue;
        }
        Current_Tourney->Enter_Player(key);
        playing.insert(key);
        const QSignalBlocker quiet(Playing_List);
        Add_Sorted(Playing_List, key);
    }
    if (!refused.isEmpty())
        host().Message(refused.join(QLatin1Char('\n')), tr("Tournament Players"), Buttons::OK);
    Save_Setup->trigger();
}

void TMainForm::Remove_From_TourneyExecute()
{
    if (Playing_List->currentRow() < 0)
        return;
    if (host().Message(tr("This will remove player from list and clear settings.\nDo you wish to continue?"),
                       tr("Remove Player"), Buttons::OK_Cancel)
        != Answer::OK)
        return;
    for (const QString& name : Selected_Texts(Playing_List))
        Current_Tourney->Withdraw_Player(name);
    {
        const QSignalBlocker quiet(Playing_List);
        Remove_Selected(Playing_List);
    }
    Save_Setup->trigger();
}

void TMainForm::Playing_ListClick()
{
    for (const QString& name : Selected_Texts(Playing_List)) {
        if (Player_DB.Find(name) < Max_Players) {
            Load_PlayerInfo->trigger();
            return;
        }
    }
    // Nobody selected is in the database: the quick view keeps what it shows.
}

void TMainForm::Load_PlayerInfoExecute()
{
    const CPlayer& record = Player_DB.Current();
    if (record.Empty)
        return;
    Player_Buf = record;
    First_Edit->setText(Field_Text(record.First, Player_Text_Size));
    Last_Edit->setText(Field_Text(record.Last, Player_Text_Size));
    Aka_Edit->setText(Field_Text(record.Aka, Player_Text_Size));
    Phone_Edit->setText(Field_Text(record.Phone, Player_Text_Size));
    Cell_Edit->setText(Field_Text(record.Cell, Player_Text_Size));
    Record_Label->setText(Player_Record_Text(Player_Record_In_Data(record.Key())));
}

void TMainForm::New_ButtonClick()
{
    On_First_Use(PlayerEntry_Form, this)->AddMode = true;
    PlayerEntry_Form->EditedRecord = &Player_Buf;
    host().Show_Modal(PlayerEntry_Form);
    Load_Available->trigger();
}

void TMainForm::Edit_ButtonClick()
{
    for (const QString& key : Selected_Texts(Available_List)) {
        if (Player_DB.Find(key) < Max_Players) {
            On_First_Use(PlayerEntry_Form, this)->AddMode = false;
            PlayerEntry_Form->EditedRecord = &Player_DB.Current();
            host().Show_Modal(PlayerEntry_Form);
            Load_Available->trigger();
            return;
        }
    }
    host().Message(tr("You must select a player\nfrom the available players."), tr("Player Edit"), Buttons::OK);
}

void TMainForm::Delete_ButtonClick()
{
    if (host().Message(tr("This will remove player from the database.\nDo you wish to continue?"),
                       tr("Remove Player"), Buttons::OK_Cancel)
        != Answer::OK)
        return;
    // Entered players stay in the tournament, its seating and its reports.
    for (const QString& key : Selected_Texts(Available_List))
        Player_DB.Delete(key);
    Remove_Selected(Available_List);
}

// ---- the controls of "Select Players" ----

namespace {

QListWidget* Player_List(QWidget* parent, const char* name, const QRect& r)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setUniformItemSizes(true);
    list->setGeometry(r);
    QFont f = list->font();
    f.setPointSize(10);
    list->setFont(f);
    // Rows tall enough to hit in a hurry.
    list->setItemDelegate(new Roomy_Rows_Delegate(list));
    return list;
}

QPushButton* Roster_Button(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                           QStyle::StandardPixmap icon, const QRect& r)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setIcon(Button_Icon(parent, icon));
    button->setGeometry(r);
    return button;
}

QToolButton* Arrow_Button(QWidget* parent, const char* name, QAction* action, QStyle::StandardPixmap icon, int y)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setDefaultAction(action);
    button->setIcon(Button_Icon(parent, icon));
    button->setIconSize(QSize(24, 24));
    button->setGeometry(208, y, 40, 40);
    return button;
}

// A read-only box with its caption above it.
QLineEdit* Labelled_Edit(QWidget* parent, const char* name, const QString& caption, int y)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(12, y, 216, 16);
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setGeometry(12, y + 17, 216, 24);
    label->setBuddy(edit);
    return edit;
}

} // namespace

void TMainForm::Build_Players_Page()
{
    GroupBox1 = new QGroupBox(tr("Select Players"), Players_Sheet);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(10, 8, 701, 322);
    QWidget* group = GroupBox1;

    QFont bold = font();
    bold.setBold(true);
    auto* available = new QLabel(tr("Available Players"), group);
    available->setGeometry(12, 22, 190, 18);
    available->setFont(bold);
    Available_List = Player_List(group, "Available_List", QRect(12, 42, 190, 228));
    auto* playing = new QLabel(tr("Tournament Players"), group);
    playing->setGeometry(254, 22, 190, 18);
    playing->setFont(bold);
    Playing_List = Player_List(group, "Playing_List", QRect(254, 42, 190, 228));

    SpeedButton1 = Arrow_Button(group, "SpeedButton1", Move_To_Tourney, QStyle::SP_ArrowRight, 104);
    SpeedButton2 = Arrow_Button(group, "SpeedButton2", Remove_From_Tourney, QStyle::SP_ArrowLeft, 152);

    New_Button = Roster_Button(group, "New_Button", tr("New..."), tr("Add New Player"),
                               QStyle::SP_FileIcon, QRect(12, 278, 62, 32));
    Edit_Button = Roster_Button(group, "Edit_Button", tr("Edit..."), tr("Edit Selected Player"),
                                QStyle::SP_FileDialogContentsView, QRect(76, 278, 62, 32));
    Delete_Button = Roster_Button(group, "Delete_Button", tr("Delete..."), tr("Remove Selected Player"),
                                  QStyle::SP_TrashIcon, QRect(140, 278, 62, 32));
    BitBtn5 = Roster_Button(group, "BitBtn5", tr("Contact List"), tr("Generate Contact List"),
                            QStyle::SP_FileDialogDetailedView, QRect(254, 278, 190, 32));
    // The contact report runs from here once its command exists.
    if (auto* report = findChild<QAction*>(QStringLiteral("Create_PlayersList"))) {
        connect(BitBtn5, &QPushButton::clicked, report, &QAction::trigger);
        BitBtn5->setEnabled(report->isEnabled());
    } else {
        BitBtn5->setEnabled(false);
    }

    GroupBox2 = new QGroupBox(tr("Quick View (Tournament Player)"), group);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(456, 16, 240, 296);
    GroupBox2->setEnabled(false);
    // Not editable, yet read as easily as any box.
    QPalette readable = GroupBox2->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::Base})
        readable.setColor(QPalette::Disabled, role, readable.color(QPalette::Active, role));
    GroupBox2->setPalette(readable);
    First_Edit = Labelled_Edit(GroupBox2, "First_Edit", tr("First"), 22);
    Last_Edit = Labelled_Edit(GroupBox2, "Last_Edit", tr("Last"), 76);
    Aka_Edit = Labelled_Edit(GroupBox2, "Aka_Edit", tr("Also Known As (AKA)"), 130);
    Phone_Edit = Labelled_Edit(GroupBox2, "Phone_Edit", tr("Phone Number"), 184);
    Cell_Edit = Labelled_Edit(GroupBox2, "Cell_Edit", tr("Cell Number"), 238);
    Rank_Edit = Labelled_Edit(GroupBox2, "Rank_Edit", tr("Rank"), 238);
    Rank_Edit->hide();
    Record_Label = new QLabel(GroupBox2);
    Record_Label->setObjectName(QStringLiteral("Record_Label"));
    Record_Label->setGeometry(12, 280, 216, 14);
    for (QLabel* label : GroupBox2->findChildren<QLabel*>())
        if (label->buddy() == Rank_Edit)
            label->hide();

    connect(Available_List, &QListWidget::doubleClicked, Move_To_Tourney, &QAction::trigger);
    connect(Playing_List, &QListWidget::doubleClicked, Remove_From_Tourney, &QAction::trigger);
    connect(Playing_List, &QListWidget::itemSelectionChanged, this, [this] { Guarded([this] { Playing_ListClick(); }); });
    connect(New_Button, &QPushButton::clicked, this, [this] { Guarded([this] { New_ButtonClick(); }); });
    connect(Edit_Button, &QPushButton::clicked, this, [this] { Guarded([this] { Edit_ButtonClick(); }); });
    connect(Delete_Button, &QPushButton::clicked, this, [this] { Guarded([this] { Delete_ButtonClick(); }); });
}
