// The main window's frame: start-up, shut-down, the command list, the
// tournament commands and the save-and-reload cycle.
#include "forms/main_window/Main_form.h"

#include "model/Clock_state.h"
#include "model/Money.h"

#include "forms/dialogs/About_box.h"
#include "forms/dialogs/Help_window.h"
#include "forms/print/Print_commands.h"
#include "forms/dialogs/Player_csv_dialog.h"
#include "forms/dialogs/Season_commands.h"
#include "forms/widgets/On_first_use.h"
#include "forms/dialogs/Splash_screen.h"
#include "forms/dialogs/Wizard_dlg.h"
#include "model/Player.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Media_player.h"
#include "platform/Profile.h"
#include "platform/Program_folder.h"
#include "platform/Record_file.h"
#include "platform/Text_lines.h"
#include "platform/Velmora_error.h"
#include "web/Phone_service.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

TMainForm* MainForm = nullptr;

namespace {
const char* const Input_Warning_Text =
    "Make sure all fields are filled out.\nAll unused blind level set to 0.";

File_Dialog Tourney_Dialog(const QString& title)
{
    File_Dialog d;
    d.title = title;
    d.filter = QStringLiteral("Velmora Tourney (*.trn)|*.trn");
    d.filter_index = 1;
    d.initial_dir = Data_Folder();
    d.default_ext = QStringLiteral("trn");
    return d;
}
} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent), media_player_(std::make_unique<Media_Player>()), timer_colour_(Qt::black)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Velmora: Home Edition"));
    if (!MainForm)
        MainForm = this;

    Load_Design = Make_Action("Load_Design", tr("Load"), &TMainForm::Load_DesignExecute);
    Load_Action = Make_Action("Load_Action", QString(), &TMainForm::Load_ActionExecute);
    Save_Setup = Make_Action("Save_Setup", QString(), &TMainForm::Save_SetupExecute);
    Open_Tourney = Make_Action("Open_Tourney", tr("Open..."), &TMainForm::Open_TourneyExecute);
    New_Tourney = Make_Action("New_Tourney", tr("New..."), &TMainForm::New_TourneyExecute);
    Launch_About = Make_Action("Launch_About", tr("About"), &TMainForm::Launch_AboutExecute);
    Toggle_Start = Make_Action("Toggle_Start", tr("Start"), &TMainForm::Toggle_StartExecute);
    Toggle_Start->setToolTip(tr("Start/Stop Blind Timer"));
    Refresh_Clock = Make_Action("Refresh_Clock", QString(), &TMainForm::Refresh_ClockExecute);
    Reset_Timer = Make_Action("Reset_Timer", tr("Reset"), &TMainForm::Reset_TimerExecute);
    Reset_Timer->setToolTip(tr("Reset Blind Timer"));
    Load_Timer = Make_Action("Load_Timer", QString(), &TMainForm::Load_TimerExecute);
    Next_Blind = Make_Action("Next_Blind", QString(), &TMainForm::Next_BlindExecute);
    Next_Blind->setToolTip(tr("Advance Blind Level"));
    Prev_Blind = Make_Action("Prev_Blind", QString(), &TMainForm::Prev_BlindExecute);
    Prev_Blind->setToolTip(tr("Previous Blind Level"));
    Load_BlindInfo = Make_Action("Load_BlindInfo", QString(), &TMainForm::Load_BlindInfoExecute);
    Save_Blinds = Make_Action("Save_Blinds", QString(), &TMainForm::Save_BlindsExecute);
    Find_Warning = Make_Action("Find_Warning", QString(), &TMainForm::Find_WarningExecute);
    Find_Warning->setToolTip(tr("Find Warning Sound Effect"));
    Edit_PlayList = Make_Action("Edit_PlayList", tr("Edit..."), &TMainForm::Edit_PlayListExecute);
    Edit_PlayList->setToolTip(tr("Edit Playlist"));
    Edit_PlayList->setEnabled(false);
    New_Playlist = Make_Action("New_Playlist", tr("Playlist Editor"), &TMainForm::New_PlaylistExecute);
    Load_Players = Make_Action("Load_Players", QString(), &TMainForm::Load_PlayersExecute);
    Load_Playing = Make_Action("Load_Playing", QString(), &TMainForm::Load_PlayingExecute);
    Load_Available = Make_Action("Load_Available", tr("Load All"), &TMainForm::Load_AvailableExecute);
    Load_PlayerInfo = Make_Action("Load_PlayerInfo", tr("Load"), &TMainForm::Load_PlayerInfoExecute);
    Move_To_Tourney = Make_Action("Move_To_Tourney", QString(), &TMainForm::Move_To_TourneyExecute);
    Remove_From_Tourney = Make_Action("Remove_From_Tourney", QString(), &TMainForm::Remove_From_TourneyExecute);
    Load_Tables = Make_Action("Load_Tables", QString(), &TMainForm::Load_TablesExecute);
    Load_Seating = Make_Action("Load_Seating", QString(), &TMainForm::Load_SeatingExecute);
    Create_Seating = Make_Action("Create_Seating", tr("Seating Report"), &TMainForm::Create_SeatingExecute);
    Create_Top10 = Make_Action("Create_Top10", tr("Top 10 Results"), &TMainForm::Create_Top10Execute);
    Create_PlayersList = Make_Action("Create_PlayersList", tr("Contact List"), &TMainForm::Create_PlayersListExecute);
    Make_Chip_Actions();
    Make_Payout_Actions();

    Launch_Wizard = Make_Action("Launch_Wizard", tr("Wizard..."), &TMainForm::Launch_WizardExecute);

    Build_Menu();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Client"));
    central->setFixedSize(882, 638);
    setCentralWidget(central);
    Build_Left_Panel(central);
    Build_Pages(central);
    Build_Timers();
    Build_View();
    Build_Phone_View();
    Build_Money();
    Build_Structure();
    season_ = new Season_Commands(this);
    player_csv_ = new Player_Csv_Commands(this);
    new Print_Commands(this);
    new Help_Commands(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Centred on the desktop.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = sizeHint().expandedTo(QSize(882, 638));
        move(screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2));
    }

    auto since_start = std::make_shared<QElapsedTimer>();
    since_start->start();
    Set_Monotonic_Clock([since_start] { return since_start->elapsed(); });

    Current_Tourney = std::make_unique<CTourney>();
    FormCreate();
}

