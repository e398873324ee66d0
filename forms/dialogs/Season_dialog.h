#pragma once
// The season dialog (Tools, "Season..."): the seasons stored, the tournaments
// of the chosen one with the dates they were played, its points rule, and the
// standings with a player's record evening by evening. Every change is
// written to the season's file at once and the standings follow at once.
#include "model/Season.h"
#include "model/Season_standings.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;

class TSeason_Dlg : public QDialog {
    Q_OBJECT
public:
    explicit TSeason_Dlg(QWidget* parent);

    // Lists the seasons and the data folder's tournaments again and shows
    // the named season (the first one when there is no such season).
    void Refresh(const QString& season_name);
    // The season shown ("" when none, or when its file could not be read).
    QString Shown_Season() const { return usable_ ? season_.name : QString(); }
    const Season& Shown() const { return season_; }
    const Season_Table& Table() const { return table_; }

    QListWidget* Season_List = nullptr;
    QPushButton* New_Season_Btn = nullptr;
    QPushButton* Delete_Season_Btn = nullptr;
    QListWidget* Data_List = nullptr;       // the data folder's tournaments not in the season
    QPushButton* Add_Tourney_Btn = nullptr;
    QPushButton* Remove_Tourney_Btn = nullptr;
    QTableWidget* Tourney_Grid = nullptr;   // "Tournament", "Date"
    QDateEdit* Date_Edit = nullptr;         // the date of the selected tournament
    QComboBox* Formula_Combo = nullptr;
    QSpinBox* Places_Spin = nullptr;
    QTableWidget* Points_Grid = nullptr;    // points for each place of the table
    QSpinBox* Taking_Part_Spin = nullptr;
    QSpinBox* Per_Bounty_Spin = nullptr;
    QTableWidget* Standings_Grid = nullptr;
    QLabel* Record_Caption = nullptr;
    QTableWidget* Record_Grid = nullptr;    // the selected player's evenings
    QLabel* Problems_Label = nullptr;       // the tournaments that could not be counted
    QPushButton* Report_Btn = nullptr;
    QPushButton* Close_Btn = nullptr;

    // Commands of the buttons (each runs inside the error guard).
    void New_Season();
    void Delete_Season();
    void Add_Tourneys();     // the selected tournaments of Data_List
    void Remove_Tourneys();  // the selected rows of Tourney_Grid
    void Write_Report();

private:
    QWidget* Build_Season_Side();
    QWidget* Build_Rule_Side();
    QWidget* Build_Standings_Side();
    void Show_Season(const QString& name);
    void Fill_Season_Controls();
    void Fill_Data_List();
    void Fill_Tourney_Grid();
    void Fill_Rule();
    void Sync_Date_Edit();   // the date box shows the selected tournament's date
    void Fill_Standings();
    void Fill_Record();
    void Rule_Edited();      // the controls into the rule; saves and reranks
    void Date_Edited();
    void Tourneys_Changed(); // saves, reads the evenings again and reranks
    void Store();
    void Set_Usable(bool usable);

    Season season_;
    Season_Table table_;
    bool usable_ = false;   // a season is shown and its file read
    bool filling_ = false;
    bool editing_date_ = false; // the date box is being changed  // the controls are being filled: edits are not changes
};
