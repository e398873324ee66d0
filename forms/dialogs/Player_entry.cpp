#include "forms/dialogs/Player_entry.h"
#include "forms/widgets/Button_icons.h"

#include "model/Latin1_text.h"
#include "model/Player.h"
#include "model/Player_names.h"
#include "platform/Guard.h"
#include "platform/Host.h"

#include <QAction>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

TPlayerEntry_Form* PlayerEntry_Form = nullptr;

namespace {

const int Text_Limit = Player_Text_Size - 1;

// The text as a record field will hold it (8-bit, at most 19 characters).
QString Stored_Text(const QString& text)
{
    return QString::fromLatin1(text.toLatin1().left(Text_Limit));
}

// A key that differs from a stored one only in case or blanks is most likely
// the same person typed again: the operator is asked, and only Yes stores it.
bool Near_Duplicate_Allowed(const QString& key, int own_slot)
{
    const QString stored = Near_Duplicate_In(Player_DB, key, own_slot);
    if (stored.isEmpty())
        return true;
    return host().Message(QStringLiteral("%1 is already in the database as %2: the names differ only in case or "
                                         "blanks.\nAdd %1 as another player?")
                              .arg(key, stored),
                          QStringLiteral("Player Add"), Buttons::Yes_No_Default_No)
           == Answer::Yes;
}

} // namespace

TPlayerEntry_Form::TPlayerEntry_Form(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PlayerEntry_Form"));
    setWindowTitle(QStringLiteral("Add Player"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    Add_Player = Make_Action("Add_Player", QStringLiteral("Save"), &TPlayerEntry_Form::Add_PlayerExecute);
    Edit_Player = Make_Action("Edit_Player", QStringLiteral("Save"), &TPlayerEntry_Form::Edit_PlayerExecute);
    Change_Made = Make_Action("Change_Made", QString(), &TPlayerEntry_Form::Change_MadeExecute);
    Add_Next_Player = Make_Action("Add_Next_Player", QStringLiteral("Save and New"),
                                  &TPlayerEntry_Form::Add_Next_PlayerExecute);
    save_action_ = Add_Player;

    Build_Layout();
    if (!PlayerEntry_Form)
        PlayerEntry_Form = this;
}

TPlayerEntry_Form::~TPlayerEntry_Form()
{
    if (PlayerEntry_Form == this)
        PlayerEntry_Form = nullptr;
}

QAction* TPlayerEntry_Form::Make_Action(const char* name, const QString& caption,
                                        void (TPlayerEntry_Form::*handler)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    ActionList1 << action;
    return action;
}

void TPlayerEntry_Form::Build_Layout()
{
    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(10);
    boxes->setVerticalSpacing(8);
    const struct {
        QLineEdit** edit;
        const char* name;
        const char* caption;
    } fields[] = {
        {&First_Edit, "First_Edit", "First"},
        {&Last_Edit, "Last_Edit", "Last"},
        {&Aka_Edit, "Aka_Edit", "Also Known As"},
        {&Phone_Edit, "Phone_Edit", "Phone Number"},
        {&Cell_Edit, "Cell_Edit", "Cell Number"},
    };
    int row = 0;
    for (const auto& f : fields) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(f.name));
        // A record field holds 19 characters: the box takes no more.
        edit->setMaxLength(Text_Limit);
        edit->setMinimumWidth(200);
        auto* label = new QLabel(QString::fromLatin1(f.caption), this);
        label->setBuddy(edit);
        boxes->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
        boxes->addWidget(edit, row, 1);
        connect(edit, &QLineEdit::textChanged, Change_Made, &QAction::trigger);
        *f.edit = edit;
        ++row;
    }

    Save_Button = new QPushButton(QStringLiteral("Save"), this);
    Save_Button->setObjectName(QStringLiteral("Save_Button"));
    Save_Button->setIcon(Button_Icon(this, QStyle::SP_DialogSaveButton));
    Save_Button->setDefault(true);
    Save_Button->setMinimumHeight(30);
    connect(Save_Button, &QPushButton::clicked, this, [this] {
        if (save_action_)
            save_action_->trigger();
    });
    Close_Button = new QPushButton(QStringLiteral("Close"), this);
    Close_Button->setObjectName(QStringLiteral("Close_Button"));
    Close_Button->setIcon(Button_Icon(this, QStyle::SP_DialogCloseButton));
    Close_Button->setAutoDefault(false);
    Close_Button->setMinimumHeight(30);
    connect(Close_Button, &QPushButton::clicked, this, [this] { Close_ButtonClick(); });

    Save_New_Button = new QPushButton(Add_Next_Player->text(), this);
    Save_New_Button->setObjectName(QStringLiteral("Save_New_Button"));
    Save_New_Button->setAutoDefault(false);
    Save_New_Button->setMinimumHeight(30);
    connect(Save_New_Button, &QPushButton::clicked, Add_Next_Player, &QAction::trigger);
    connect(Change_Made, &QAction::triggered, Save_New_Button, [this] { Save_New_Button->setEnabled(true); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Save_New_Button);
    buttons->addWidget(Save_Button);
    buttons->addWidget(Close_Button);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(16, 16, 16, 12);
    main->setSpacing(14);
    main->addLayout(boxes);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize); // fixed border

    setTabOrder(First_Edit, Last_Edit);
    setTabOrder(Last_Edit, Aka_Edit);
    setTabOrder(Aka_Edit, Phone_Edit);
    setTabOrder(Phone_Edit, Cell_Edit);
    setTabOrder(Cell_Edit, Save_Button);
    setTabOrder(Save_Button, Close_Button);
    setTabOrder(Close_Button, Save_New_Button);
}

