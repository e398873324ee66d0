#pragma once
// The new-tournament wizard: six steps (name, level length, blind schedule,
// level-change sound, warning sound, players) on a tournament record of its
// own, written by Finish and then opened by the main window.
#include "model/Tourney.h"

#include <QDialog>
#include <QList>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;
class Spin_Box;
class Money_Fields;

class TWizardDlg : public QDialog {
    Q_OBJECT
public:
    explicit TWizardDlg(QWidget* owner = nullptr);
    ~TWizardDlg() override;

    // The tournament being set up, and whether Finish wrote it.
    std::unique_ptr<CTourney> Tourney;
    bool Finished = false;

    // The step shown, 1 to 6.
    int Step() const { return step_; }

    // ---- the six step panels ----
    QFrame* FirstPage = nullptr;  // 1 name
    QFrame* SecondPage = nullptr; // 2 level length
    QFrame* ThirdPage = nullptr;  // 3 blind schedule
    QFrame* FourthPage = nullptr; // 4 level-change sound
    QFrame* SixthPage = nullptr;  // 5 warning sound
    QFrame* FifthPage = nullptr;  // 6 players

    QLineEdit* NameEdt = nullptr;
    Spin_Box* Timer_Spin = nullptr;
    Money_Fields* Money_Group = nullptr; // step 2, below the level length
    QGroupBox* Blind_Group = nullptr;
    QLineEdit* SB_Edit[Level_Count] = {};
    QLineEdit* BB_Edit[Level_Count] = {};
    QLineEdit* Ante_Edit[Level_Count] = {};   // Ante0_Edit .. Ante19_Edit, empty: none
    QComboBox* Ante_Type_Combo = nullptr;     // big blind or per player ante
    QLineEdit* Sound_Edit1 = nullptr;
    QToolButton* SpeedButton1 = nullptr; // browse: level-change sound
    QLineEdit* Warning_Edit = nullptr;
    QToolButton* SpeedButton4 = nullptr; // browse: warning sound
    QListWidget* Available_List = nullptr;
    QListWidget* Playing_List = nullptr;
    QToolButton* SpeedButton2 = nullptr; // into the tournament
    QToolButton* SpeedButton3 = nullptr; // out of it

    QLabel* Image1 = nullptr; // the banner
    QFrame* Divider = nullptr;
    QPushButton* BackBtn = nullptr;
    QPushButton* NextBtn = nullptr;
    QPushButton* FinishBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // ---- command list ActionList1 ----
    QList<QAction*> ActionList1;
    QAction* Load_Data = nullptr;
    QAction* Save_Data = nullptr;
    QAction* Load_Available = nullptr;
    QAction* Load_Playing = nullptr;
    QAction* Move_To_Tourney = nullptr;
    QAction* Remove_From_Tourney = nullptr;

    void NextBtnClick();
    void BackBtnClick();
    void FinishBtnClick();
    void CancelBtnClick();
    void SpeedButton1Click();
    void SpeedButton4Click();

public slots:
    // Cancel and the close box: the main window changes nothing.
    void reject() override;

private:
    void FormCreate();
    void Load_DataExecute();
    void Save_DataExecute();
    void Load_AvailableExecute();
    void Load_PlayingExecute();
    void Move_To_TourneyExecute();
    void Remove_From_TourneyExecute();

    QAction* Make_Action(const char* name, void (TWizardDlg::*handler)());
    void Build_Steps();
    QFrame* Make_Step(const char* name, const QString& prompt, int height);
    void Build_Blind_Schedule();
    void Build_Sound_Step(QFrame* page, QLineEdit*& edit, const char* edit_name, QToolButton*& browse,
                          const char* browse_name);
    void Build_Players_Step();
    void Build_Buttons();
    void Show_Step(int step);
    bool Take_Name();

    int step_ = 1;
};

extern TWizardDlg* WizardDlg;

// The name typed on the first step as the wizard uses it: blanks around it
// dropped, and ".trn" appended unless it ends in it ("Club 1.6" names
// "Club 1.6.trn", not "Club 1.trn").
QString Wizard_Tourney_Name(const QString& typed);
// Why a tournament name cannot be used ("" when it can): it must name a file
// of its own in the data folder, in Latin-1, that the file system accepts.
QString Tourney_Name_Problem(const QString& name);
QString Tourney_File_Problem(const QString& name);
