#pragma once
// Tools, "Structure Planner...": from the players, the starting stack, the
// chips in play and the wanted length of the night, a proposal of twenty
// levels with antes and breaks, shown before anything changes: the planned
// end, a chart of the average stack in big blinds, the levels and breaks as a
// table and warnings. "Apply" hands it to the Blinds page; Cancel changes
// nothing.
#include "model/Structure_planner.h"

#include <QDialog>
#include <QTime>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimeEdit;
class Depth_Chart;
class Spin_Box;

class TStructure_Planner_Dlg : public QDialog {
    Q_OBJECT
public:
    // Starts from these values; chips holds the denominations of the Chips page.
    TStructure_Planner_Dlg(QWidget* owner, const Planner_Input& start, const QTime& start_time);

    // Whether "Apply" closed the dialog, and the proposal shown.
    bool Applied = false;
    const Planned_Structure& Proposal() const { return plan_; }
    Planner_Input Input() const;
    QTime Start_Time() const;

    Spin_Box* Players_Spin = nullptr;
    Spin_Box* Stack_Spin = nullptr;
    Spin_Box* Chip_Spin = nullptr;       // the smallest chip in play
    QDoubleSpinBox* Hours_Spin = nullptr;
    Spin_Box* Level_Spin = nullptr;
    QCheckBox* Growing_Check = nullptr;
    Spin_Box* Break_Every_Spin = nullptr;
    Spin_Box* Break_Spin = nullptr;
    QComboBox* Antes_Combo = nullptr;    // none, big blind ante, per player ante
    QTimeEdit* Start_Edit = nullptr;
    QLabel* End_Label = nullptr;
    Depth_Chart* Chart = nullptr;
    QTableWidget* Levels_Table = nullptr;
    QLabel* Chips_Label = nullptr;       // the chips in play (a usual set listed) and what the antes are worth
    QLabel* Warnings_Label = nullptr;
    QPushButton* ApplyBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // Plans again from the boxes (run by every change).
    void Replan();

private:
    void Build_Inputs(const Planner_Input& start, const QTime& start_time);
    void Fill_Table();
    Spin_Box* Number_Box(const char* name, const QString& caption, int y, int low, int high, int value);

    QVector<int> page_chips_;
    Planned_Structure plan_;
};