TMainForm::~TMainForm()
{
    FormDestroy();
    if (MainForm == this)
        MainForm = nullptr;
}

void TMainForm::Set_Media_Player(std::unique_ptr<Sound_Player> player)
{
    media_player_ = std::move(player);
}

QAction* TMainForm::Make_Action(const char* name, const QString& caption, void (TMainForm::*handler)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    Design_Actions << action;
    return action;
}

// ---- start-up and shut-down ----

void TMainForm::FormCreate()
{
    {
        Profile settings(Settings_Path());
        Last_Tourney = settings.Read_String("Parameters", "Last Tourney", QStringLiteral("Default.trn"));
        // An empty name would make a nameless ".trn" file: the default stands in.
        if (Last_Tourney.isEmpty())
            Last_Tourney = QStringLiteral("Default.trn");
    }

    {
        // The program shows the splash before the pages are built; it stays
        // up, modally, for the rest of its time.
        std::unique_ptr<TSplash> splash(Take_Early_Splash());
        if (!splash)
            splash = std::make_unique<TSplash>(this);
        if (splash->isVisible() || !splash->result())
            host().Show_Modal(splash.get());
    }

    QDir().mkpath(Reports_Folder());
    QDir().mkpath(Data_Folder());
    Remove_Start_Up_Leftovers();
    if (Data_Per_User())
        QDir().mkpath(Playlists_Folder());

    Tourney_Name->setText(Last_Tourney);
    // A database that cannot be read is reported; the program still starts.
    Guarded([] { Player_DB.Load(); });
    Timer1->start();
    tick_anchor_ms_ = monotonic_ms_();
    ticks_counted_ = 0;
    Load_Design->trigger();

    Clock.Paused = 1;
    Clock.Minutes = static_cast<uint8_t>(Current_Tourney->Time & 0xFF);
    Clock.Seconds = 0;
    loaded_length_ = Clock.Minutes;
    Refresh_Clock->trigger();

    PageControl1->setCurrentIndex(0);
    SpeedButton3->setChecked(true);
    Offer_Clock_Resume();
}

