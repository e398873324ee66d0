#pragma once
// The main window: the current tournament, its five pages, the left panel
// with the page buttons and the clock mirror, the menu and the command list.
// One .cpp per page area: Main_form.cpp (frame, start-up, shut-down, the
// save-and-reload cycle), Main_form_layout.cpp (controls), Main_form_clock.cpp,
// Main_form_blinds.cpp, Main_form_sound.cpp, Main_form_players.cpp (the roster),
// Main_form_in_out.cpp (the in/out grid).
#include "model/Tourney.h"

#include <QColor>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimer;
class QToolButton;
class QWidget;
class Sound_Player;
class Spin_Box;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Program-wide state of the window.
    std::unique_ptr<CTourney> Current_Tourney;
    QString Last_Tourney;
    Level_Clock Clock;
    uint8_t CurrentLevel = 0;

    // Replaces the sound player (tests record the cues with their own).
    void Set_Media_Player(std::unique_ptr<Sound_Player> player);
    Sound_Player* MediaPlayer1() const { return media_player_.get(); }

    // ---- command list Design_Actions ----
    QList<QAction*> Design_Actions;
    QAction* Load_Design = nullptr;
    QAction* Load_Action = nullptr;
    QAction* Save_Setup = nullptr;
    QAction* Open_Tourney = nullptr;
    QAction* New_Tourney = nullptr;
    QAction* Launch_Wizard = nullptr;   // added with the wizard; disabled until then
    QAction* Launch_About = nullptr;
    // clock
    QAction* Toggle_Start = nullptr;
    QAction* Refresh_Clock = nullptr;
    QAction* Reset_Timer = nullptr;
    QAction* Load_Timer = nullptr;
    QAction* Next_Blind = nullptr;
    QAction* Prev_Blind = nullptr;
    // blind schedule
    QAction* Load_BlindInfo = nullptr;
    QAction* Save_Blinds = nullptr;
    // sound
    QAction* Find_Warning = nullptr;
    QAction* Edit_PlayList = nullptr;
    QAction* New_Playlist = nullptr;
    // player roster
    QAction* Load_Players = nullptr;
    QAction* Load_Playing = nullptr;
    QAction* Load_Available = nullptr;
    QAction* Load_PlayerInfo = nullptr;
    QAction* Move_To_Tourney = nullptr;
    QAction* Remove_From_Tourney = nullptr;
    // in/out grid
    QAction* Load_Tables = nullptr;

    // ---- menu MainMenu1 ----
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Wizard1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* ContactList1 = nullptr;
    QAction* Top10Results1 = nullptr;
    QAction* SeatingReport1 = nullptr;
    QAction* PlaylistEditor1 = nullptr;
    QAction* About1 = nullptr;

    // ---- left panel ----
    QFrame* Panel1 = nullptr;
    QButtonGroup* Page_Buttons = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QLabel* Small_Blind2 = nullptr;
    QLabel* Big_Blind2 = nullptr;
    QLabel* Blind_Timer2 = nullptr;
    QLabel* Level_Label2 = nullptr;   // "LEVEL n" above the mirrored blinds

    // ---- pages ----
    QTabWidget* PageControl1 = nullptr;
    QWidget* Action_Sheet = nullptr;
    QWidget* Players_Sheet = nullptr;
    QWidget* Blinds_Sheet = nullptr;
    QWidget* Chips_Sheet = nullptr;
    QWidget* Payout_Sheet = nullptr;

    // Action page
    QLineEdit* Tourney_Name = nullptr;
    QLabel* Blind_Timer = nullptr;
    QLabel* Small_Blind = nullptr;
    QLabel* Big_Blind = nullptr;
    QLabel* Level_Label = nullptr;    // "Level n of 20"
    QToolButton* NextBlind_Btn = nullptr;
    QToolButton* PrevBlind_Btn = nullptr;
    QPushButton* BitBtn1 = nullptr;   // Start / Stop
    QPushButton* BitBtn2 = nullptr;   // Reset
    QPushButton* Stop_Btn = nullptr;  // stops the blind sound

    // Blinds page
    QGroupBox* GroupBox4 = nullptr;   // "Blind Timer"
    QGroupBox* GroupBox3 = nullptr;   // "Blind Schedule"
    Spin_Box* Timer_Spin = nullptr;
    QLineEdit* Warning_Edit = nullptr;
    QLineEdit* Sound_Edit1 = nullptr;
    QToolButton* SpeedButton12 = nullptr; // browse: warning sound
    QToolButton* FindBtn = nullptr;       // browse: blind sound
    QPushButton* Edit_List_Btn = nullptr;
    QLineEdit* SB_Edit[Level_Count] = {}; // SB0_Edit .. SB19_Edit
    QLineEdit* BB_Edit[Level_Count] = {}; // BB0_Edit .. BB19_Edit

    // Players page, "Select Players"
    QGroupBox* GroupBox1 = nullptr;       // "Select Players"
    QListWidget* Available_List = nullptr;
    QListWidget* Playing_List = nullptr;
    QToolButton* SpeedButton1 = nullptr;  // enter the selected players
    QToolButton* SpeedButton2 = nullptr;  // take the selected players out
    QPushButton* New_Button = nullptr;
    QPushButton* Edit_Button = nullptr;
    QPushButton* Delete_Button = nullptr;
    QPushButton* BitBtn5 = nullptr;       // "Contact List"
    QGroupBox* GroupBox2 = nullptr;       // "Quick View (Tournament Player)"
    QLineEdit* First_Edit = nullptr;
    QLineEdit* Last_Edit = nullptr;
    QLineEdit* Aka_Edit = nullptr;
    QLineEdit* Phone_Edit = nullptr;
    QLineEdit* Cell_Edit = nullptr;
    QLineEdit* Rank_Edit = nullptr;       // hidden

    // Action page, the in/out grid
    QTableWidget* All_Grid = nullptr;     // header row "Name" / "In/Out", one row per entry
    QComboBox* IO_Combo1 = nullptr;       // the chooser floated over a cell of column 1

    // ---- timers ----
    QTimer* Timer1 = nullptr; // the clock's second
    QTimer* Timer2 = nullptr; // keeps the Chips and Payout pages current

    // Event handlers (each runs inside the error guard when Qt calls it).
    void Timer1Timer();
    void Timer2Timer();
    void FindBtnClick();
    void Stop_BtnClick();
    void Exit1Click();
    void SpeedButtonClick(int page);
    void PageControl1Change();
    void Playing_ListClick();
    void New_ButtonClick();
    void Edit_ButtonClick();
    void Delete_ButtonClick();
    void All_GridClick();
    void IO_Combo1Change();

    // Plays one sound file through the player; an empty text plays nothing.
    void PlayCue(const QString& file);

    // The time labels' current background (black or red).
    QColor Blind_Timer_Colour() const { return timer_colour_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Command handlers.
    void Load_DesignExecute();
    void Load_ActionExecute();
    void Save_SetupExecute();
    void Open_TourneyExecute();
    void New_TourneyExecute();
    void Launch_AboutExecute();
    void Toggle_StartExecute();
    void Refresh_ClockExecute();
    void Reset_TimerExecute();
    void Load_TimerExecute();
    void Next_BlindExecute();
    void Prev_BlindExecute();
    void Load_BlindInfoExecute();
    void Save_BlindsExecute();
    void Find_WarningExecute();
    void Edit_PlayListExecute();
    void New_PlaylistExecute();
    void Load_PlayersExecute();
    void Load_PlayingExecute();
    void Load_AvailableExecute();
    void Load_PlayerInfoExecute();
    void Move_To_TourneyExecute();
    void Remove_From_TourneyExecute();
    void Load_TablesExecute();

    void FormCreate();
    void FormDestroy();

    QAction* Make_Action(const char* name, const QString& caption, void (TMainForm::*handler)());
    void Build_Menu();
    void Build_Left_Panel(QWidget* central);
    void Build_Pages(QWidget* central);
    void Build_Action_Page();
    void Build_Blinds_Page();
    void Build_Players_Page();   // the "Select Players" group (Main_form_players.cpp)
    void Build_In_Out_Grid();    // All_Grid and IO_Combo1 (Main_form_in_out.cpp)
    void Build_Timers();

    void Show_Level_Blinds();            // the four blind labels for CurrentLevel
    void Restart_Level();                // full level length from Timer_Spin, seconds 0
    void Set_Timer_Colour(const QColor& colour);
    QString Level_End_Cue() const;       // the blind sound for the level that just ended
    void Update_Edit_List_Btn(const QString& sound_path);

    std::unique_ptr<Sound_Player> media_player_;
    QColor timer_colour_;
};

extern TMainForm* MainForm;

// The text that opens a blind sound playlist: the path's extension is
// exactly ".m3u" (case-sensitive).
bool Is_Playlist(const QString& path);
