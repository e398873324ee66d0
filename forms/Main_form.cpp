// The main window's frame: start-up, shut-down, the command list, the
// tournament commands and the save-and-reload cycle.
#include "forms/Main_form.h"

#include "forms/About_box.h"
#include "forms/Splash_screen.h"
#include "model/Player.h"
#include "platform/Guard.h"
#include "platform/Host.h"
#include "platform/Media_player.h"
#include "platform/Profile.h"
#include "platform/Record_file.h"
#include "platform/Program_folder.h"
#include "platform/Text_lines.h"
#include "platform/Velmora_error.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
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

    // The wizard arrives with its own window; until then its command is disabled.
    Launch_Wizard = new QAction(tr("Wizard..."), this);
    Launch_Wizard->setObjectName(QStringLiteral("Launch_Wizard"));
    Launch_Wizard->setEnabled(false);

    Build_Menu();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Client"));
    central->setFixedSize(882, 638);
    setCentralWidget(central);
    Build_Left_Panel(central);
    Build_Pages(central);
    Build_Timers();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Centred on the desktop.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = sizeHint().expandedTo(QSize(882, 638));
        move(screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2));
    }

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
        TSplash splash(this);
        host().Show_Modal(&splash);
    }

    QDir().mkpath(Reports_Folder());
    QDir().mkpath(Data_Folder());
    Remove_Start_Up_Leftovers();

    Tourney_Name->setText(Last_Tourney);
    // A database that cannot be read is reported; the program still starts.
    Guarded([] { Player_DB.Load(); });
    Timer1->start();
    Load_Design->trigger();

    Clock.Paused = 1;
    Clock.Minutes = static_cast<uint8_t>(Current_Tourney->Time & 0xFF);
    Clock.Seconds = 0;
    Refresh_Clock->trigger();

    PageControl1->setCurrentIndex(0);
    SpeedButton3->setChecked(true);
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
    Current_Tourney.reset();
}

void TMainForm::closeEvent(QCloseEvent* event) { event->accept(); }

// ---- the save-and-reload cycle ----

void TMainForm::Load_DesignExecute()
{
    Current_Tourney->Load_File(Last_Tourney);
    Tourney_Name->setText(Current_Tourney->Name);
    Load_BlindInfo->trigger();
    Load_Action->trigger();
}

void TMainForm::Load_ActionExecute()
{
    Load_Timer->trigger();
}

void TMainForm::Save_SetupExecute()
{
    try {
        Save_Blinds->trigger();
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
    // The tournament being left is saved with the values it holds.
    Current_Tourney->Save_File(Last_Tourney);
    Current_Tourney = std::make_unique<CTourney>();
    Last_Tourney = File_Name_Part(chosen);
    Load_Design->trigger();
}

void TMainForm::New_TourneyExecute()
{
    const QString chosen = host().Save_File(this, Tourney_Dialog(tr("Save tournament as...")));
    if (chosen.isEmpty())
        return;
    Current_Tourney = std::make_unique<CTourney>();
    Last_Tourney = File_Name_Part(chosen);
    Load_Design->trigger();
}

void TMainForm::Launch_AboutExecute()
{
    if (AboutBox)
        host().Show_Modal(AboutBox);
}

void TMainForm::Exit1Click()
{
    Player_DB.Save();
    close();
}