void TMainForm::FormDestroy()
{
    Timer1->stop();
    Timer2->stop();
    Guarded([this] {
        Profile settings(Settings_Path());
        settings.Write_String("Parameters", "Last Tourney", Last_Tourney);
        settings.Flush();
    });
    Save_Setup->trigger();
    // A normal shut-down: the next start is a normal one, unless File, Exit
    // kept the evening's place.
    if (!keep_clock_at_exit_)
        Forget_Clock_State();
    Current_Tourney.reset();
}

void TMainForm::closeEvent(QCloseEvent* event) { event->accept(); }

// ---- the save-and-reload cycle ----

void TMainForm::Load_DesignExecute()
{
    Current_Tourney->Load_File(Last_Tourney);
    // A value the file holds that could not be read is named once.
    const QString notice = Current_Tourney->Load_Notice;
    if (!notice.isEmpty() && !load_notices_told_.contains(notice)) {
        load_notices_told_ << notice;
        host().Message(notice, QStringLiteral(VELMORA_APP_TITLE), Buttons::OK);
    }
    Tourney_Name->setText(Current_Tourney->Name);
    Load_Players->trigger();
    Load_BlindInfo->trigger();
    Load_ChipInfo->trigger();
    Load_Action->trigger();
    Load_Payout->trigger();
    emit Clock_Changed();
}

void TMainForm::Load_ActionExecute()
{
    Load_Timer->trigger();
    Load_Chips->trigger();
    Load_Tables->trigger();
}

void TMainForm::Save_SetupExecute()
{
    try {
        Store_Pages();
        Current_Tourney->Save_File(Last_Tourney);
    } catch (const std::exception& e) {
        // The edits could not be stored; say so, and why, before the page
        // shows the stored values again.
        QString text = QString::fromLatin1(Input_Warning_Text);
        const QString reason = QString::fromLocal8Bit(e.what());
        if (!reason.isEmpty())
            text += QStringLiteral("\n\n") + reason;
        host().Message(text, QStringLiteral("Input Warning"), Buttons::OK);
    }
    Load_Design->trigger();
}

// The edited values of the pages go into the record, in this order.
void TMainForm::Store_Pages()
{
    Save_Blinds->trigger();
    Save_Chips->trigger();
    Store_Percentages();
}

void TMainForm::SpeedButtonClick(int page)
{
    Guarded([this, page] {
        PageControl1->setCurrentIndex(page);
        Save_Setup->trigger();
    });
}

void TMainForm::PageControl1Change()
{
    Save_Setup->trigger();
}

// ---- tournament commands ----

void TMainForm::Open_TourneyExecute()
{
    File_Dialog d = Tourney_Dialog(tr("Open Tournament..."));
    d.must_exist = true;
    const QString chosen = host().Open_File(this, d);
    if (chosen.isEmpty())
        return;
    // Stored before anything is copied in: the chosen file may replace the
    // very tournament being left.
    Store_Tourney_Being_Left();
    if (!Bring_Into_Data(chosen))
        return;
    Current_Tourney = std::make_unique<CTourney>();
    Last_Tourney = File_Name_Part(chosen);
    Start_Tourney_Clock();
    Load_Design->trigger();
}

void TMainForm::New_TourneyExecute()
{
    // Choosing an existing name opens that tournament: no question about
    // replacing it.
    File_Dialog d = Tourney_Dialog(tr("Save tournament as..."));
    d.confirm_overwrite = false;
    const QString chosen = host().Save_File(this, d);
    if (chosen.isEmpty())
        return;
    Store_Tourney_Being_Left();
    Current_Tourney = std::make_unique<CTourney>();
    Last_Tourney = File_Name_Part(chosen);
    Start_Tourney_Clock();
    Load_Design->trigger();
}

