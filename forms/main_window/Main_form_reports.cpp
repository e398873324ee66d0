// The report commands of the Reports menu and the Players page: each writes
// its page into the Reports folder and opens it in the system's viewer (or
// says where it was written when nothing can open it). A page that cannot be
// written raises "Unable to write to %s" and nothing opens.
// (Create_Seating lives with the table lists in Main_form_seating.cpp.)
#include "forms/main_window/Main_form.h"

#include "forms/widgets/Report_opening.h"
#include "model/Player.h"
#include "reports/Report_gen.h"

void TMainForm::Open_Report(const QString& path) { Open_Written_Report(path); }

void TMainForm::Create_PlayersListExecute()
{
    const QString path = Write_Contact_List(Current_Tourney->Players, Current_Tourney->Total, Player_DB);
    Open_Report(path);
}

void TMainForm::Create_Top10Execute()
{
    const QString path = Write_Top10(*Current_Tourney);
    Open_Report(path);
}
