// The structure beyond the blinds in the main window: the planner of the
// Tools menu and the Action page's ante, break and estimated end. The Blinds
// page's boxes are in Structure_page.cpp.
#include "forms/main_window/Main_form.h"

#include "forms/dialogs/Structure_planner_dlg.h"
#include "forms/main_window/Structure_action.h"
#include "forms/main_window/Structure_page.h"
#include "forms/widgets/Spin_box.h"
#include "forms/widgets/Structure_fields.h"
#include "model/Display_facts.h"
#include "platform/Host.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>

namespace {

// What the planner starts from: the tournament's players, its chips and the
// Blinds page's length and kind of ante.
Planner_Input Planner_Start(const CTourney& t, int level_minutes, Ante_Kind kind)
{
    Planner_Input in;
    in.players = t.Total >= 2 ? t.Total : 10;
    int64_t stack = 0;
    for (const CChips& c : t.Chips)
        if (c.Value > 0 && c.Quanity > 0) {
            stack += static_cast<int64_t>(c.Value) * c.Quanity;
            in.chips << c.Value;
        }
    std::sort(in.chips.begin(), in.chips.end());
    in.chips.erase(std::unique(in.chips.begin(), in.chips.end()), in.chips.end());
    in.starting_stack = stack > 0 ? static_cast<int>(std::min<int64_t>(stack, 10'000'000)) : 10000;
    in.smallest_chip = in.chips.isEmpty() ? 25 : in.chips.front();
    in.level_minutes = level_minutes;
    in.ante_kind = kind;
    return in;
}

// The proposal goes onto the Blinds page: the first level's length becomes
// the blind duration, a level that differs keeps its own.
void Put_On_Blinds_Page(TMainForm& form, const Planned_Structure& plan)
{
    Structure_Page& page = *form.Structure_Extras;
    const int minutes = plan.levels.front().minutes;
    form.Timer_Spin->Set_Value(minutes);
    Show_Ante_Kind(page.Ante_Type_Combo, plan.ante_kind);
    for (int k = 0; k < Level_Count && k < plan.levels.size(); ++k) {
        const Plan_Level& lv = plan.levels[k];
        form.SB_Edit[k]->setText(QString::number(lv.small_blind));
        form.BB_Edit[k]->setText(QString::number(lv.big_blind));
        page.Ante_Edit[k]->setText(Box_Text(lv.ante));
        page.Minutes_Edit[k]->setText(lv.minutes == minutes ? QString() : QString::number(lv.minutes));
        page.Break_Edit[k]->setText(Box_Text(lv.break_minutes));
        page.Note_Edit[k]->setText(lv.break_note);
    }
}

} // namespace

void TMainForm::Build_Structure()
{
    Plan_Structure = Make_Action("Plan_Structure", tr("Structure Planner..."), &TMainForm::Plan_StructureExecute);
    Plan_Structure->setToolTip(tr("Plan levels, antes and breaks that end the night on time"));
    for (QAction* a : menuBar()->actions())
        if (a->menu() && a->text() == tr("&Tools")) {
            QAction* item = new QAction(Plan_Structure->text(), a->menu());
            item->setObjectName(QStringLiteral("StructurePlanner1"));
            a->menu()->insertAction(a->menu()->actions().value(1), item); // after the playlist editor
            connect(item, &QAction::triggered, Plan_Structure, &QAction::trigger);
        }
    connect(Structure_Extras->Planner_Btn, &QPushButton::clicked, Plan_Structure, &QAction::trigger);

    Structure_Shown = new Structure_Action(Action_Sheet);
    connect(this, &TMainForm::Clock_Changed, Structure_Shown, [this] {
        if (Current_Tourney)
            Structure_Shown->Show(Gather_Display_Facts(*Current_Tourney, Clock_Now(), QDateTime::currentDateTime()));
    });
}

// The planner works on what the pages show: they are stored first. Apply puts
// its proposal on the Blinds page and stores it.
void TMainForm::Plan_StructureExecute()
{
    Store_Pages();
    const Planner_Input start = Planner_Start(*Current_Tourney, Timer_Spin->Value(),
                                              Chosen_Ante_Kind(Structure_Extras->Ante_Type_Combo));
    TStructure_Planner_Dlg planner(this, start, QTime::currentTime());
    host().Show_Modal(&planner);
    if (!planner.Applied)
        return;
    Put_On_Blinds_Page(*this, planner.Proposal());
    Save_Setup->trigger();
}
