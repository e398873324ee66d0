#pragma once
// The main window: the current tournament, its five pages, the left panel
// with the page buttons and the clock mirror, the menu and the command list.
// One .cpp per page area: Main_form.cpp (frame, start-up, shut-down, the
// save-and-reload cycle), Main_form_layout.cpp (controls), Main_form_clock.cpp,
// Main_form_blinds.cpp, Main_form_sound.cpp, Main_form_players.cpp (the roster),
// Main_form_in_out.cpp (the in/out grid), Main_form_seating.cpp (the table
// lists), Main_form_reports.cpp (the report commands), Main_form_chips.cpp
// (with its controls in Main_form_chips_layout.cpp), Main_form_payout.cpp,
// Main_form_money.cpp (the Results and Deal commands; the Payout page's money
// area is Money_area, the grid's rebuys and knock-outs Money_grid).
#include "model/Tourney.h"

#include <QColor>
#include <QImage>
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
class Speaker;
class Spin_Box;
class Announcer;
class TPlayers_Display;
class Phone_Service_Interface;
class Money_Area;
class Money_Grid;
class Structure_Page;
class Structure_Action;
class Season_Commands;
class Player_Csv_Commands;
class QPixmap;
struct Clock_Reading;

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
    bool In_Break = false;   // the clock runs the break after CurrentLevel

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
    QAction* Launch_Wizard = nullptr;
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
    // seating and reports
    QAction* Load_Seating = nullptr;
    QAction* Create_Seating = nullptr;
    QAction* Create_Top10 = nullptr;
    QAction* Create_PlayersList = nullptr;
    // chips
    QAction* Load_ChipInfo = nullptr;
    QAction* Load_Chips = nullptr;
    QAction* Save_Chips = nullptr;
    QAction* Refresh_Chip_Total = nullptr;
    QAction* Chip_Change[Chip_Count] = {}; // Chip1_Change .. Chip5_Change
    // payout
    QAction* Load_Payout = nullptr;
    QAction* Update_Payout = nullptr;   // disabled until the first Load_Payout
    // the players' display and the spoken announcements
    QAction* Players_Display = nullptr;   // checked while the display is open
    QAction* Announce_Levels = nullptr;   // checked: levels and the last minute are spoken
    QAction* Phone_View = nullptr;        // the phone view's dialog (Main_form_phone.cpp)
    // money (Main_form_money.cpp): the results report and the deal calculator
    QAction* Create_Results = nullptr;
    QAction* Launch_Deal = nullptr;
    Money_Area* Money = nullptr;          // the Payout page's "Money" area
    Money_Grid* Grid_Money = nullptr;     // rebuys, add-ons and knock-outs on the in/out grid

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
    QAction* PlayersDisplay1 = nullptr;   // View menu
    QAction* StartStop1 = nullptr;
    QAction* NextLevel1 = nullptr;
    QAction* PrevLevel1 = nullptr;
    QAction* ResetLevel1 = nullptr;
    QAction* AnnounceLevels1 = nullptr;   // Tools menu
    QAction* PhoneView1 = nullptr;        // Tools menu
    QAction* Results1 = nullptr;          // Reports menu
    QAction* Deal1 = nullptr;             // Tools menu

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
    QFrame* Blind_Timer2_Border = nullptr; // the thin frame drawn behind it
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
    Structure_Page* Structure_Extras = nullptr;   // antes, lengths per level, breaks (Structure_page.cpp)
    Structure_Action* Structure_Shown = nullptr;  // ante, break and estimated end on the Action page
    QAction* Plan_Structure = nullptr;            // Tools, "Structure Planner..." (Structure_planner_dlg.cpp)

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
    QLabel* Record_Label = nullptr;       // the player's evenings, wins and best finish in Data/

    // Action page, the in/out grid
    QTableWidget* All_Grid = nullptr;     // header row "Name" / "In/Out", one row per entry
    QComboBox* IO_Combo1 = nullptr;       // the chooser floated over a cell of column 1
    // Players page, group "Seating"
    QGroupBox* Seating_Group = nullptr;
    QListWidget* Table_List[10] = {};     // Table1_List .. Table10_List
    QPushButton* Button1 = nullptr;       // Edit... (the seating dialog)
    QPushButton* Button2 = nullptr;       // Report... (Create_Seating)
    // Chips page, group "Chip Selection"; index 0..4 = denomination 1..5
    QGroupBox* GroupBox6 = nullptr;
    QLabel* Chip_Image[Chip_Count] = {};         // First_Image .. Fifth_Image
    QToolButton* Chip_Image_Btn[Chip_Count] = {}; // SpeedButton11, 10, 9, 8, Image5_Btn
    QLineEdit* Chip_Value[Chip_Count] = {};      // Chip1_Value .. Chip5_Value
    Spin_Box* Chip_Quanity[Chip_Count] = {};     // Chip1_Quanity .. Chip5_Quanity
    QLineEdit* Chip_Total[Chip_Count] = {};      // Total_1 .. Total_5
    QLineEdit* Total_Chips = nullptr;
    // Action page, group "Chip Values"
    QGroupBox* GroupBox7 = nullptr;
    QLabel* Chip_Image2[Chip_Count] = {};        // First_Image2 .. Fifth_Image2
    QLineEdit* Chip_Fixed[Chip_Count] = {};      // Chip1_Fixed .. Chip5_Fixed

    // Payout page, group "Top 10 Payout"; index 0..9 = place 1..10
    QGroupBox* GroupBox8 = nullptr;
    QLineEdit* Prize_Pool = nullptr;
    Spin_Box* Per[Prize_Count] = {};             // Per_First, Per_2nd .. Per_10th
    QLineEdit* Pay[Prize_Count] = {};            // Pay_First, Pay_2nd .. Pay_10th
    QLineEdit* Check_Payout = nullptr;
    // The background of Check_Payout: red, money green or white.
    QColor Check_Payout_Colour() const;
    QLabel* Balance_Hint = nullptr;       // shown while the tables differ by two or more

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
    void Button1Click();
    // The change handler of a value box (Chip1_QuanityChange .. Chip5_QuanityChange):
    // recomputes that denomination's line total. k = 0..4.
    void Chip_QuanityChange(int k);
    // The picture buttons: SpeedButton11Click, SpeedButton10Click,
    // SpeedButton9Click, SpeedButton8Click, Image5_BtnClick.
    void Chip_Image_BtnClick(int k);

    // Plays one sound file through the player; an empty text plays nothing.
    void PlayCue(const QString& file);

    // The time labels' current background (black or red).
    QColor Blind_Timer_Colour() const { return timer_colour_; }
    // The level, time left, running state and warning colour at this moment.
    Clock_Reading Clock_Now() const;

    // The monotonic clock (milliseconds) that paces the ticks; tests install
    // their own. Installing one starts the count of seconds afresh.
    void Set_Monotonic_Clock(std::function<qint64()> now);

    // The players' display, or nullptr until it is first opened.
    TPlayers_Display* Display_Window() const { return display_; }
    // Replaces the voice of the announcements (tests record with their own).
    void Set_Speaker(std::unique_ptr<Speaker> speaker);
    Announcer* Level_Announcer() const { return announcer_; }

    // Seasons (Tools, View) and players in and out by CSV (File).
    Season_Commands* Season_Tools() const { return season_; }
    Player_Csv_Commands* Player_Csv() const { return player_csv_; }

    // ---- the phone view (Main_form_phone.cpp) ----
    // Turns the server on or off on a port (0: any free one) and stores the
    // choice in the settings file; false with the reason in the server's
    // Error() when the port cannot be taken.
    bool Set_Phone_View(bool on, int port);
    // The server; its module is loaded at the first call, so a program that
    // never uses the view never loads the network libraries.
    Phone_Service_Interface* Phone_Service() const;
    // "http://192.168.1.20:8080/" while the server runs, "" otherwise, and its QR code.
    QString Phone_Address() const;
    QImage Phone_Qr() const { return phone_qr_; }
    // The state the phone pages show, as JSON.
    QByteArray Phone_State() const;

