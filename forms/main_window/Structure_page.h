#pragma once
// The Blinds page's structure beyond the blinds: an ante beside each level's
// small and big blind, the kind of ante, and a group "Levels and Breaks" with
// each level's own length and the break after it with its note. Loaded from
// and stored into the tournament's structure with the rest of the page.
#include "model/Structure.h"

#include <QObject>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

class Structure_Page : public QObject {
    Q_OBJECT
public:
    // Builds the controls: the ante boxes beside the big-blind boxes in the
    // schedule group, the kind of ante and the planner's button in the timer
    // group, the levels and breaks below.
    Structure_Page(QWidget* page, QGroupBox* timer_group, QGroupBox* schedule_group,
                   QLineEdit* const (&big_blind_boxes)[Structure_Levels]);

    void Load(const CStructure& s);
    void Save(CStructure& s) const;

    QComboBox* Ante_Type_Combo = nullptr;
    QPushButton* Planner_Btn = nullptr;       // runs Tools, "Structure Planner..."
    QGroupBox* Levels_Group = nullptr;        // "Levels and Breaks"
    QLineEdit* Ante_Edit[Structure_Levels] = {};    // Ante0_Edit .. Ante19_Edit
    QLineEdit* Minutes_Edit[Structure_Levels] = {};  // Minutes0_Edit ..
    QLineEdit* Break_Edit[Structure_Levels] = {};    // Break0_Edit .. (none after the last level)
    QLineEdit* Note_Edit[Structure_Levels] = {};     // Break_Note0_Edit ..

private:
    void Build_Levels_Group(QWidget* page);
};