void TPlayerEntry_Form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Restoring from the task bar is no new showing.
    if (event->spontaneous())
        return;
    Guarded([this] { FormShow(); });
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TPlayerEntry_Form::FormShow()
{
    QLineEdit* edits[] = {First_Edit, Last_Edit, Aka_Edit, Phone_Edit, Cell_Edit};
    if (AddMode || !EditedRecord) {
        for (QLineEdit* e : edits)
            e->clear();
        setWindowTitle(QStringLiteral("Add Player"));
        save_action_ = Add_Player;
    } else {
        const char* texts[] = {EditedRecord->First, EditedRecord->Last, EditedRecord->Aka, EditedRecord->Phone,
                               EditedRecord->Cell};
        for (int i = 0; i < 5; ++i)
            edits[i]->setText(Field_Text(texts[i], Player_Text_Size));
        setWindowTitle(QStringLiteral("Edit Player"));
        save_action_ = Edit_Player;
    }
    Save_Button->setText(save_action_->text());
    Save_Button->setEnabled(false);
    Save_New_Button->setVisible(save_action_ == Add_Player);
    Save_New_Button->setEnabled(false);
    Modified = false;
    First_Edit->setFocus();
}

void TPlayerEntry_Form::Change_MadeExecute()
{
    Save_Button->setEnabled(true);
    Modified = true;
}

bool TPlayerEntry_Form::Check_Entry(const QString& caption, bool key_changes)
{
    // Text the single-byte player files cannot hold is refused, never stored mangled.
    const std::pair<QLineEdit*, const char*> boxes[] = {{First_Edit, "first name"},   {Last_Edit, "last name"},
                                                        {Aka_Edit, "also-known-as name"}, {Phone_Edit, "phone number"},
                                                        {Cell_Edit, "cell number"}};
    for (const auto& [box, what] : boxes) {
        const QString refusal = Latin1_Refusal(QString::fromLatin1(what), box->text());
        if (!refusal.isEmpty()) {
            host().Message(refusal, caption, Buttons::OK);
            box->setFocus();
            return false;
        }
    }
    const QString first = Stored_Text(First_Edit->text());
    if (first.isEmpty()) {
        host().Message(QStringLiteral("A player needs a first name."), caption, Buttons::OK);
        First_Edit->setFocus();
        return false;
    }
    // The length rule guards new keys; an old player whose key is already
    // longer can still have his other details changed.
    const QString key = first + QLatin1Char(',') + Stored_Text(Last_Edit->text());
    if (key_changes && key.size() > Text_Limit) {
        host().Message(QStringLiteral("%1 is too long to be entered in a tournament:\n"
                                      "first name, comma and last name may hold at most %2 characters.")
                           .arg(key)
                           .arg(Text_Limit),
                       caption, Buttons::OK);
        Last_Edit->setFocus();
        return false;
    }
    return true;
}

