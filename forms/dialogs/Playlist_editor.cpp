#include "forms/dialogs/Playlist_editor.h"
#include "forms/dialogs/Sound_dialog.h"
#include "forms/widgets/Button_icons.h"

#include "forms/widgets/Fonts.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Program_folder.h"
#include "platform/Text_lines.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

TPlaylist_Form* Playlist_Form = nullptr;

namespace {

// The song picker, a sound dialog.
File_Dialog Song_Dialog()
{
    return Sound_File_Dialog(QStringLiteral("Add Song"), QStringLiteral("Wave|*.wav|MP3|*.mp3"), false);
}

File_Dialog Open_Playlist_Dialog()
{
    File_Dialog d;
    d.title = QStringLiteral("Open Playlist");
    d.filter = QStringLiteral("Playlist (*.m3u)|*.m3u");
    d.filter_index = 1;
    d.must_exist = true;
    return d;
}

// Names a new playlist or an unnamed one being saved.
File_Dialog Save_Playlist_Dialog()
{
    File_Dialog d;
    d.title = QStringLiteral("Save Playlist As");
    d.filter = QStringLiteral("Playlist (*.m3u)|*.m3u");
    d.filter_index = 1;
    d.default_ext = QStringLiteral("m3u");
    // An installed program's own folders cannot be written.
    if (Data_Per_User())
        d.initial_dir = Playlists_Folder();
    return d;
}

// A button runs its action and shows the action's caption, hint and state.
void Bind(QPushButton* button, QAction* action)
{
    auto sync = [button, action] {
        button->setText(action->text());
        button->setToolTip(action->toolTip() == action->text() ? QString() : action->toolTip());
        button->setEnabled(action->isEnabled());
    };
    sync();
    QObject::connect(action, &QAction::changed, button, sync);
    QObject::connect(button, &QPushButton::clicked, action, [action] { action->trigger(); });
}

QPushButton* Make_Button(QWidget* parent, const char* name, QStyle::StandardPixmap icon)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(Button_Icon(parent, icon));
    button->setAutoDefault(false);
    button->setMinimumHeight(28);
    return button;
}

} // namespace

