// The new-tournament wizard: the six steps, Back / Next / Finish / Cancel, and
// its own copies of the roster's list commands, working on its own record.
#include "forms/dialogs/Wizard_dlg.h"
#include "forms/widgets/Caption_label.h"
#include "forms/widgets/Button_icons.h"

#include "forms/widgets/Fonts.h"
#include "forms/widgets/Money_fields.h"
#include "forms/widgets/Player_lists.h"
#include "forms/dialogs/Sound_dialog.h"
#include "forms/widgets/Spin_box.h"
#include "forms/widgets/Structure_fields.h"
#include "forms/artwork/Wizard_banner.h"
#include "model/Latin1_text.h"
#include "model/Player.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Program_folder.h"
#include "platform/Text_lines.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

TWizardDlg* WizardDlg = nullptr;

namespace {

constexpr int Dialog_Width = 560;
constexpr int Dialog_Height = 452;
constexpr int Step_Height = 300;        // the panels of every step but the schedule
constexpr int Schedule_Height = 392;    // the schedule covers the banner's place
const QRect Banner_Box(12, 304, 536, 84);

const char* const Wizard_Caption = "Velmora Wizard";
constexpr qsizetype Longest_File_Name = 200; // bytes of "<name>.trn"

} // namespace

QString Wizard_Tourney_Name(const QString& typed)
{
    QString name = typed.trimmed();
    if (!name.isEmpty() && !name.endsWith(QStringLiteral(".trn"), Qt::CaseInsensitive))
        name += QStringLiteral(".trn");
    return name;
}

QString Tourney_Name_Problem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Please enter a name for the tournament.");
    if (name.contains(QLatin1Char('/')))
        return QStringLiteral("A tournament name cannot contain '/'.");
    if (name.contains(QChar(0)))
        return QStringLiteral("A tournament name cannot contain a NUL character.");
    const QString refusal = Latin1_Refusal(QStringLiteral("tournament name"), name);
    if (!refusal.isEmpty())
        return refusal;
    // The files are named after the name without its extension.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0 && name.left(dot).trimmed().isEmpty())
        return QStringLiteral("Please enter a name for the tournament before its extension.");
    return Tourney_File_Problem(name);
}

// Whether the data folder can hold the files of that name: not too long, and
// a name the file system accepts (tried by creating the file when it is new).
QString Tourney_File_Problem(const QString& name)
{
    const QString trn = Tourney_File_Path(name, QStringLiteral(".trn"));
    if (QFile::encodeName(QFileInfo(trn).fileName()).size() > Longest_File_Name)
        return QStringLiteral("The tournament name is too long for a file: it may hold at most %1 bytes.")
            .arg(Longest_File_Name - 4);
    if (QFileInfo::exists(trn))
        return QString();
    QDir().mkpath(Data_Folder());
    QFile probe(trn);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return QStringLiteral("A tournament cannot be named %1 here:\n%2").arg(name, probe.errorString());
    probe.close();
    probe.remove();
    return QString();
}