// The tournament being left is stored with what its pages show. When that
// fails the operator is told which file, and the chosen tournament still opens.
void TMainForm::Store_Tourney_Being_Left()
{
    try {
        Store_Pages();
        Current_Tourney->Save_File(Last_Tourney);
    } catch (const std::exception& e) {
        host().Message(tr("The tournament %1 could not be saved before leaving it.\n\n%2")
                           .arg(Last_Tourney, QString::fromLocal8Bit(e.what())),
                       QStringLiteral(VELMORA_APP_TITLE), Buttons::OK);
    }
}

// Tournaments live in the data folder. One chosen elsewhere is copied in, with
// its entry file when there is one beside it, before it is opened; a
// tournament of the same name there is replaced only when the operator says so.
bool TMainForm::Bring_Into_Data(const QString& chosen)
{
    const QFileInfo source(chosen);
    const QString name = source.fileName();
    const QString target_trn = Tourney_File_Path(name, QStringLiteral(".trn"));
    if (QFileInfo(target_trn).absoluteFilePath() == source.absoluteFilePath())
        return true;
    if (QFileInfo::exists(target_trn)) {
        const Answer answer = host().Message(
            tr("The Data folder already holds a tournament named %1.\n"
               "Replace it with the one you chose?\n\n"
               "Yes replaces it, No opens the one in the Data folder.")
                .arg(File_Name_Part(target_trn)),
            tr("Open Tournament..."), Buttons::Yes_No_Cancel);
        if (answer == Answer::Cancel)
            return false;
        if (answer == Answer::No)
            return true;
    }
    const QString plr_beside = source.absolutePath() + QLatin1Char('/') + source.completeBaseName()
                               + QStringLiteral(".plr");
    // Entries first: a tournament file never arrives with another's entries.
    Write_File_Atomic(Tourney_File_Path(name, QStringLiteral(".plr")),
                      QFileInfo::exists(plr_beside) ? Read_Whole_File(plr_beside) : QByteArray());
    Write_File_Atomic(target_trn, Read_Whole_File(chosen));
    return true;
}

// A tournament set up in the wizard becomes the current one, at level 1 with
// a full, paused level. The tournament being left is stored first, so a
// wizard that names it starts from what its pages showed.
void TMainForm::Launch_WizardExecute()
{
    Store_Tourney_Being_Left();
    TWizardDlg wizard(this);
    host().Show_Modal(&wizard);
    if (wizard.Finished) {
        Current_Tourney = std::make_unique<CTourney>();
        Last_Tourney = wizard.Tourney->Name;
        Start_Tourney_Clock();
    }
    // Entries moved in the wizard are in the entry files at once; the reload
    // picks them up when the wizard named the current tournament.
    Load_Design->trigger();
}

void TMainForm::Launch_AboutExecute()
{
    host().Show_Modal(On_First_Use(AboutBox, this));
}

void TMainForm::Exit1Click()
{
    // With the evening under way (the clock started, running or stopped
    // since), the operator is asked first; the clock is kept, stopped, and
    // the next start offers it back as after a crash. A night whose winner is
    // known is over: nothing is asked and nothing kept.
    if (clock_kept_ && Winner_Of(*Current_Tourney).isEmpty()) {
        Clock_State state = Kept_State();
        if (host().Message(Exit_Question(state), QStringLiteral(VELMORA_APP_TITLE), Buttons::Yes_No) != Answer::Yes)
            return;
        Set_Paused(true);
        Clock_State_Changed(true);
        keep_clock_at_exit_ = clock_kept_;
    }
    // The program closes even when the database cannot be written, after
    // saying so.
    try {
        Player_DB.Save();
    } catch (const std::exception& e) {
        host().Message(QString::fromLocal8Bit(e.what()), QStringLiteral(VELMORA_APP_TITLE), Buttons::OK);
    }
    close();
}