TPlaylist_Form::TPlaylist_Form(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Playlist_Form"));
    setWindowTitle(QStringLiteral("Edit Playlist"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFont(Program_Font(9));

    Add_Song = Make_Action("Add_Song", QStringLiteral("Add"), QStringLiteral("Add song to playlist"),
                           &TPlaylist_Form::Add_SongExecute);
    Remove_Song = Make_Action("Remove_Song", QStringLiteral("Remove"),
                              QStringLiteral("Remove song of playlist"), &TPlaylist_Form::Remove_SongExecute);
    Up_Song = Make_Action("Up_Song", QStringLiteral("Up"), QStringLiteral("Move song up in list"),
                          &TPlaylist_Form::Up_SongExecute);
    Down_Song = Make_Action("Down_Song", QStringLiteral("Down"), QStringLiteral("Move song down in list"),
                            &TPlaylist_Form::Down_SongExecute);
    Save_List = Make_Action("Save_List", QStringLiteral("Save"), QStringLiteral("Save Changes"),
                            &TPlaylist_Form::Save_ListExecute);
    Open_List = Make_Action("Open_List", QStringLiteral("Open"), QString(), &TPlaylist_Form::Open_ListExecute);
    File_Display = Make_Action("File_Display", QString(), QString(), &TPlaylist_Form::File_DisplayExecute);
    New_List = Make_Action("New_List", QStringLiteral("New"), QString(), &TPlaylist_Form::New_ListExecute);
    Save_List->setEnabled(false);

    Build_Layout();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
    Timer1->start();

    PlaylistName.clear();
    if (!Playlist_Form)
        Playlist_Form = this;
}

TPlaylist_Form::~TPlaylist_Form()
{
    if (Playlist_Form == this)
        Playlist_Form = nullptr;
}

QAction* TPlaylist_Form::Make_Action(const char* name, const QString& caption, const QString& hint,
                                     void (TPlaylist_Form::*handler)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty())
        action->setToolTip(hint);
    connect(action, &QAction::triggered, this,
            [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    ActionList1 << action;
    return action;
}

void TPlaylist_Form::Build_Layout()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 12, 12, 12);
    outer->setSpacing(10);

    // File name of the playlist, across the top.
    auto* name_row = new QHBoxLayout;
    List_Name_Label = new QLabel(QStringLiteral("File Name: "), this);
    List_Name_Label->setObjectName(QStringLiteral("List_Name_Label"));
    List_Name = new QLineEdit(this);
    List_Name->setObjectName(QStringLiteral("List_Name"));
    List_Name->setReadOnly(true);
    List_Name->setFocusPolicy(Qt::NoFocus);
    List_Name_Label->setBuddy(List_Name);
    name_row->addWidget(List_Name_Label);
    name_row->addWidget(List_Name, 1);
    outer->addLayout(name_row);

    // The songs, with the list commands beside them.
    auto* middle = new QHBoxLayout;
    middle->setSpacing(10);
    Play_List = new QListWidget(this);
    Play_List->setObjectName(QStringLiteral("Play_List"));
    Play_List->setSelectionMode(QAbstractItemView::SingleSelection);
    Play_List->setAlternatingRowColors(true);
    Play_List->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(Play_List, &QListWidget::itemSelectionChanged, this, [this] { File_Display->trigger(); });
    middle->addWidget(Play_List, 1);

    auto* side = new QVBoxLayout;
    side->setSpacing(6);
    BitBtn1 = Make_Button(this, "BitBtn1", QStyle::SP_FileDialogNewFolder);
    BitBtn2 = Make_Button(this, "BitBtn2", QStyle::SP_TrashIcon);
    BitBtn3 = Make_Button(this, "BitBtn3", QStyle::SP_ArrowUp);
    BitBtn4 = Make_Button(this, "BitBtn4", QStyle::SP_ArrowDown);
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        b->setFixedWidth(96);
    side->addWidget(BitBtn1);
    side->addWidget(BitBtn2);
    side->addSpacing(14);
    side->addWidget(BitBtn3);
    side->addWidget(BitBtn4);
    side->addStretch(1);
    middle->addLayout(side);
    outer->addLayout(middle, 1);

    // The selected song's file name.
    auto* selected_row = new QHBoxLayout;
    auto* selected_label = new QLabel(QStringLiteral("Selected: "), this);
    selected_label->setObjectName(QStringLiteral("Selected_File_Label"));
    Selected_File = new QLineEdit(this);
    Selected_File->setObjectName(QStringLiteral("Selected_File"));
    Selected_File->setReadOnly(true);
    Selected_File->setFocusPolicy(Qt::NoFocus);
    selected_label->setBuddy(Selected_File);
    selected_row->addWidget(selected_label);
    selected_row->addWidget(Selected_File, 1);
    outer->addLayout(selected_row);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    outer->addWidget(rule);

    // The file commands along the bottom, Close at the right.
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(6);
    BitBtn6 = Make_Button(this, "BitBtn6", QStyle::SP_FileIcon);
    Save_Btn = Make_Button(this, "Save_Btn", QStyle::SP_DialogSaveButton);
    BitBtn5 = Make_Button(this, "BitBtn5", QStyle::SP_DialogOpenButton);
    Button1 = new QPushButton(QStringLiteral("Close"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    Button1->setMinimumHeight(28);
    for (QPushButton* b : {BitBtn6, Save_Btn, BitBtn5, Button1})
        b->setFixedWidth(88);
    bottom->addWidget(BitBtn6);
    bottom->addWidget(Save_Btn);
    bottom->addWidget(BitBtn5);
    bottom->addStretch(1);
    bottom->addWidget(Button1);
    outer->addLayout(bottom);

    Bind(BitBtn1, Add_Song);
    Bind(BitBtn2, Remove_Song);
    Bind(BitBtn3, Up_Song);
    Bind(BitBtn4, Down_Song);
    Bind(BitBtn6, New_List);
    Bind(Save_Btn, Save_List);
    Bind(BitBtn5, Open_List);
    connect(Button1, &QPushButton::clicked, this, &QWidget::close);

    setFixedSize(560, 400);
}

// ---- showing and closing ----

void TPlaylist_Form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Restoring from the task bar is no new showing.
    if (!event->spontaneous())
        Guarded([this] { FormShow(); });
}

void TPlaylist_Form::FormShow()
{
    Modified = false;
    Save_List->setEnabled(false);
    LoadBuffer.clear();
    Play_List->clear();
    Selected_File->setText(QString());
    List_Name->setText(QString());
    if (!PlaylistName.isEmpty()) {
        LoadBuffer = Read_Lines(PlaylistName);
        Show_Rows(LoadBuffer);
        File_Display->trigger();
        List_Name->setText(File_Name_Part(PlaylistName));
    }
}

void TPlaylist_Form::reject()
{
    Guarded([this] {
        if (FormClose())
            QDialog::reject();
    });
}

// Closing offers unsaved changes for saving; Cancel, or a cancelled file
// name, keeps the editor open.
bool TPlaylist_Form::FormClose()
{
    return Offer_Save();
}

// Before unsaved work is replaced (Open, New, closing) the operator is asked;
// true when the editor may go on.
bool TPlaylist_Form::Offer_Save()
{
    if (!Modified)
        return true;
    switch (host().Message(QStringLiteral("Save changes to the playlist?"), QStringLiteral("Save Playlist"),
                           Buttons::Yes_No_Cancel)) {
    case Answer::Yes:
        return Write_List();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

// Writes the rows to PlaylistName, asking for a name when the list has none;
// false when the operator cancels that.
bool TPlaylist_Form::Write_List()
{
    if (PlaylistName.isEmpty()) {
        const QString chosen = host().Save_File(this, Save_Playlist_Dialog());
        if (chosen.isEmpty())
            return false;
        PlaylistName = chosen;
    }
    Write_Lines(PlaylistName, Rows());
    Modified = false;
    List_Name->setText(File_Name_Part(PlaylistName));
    return true;
}

void TPlaylist_Form::Timer1Timer()
{
    Save_List->setEnabled(Modified);
}

// ---- list commands ----

void TPlaylist_Form::Add_SongExecute()
{
    const QString song = host().Open_File(this, Song_Dialog());
    if (song.isEmpty())
        return;
    Play_List->addItem(song);
    File_Display->trigger();
    Modified = true;
}

void TPlaylist_Form::Remove_SongExecute()
{
    const int row = First_Selected_Row();
    if (row >= 0) {
        // No row is selected afterwards (the view would otherwise select the
        // next one, and a second Remove would delete it).
        Play_List->selectionModel()->clear();
        delete Play_List->takeItem(row);
    }
    Show_Selected_File();
    Modified = true;
}

void TPlaylist_Form::Up_SongExecute()
{
    const int row = First_Selected_Row();
    if (row <= 0)
        return;
    Move_Selected(row, row - 1);
    Modified = true;
    File_Display->trigger();
}

void TPlaylist_Form::Down_SongExecute()
{
    const int row = First_Selected_Row();
    if (row < 0 || row >= Play_List->count() - 1)
        return;
    Move_Selected(row, row + 1);
    Modified = true;
    File_Display->trigger();
}

void TPlaylist_Form::File_DisplayExecute()
{
    const int row = First_Selected_Row();
    if (row >= 0)
        Selected_File->setText(File_Name_Part(Play_List->item(row)->text()));
}

// After the rows were replaced or one removed, a name of a song that is no
// longer selected is not left standing.
void TPlaylist_Form::Show_Selected_File()
{
    if (First_Selected_Row() < 0)
        Selected_File->clear();
    File_Display->trigger();
}

// ---- file commands ----

void TPlaylist_Form::Save_ListExecute()
{
    if (host().Message(QStringLiteral("Save changes to Playlist?"), QStringLiteral("Save Playlist"),
                       Buttons::Yes_No)
        != Answer::Yes)
        return;
    Write_List();
    List_Name->setText(File_Name_Part(PlaylistName));
}

void TPlaylist_Form::Open_ListExecute()
{
    if (!Offer_Save())
        return;
    const QString chosen = host().Open_File(this, Open_Playlist_Dialog());
    if (chosen.isEmpty())
        return;
    LoadBuffer = Read_Lines(chosen);
    Show_Rows(LoadBuffer);
    Show_Selected_File();
    PlaylistName = chosen;
    // The list just opened has no changes of its own.
    Modified = false;
    List_Name->setText(File_Name_Part(PlaylistName));
}

void TPlaylist_Form::New_ListExecute()
{
    if (!Offer_Save())
        return;
    const QString chosen = host().Save_File(this, Save_Playlist_Dialog());
    if (chosen.isEmpty())
        return;
    PlaylistName = chosen;
    Play_List->clear();
    Show_Selected_File();
    // The new list exists at once, as an empty file replacing any of that name.
    Write_Lines(PlaylistName, QStringList());
    Modified = false;
    List_Name->setText(File_Name_Part(PlaylistName));
}

// ---- helpers ----

int TPlaylist_Form::First_Selected_Row() const
{
    for (int i = 0; i < Play_List->count(); ++i)
        if (Play_List->item(i)->isSelected())
            return i;
    return -1;
}

QStringList TPlaylist_Form::Rows() const
{
    QStringList rows;
    rows.reserve(Play_List->count());
    for (int i = 0; i < Play_List->count(); ++i)
        rows << Play_List->item(i)->text();
    return rows;
}

void TPlaylist_Form::Show_Rows(const QStringList& rows)
{
    Play_List->clear();
    Play_List->addItems(rows);
}

void TPlaylist_Form::Move_Selected(int from, int to)
{
    QListWidgetItem* item = Play_List->takeItem(from);
    Play_List->insertItem(to, item);
    Play_List->clearSelection();
    Play_List->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
}