TWizardDlg::TWizardDlg(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("WizardDlg"));
    setWindowTitle(QString::fromLatin1(Wizard_Caption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(Program_Font(9));
    setFixedSize(Dialog_Width, Dialog_Height);

    Load_Data = Make_Action("Load_Data", &TWizardDlg::Load_DataExecute);
    Save_Data = Make_Action("Save_Data", &TWizardDlg::Save_DataExecute);
    Load_Available = Make_Action("Load_Available", &TWizardDlg::Load_AvailableExecute);
    Load_Playing = Make_Action("Load_Playing", &TWizardDlg::Load_PlayingExecute);
    Move_To_Tourney = Make_Action("Move_To_Tourney", &TWizardDlg::Move_To_TourneyExecute);
    Remove_From_Tourney = Make_Action("Remove_From_Tourney", &TWizardDlg::Remove_From_TourneyExecute);

    Build_Steps();
    Build_Buttons();
    if (owner)
        move(owner->geometry().center() - rect().center());
    if (!WizardDlg)
        WizardDlg = this;
    FormCreate();
}

TWizardDlg::~TWizardDlg()
{
    // FormDestroy: the record goes with the dialog.
    Tourney.reset();
    if (WizardDlg == this)
        WizardDlg = nullptr;
}

QAction* TWizardDlg::Make_Action(const char* name, void (TWizardDlg::*handler)())
{
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    ActionList1 << action;
    return action;
}

// ---- layout ----

QFrame* TWizardDlg::Make_Step(const char* name, const QString& prompt, int height)
{
    auto* page = new QFrame(this);
    page->setObjectName(QString::fromLatin1(name));
    page->setGeometry(0, 0, Dialog_Width, height);
    auto* label = Caption_Label(page, prompt, QRect(20, 18, Dialog_Width - 40, 24));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setObjectName(QString::fromLatin1(name) + QStringLiteral("_Prompt"));
    return page;
}

void TWizardDlg::Build_Steps()
{
    FirstPage = Make_Step("FirstPage", QStringLiteral("What would you like to call this tournament?:"), Step_Height);
    NameEdt = new QLineEdit(FirstPage);
    NameEdt->setObjectName(QStringLiteral("NameEdt"));
    NameEdt->setGeometry(20, 56, 360, 26);

    SecondPage = Make_Step("SecondPage", QStringLiteral("How often do you want to change the blinds (minutes)?:"),
                           Step_Height);
    Timer_Spin = new Spin_Box(SecondPage);
    Timer_Spin->setObjectName(QStringLiteral("Timer_Spin"));
    Timer_Spin->setRange(1, 59);
    Timer_Spin->Set_Arrows_Only(true);
    Timer_Spin->setGeometry(20, 56, 70, 26);
    Money_Group = new Money_Fields(SecondPage);
    Money_Group->setGeometry(20, 96, Dialog_Width - 40, 200);

    ThirdPage = Make_Step("ThirdPage", QStringLiteral("Setup the blind schedule for the tournament:"), Schedule_Height);
    Build_Blind_Schedule();

    FourthPage = Make_Step("FourthPage", QStringLiteral("Please select the blind timer sound effect:"), Step_Height);
    Build_Sound_Step(FourthPage, Sound_Edit1, "Sound_Edit1", SpeedButton1, "SpeedButton1");
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { Guarded([this] { SpeedButton1Click(); }); });

    SixthPage = Make_Step("SixthPage", QStringLiteral("Please select the 1 minute warning sound effect:"), Step_Height);
    Build_Sound_Step(SixthPage, Warning_Edit, "Warning_Edit", SpeedButton4, "SpeedButton4");
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { Guarded([this] { SpeedButton4Click(); }); });

    FifthPage = Make_Step("FifthPage",
                          QStringLiteral("Select the players for the tournamnet from the available players list:"),
                          Step_Height);
    Build_Players_Step();

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(Banner_Box);
    Image1->setPixmap(QPixmap::fromImage(Wizard_Banner(Banner_Box.size())));
}