signals:
    // The clock's time, running state, colour or level changed, or the
    // tournament was reloaded: everything that mirrors the clock redraws.
    void Clock_Changed();
    // The clock ran a level out and moved on (after the level-end cue).
    void Level_Ended();
    // The warning cue of the last minute was given.
    void Warning_Given();
    // The phone view drew a new PIN (too many wrong ones in a row).
    void Phone_Pin_Changed();
    void Phone_Remote_Changed();   // phones holding the remote, or asking for it

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Command handlers.
    void Load_DesignExecute();
    void Load_ActionExecute();
    void Save_SetupExecute();
    void Open_TourneyExecute();
    void New_TourneyExecute();
    void Launch_WizardExecute();
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
    void Load_SeatingExecute();
    void Create_SeatingExecute();
    void Create_Top10Execute();
    void Create_PlayersListExecute();
    void Load_ChipInfoExecute();
    void Load_ChipsExecute();
    void Save_ChipsExecute();
    void Refresh_Chip_TotalExecute();
    void Chip1_ChangeExecute() { Chip_QuanityChange(0); }
    void Chip2_ChangeExecute() { Chip_QuanityChange(1); }
    void Chip3_ChangeExecute() { Chip_QuanityChange(2); }
    void Chip4_ChangeExecute() { Chip_QuanityChange(3); }
    void Chip5_ChangeExecute() { Chip_QuanityChange(4); }
    void Load_PayoutExecute();
    void Update_PayoutExecute();

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
    void Build_Seating_Group();
    void Build_Timers();
    void Make_Chip_Actions();
    void Make_Payout_Actions();
    void Build_Chips_Page();
    void Build_Chip_Values();   // the "Chip Values" group of the Action page
    void Build_Payout_Page();
    void Build_View();                   // View menu, clock keys, announcements
    void Players_DisplayExecute();
    void Announce_LevelsExecute();
    void Update_Announce_Levels();       // enabled, checked and hint from the voice
    void Build_Phone_View();             // Tools menu item, server, state pushes
    void Phone_ViewExecute();
    void Build_Money();                  // money area, grid menu, Results and Deal commands
    void Create_ResultsExecute();
    void Launch_DealExecute();

    void Show_Level_Blinds();            // the four blind labels for CurrentLevel
    Clock_Position Position() const;     // CurrentLevel and In_Break, a break only where one is set
    void Go_To(Clock_Position p);
    int Position_Minutes() const;        // the full length of the level or break in play
    void Plan_StructureExecute();
    void Build_Structure();              // the planner's command, the Action page's ante, break and end
    void Restart_Level();                // full length of the level or break in play, seconds 0, black
    void Set_Timer_Colour(const QColor& colour);
    QString Level_End_Cue() const;       // the blind sound for the level that just ended
    void Update_Edit_List_Btn(const QString& sound_path);

    // The clock's pace: how many seconds this timer event stands for.
    int Seconds_Owed();
    void Clock_Second();                 // one tick of the countdown
    void Level_End();
    // Plays a cue; a cue that cannot be played is told after the tick and the
    // clock goes on.
    void Play_Cue_Reported(const std::function<QString()>& cue);
    void Report_After_Tick(const QString& text);
    void Set_Paused(bool paused);        // the clock's state and the Start/Stop caption
    void Start_Tourney_Clock();          // level 1, a full paused level, black labels

    // Leaving a tournament (Open, New): its pages are stored first.
    void Store_Tourney_Being_Left();
    void Store_Pages();
    // Opens a written report in the viewer, with the logo beside it.
    void Open_Report(const QString& path);
    // A tournament chosen outside the data folder is copied in; returns false
    // when the operator cancels.
    bool Bring_Into_Data(const QString& chosen);
    static bool Shows_Picture(const QLabel* box, const QString& path, const QString& stamp);
    static void Show_Chip_Picture(QLabel* box, const QString& path, const QString& stamp, const QPixmap& picture);
    void Prize_PoolChange();
    void Store_Percentages();   // the payout page's percentages into the record, whatever the pool
    int io_row_ = -1;           // the grid row IO_Combo1 lies over; -1 while it is hidden

    // ---- the clock file that survives a crash (Main_form_clock.cpp; the offer at start-up in Main_form_resume.cpp) ----
    void Offer_Clock_Resume();           // at start-up, after an end that was no normal shut-down
    void Clock_State_Changed(bool now);  // writes the clock file: now, or when 10 s have passed
    void Forget_Clock_State();           // normal shut-down, another tournament
    bool clock_kept_ = false;            // the clock was started: its state is kept in a file
    qint64 clock_kept_ms_ = 0;           // monotonic time of the last write
    QString clock_file_;                 // the file last written
    bool clock_write_told_ = false;      // a failed write is told once
    bool keep_clock_at_exit_ = false;    // File, Exit kept the evening's place for the next start
    QStringList load_notices_told_;      // what a load could not read, named once each
    struct Clock_State Kept_State() const;

    std::unique_ptr<Sound_Player> media_player_;
    bool payout_held_ = false;   // Load_Payout fills the pool without recalculating
    QColor timer_colour_;

    std::function<qint64()> monotonic_ms_;
    qint64 tick_anchor_ms_ = 0;   // when the count of seconds started
    qint64 ticks_counted_ = 0;    // seconds handled since then
    int loaded_length_ = -1;      // the level length the countdown was last filled with
    bool full_level_due_ = false; // the next Load_Timer fills a whole level
    QStringList notices_showing_; // reports waiting or open, each shown once

    TPlayers_Display* display_ = nullptr; // deleted with the window
    Announcer* announcer_ = nullptr;      // a child of the window
    mutable std::unique_ptr<Phone_Service_Interface> phone_service_; // loaded at first use
    QTimer* phone_push_ = nullptr;         // a burst of clock changes is sent once
    QImage phone_qr_;
    Season_Commands* season_ = nullptr;
    Player_Csv_Commands* player_csv_ = nullptr;
};

extern TMainForm* MainForm;

// The text that opens a blind sound playlist: the path's extension is
// exactly ".m3u" (case-sensitive).
bool Is_Playlist(const QString& path);
