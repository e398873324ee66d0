// The money of the main window: the "Money" area of the Payout page, the
// rebuys, add-ons and knock-outs of the in/out grid, the results report of
// the Reports menu and the deal calculator of the Tools menu.
#include "forms/main_window/Main_form.h"

#include "forms/dialogs/Deal_dlg.h"
#include "forms/main_window/Money_area.h"
#include "forms/main_window/Money_grid.h"
#include "model/Icm.h"
#include "platform/Host.h"
#include "reports/Results_report.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* Menu_Named(QMenuBar* bar, const QString& text)
{
    for (QAction* a : bar->actions())
        if (a->menu() && a->text() == text)
            return a->menu();
    return nullptr;
}

QAction* Menu_Item(QMenu* menu, const char* name, QAction* command)
{
    QAction* item = menu->addAction(command->text());
    item->setObjectName(QString::fromLatin1(name));
    QObject::connect(item, &QAction::triggered, command, &QAction::trigger);
    return item;
}

} // namespace

void TMainForm::Build_Money()
{
    Create_Results = Make_Action("Create_Results", tr("Results"), &TMainForm::Create_ResultsExecute);
    Launch_Deal = Make_Action("Launch_Deal", tr("Deal..."), &TMainForm::Launch_DealExecute);
    if (QMenu* reports = Menu_Named(menuBar(), tr("&Reports")))
        Results1 = Menu_Item(reports, "Results1", Create_Results);
    if (QMenu* tools = Menu_Named(menuBar(), tr("&Tools")))
        Deal1 = Menu_Item(tools, "Deal1", Launch_Deal);

    Money = new Money_Area(this, GroupBox8);
    // Runs after the page was filled from the record.
    connect(Load_Payout, &QAction::triggered, Money, [this] { Money->Load(); });
    Grid_Money = new Money_Grid(this);
}

void TMainForm::Create_ResultsExecute()
{
    Open_Report(Write_Results(*Current_Tourney));
}

void TMainForm::Launch_DealExecute()
{
    const CTourney& t = *Current_Tourney;
    int still_in = 0;
    for (int i = 0; i < t.Total && i < Max_Entries; ++i)
        if (t.Players[i].Place == 0)
            ++still_in;
    if (still_in < 2 || still_in > Icm_Most_Players) {
        host().Message(tr("A deal is worked out for 2 to %1 players still in; %2 are in.").arg(Icm_Most_Players).arg(still_in),
                       tr("Deal"), Buttons::OK);
        return;
    }
    TDeal_Dlg dialog(this, *Current_Tourney);
    host().Show_Modal(&dialog);
    if (dialog.Written)
        emit Clock_Changed();
}