void TWizardDlg::Build_Blind_Schedule()
{
    Blind_Group = new QGroupBox(QStringLiteral("Blind Schedule"), ThirdPage);
    Blind_Group->setObjectName(QStringLiteral("Blind_Group"));
    // Each level: small blind, big blind and ante, levels 1-10 on the left
    // and 11-20 on the right, so a box holds six figures.
    Blind_Group->setGeometry(8, 46, Dialog_Width - 16, 310);
    QFont bold = Blind_Group->font();
    bold.setBold(true);
    for (int column = 0; column < 2; ++column) {
        const int x0 = 8 + column * 268;
        Caption_Label(Blind_Group, QStringLiteral("Small"), QRect(x0 + 28, 18, 74, 18), Qt::AlignCenter)->setFont(bold);
        Caption_Label(Blind_Group, QStringLiteral("Big"), QRect(x0 + 106, 18, 74, 18), Qt::AlignCenter)->setFont(bold);
        Caption_Label(Blind_Group, QStringLiteral("Ante"), QRect(x0 + 184, 18, 74, 18), Qt::AlignCenter)->setFont(bold);
        for (int row = 0; row < 10; ++row) {
            const int level = column * 10 + row;
            const int y = 38 + row * 27;
            Caption_Label(Blind_Group, QString::number(level + 1), QRect(x0, y, 22, 24), Qt::AlignRight | Qt::AlignVCenter);
            SB_Edit[level] = new QLineEdit(Blind_Group);
            SB_Edit[level]->setObjectName(QStringLiteral("SB%1_Edit").arg(level));
            SB_Edit[level]->setGeometry(x0 + 28, y, 74, 24);
            SB_Edit[level]->setAlignment(Qt::AlignRight);
            BB_Edit[level] = new QLineEdit(Blind_Group);
            BB_Edit[level]->setObjectName(QStringLiteral("BB%1_Edit").arg(level));
            BB_Edit[level]->setGeometry(x0 + 106, y, 74, 24);
            BB_Edit[level]->setAlignment(Qt::AlignRight);
            Ante_Edit[level] = Ante_Box(Blind_Group, level, QRect(x0 + 184, y, 74, 24));
        }
    }
    for (int level = 0; level + 1 < Level_Count; ++level) {
        setTabOrder(SB_Edit[level], BB_Edit[level]);
        setTabOrder(BB_Edit[level], Ante_Edit[level]);
        setTabOrder(Ante_Edit[level], SB_Edit[level + 1]);
    }
    Caption_Label(ThirdPage, QStringLiteral("Antes:"), QRect(20, 362, 50, 24));
    Ante_Type_Combo = Ante_Type_Box(ThirdPage, QRect(72, 362, 160, 24));
}

void TWizardDlg::Build_Sound_Step(QFrame* page, QLineEdit*& edit, const char* edit_name, QToolButton*& browse,
                                  const char* browse_name)
{
    edit = new QLineEdit(page);
    edit->setObjectName(QString::fromLatin1(edit_name));
    edit->setGeometry(20, 56, 480, 26);
    browse = new QToolButton(page);
    browse->setObjectName(QString::fromLatin1(browse_name));
    browse->setIcon(Button_Icon(this, QStyle::SP_DirOpenIcon));
    browse->setGeometry(506, 56, 32, 26);
}

void TWizardDlg::Build_Players_Step()
{
    Caption_Label(FifthPage, QStringLiteral("Available Players"), QRect(20, 48, 220, 20));
    Caption_Label(FifthPage, QStringLiteral("Tournament Players"), QRect(320, 48, 220, 20));
    Available_List = new QListWidget(FifthPage);
    Available_List->setObjectName(QStringLiteral("Available_List"));
    Available_List->setGeometry(20, 70, 220, 222);
    Available_List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Playing_List = new QListWidget(FifthPage);
    Playing_List->setObjectName(QStringLiteral("Playing_List"));
    Playing_List->setGeometry(320, 70, 220, 222);
    Playing_List->setSelectionMode(QAbstractItemView::ExtendedSelection);

    SpeedButton2 = new QToolButton(FifthPage);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setIcon(Button_Icon(this, QStyle::SP_ArrowRight));
    SpeedButton2->setToolTip(QStringLiteral("Move selected players into the tournament"));
    SpeedButton2->setGeometry(258, 130, 44, 34);
    connect(SpeedButton2, &QToolButton::clicked, Move_To_Tourney, &QAction::trigger);
    SpeedButton3 = new QToolButton(FifthPage);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setIcon(Button_Icon(this, QStyle::SP_ArrowLeft));
    SpeedButton3->setToolTip(QStringLiteral("Remove selected players from the tournament"));
    SpeedButton3->setGeometry(258, 176, 44, 34);
    connect(SpeedButton3, &QToolButton::clicked, Remove_From_Tourney, &QAction::trigger);

    connect(Available_List, &QListWidget::itemDoubleClicked, Move_To_Tourney, [this] { Move_To_Tourney->trigger(); });
    connect(Playing_List, &QListWidget::itemDoubleClicked, Remove_From_Tourney,
            [this] { Remove_From_Tourney->trigger(); });
}