bool TPlayerEntry_Form::Duplicate_Check(int own_slot)
{
    const int saved_cursor = Player_DB.Cursor;
    const QString key = Stored_Text(First_Edit->text()) + QLatin1Char(',') + Stored_Text(Last_Edit->text());
    const int found = Player_DB.Find(key);
    bool duplicate = found < Max_Players && found != own_slot;
    // The record being edited does not count; another one further on does.
    for (int i = found + 1; found == own_slot && i < Max_Players && !duplicate; ++i)
        duplicate = !Player_DB.Player[i].Empty && Player_DB.Player[i].Key() == key;
    Player_DB.Cursor = saved_cursor;
    if (duplicate)
        host().Message(QStringLiteral("Can't add dublicate name to Players list"), QStringLiteral("Player Add"),
                       Buttons::OK);
    return !duplicate;
}

void TPlayerEntry_Form::Copy_To_Record()
{
    Set_Field(EditedRecord->First, Player_Text_Size, First_Edit->text());
    Set_Field(EditedRecord->Last, Player_Text_Size, Last_Edit->text());
    Set_Field(EditedRecord->Aka, Player_Text_Size, Aka_Edit->text());
    Set_Field(EditedRecord->Phone, Player_Text_Size, Phone_Edit->text());
    Set_Field(EditedRecord->Cell, Player_Text_Size, Cell_Edit->text());
    EditedRecord->Empty = 0;
}

void TPlayerEntry_Form::Add_PlayerExecute()
{
    if (!EditedRecord || !Check_Entry(QStringLiteral("Player Add"), true) || !Duplicate_Check(-1) ||
        !Near_Duplicate_Allowed(Stored_Text(First_Edit->text()) + QLatin1Char(',') + Stored_Text(Last_Edit->text()), -1))
        return;
    Copy_To_Record();
    if (!Player_DB.Add(*EditedRecord))
        host().Message(QStringLiteral("You have exceeded the maximum allowed players.\n"
                                      "To add more players you must remove an existing player."),
                       QStringLiteral("Velmora:"), Buttons::OK);
    Modified = false;
    done(QDialog::Accepted);
}

void TPlayerEntry_Form::Edit_PlayerExecute()
{
    const QString key = Stored_Text(First_Edit->text()) + QLatin1Char(',') + Stored_Text(Last_Edit->text());
    if (!EditedRecord || !Check_Entry(QStringLiteral("Player Edit"), key != EditedRecord->Key()))
        return;
    const bool in_table = EditedRecord >= Player_DB.Player && EditedRecord < Player_DB.Player + Max_Players;
    const int own_slot = in_table ? static_cast<int>(EditedRecord - Player_DB.Player) : -1;
    // A changed key must not be another player's; the unchanged key is the
    // player's own.
    if (key != EditedRecord->Key() && (!Duplicate_Check(own_slot) || !Near_Duplicate_Allowed(key, own_slot)))
        return;
    Copy_To_Record();
    try {
        Player_DB.Save();
    } catch (...) {
        Player_DB.Load(); // the file still holds the old texts: so does the table
        throw;
    }
    Player_DB.Load();
    Modified = false;
    done(QDialog::Accepted);
}

void TPlayerEntry_Form::Add_Next_PlayerExecute()
{
    if (!AddMode || !EditedRecord)
        return;
    next_after_save_ = true;
    const auto reset = qScopeGuard([this] { next_after_save_ = false; });
    Add_Player->trigger();
}

void TPlayerEntry_Form::done(int result)
{
    if (next_after_save_ && result == QDialog::Accepted) {
        // The player was stored when the database now holds the typed key (a
        // full database refuses him, and the dialog closes as after "Save").
        const QString key = Stored_Text(First_Edit->text()) + QLatin1Char(',') + Stored_Text(Last_Edit->text());
        const int saved_cursor = Player_DB.Cursor;
        const bool stored = Player_DB.Find(key) < Max_Players;
        Player_DB.Cursor = saved_cursor;
        if (stored) {
            FormShow(); // empty boxes, "Save" disabled, the first box focused
            return;
        }
    }
    QDialog::done(result);
}

void TPlayerEntry_Form::Close_ButtonClick() { close(); }

bool TPlayerEntry_Form::FormCloseQuery()
{
    if (!Modified)
        return true;
    if (host().Message(QStringLiteral("Save changes to Player?"), QStringLiteral("Player Information"),
                       Buttons::Yes_No)
        != Answer::Yes)
        return true;
    Save_Button->click();
    // A save that was refused (the name is taken, missing or too long) keeps
    // the dialog open with what was typed; the operator corrects it or
    // closes again and answers No.
    return !Modified;
}

void TPlayerEntry_Form::reject()
{
    Guarded([this] {
        if (!FormCloseQuery())
            return;
        if (isVisible())
            QDialog::reject();
    });
}