void TWizardDlg::Build_Buttons()
{
    Divider = new QFrame(this);
    Divider->setObjectName(QStringLiteral("Divider"));
    Divider->setFrameShape(QFrame::HLine);
    Divider->setFrameShadow(QFrame::Sunken);
    Divider->setGeometry(12, Schedule_Height + 2, Dialog_Width - 24, 4);

    struct Button {
        QPushButton** button;
        const char* name;
        const char* caption;
        void (TWizardDlg::*handler)();
    };
    const Button buttons[] = {
        {&BackBtn, "BackBtn", "Back", &TWizardDlg::BackBtnClick},
        {&NextBtn, "NextBtn", "Next", &TWizardDlg::NextBtnClick},
        {&FinishBtn, "FinishBtn", "Finish", &TWizardDlg::FinishBtnClick},
        {&CancelBtn, "CancelBtn", "Cancel", &TWizardDlg::CancelBtnClick},
    };
    int x = Dialog_Width - 4 * 86 - 8;
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(x, Schedule_Height + 14, 80, 30);
        button->setAutoDefault(false);
        const auto handler = b.handler;
        connect(button, &QPushButton::clicked, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
        *b.button = button;
        x += 86;
    }
    NextBtn->setDefault(true);
}

// ---- opening and the steps ----

void TWizardDlg::FormCreate()
{
    Finished = false;
    Tourney = std::make_unique<CTourney>();
    Show_Step(1);
    Load_Data->trigger();
}

// Shows one step with its buttons; the banner gives way to the schedule.
void TWizardDlg::Show_Step(int step)
{
    step_ = step;
    QFrame* const pages[] = {FirstPage, SecondPage, ThirdPage, FourthPage, SixthPage, FifthPage};
    for (int i = 0; i < 6; ++i)
        pages[i]->setVisible(i + 1 == step);
    Image1->setVisible(step != 3);
    BackBtn->setEnabled(step > 1);
    NextBtn->setEnabled(step < 6);
    FinishBtn->setEnabled(step == 6);
    CancelBtn->setEnabled(true);
    NextBtn->setDefault(step < 6);
    FinishBtn->setDefault(step == 6);
}

void TWizardDlg::NextBtnClick()
{
    if (step_ == 1 && !Take_Name())
        return;
    if (step_ < 6)
        Show_Step(step_ + 1);
}

void TWizardDlg::BackBtnClick()
{
    if (step_ > 1)
        Show_Step(step_ - 1);
}

// The name typed on the first step: the record is loaded from the files of
// that name. The tournament players shown are those the files hold, so the
// duplicate test sees them; the other pages keep what they show.
bool TWizardDlg::Take_Name()
{
    // The name stored is the name reopened: no blanks around it, and a dot
    // in it is no extension of its own.
    const QString name = Wizard_Tourney_Name(NameEdt->text());
    const QString problem = Tourney_Name_Problem(name);
    if (!problem.isEmpty()) {
        host().Message(problem, QString::fromLatin1(Wizard_Caption), Buttons::OK);
        NameEdt->setFocus();
        return false;
    }
    Tourney->Load_File(name);
    Load_Playing->trigger();
    Money_Group->Load(Tourney->Money.Settings); // a tournament of that name keeps its money
    return true;
}

void TWizardDlg::FinishBtnClick()
{
    Finished = true;
    Save_Data->trigger();
    Tourney->Save_File(Tourney->Name);
    accept();
}

void TWizardDlg::CancelBtnClick()
{
    reject();
}

void TWizardDlg::reject()
{
    // A Finish whose files could not be written and is then cancelled opens
    // nothing either.
    Finished = false;
    QDialog::reject();
}

void TWizardDlg::SpeedButton1Click()
{
    const QString chosen = host().Open_File(
        this, Sound_File_Dialog(QStringLiteral("Find Blind Timer Sound Effect"),
                                QStringLiteral("MP3 files (*.mp3)|*.mp3|Wave files (*.wav)|*.wav|Playlist (*.m3u)|*.m3u|"
                                               "Any (*.*)|*.*"),
                                true));
    if (!chosen.isEmpty())
        Sound_Edit1->setText(chosen);
}

void TWizardDlg::SpeedButton4Click()
{
    const QString chosen = host().Open_File(
        this, Sound_File_Dialog(QStringLiteral("Find Warning Sound Effect"),
                                QStringLiteral("MP3 files (*.mp3)|*.mp3|Wave files (*.wav)|*.wav|Any (*.*)|*.*"), false));
    if (!chosen.isEmpty())
        Warning_Edit->setText(chosen);
}

// ---- the record and the pages ----

void TWizardDlg::Load_DataExecute()
{
    const CTourney& t = *Tourney;
    Timer_Spin->Set_Value(t.Time);
    Sound_Edit1->setText(t.Sound);
    Warning_Edit->setText(t.Warning);
    Money_Group->Load(t.Money.Settings);
    for (int i = 0; i < Level_Count; ++i) {
        SB_Edit[i]->setText(QString::number(t.Blinds[i].SB));
        BB_Edit[i]->setText(QString::number(t.Blinds[i].BB));
        Ante_Edit[i]->setText(Box_Text(t.Structure.Ante(i)));
    }
    Show_Ante_Kind(Ante_Type_Combo, t.Structure.Ante_Type);
    Load_Available->trigger();
    Load_Playing->trigger();
}

void TWizardDlg::Save_DataExecute()
{
    CTourney& t = *Tourney;
    t.Time = Timer_Spin->Value();
    t.Sound = Sound_Edit1->text();
    t.Warning = Warning_Edit->text();
    t.Money.Settings = Money_Group->Settings(t.Money.Settings);
    Keep_Pool(t);
    bool all_numbers = true;
    auto take = [&all_numbers](const QLineEdit* box) {
        const std::optional<int32_t> value = Whole_Number(box->text());
        all_numbers = all_numbers && value.has_value();
        return value.value_or(0);
    };
    for (int i = 0; i < Level_Count; ++i)
        t.Blinds[i].SB = take(SB_Edit[i]);
    for (int i = 0; i < Level_Count; ++i)
        t.Blinds[i].BB = take(BB_Edit[i]);
    // An empty ante is none; the lengths and breaks stay as the file had them.
    for (int i = 0; i < Level_Count; ++i)
        t.Structure.Levels[i].Ante = Box_Number(Ante_Edit[i], INT32_MAX);
    t.Structure.Ante_Type = Chosen_Ante_Kind(Ante_Type_Combo);
    if (!all_numbers)
        host().Message(QStringLiteral("Make sure all blind fields are filled out.\nAll unused blind level set to 0."),
                       QStringLiteral("Blind Warning"), Buttons::OK);
}

void TWizardDlg::Load_AvailableExecute()
{
    Available_List->clear();
    Player_DB.Cursor = 0;
    for (int walked = 0; walked < Max_Players && Player_DB.Current().Empty == 0; ++walked) {
        Add_Sorted(Available_List, Player_DB.Current().Key());
        Player_DB.Next();
    }
}

void TWizardDlg::Load_PlayingExecute()
{
    Playing_List->clear();
    for (int i = 0; i < Tourney->Total && i < Max_Entries; ++i) {
        const QString name = CTourney::Entry_Name(Tourney->Players[i]);
        if (!name.isEmpty())
            Add_Sorted(Playing_List, name);
    }
}

void TWizardDlg::Move_To_TourneyExecute()
{
    if (Available_List->currentRow() < 0)
        return;
    for (const QString& key : Selected_Texts(Available_List)) {
        if (Holds_Text(Playing_List, key))
            continue;
        // A player the tournament cannot take is refused with his name before
        // he is listed.
        Tourney->Enter_Player(key);
        Add_Sorted(Playing_List, key);
    }
}

void TWizardDlg::Remove_From_TourneyExecute()
{
    if (Playing_List->currentRow() < 0)
        return;
    if (host().Message(QStringLiteral("This will remove player from list and clear settings.\nDo you wish to continue?"),
                       QStringLiteral("Remove Player"), Buttons::OK_Cancel)
        != Answer::OK)
        return;
    for (const QString& name : Selected_Texts(Playing_List))
        Tourney->Withdraw_Player(name);
    Remove_Selected(Playing_List);
}
